#include "ac_millivoltmeter.h"

namespace ampera {

const CDeviceKind CACMillivoltmeter::kKind{TYPE_AC_MILLIVOLTMETER, CATEGORY_METER, 172, 80, "交流毫伏表", "devpic\\ACmVoltagemeter.tga", {{30, 86}, {84, 86}}, false};

CACMillivoltmeter::CACMillivoltmeter() : CDevice(kKind), m_range(CKnob::Limited(0, 4, 2, 2, 72, -144, 144)) {
    m_internalResistance = 999999;
}

} // namespace ampera
