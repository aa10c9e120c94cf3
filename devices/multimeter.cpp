#include "multimeter.h"

namespace ampera {

const CDeviceKind CMultimeter::kKind{TYPE_MULTIMETER, CATEGORY_METER, 131, 159, "万用表", "devpic\\multimeter.tga",
                                     {{31, 162}, {99, 162}}, true};

CMultimeter::CMultimeter() : CDevice(kKind), m_range(CKnob::FullCircle(32, 0, true)) {
    m_internalResistance = static_cast<float>(GetValue());
}

void CMultimeter::BuildBranches(CTopologyBuilder& b) {
    if (!IsPowered()) return;
    if (IsResistanceRange()) {
        // Ohmmeter: the test source drives terminal 0 through the meter's shunt.
        CCircuitNode* inside = b.InternalNode();
        b.Between(b.Terminal(0), inside, BRANCH_VOLTAGE_SOURCE, kOhmmeterSource);
        b.Between(b.Terminal(1), inside, BRANCH_RESISTOR, GetValue());
    } else {
        b.OverTerminals(BRANCH_RESISTOR, GetValue());
    }
}

} // namespace ampera
