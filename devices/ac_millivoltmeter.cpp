#include "ac_millivoltmeter.h"

#include "panel_layout.h"

#include <cmath>

namespace ampera {

namespace {
constexpr double kMinVoltage = 1e-7;

const CMeterPanel kPanel{"devpic\\panal\\交流毫伏表.tga", layout::ac_meter::kPanel.width,
                         layout::ac_meter::kPanel.height, layout::ac_meter::kMillivoltmeterKnobRect,
                         layout::ac_meter::kPowerRect};
const CDisplayWindow kWindow{layout::ac_meter::kDisplay.fromRight, layout::ac_meter::kDisplay.fromTop,
                             layout::ac_meter::kDisplay.panelRight, layout::ac_meter::kDisplay.panelTop};
} // namespace

const CDeviceKind CACMillivoltmeter::kKind{
    .typeCode = TYPE_AC_MILLIVOLTMETER,
    .category = CATEGORY_METER,
    .namePrefix = "交流毫伏表",
    .bodyPicture = "devpic\\ACmVoltagemeter.tga",
    .body = geometry::kMillivoltmeter,
    .propertyGroup = GROUP_PANEL,
    .bar = {BAR_METERS, 2, "交流毫伏表", "交流毫伏表.bmp"},
    .symbols = OneSymbol({"abstract\\mv-meter.bmp", 2, 15, -62, 71}),
};

CACMillivoltmeter::CACMillivoltmeter()
    : CDigitalMeter(kKind, CKnob::Of(layout::ac_meter::kRange), kPanel, kWindow) {
    m_internalResistance = 999999;
}

void CACMillivoltmeter::Update(const CUpdateContext& context) {
    Blank();
    if (!IsPowered() || m_branches.empty()) return;
    const CBranch& element = *m_branches.front();
    const double rms = element.m_result.m_vol.Rms();
    const CReading reading = FormatMillivoltmeter(static_cast<float>(rms), Range());
    if (std::fabs(rms) > kMinVoltage) {
        if (reading.status == FORMAT_OVER)
            context.Warn("当前电路有个交流毫伏表的测量值超过当前档位量程");
        else if (reading.status == FORMAT_ZERO)
            context.Warn("当前电路有个交流毫伏表所选量程太大，无法测量准确");
    }
    // Outside a sine circuit the meter shows only a zero reading; a DC voltage
    // belongs on the DC voltmeter. The DC value itself decides: the r.m.s.
    // figure of a DC circuit is always 0, so its text alone would pass any
    // DC voltage off as a zero reading.
    if (element.m_solverMark != kSineSolved) {
        const double dc = element.m_result.m_vol.Steady();
        if (FormatMillivoltmeter(static_cast<float>(dc), Range()).status != FORMAT_ZERO) {
            context.Warn("请使用直流电压表测量直流电压");
            return;
        }
    }
    Show(reading.text);
}

void CACMillivoltmeter::FillPropertyPage(CPropertyPage& page) {
    page.window = {-2, 0, 342, 257};
    page.AddUsageText({3, 5, 240, 330},
                      "交流毫伏表：用于测量交流电压。\n\n"
                      "面板上有量程选择旋钮和电源开关，量程分为40mV、400mV、4V、40V、400V五档。"
                      "单击量程选择旋钮，旁边会出现两个按钮，单击它们切换量程。"
                      "按下电源开关开始测量，再按一次关闭。\n\n"
                      "交流毫伏表没有参数设置。");
}

} // namespace ampera
