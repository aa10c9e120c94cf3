#include "signal_generator.h"

namespace ampera {

const CDeviceKind CSignalGenerator::kKind{TYPE_SIGNAL_GENERATOR, CATEGORY_METER, 172, 80, "信号发生器",
                                          "devpic\\signalgenerator.tga", {{27, 86}, {97, 86}}, true};

CSignalGenerator::CSignalGenerator()
    : CDevice(kKind), m_amplitudeKnob(CKnob::Limited(0, 11, 2, 6, 30, -180, 150)),
      m_coarse(CKnob::Limited(0, 9, 5, 5, 36, -180, 144)),
      m_fine(CKnob::Limited(0, 10, 0, 5, 360.0f / 11.0f, -5 * 360.0f / 11.0f, 5 * 360.0f / 11.0f)) {
    m_amplitudeKnob.m_labelMode = kKnobLabelMode;
    m_internalResistance = 50;
}

int CSignalGenerator::PressedBand() const {
    for (int i = 0; i < static_cast<int>(m_bandButtons.size()); ++i)
        if (m_bandButtons[i].IsOn()) return i;
    return -1;
}

void CSignalGenerator::UpdateSettings() {
    static constexpr float kAmplitudes[7] = {0.01f, 0.05f, 0.1f, 0.5f, 1, 5, 6};
    const int p = m_amplitudeKnob.Position();
    m_amplitude = p < 0 ? kAmplitudes[0] : (p <= 6 ? kAmplitudes[p] : static_cast<float>(2 * p - 6));

    static constexpr double kBandFactor[7] = {1000000, 100000, 10000, 1000, 100, 10, 1};
    const int band = PressedBand();
    if (band >= 0)
        m_frequency = static_cast<float>((0.2 * m_coarse.Position() + 0.02 * m_fine.Position()) * kBandFactor[band]);

    m_waveform = m_waveButtons[0].IsOn()   ? WAVE_SINE
                 : m_waveButtons[1].IsOn() ? WAVE_SQUARE
                 : m_waveButtons[2].IsOn() ? WAVE_TRIANGLE
                                           : WAVE_NONE;
}

void CSignalGenerator::BuildBranches(CTopologyBuilder& b) {
    if (!IsPowered()) return;
    UpdateSettings();
    CBranch& source = b.OverTerminals(BRANCH_SINE_VOLTAGE_SOURCE, 0);
    source.m_wave = m_waveform;
    source.m_amplitude = m_amplitude;
    source.m_frequency = m_frequency;
    source.m_phase = m_phase;
}

} // namespace ampera
