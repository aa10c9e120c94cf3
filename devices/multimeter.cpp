#include "multimeter.h"

#include "panel_layout.h"
#include "panel_sheet.h"

#include <cmath>

namespace ampera {

namespace {
constexpr const char* kUnsupported = "目前该挡值暂时不支持";
constexpr const char* kUseDC = "请使用直流档";
constexpr const char* kUseAC = "请使用交流档";
constexpr const char* kOverRange = "当前电路有个万用表的测量值超过当前档位量程";
constexpr const char* kRangeTooLarge = "当前电路有个万用表所选量程太大，无法测量准确";

// Below this current the meter is taken to measure nothing: no range
// warnings, and the ohmmeter shows zero instead of dividing by noise.
constexpr double kMinCurrent = 1e-7;

// The LCD window under the digits on the panel, cut from the shared sheet.
constexpr CPanelRect kDisplayGlass{0.6875f, 0.125f, 1.0f, 0.25f};

const CMeterPanel kPanel{"devpic\\panal\\multi.tga", layout::multimeter::kPanel.width,
                         layout::multimeter::kPanel.height, layout::multimeter::kKnobRect,
                         layout::multimeter::kPowerRect};
const CDisplayWindow kWindow{layout::multimeter::kDisplay.fromRight, layout::multimeter::kDisplay.fromTop,
                             layout::multimeter::kDisplay.panelRight, layout::multimeter::kDisplay.panelTop};
} // namespace

const CDeviceKind CMultimeter::kKind{
    .typeCode = TYPE_MULTIMETER,
    .category = CATEGORY_METER,
    .namePrefix = "万用表",
    .bodyPicture = "devpic\\multimeter.tga",
    .body = geometry::kMultimeter,
    .propertyGroup = GROUP_PANEL,
    .selectionHint = kPanelHint,
    .bar = {BAR_METERS, 4, "万用表", "万用表.bmp"},
    .symbols = OneSymbol({"abstract\\multimeter.bmp", 6, 82, -10, 77}),
};

CMultimeter::CMultimeter() : CDigitalMeter(kKind, CKnob::Of(layout::multimeter::kRange), kPanel, kWindow) {
    constexpr CPanelRect kGlass = layout::multimeter::kGlassRect; // 3 display window
    CDrawItem glass = CDrawItem::Quad(kGlass.left, kGlass.top, kGlass.right, kGlass.bottom, sheet::kPicture);
    glass.SetUV(kDisplayGlass.left, kDisplayGlass.top, kDisplayGlass.right, kDisplayGlass.bottom);
    m_panelGroup.itemsB.push_back(glass);
    SealPanel();
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

float CMultimeter::Jittered(CHeldReading& held, const CMeterRange& range, float value, long long now) {
    constexpr int kNoMove = 9; // a draw that leaves the reading where it is
    const float exact = JitterMove(range, value, kNoMove);
    if (exact != held.last) {
        // A new reading shows exactly at once and then holds.
        held.last = held.shown = exact;
        m_lastChange = now;
    } else if (now - m_lastChange >= kJitterHoldMs) {
        held.shown = JitterMove(range, value, JitterDraw());
        m_lastChange = now;
    }
    return held.shown;
}

void CMultimeter::Update(const CUpdateContext& context) {
    m_internalResistance = static_cast<float>(GetValue());
    Blank();
    if (!IsPowered() || m_branches.empty()) return;
    const CBranch& element = *m_branches.front();
    const CBranchResult& e = element.m_result;
    const double current = e.m_elec.Steady(), voltage = e.m_vol.Steady();
    // The sine solver publishes peak values; the display reads r.m.s.
    const double currentRms = e.m_elec.Rms(), voltageRms = e.m_vol.Rms();
    const bool ac = element.m_solverMark == kSineSolved;
    const int p = Range();
    const CMeterRange* range = MultimeterRange(p);
    if (!range) {
        Warn(context, kUnsupported);
        return;
    }
    if (p != m_heldRange) {
        // Held values of another range mean nothing here.
        m_heldCurrent = m_heldVoltage = m_heldAC = CHeldReading{};
        m_heldCurrent.last = m_heldVoltage.last = m_heldAC.last = NAN;
        m_heldRange = p;
    }

    double value = 0;
    CHeldReading* held = nullptr;
    if (p <= 8) { // DC volts 0-4, DC amperes 5-8
        if (ac) {
            Warn(context, kUseDC);
            return;
        }
        value = p <= 4 ? voltage : current;
        held = p <= 4 ? &m_heldVoltage : &m_heldCurrent;
    } else if (p <= 13) { // AC volts
        if (!ac && voltage != 0) {
            Warn(context, kUseAC);
            return;
        }
        value = voltageRms;
        held = &m_heldAC;
    } else if (p <= 23) { // AC amperes
        if (!ac && current != 0) {
            Warn(context, kUseAC);
            return;
        }
        value = currentRms;
        held = &m_heldAC;
    } else { // ohms, from the test source's own voltage and current
        const double u = ac ? voltageRms : voltage, j = ac ? currentRms : current;
        if (std::fabs(j) >= kMinCurrent) {
            value = std::fabs(u / j);
            m_lastResistance = static_cast<float>(value);
        }
    }

    const CReading reading = FormatMultimeter(static_cast<float>(value), p);
    if (std::fabs(current) >= kMinCurrent || std::fabs(currentRms) >= kMinCurrent) {
        if (reading.status == FORMAT_OVER)
            Warn(context, kOverRange);
        else if (reading.status == FORMAT_ZERO)
            Warn(context, kRangeTooLarge);
    }
    std::string text = reading.text;
    if (held && reading.status == FORMAT_NORMAL && InJitterBand(*range, static_cast<float>(value)))
        text = FormatMultimeter(Jittered(*held, *range, static_cast<float>(value), context.time), p).text;
    Show(text);
}

void CMultimeter::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 260, 440};
    page.AddUsageText({0, 3, 230, 420},
                      "数字万用表：仿真数字万用表主要用来完成直流电压和直流电流的测量显示。\n\n"
                      "直流电压共五档：\n"
                      "  200mV，分辨率0.1mV；\n"
                      "  2V，分辨率0.001V；\n"
                      "  20V，分辨率0.01V；\n"
                      "  200V，分辨率0.1V；\n"
                      "  1000V，分辨率1V。\n"
                      "直流电流共四档：\n"
                      "  2mA，分辨率0.001mA；\n"
                      "  20mA，分辨率0.01mA；\n"
                      "  200mA，分辨率0.1mA；\n"
                      "  20A，分辨率0.01A。\n\n"
                      "按下电源开关，万用表开始工作；再按一次，万用表关闭。"
                      "单击量程选择旋钮，旁边会出现两个步进按钮，单击它们使旋钮逐档转动，选择所需的档位。");
}

// The symbol names what the range knob measures: volts, amperes, ohms.
std::optional<CSymbol> CMultimeter::Symbol() const {
    const int position = Range();
    if (position >= 0 && position <= 4) return SymbolWith("abstract\\multimeter_v.bmp");
    if (position >= 5 && position <= 8) return SymbolWith("abstract\\multimeter_a.bmp");
    if (position >= 25 && position <= 31) return SymbolWith("abstract\\multimeter_r.bmp");
    return CDevice::Symbol();
}

} // namespace ampera
