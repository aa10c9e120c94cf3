#include "galvanometer.h"

#include "panel_layout.h"

#include <cmath>

namespace ampera {

namespace {
constexpr double kMinCurrent = 1e-7;

const CMeterPanel kPanel{"devpic\\panal\\检流计.tga", layout::ac_meter::kPanel.width,
                         layout::ac_meter::kPanel.height, layout::ac_meter::kGalvanometerKnobRect,
                         layout::ac_meter::kPowerRect};
const CDisplayWindow kWindow{layout::ac_meter::kDisplay.fromRight, layout::ac_meter::kDisplay.fromTop,
                             layout::ac_meter::kDisplay.panelRight, layout::ac_meter::kDisplay.panelTop};
} // namespace

const CDeviceKind CGalvanometer::kKind{
    .typeCode = TYPE_GALVANOMETER,
    .category = CATEGORY_METER,
    .namePrefix = "数字检流计",
    .bodyPicture = "devpic\\DigitalGalvanometer.tga",
    .body = geometry::kGalvanometer,
    .propertyGroup = GROUP_PANEL,
    .bar = {BAR_METERS, 3, "检流计", "检流计.bmp"},
    .symbols = OneSymbol({"abstract\\G.bmp", 2, 15, -62, 71}),
};

CGalvanometer::CGalvanometer() : CDigitalMeter(kKind, CKnob::Of(layout::ac_meter::kRange), kPanel, kWindow) {
    m_internalResistance = 0.01f;
}

void CGalvanometer::Update(const CUpdateContext& context) {
    Blank();
    if (!IsPowered() || m_branches.empty()) return;
    // A galvanometer only looks for a current; it has no AC check.
    const double amperes = m_branches.front()->m_result.m_elec.Steady();
    const CReading reading = FormatGalvanometer(static_cast<float>(amperes), Range());
    if (std::fabs(amperes) >= kMinCurrent) {
        if (reading.status == FORMAT_OVER)
            context.Warn("当前电路有个检流计的测量值超过当前档位量程");
        else if (reading.status == FORMAT_ZERO)
            context.Warn("当前电路有个检流计所选量程太大，无法测量准确");
    }
    Show(reading.text);
}

void CGalvanometer::FillPropertyPage(CPropertyPage& page) {
    page.window = {-2, 0, 342, 257};
    page.AddUsageText({3, 5, 240, 330}, "数字检流计：用于测量直流弱电流。\n\n"
                                        "面板上有量程选择旋钮和电源开关，量程从20μA到200mA。"
                                        "单击量程选择旋钮，旁边会出现两个按钮，单击它们切换量程。"
                                        "按下电源开关开始测量，再按一次关闭。\n\n"
                                        "数字检流计没有参数设置。");
}

} // namespace ampera
