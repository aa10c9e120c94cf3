#include "galvanometer.h"

namespace ampera {

const CDeviceKind CGalvanometer::kKind{TYPE_GALVANOMETER, CATEGORY_METER, 172, 80, "数字检流计", "devpic\\DigitalGalvanometer.tga", {{30, 86}, {84, 86}}, false};

CGalvanometer::CGalvanometer() : CDevice(kKind), m_range(CKnob::Limited(0, 4, 2, 2, 72, -144, 144)) {
    m_internalResistance = 0.01f;
}

} // namespace ampera
