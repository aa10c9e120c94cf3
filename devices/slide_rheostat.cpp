#include "slide_rheostat.h"

namespace ampera {

const CDeviceKind CSlideRheostat::kKind{TYPE_SLIDE_RHEOSTAT, CATEGORY_RESISTANCE, 88, 58, "Rx", "devpic\\resglide.tga",
                                        {{-6, 4}, {-6, 17}, {94, 4}, {94, 17}}, true};

void CSlideRheostat::BuildBranches(CTopologyBuilder& b) {
    CCircuitNode* t0 = b.Terminal(0);
    CCircuitNode* t2 = b.Terminal(2);
    b.Between(t0, b.Terminal(1), BRANCH_RESISTOR, m_totalResistance * m_fraction);
    b.Between(t2, b.Terminal(3), BRANCH_RESISTOR, m_totalResistance * (1 - m_fraction));
    b.Between(t0, t2, BRANCH_RESISTOR, kWireResistance); // the slider's contact
}

} // namespace ampera
