#include "dc_ammeter.h"

#include "ammeter_plug_board.h"
#include "core/experiment.h"

#include <cmath>

namespace ampera {

namespace {
constexpr double kMinCurrent = 1e-7;
// The knob's positions continue the multimeter's DC ampere ranges 5-8.
constexpr int kFirstRange = 5;

const CMeterPanel kPanel{"devpic\\panal\\直流电流表.tga", 247, 186, {0, 80, 113, 170}, {165, 130, 225, 155}};
const CDisplayWindow kWindow{20.5f, 16.5f, 220, 0};
} // namespace

const CDeviceKind CDCAmmeter::kKind{
    TYPE_DC_AMMETER,         CATEGORY_METER, 131, 136, "数字电流表", "devpic\\DigitalCurrentmeter.tga",
    {{31, 142}, {100, 142}}, false};

CDCAmmeter::CDCAmmeter() : CDigitalMeter(kKind, CKnob::Limited(0, 3, 2, 2, 90, -180, 90), kPanel, kWindow) {
    m_internalResistance = 0.01f;
}

const CComponent* CDCAmmeter::ReadPlugBoard() const {
    if (!m_plugBoard || !Experiment()) return nullptr;
    // The link may outlive the board (deleted, or the experiment cleared):
    // compare addresses against the boards still placed and never follow a
    // pointer that is not among them.
    for (const CComponent* device : Experiment()->Devices()) {
        if (device != m_plugBoard) continue;
        const auto* board = dynamic_cast<const CAmmeterPlugBoard*>(device);
        return board && board->IsOccupied() ? board : nullptr;
    }
    return nullptr;
}

void CDCAmmeter::Update(const CUpdateContext& context) {
    Blank();
    if (!IsPowered() || m_branches.empty()) return;
    const CBranch* element = m_branches.front().get();
    if (const CComponent* board = ReadPlugBoard(); board && !board->m_branches.empty())
        element = board->m_branches.front().get();
    if (element->m_solverMark == kSineSolved) {
        context.Warn("请使用交流电流表来测量交流电流");
        return;
    }
    const double amperes = element->m_result.m_elec.para_array[0];
    const CReading reading = FormatMultimeter(static_cast<float>(amperes), Range() + kFirstRange);
    if (std::fabs(amperes) >= kMinCurrent) {
        if (reading.status == FORMAT_OVER)
            context.Warn("当前电路有个数字电流表的测量值超过当前档位量程");
        else if (reading.status == FORMAT_ZERO)
            context.Warn("当前电路有个数字电流表所选量程太大，无法测量准确");
    }
    Show(reading.text);
}

} // namespace ampera
