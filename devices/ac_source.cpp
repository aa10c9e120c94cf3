#include "ac_source.h"

namespace ampera {

const CDeviceKind CACSource::kKind{
    .typeCode = TYPE_AC_SOURCE,
    .category = CATEGORY_ELECTRICITY,
    .namePrefix = "交流电压源",
    .bodyPicture = "devpic\\acelectricity.tga",
    .body = geometry::kACSource,
    .propertyGroup = GROUP_PANEL,
    .bar = {BAR_SOURCES, 1, "交流电压源", "交流电压源.bmp"},
    .symbols = OneSymbol({"abstract\\ac-ele.bmp", -26, 88, -21, 50}),
};

CACSource::CACSource()
    : CKnobSource(kKind, 0.5f, "devpic\\panal\\交流电压源.tga", "当前有个交流电压源烧毁") {}

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

void CACSource::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 230, 340};
    page.AddUsageText({0, 3, 220, 330}, "交流电压源：输出交流电压0～20v，显示屏可显示电压调节值。\n\n"
                                        "电压粗调旋钮每档2V，电压微调旋钮每档0.2V，输出电压为两者之和。"
                                        "单击旋钮，旁边会出现两个按钮，单击它们使旋钮减小或增大一档。\n\n"
                                        "电源开关第一次按下打开电源，第二次按下关闭电源。\n\n"
                                        "使用时应避免电源短路，以免电源被烧毁。");
}

} // namespace ampera
