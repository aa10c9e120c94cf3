#include "capacitance_box.h"

namespace ampera {

const CDeviceKind CCapacitanceBox::kKind{TYPE_CAPACITANCE_BOX, CATEGORY_CAPACITANCE, 152, 109, "电容箱",
                                         "devpic\\capacitancebox.tga", {{46, -6}, {101, -6}}, true};

CCapacitanceBox::CCapacitanceBox() : CDevice(kKind) {
    for (CKnob& k : m_decades) k = CKnob::FullCircle(10, 9, true);
}

double CCapacitanceBox::GetKnobValue() {
    const double total = 0.001 * m_decades[0].Position() + 0.01 * m_decades[1].Position() +
                         0.1 * m_decades[2].Position() + 1.0 * m_decades[3].Position();
    m_total = static_cast<float>(total);
    return total;
}

} // namespace ampera
