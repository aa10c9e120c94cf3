#include "inductance.h"

#include "document/keydoc.h"

#include <cmath>

namespace ampera {

const CDeviceKind CInductance::kKind{
    .typeCode = TYPE_INDUCTANCE,
    .category = CATEGORY_INDUCTANCE,
    .namePrefix = "L",
    .bodyPicture = "devpic\\inductance.tga",
    .body = geometry::kInductor,
    .propertyGroup = GROUP_PASSIVE,
    .bar = {BAR_BASIC, 5, "电感", "电感.bmp"},
    .labelRise = 30,
    .symbols =
        TurnedSymbols({"abstract\\ind.bmp", 11, -30, -18, -20}, {"abstract\\ind90.bmp", -52, 20, -50, -11},
                      {"abstract\\ind90.bmp", 26, 13, 25, -19}, {"abstract\\ind.bmp", 11, 54, 11, 43}),
};
const char* const CInductance::kBurntWarning = "当前电路有个电感被烧毁";

void CInductance::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // The winding heats with the r.m.s. current in a sine circuit. An
    // undetermined (NaN) current counts as over the rating.
    WarnIfOverRating(context, result->m_elec.HeatingMagnitude(), m_ratedCurrent, kBurntWarning);
}

void CInductance::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CInductance*>(&prototype)) m_ratedCurrent = p->m_ratedCurrent;
}

void CInductance::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":RESVALUE", m_inductance);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

void CInductance::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 250, 300};
    page.AddText({20, 60, 270, 80}, "名称");
    page.AddText({20, 90, 70, 120}, "电感值");
    page.AddText({175, 90, 240, 120}, "H");
    page.AddText({20, 120, 270, 140}, "填写范围：0.001-999");
    page.AddSingleEdit({90, 85, 170, 110}, std::to_string(m_inductance), &m_inductance, 0.001f, 999);
    page.AddTextEdit({90, 55, 170, 80}, m_name, &m_name);
    page.AddUsageText({20, 10, 225, 200},
                      "电感：又称电感线圈，由绕在支架或磁性材料上的导线组成，是一种储能器件，主要参数是电感。"
                      "电感的单位为亨利（H）。\n\n"
                      "使用时流过电感的电流不能超过它的额定工作电流，否则电感会被烧毁。\n\n"
                      "可利用参数设置页改变电感的名称和电感值。");
}

std::string CInductance::LabelValue() const {
    return LabelNumber(m_inductance) + "H";
}

} // namespace ampera
