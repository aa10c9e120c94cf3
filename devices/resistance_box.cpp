#include "resistance_box.h"

#include "document/keydoc.h"

#include "panel_layout.h"
#include "panel_sheet.h"

namespace ampera {

const CDeviceKind CResistanceBox::kKind{
    .typeCode = TYPE_RESISTANCE_BOX,
    .category = CATEGORY_RESISTANCE,
    .namePrefix = "变阻箱",
    .bodyPicture = "devpic\\resbox.tga",
    .body = geometry::kResistanceBox,
    .propertyGroup = GROUP_PANEL,
    .selectionHint = kPanelHint,
    .bar = {BAR_BASIC, 1, "电阻箱", "电阻箱.bmp"},
    .labelRise = 25,
    .symbols = TurnedSymbols(
        {"abstract\\resbox.bmp", 49, -29, -49, -80}, {"abstract\\resbox90.bmp", -52, 50, -82, -50},
        {"abstract\\resbox270.bmp", 86, 50, 40, -50}, {"abstract\\resbox.bmp", 25, 88, -25, 40}),
};

void AddDecadeKnob(CSpriteGroup& panel, std::vector<CPanelControl*>& controls, CKnob& knob, CPanelRect hit,
                   float needleTop, int position) {
    using namespace layout::decade_box;
    CKnobTravel travel = kKnob;
    travel.position = position;
    knob = CKnob::Of(travel);
    if (!controls.empty()) {
        // A zero-sized quad: nothing shows even in the one frame a renderer
        // draws hidden items after its generation changed.
        CDrawItem placeholder = CDrawItem::Quad(hit.left, hit.top, hit.left, hit.top, sheet::kPicture);
        placeholder.SetHidden(true);
        panel.itemsB.push_back(placeholder);
    }
    const float left = hit.left + kNeedleLeft;
    CDrawItem needle =
        CDrawItem::Quad(left, needleTop, left + kNeedleWidth, needleTop + kNeedleHeight, sheet::kPicture);
    needle.SetUV(sheet::kNeedle.left, sheet::kNeedle.top, sheet::kNeedle.right, sheet::kNeedle.bottom);
    knob.m_hitRect = hit;
    knob.m_itemIndex = static_cast<int>(panel.itemsB.size());
    panel.itemsB.push_back(needle);
    controls.push_back(&knob);
    knob.ApplyLook(panel);
}

CResistanceBox::CResistanceBox() : CDevice(kKind) {
    using namespace layout::resistance_box;
    m_panelGroup.itemsB.push_back(CDrawItem::Quad(0, 0, kPanel.width, kPanel.height, kPanelPicture));
    for (std::size_t i = 0; i < m_decades.size(); ++i)
        AddDecadeKnob(m_panelGroup, m_controls, m_decades[i], kDecades[i].hit, kDecades[i].needleTop,
                      layout::decade_box::kKnob.position);
    SealPanel();
}

double CResistanceBox::GetKnobValue() const {
    double total = 0, weight = 1;
    for (const CKnob& k : m_decades) {
        total += weight * k.Position();
        weight *= 10;
    }
    return total;
}

void CResistanceBox::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    static const char* const kKeys[6] = {":SHELVE_1",    ":SHELVE_10",    ":SHELVE_100",
                                         ":SHELVE_1000", ":SHELVE_10000", ":SHELVE_100000"};
    for (int i = 0; i < 6; ++i)
        Keep(doc, loading, prefix + kKeys[i], m_decades[i]);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

void CResistanceBox::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 320, 330};
    page.AddUsageText({20, 5, 300, 240},
                      "电阻箱：电阻值可变的电阻量具，其阻值可在已知范围内按一定的阶梯改变。\n\n"
                      "面板上有×1、×10、×100、×1000、×10000、×100000六个转换开关，每个开关有0～9共十档，"
                      "组合起来可得到1Ω～999999Ω、最小步进为1Ω的任何电阻值。\n\n"
                      "单击某个旋钮，旁边会出现两个按钮，单击它们使该旋钮转到下一档或上一档。\n\n"
                      "电阻箱的名称可以设置。使用时通过电阻箱的电流不能超过其允许的最大电流。");
}

std::string CResistanceBox::LabelValue() const {
    return LabelNumber(GetKnobValue()) + "Ω";
}

} // namespace ampera
