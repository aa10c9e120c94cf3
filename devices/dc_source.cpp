#include "dc_source.h"

namespace ampera {

const CDeviceKind CDCSource::kKind{TYPE_DC_SOURCE, CATEGORY_ELECTRICITY, 117, 124, "直流电源", "devpic\\eletri.tga",
                                   {{17, 130}, {59, 130}}, true};

CDCSource::CDCSource()
    : CDevice(kKind), m_coarse(CKnob::Limited(0, 9, 5, 5, 36, -180, 144)),
      m_fine(CKnob::Limited(0, 10, 0, 5, 30, -150, 150)) {
    m_internalResistance = 0.01f;
}

double CDCSource::GetKnobValue() {
    const double v = 2.0 * m_coarse.Position() + 0.2 * m_fine.Position();
    m_setValue = static_cast<float>(v);
    return v;
}

void CDCSource::BuildBranches(CTopologyBuilder& b) {
    if (!IsPowered()) return;
    CCircuitNode* inside = b.InternalNode();
    b.Between(b.Terminal(0), inside, BRANCH_VOLTAGE_SOURCE, GetKnobValue());
    b.Between(b.Terminal(1), inside, BRANCH_RESISTOR, m_internalResistance);
}

} // namespace ampera
