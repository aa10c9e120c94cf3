#include "dc_voltmeter.h"

namespace ampera {

const CDeviceKind CDCVoltmeter::kKind{TYPE_DC_VOLTMETER, CATEGORY_METER, 131, 136, "数字电压表", "devpic\\digitaloltagemeter.tga", {{31, 142}, {100, 142}}, false};

CDCVoltmeter::CDCVoltmeter() : CDevice(kKind), m_range(CKnob::Limited(0, 4, 2, 2, 72, -144, 144)) {
    m_internalResistance = 999999;
}

} // namespace ampera
