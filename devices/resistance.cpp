#include "resistance.h"

#include "document/keydoc.h"

#include <cstdio>
#include <string>

namespace ampera {

const CDeviceKind CResistance::kKind{
    .typeCode = TYPE_RESISTANCE,
    .category = CATEGORY_RESISTANCE,
    .namePrefix = "R",
    .bodyPicture = "devpic\\comres.tga",
    .body = geometry::kResistor,
    .propertyGroup = GROUP_PASSIVE,
    .bar = {BAR_BASIC, 0, "电阻", "电阻.bmp"},
    .symbols = TurnedSymbols({"abstract\\res.bmp", -6, 1, 6, 21}, {"abstract\\res90.bmp", 0, -6, 20, 6},
                             {"abstract\\res90.bmp", 0, -6, 20, 6}, {"abstract\\res.bmp", -6, 1, 6, 21}),
};
const char* const CResistance::kBurntWarning = "当前有个电阻被烧毁";

// The resistor has no front panel: it is edited on its parameter page only,
// so its panel group stays empty and its panel counts stay 0 / 0.

void CResistance::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // The average power: the r.m.s. current in a sine circuit. Only a power
    // above the rating burns the resistor; a NaN power passes.
    const double i = result->m_elec.HeatingMagnitude();
    WarnIfOverRating(context, i * i * m_resistance, m_ratedPower, kBurntWarning, RATING_EXCEEDED);
}

void CResistance::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CResistance*>(&prototype)) m_ratedPower = p->m_ratedPower;
}

namespace {
// What the parameter page accepts for the rated power (watts); a file's
// value outside it is not taken.
constexpr float kMinRatedPower = 0.1f, kMaxRatedPower = 1000.0f;
} // namespace

void CResistance::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    if (loading) Keep(doc, true, prefix + ":RESVALUE", m_resistance);
    PersistPlaceAndIdentity(doc, loading, prefix);
    if (!loading) Keep(doc, false, prefix + ":RESVALUE", m_resistance);
    KeepSetting(doc, loading, prefix + ":RATEDPOWER", m_ratedPower, kMinRatedPower, kMaxRatedPower);
}

namespace {
// The spin control's start: the resistance cut to a whole number of ohms,
// kept inside the spin range (a value read from a file may lie outside it).
int SpinPosition(float ohms) {
    if (!(ohms >= CPropertyPage::kSpinMin)) return CPropertyPage::kSpinMin;
    if (ohms >= static_cast<float>(CPropertyPage::kSpinMax)) return CPropertyPage::kSpinMax;
    return static_cast<int>(ohms);
}
} // namespace

void CResistance::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 250, 300};
    page.AddText({20, 20, 270, 40}, "名称");
    page.AddText({20, 55, 70, 85}, "电阻值");
    page.AddText({175, 55, 220, 85}, "Ω");
    page.AddText({20, 90, 270, 110}, "填写范围：1-999999");
    page.AddText({20, 120, 80, 140}, "额定功率");
    page.AddText({175, 120, 220, 140}, "W");
    char resistance[352];
    std::snprintf(resistance, sizeof resistance, "%-6.0f", static_cast<double>(m_resistance));
    page.AddSingleEdit({90, 55, 150, 75}, resistance, &m_resistance, 1, 999999);
    page.AddTextEdit({90, 20, 170, 40}, m_name, &m_name);
    page.AddSingleEdit({90, 120, 170, 140}, std::to_string(m_ratedPower), &m_ratedPower, kMinRatedPower,
                       kMaxRatedPower);
    page.AddSpin(0, SpinPosition(m_resistance), {150, 55, 170, 75});
    page.AddUsageText({20, 40, 200, 200},
                      "普通电阻：电阻是电路的基本元件之一，是一种耗能器件，具有一定功率。\n\n"
                      "可利用参数设置页改变电阻的名称和阻值。");
}

std::string CResistance::LabelValue() const {
    return LabelNumber(m_resistance) + "Ω";
}

} // namespace ampera
