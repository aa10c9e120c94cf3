#include "dc_voltmeter.h"

#include "panel_layout.h"

#include <cmath>

namespace ampera {

namespace {
// What the parameter page accepts for the internal resistance (ohms); a
// file's value outside it is not taken.
constexpr float kMinInternalResistance = 50000.0f, kMaxInternalResistance = 9999999.0f;
// Below this voltage the meter sees nothing worth a range warning.
constexpr double kMinVoltage = 0.0001;

const CMeterPanel kPanel{"devpic\\panal\\直流电压表.tga", layout::dc_meter::kPanel.width,
                         layout::dc_meter::kPanel.height, layout::dc_meter::kKnobRect,
                         layout::dc_meter::kPowerRect};
const CDisplayWindow kWindow{layout::dc_meter::kDisplay.fromRight, layout::dc_meter::kDisplay.fromTop,
                             layout::dc_meter::kDisplay.panelRight, layout::dc_meter::kDisplay.panelTop};
} // namespace

const CDeviceKind CDCVoltmeter::kKind{
    .typeCode = TYPE_DC_VOLTMETER,
    .category = CATEGORY_METER,
    .namePrefix = "数字电压表",
    .bodyPicture = "devpic\\digitaloltagemeter.tga",
    .body = geometry::kDCVoltmeter,
    .propertyGroup = GROUP_PLAIN,
    .bar = {BAR_METERS, 1, "直流电压表", "直流电压表.bmp"},
    .symbols = OneSymbol({"abstract\\multimeter_v.bmp", 5, 73, -8, 68}),
};

CDCVoltmeter::CDCVoltmeter()
    : CDigitalMeter(kKind, CKnob::Of(layout::dc_meter::kVoltRange), kPanel, kWindow) {
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
    const double volts = element.m_result.m_vol.Steady();
    const CReading reading = FormatMultimeter(static_cast<float>(volts), Range());
    if (std::fabs(volts) > kMinVoltage) {
        if (reading.status == FORMAT_OVER)
            context.Warn("当前电路有个数字电压表的测量值超过当前档位量程");
        else if (reading.status == FORMAT_ZERO)
            context.Warn("当前电路有个数字电压表所选量程太大，无法测量准确");
    }
    Show(reading.text);
}

void CDCVoltmeter::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    CDigitalMeter::Persist(doc, loading, prefix);
    KeepSetting(doc, loading, prefix + ":INRESISTANCE", m_internalResistance, kMinInternalResistance,
                kMaxInternalResistance);
}

void CDCVoltmeter::FillPropertyPage(CPropertyPage& page) {
    page.window = {-3, 0, 250, 310};
    page.AddText({30, 50, 270, 80}, "名称 ");
    page.AddText({30, 90, 120, 120}, "内阻");
    page.AddText({30, 125, 280, 160}, "内阻范围：50KΩ - +∞");
    page.AddText({190, 90, 230, 120}, "Ω");
    page.AddSingleEdit({90, 90, 190, 110}, std::to_string(m_internalResistance), &m_internalResistance,
                       kMinInternalResistance, kMaxInternalResistance);
    page.AddTextEdit({90, 50, 190, 70}, m_name, &m_name);
    page.AddUsageText({3, 5, 240, 370},
                      "数字电压表：用于测量直流电压。\n\n"
                      "面板上有量程选择旋钮和电源开关。量程分为200mV、2V、20V、200V、1000V五档，"
                      "单击量程选择旋钮，旁边会出现两个按钮，单击它们切换到小一档或大一档的量程。"
                      "按下电源开关，电压表开始测量；再按一次，电压表关闭。\n\n"
                      "测量时应选择合适的量程：读数超过量程或量程过大时都会出现提示。\n\n"
                      "电压表的内阻可在参数设置页中设置，不小于50KΩ。");
}

} // namespace ampera
