#include "ac_source.h"

namespace ampera {

const CDeviceKind CACSource::kKind{TYPE_AC_SOURCE, CATEGORY_ELECTRICITY, 117, 124, "交流电压源",
                                   "devpic\\acelectricity.tga", {{17, 130}, {59, 130}}, false};

CACSource::CACSource()
    : CDevice(kKind), m_coarse(CKnob::Limited(0, 9, 5, 5, 36, -180, 144)),
      m_fine(CKnob::Limited(0, 10, 0, 5, 30, -150, 150)) {
    m_internalResistance = 0.5f;
}

double CACSource::GetKnobValue() {
    const double v = 2.0 * m_coarse.Position() + 0.2 * m_fine.Position();
    m_setValue = static_cast<float>(v);
    return v;
}

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
