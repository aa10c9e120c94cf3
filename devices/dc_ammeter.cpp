#include "dc_ammeter.h"

#include "ammeter_plug_board.h"
#include "core/experiment.h"
#include "panel_layout.h"

#include <cmath>

namespace ampera {

namespace {
// What the parameter page accepts for the internal resistance (ohms); a
// file's value outside it is not taken.
constexpr float kMinInternalResistance = 0.01f, kMaxInternalResistance = 10.0f;
constexpr double kMinCurrent = 1e-7;
// The knob's positions continue the multimeter's DC ampere ranges 5-8.
constexpr int kFirstRange = 5;

const CMeterPanel kPanel{"devpic\\panal\\直流电流表.tga", layout::dc_meter::kPanel.width,
                         layout::dc_meter::kPanel.height, layout::dc_meter::kKnobRect,
                         layout::dc_meter::kPowerRect};
const CDisplayWindow kWindow{layout::dc_meter::kDisplay.fromRight, layout::dc_meter::kDisplay.fromTop,
                             layout::dc_meter::kDisplay.panelRight, layout::dc_meter::kDisplay.panelTop};
} // namespace

const CDeviceKind CDCAmmeter::kKind{
    .typeCode = TYPE_DC_AMMETER,
    .category = CATEGORY_METER,
    .namePrefix = "数字电流表",
    .bodyPicture = "devpic\\DigitalCurrentmeter.tga",
    .body = geometry::kDCAmmeter,
    .propertyGroup = GROUP_PLAIN,
    .bar = {BAR_METERS, 0, "直流电流表", "直流电流表.bmp"},
    .symbols = OneSymbol({"abstract\\multimeter_a.bmp", 5, 73, -8, 68}),
};

CDCAmmeter::CDCAmmeter() : CDigitalMeter(kKind, CKnob::Of(layout::dc_meter::kAmpereRange), kPanel, kWindow) {
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
    const double amperes = element->m_result.m_elec.Steady();
    const CReading reading = FormatMultimeter(static_cast<float>(amperes), Range() + kFirstRange);
    if (std::fabs(amperes) >= kMinCurrent) {
        if (reading.status == FORMAT_OVER)
            context.Warn("当前电路有个数字电流表的测量值超过当前档位量程");
        else if (reading.status == FORMAT_ZERO)
            context.Warn("当前电路有个数字电流表所选量程太大，无法测量准确");
    }
    Show(reading.text);
}

const CMeterRange* CDCAmmeter::ShownRange() const {
    return MultimeterRange(Range() + kFirstRange);
}

void CDCAmmeter::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    CDigitalMeter::Persist(doc, loading, prefix);
    KeepSetting(doc, loading, prefix + ":INRESISTANCE", m_internalResistance, kMinInternalResistance,
                kMaxInternalResistance);
}

void CDCAmmeter::FillPropertyPage(CPropertyPage& page) {
    page.window = {-3, 0, 250, 310};
    page.AddText({30, 40, 270, 70}, "名称 ");
    page.AddText({30, 90, 120, 120}, "内阻");
    page.AddText({30, 125, 280, 160}, "内阻范围：0.01－10Ω");
    page.AddText({190, 90, 220, 120}, "Ω");
    page.AddSingleEdit({90, 90, 190, 110}, std::to_string(m_internalResistance), &m_internalResistance,
                       kMinInternalResistance, kMaxInternalResistance);
    page.AddTextEdit({90, 40, 190, 60}, m_name, &m_name);
    page.AddUsageText({3, 5, 240, 330},
                      "数字电流表：用于测量直流电流。\n\n"
                      "面板上有量程选择旋钮和电源开关。量程分为2mA、20mA、200mA、20A四档，"
                      "单击量程选择旋钮，旁边会出现两个按钮，单击它们切换到小一档或大一档的量程。"
                      "按下电源开关，电流表开始测量；再按一次，电流表关闭。\n\n"
                      "电流表应串联在电路中，也可插在电流表插口板上使用。\n\n"
                      "电流表的内阻可在参数设置页中设置，范围为0.01－10Ω。");
}

// Plugged in, the ammeter sits on its plug board, which then draws the
// combined symbol; the ammeter's own symbol is blank.
std::optional<CSymbol> CDCAmmeter::Symbol() const {
    return ReadPlugBoard() ? SymbolWith("abstract\\hide.bmp") : CDevice::Symbol();
}

} // namespace ampera
