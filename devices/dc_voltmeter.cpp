#include "dc_voltmeter.h"

#include <cmath>

namespace ampera {

namespace {
// Below this voltage the meter sees nothing worth a range warning.
constexpr double kMinVoltage = 0.0001;

const CMeterPanel kPanel{"devpic\\panal\\直流电压表.tga", 247, 186, {0, 80, 113, 170}, {165, 130, 225, 155}};
const CDisplayWindow kWindow{20.5f, 16.5f, 220, 0};
} // namespace

const CDeviceKind CDCVoltmeter::kKind{
    TYPE_DC_VOLTMETER,       CATEGORY_METER, 131, 136, "数字电压表", "devpic\\digitaloltagemeter.tga",
    {{31, 142}, {100, 142}}, false};

CDCVoltmeter::CDCVoltmeter()
    : CDigitalMeter(kKind, CKnob::Limited(0, 4, 2, 2, 72, -144, 144), kPanel, kWindow) {
    m_internalResistance = 999999;
}

void CDCVoltmeter::Update(const CUpdateContext& context) {
    Blank();
    if (!IsPowered() || m_branches.empty()) return;
    const CBranch& element = *m_branches.front();
    if (element.m_solverMark == kSineSolved) {
        context.Warn("请使用交流电压表测量交流电压");
        return;
    }
    // The knob's positions are the multimeter's DC volt ranges 0-4.
    const double volts = element.m_result.m_vol.para_array[0];
    const CReading reading = FormatMultimeter(static_cast<float>(volts), Range());
    if (std::fabs(volts) > kMinVoltage) {
        if (reading.status == FORMAT_OVER)
            context.Warn("当前电路有个数字电压表的测量值超过当前档位量程");
        else if (reading.status == FORMAT_ZERO)
            context.Warn("当前电路有个数字电压表所选量程太大，无法测量准确");
    }
    Show(reading.text);
}

} // namespace ampera
