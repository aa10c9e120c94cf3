#include "resistance_box.h"

namespace ampera {

const CDeviceKind CResistanceBox::kKind{TYPE_RESISTANCE_BOX, CATEGORY_RESISTANCE, 152, 109, "变阻箱",
                                        "devpic\\resbox.tga", {{52, -6}, {99, -6}}, true};

CResistanceBox::CResistanceBox() : CDevice(kKind) {
    for (CKnob& k : m_decades) k = CKnob::FullCircle(10, 9, true);
}

double CResistanceBox::GetKnobValue() const {
    double total = 0, weight = 1;
    for (const CKnob& k : m_decades) {
        total += weight * k.Position();
        weight *= 10;
    }
    return total;
}

} // namespace ampera
