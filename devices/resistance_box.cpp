#include "resistance_box.h"

#include "document/keydoc.h"

#include "panel_sheet.h"

namespace ampera {

const CDeviceKind CResistanceBox::kKind{TYPE_RESISTANCE_BOX,  CATEGORY_RESISTANCE,  152, 109, "变阻箱",
                                        "devpic\\resbox.tga", {{52, -6}, {99, -6}}, true};

namespace {
constexpr float kNeedleLeft = 36, kNeedleWidth = 9, kNeedleHeight = 58;
} // namespace

void AddDecadeKnob(CSpriteGroup& panel, std::vector<CPanelControl*>& controls, CKnob& knob, CPanelRect hit,
                   float needleTop, int position) {
    knob = CKnob::FullCircle(10, position, true);
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
    m_panelGroup.itemsB.push_back(CDrawItem::Quad(0, 0, 306, 200, kPanelPicture));
    static constexpr CPanelRect kHits[6] = {{0, 0, 80, 80},    {100, 0, 180, 80},    {200, 0, 280, 80},
                                            {0, 105, 80, 195}, {100, 105, 180, 195}, {200, 105, 280, 195}};
    for (std::size_t i = 0; i < m_decades.size(); ++i)
        AddDecadeKnob(m_panelGroup, m_controls, m_decades[i], kHits[i], i < 3 ? 28.0f : 129.0f, 9);
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
    static const char* const kKeys[6] = {":SHELVE_1", ":SHELVE_10", ":SHELVE_100", ":SHELVE_1000", ":SHELVE_10000",
                                         ":SHELVE_100000"};
    for (int i = 0; i < 6; ++i) Keep(doc, loading, prefix + kKeys[i], m_decades[i]);
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

} // namespace ampera
