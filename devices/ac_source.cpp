#include "ac_source.h"

namespace ampera {

const CDeviceKind CACSource::kKind{TYPE_AC_SOURCE,
                                   CATEGORY_ELECTRICITY,
                                   117,
                                   124,
                                   "交流电压源",
                                   "devpic\\acelectricity.tga",
                                   {{17, 130}, {59, 130}},
                                   false};

CACSource::CACSource()
    : CKnobSource(kKind, 0.5f, "devpic\\panal\\交流电压源.tga", "当前有个交流电压源烧毁") {}

void CACSource::BuildBranches(CTopologyBuilder& b) {
    if (!IsPowered()) return;
    CCircuitNode* inside = b.InternalNode();
    CBranch& source = b.Between(b.Terminal(0), inside, BRANCH_SINE_VOLTAGE_SOURCE, 0);
    source.m_wave = WAVE_SINE;
    source.m_amplitude = GetAmplitude();
    source.m_frequency = kFrequency;
    source.m_phase = 0.0;
    b.Between(b.Terminal(1), inside, BRANCH_RESISTOR, m_internalResistance);
}

} // namespace ampera
