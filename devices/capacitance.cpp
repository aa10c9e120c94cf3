#include "capacitance.h"

#include "document/keydoc.h"

#include <cmath>

namespace ampera {

const CDeviceKind CCapacitance::kKind{
    .typeCode = TYPE_CAPACITANCE,
    .category = CATEGORY_CAPACITANCE,
    .namePrefix = "C",
    .bodyPicture = "devpic\\capacitance.tga",
    .body = geometry::kCapacitor,
    .propertyGroup = GROUP_PASSIVE,
    .bar = {BAR_BASIC, 3, "电容", "电容.bmp"},
    .symbols = TurnedSymbols({"abstract\\cap.bmp", 2, 10, -2, 23}, {"abstract\\cap270.bmp", 20, 4, 15, -3},
                             {"abstract\\cap90.bmp", -20, 4, 0, -5}, {"abstract\\cap.bmp", 0, -43, 0, -43}),
};
const char* const CCapacitance::kBurntWarning = "当前电路有个电容被烧毁";

void CCapacitance::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // The dielectric breaks down at the highest voltage: the peak in a sine
    // circuit. "Not within the rating": a voltage the solver could not
    // determine (NaN) is treated as a burn-out rather than as safe.
    WarnIfOverRating(context, result->m_vol.Magnitude(), m_ratedVoltage, kBurntWarning);
}

void CCapacitance::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CCapacitance*>(&prototype)) m_ratedVoltage = p->m_ratedVoltage;
}

void CCapacitance::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":RESVALUE", m_capacitance);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

void CCapacitance::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 250, 300};
    page.AddText({20, 60, 270, 80}, "名称");
    page.AddText({20, 90, 70, 120}, "电容值");
    page.AddText({175, 90, 240, 120}, "μF");
    page.AddText({20, 120, 270, 140}, "填写范围：0.00001-9999");
    page.AddSingleEdit({90, 85, 170, 110}, std::to_string(m_capacitance), &m_capacitance, 0.00001f, 9999);
    page.AddTextEdit({90, 55, 170, 80}, m_name, &m_name);
    page.AddUsageText({10, 10, 225, 210},
                      "电容：电子电路中常用的器件，由两个导电极板，中间夹一层绝缘介质构成。"
                      "两极板间加上电压时，极板上就会储存电荷，所以电容是一种储能器件。\n\n"
                      "电容的主要参数是电容量，单位为法拉（F），常用微法（μF）。"
                      "使用时加在电容两端的电压不能超过它的额定工作电压，否则电容会被击穿烧毁。\n\n"
                      "可利用参数设置页改变电容的名称和电容值。");
}

std::string CCapacitance::LabelValue() const {
    return LabelNumber(m_capacitance) + "μF";
}

} // namespace ampera
