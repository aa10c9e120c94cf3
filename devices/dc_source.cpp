#include "dc_source.h"

#include "document/keydoc.h"

#include "panel_sheet.h"

#include <cmath>
#include <cstdio>

namespace ampera {

CKnobSource::CKnobSource(const CDeviceKind& kind, float internalResistance, const char* panelPicture,
                         const char* burnOutWarning)
    : CDevice(kind), m_coarse(CKnob::Of(layout::knob_source::kCoarse)),
      m_fine(CKnob::Of(layout::knob_source::kFine)), m_burnOutWarning(burnOutWarning) {
    m_internalResistance = internalResistance;

    // Items: 0 panel, 1 coarse needle, 2 fine face, 3 fine needle, 4 power button.
    auto& items = m_panelGroup.itemsB;
    items.push_back(CDrawItem::Quad(0, 0, layout::knob_source::kPanel.width,
                                    layout::knob_source::kPanel.height, panelPicture));
    items.push_back(SheetNeedle(kCoarseRect));
    items.push_back(PanelPicture(kFineRect, "pic_syl\\electricity_fine.bmp"));
    CDrawItem fineNeedle = PanelPicture(kFineRect, "pointer.bmp");
    fineNeedle.flags |= DRAW_ROTATE;
    items.push_back(fineNeedle);
    items.push_back(PanelPicture(kPowerRect, sheet::kPicture));

    m_coarse.m_label = "电压粗调";
    m_fine.m_label = "电压微调";
    m_power.m_label = "开关";
    m_coarse.m_hitRect = kCoarseRect;
    m_coarse.m_itemIndex = 1;
    m_fine.m_hitRect = kFineRect;
    m_fine.m_itemIndex = 3;
    m_power.m_hitRect = kPowerRect;
    m_power.m_itemIndex = 4;
    m_power.m_onLook = {sheet::kPicture, sheet::kPowerOn};
    m_power.m_offLook = {sheet::kPicture, sheet::kPowerOff};
    m_controls = {&m_coarse, &m_fine, &m_power};
    for (CPanelControl* control : m_controls)
        control->ApplyLook(m_panelGroup);
    SealPanel();
}

double CKnobSource::GetKnobValue() {
    const double v = 2.0 * m_coarse.Position() + 0.2 * m_fine.Position();
    m_setValue = static_cast<float>(v);
    return v;
}

void CKnobSource::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    m_displayText.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;

    // The delivered current's magnitude: a sine source is judged by its r.m.s.
    // (what heats it), every other by its steady value. "Not within": a NaN
    // current counts as a burn-out.
    WarnIfOverRating(context, result->m_elec.HeatingMagnitude(), m_ratedCurrent, m_burnOutWarning);

    const float shown = m_shown.Next(static_cast<float>(GetKnobValue()), context.time, 0.1f);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(shown));
    m_displayText = text;

    const float right = m_region[2], top = m_region[1];
    AppendGlyphs(m_boardGroup.itemsA, m_displayText, right - 11.5f, top + 11.5f);
    // The panel's display window has its top-right corner at (175, 5).
    AppendShifted(m_boardGroup.itemsA, m_panelGroup.itemsA, 175 - right, 5 - top);
}

const CDeviceKind CDCSource::kKind{
    .typeCode = TYPE_DC_SOURCE,
    .category = CATEGORY_ELECTRICITY,
    .namePrefix = "直流电源",
    .bodyPicture = "devpic\\eletri.tga",
    .body = geometry::kDCSource,
    .propertyGroup = GROUP_PLAIN,
    .selectionHint = kPanelHint,
    .bar = {BAR_SOURCES, 0, "直流电压源", "直流电压源.bmp"},
    .symbols = OneSymbol({"abstract\\ele.bmp", -25, 74, -23, 64}),
};

CDCSource::CDCSource() : CKnobSource(kKind, 0.01f, "devpic\\panal\\eletri.tga", "当前有个电源被烧毁") {}

void CDCSource::CopyRating(const CDevice& prototype) {
    if (const auto* source = dynamic_cast<const CDCSource*>(&prototype))
        m_ratedCurrent = source->m_ratedCurrent;
}

void CDCSource::BuildBranches(CTopologyBuilder& b) {
    if (!IsPowered()) return;
    CCircuitNode* inside = b.InternalNode();
    b.Between(b.Terminal(0), inside, BRANCH_VOLTAGE_SOURCE, GetKnobValue());
    b.Between(b.Terminal(1), inside, BRANCH_RESISTOR, m_internalResistance);
}

void CKnobSource::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    // The set value follows from the knobs; an old file's value is accepted.
    if (loading) Keep(doc, true, prefix + ":ELEVALUE", m_setValue);
    Keep(doc, loading, prefix + ":INRESISTANCE", m_internalResistance);
    Keep(doc, loading, prefix + ":SHELVE_MAIN", m_coarse);
    Keep(doc, loading, prefix + ":SHELVE_FINE", m_fine);
    Keep(doc, loading, prefix + ":BUTTON_POWER", m_power);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

void CDCSource::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 230, 340};
    page.AddText({30, 60, 270, 80}, "名称 ");
    page.AddText({30, 90, 120, 120}, "内阻");
    page.AddText({30, 125, 280, 160}, "内阻范围：0.01－10Ω");
    page.AddText({170, 95, 200, 110}, "Ω");
    page.AddTextEdit({90, 60, 170, 80}, m_name, &m_name);
    page.AddSingleEdit({90, 90, 170, 110}, std::to_string(m_internalResistance), &m_internalResistance, 0.01f,
                       10);
    page.AddUsageText({3, 5, 215, 340},
                      "直流稳压电源：输出电压0～20v.\n\n"
                      "面板上有两个步进旋钮：电压粗调旋钮共10档，每档2V；电压微调旋钮共10档，每档0.2V。"
                      "输出电压为两者之和，显示屏显示电压调节值。"
                      "单击旋钮，旁边会出现两个按钮，单击它们使旋钮减小或增大一档。\n\n"
                      "按下电源开关，电源开始输出；再按一次，电源关闭。\n\n"
                      "使用时应避免电源短路，以免电源被烧毁。\n\n"
                      "可利用参数设置页改变电源的内阻。");
}

} // namespace ampera
