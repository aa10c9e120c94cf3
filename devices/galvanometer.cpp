#include "galvanometer.h"

#include <cmath>

namespace ampera {

namespace {
constexpr double kMinCurrent = 1e-7;

const CMeterPanel kPanel{"devpic\\panal\\检流计.tga", 332, 127, {233, 0, 313, 70}, {255, 100, 315, 125}};
const CDisplayWindow kWindow{50, 14, 277, 20};
} // namespace

const CDeviceKind CGalvanometer::kKind{
    TYPE_GALVANOMETER,    CATEGORY_METER, 172, 80, "数字检流计", "devpic\\DigitalGalvanometer.tga",
    {{30, 86}, {84, 86}}, false};

CGalvanometer::CGalvanometer()
    : CDigitalMeter(kKind, CKnob::Limited(0, 4, 2, 2, 72, -144, 144), kPanel, kWindow) {
    m_internalResistance = 0.01f;
}

void CGalvanometer::Update(const CUpdateContext& context) {
    Blank();
    if (!IsPowered() || m_branches.empty()) return;
    // A galvanometer only looks for a current; it has no AC check.
    const double amperes = m_branches.front()->m_result.m_elec.para_array[0];
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
