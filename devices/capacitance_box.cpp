#include "capacitance_box.h"

#include "document/keydoc.h"

#include "panel_layout.h"
#include "resistance_box.h"

#include <cmath>

namespace ampera {

const CDeviceKind CCapacitanceBox::kKind{
    .typeCode = TYPE_CAPACITANCE_BOX,
    .category = CATEGORY_CAPACITANCE,
    .namePrefix = "电容箱",
    .bodyPicture = "devpic\\capacitancebox.tga",
    .body = geometry::kCapacitanceBox,
    .propertyGroup = GROUP_PANEL,
    .bar = {BAR_BASIC, 4, "电容箱", "电容箱.bmp"},
    .labelRise = 25,
    .symbols = OneSymbol({"abstract\\cap-box.bmp", 24, -63, -22, -63}),
};
const char* const CCapacitanceBox::kBurntWarning = "当前电路有个电容箱被烧毁";

CCapacitanceBox::CCapacitanceBox() : CDevice(kKind) {
    using namespace layout::capacitance_box;
    m_panelGroup.itemsB.push_back(CDrawItem::Quad(0, 0, kPanel.width, kPanel.height, kPanelPicture));
    for (std::size_t i = 0; i < m_decades.size(); ++i)
        AddDecadeKnob(m_panelGroup, m_controls, m_decades[i], kDecades[i].hit, kDecades[i].needleTop,
                      layout::decade_box::kKnob.position);
    SealPanel();
}

void CCapacitanceBox::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // Each decade's current limit holds the heating (r.m.s. in a sine
    // circuit) current, the voltage rating the peak voltage. "Not within"
    // comparisons: an undetermined (NaN) value counts as exceeded.
    const double current = result->m_elec.HeatingMagnitude();
    for (std::size_t i = 0; i < m_decades.size(); ++i)
        if (m_decades[i].Position() != 0)
            WarnIfOverRating(context, current, kDecadeCurrentLimit[i], kBurntWarning);
    WarnIfOverRating(context, result->m_vol.Magnitude(), m_ratedVoltage, kBurntWarning);
}

double CCapacitanceBox::GetKnobValue() {
    const double total = 0.001 * m_decades[0].Position() + 0.01 * m_decades[1].Position() +
                         0.1 * m_decades[2].Position() + 1.0 * m_decades[3].Position();
    m_total = static_cast<float>(total);
    return total;
}

void CCapacitanceBox::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    static const char* const kKeys[4] = {":SHELVE_1", ":SHELVE_10", ":SHELVE_100", ":SHELVE_1000"};
    for (int i = 0; i < 4; ++i)
        Keep(doc, loading, prefix + kKeys[i], m_decades[i]);
    PersistPlaceAndIdentity(doc, loading, prefix);
    if (loading) GetKnobValue();
}

void CCapacitanceBox::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 220, 330};
    page.AddUsageText({3, 5, 210, 320}, "电容箱：由4个转换开关组成，分别是×0.0001、×0.001、×0.01、×0.1，"
                                        "能变换成0.0001μF～0.9999μF，最小步进值为0.0001μF的任何电容值。\n\n"
                                        "面板上的四个转换开关都是步进旋钮。单击某个旋钮，旁边会出现两个按钮，"
                                        "分别使该旋钮转到下一档和上一档。\n\n"
                                        "电容箱没有参数设置。");
}

std::string CCapacitanceBox::LabelValue() const {
    return LabelNumber(m_total) + "μF";
}

} // namespace ampera
