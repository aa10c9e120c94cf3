#include "dc_ammeter.h"

namespace ampera {

const CDeviceKind CDCAmmeter::kKind{TYPE_DC_AMMETER, CATEGORY_METER, 131, 136, "数字电流表", "devpic\\DigitalCurrentmeter.tga", {{31, 142}, {100, 142}}, false};

CDCAmmeter::CDCAmmeter() : CDevice(kKind), m_range(CKnob::Limited(0, 3, 2, 2, 90, -180, 90)) {
    m_internalResistance = 0.01f;
}

} // namespace ampera
