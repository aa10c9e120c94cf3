#include "resistance.h"

#include "document/keydoc.h"

namespace ampera {

const CDeviceKind CResistance::kKind{TYPE_RESISTANCE,      CATEGORY_RESISTANCE,   102, 20, "R",
                                     "devpic\\comres.tga", {{-6, 10}, {108, 10}}, true};
const char* const CResistance::kBurntWarning = "当前有个电阻被烧毁";

// The resistor has no front panel: it is edited on its parameter page only,
// so its panel group stays empty and its panel counts stay 0 / 0.

void CResistance::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    const double i = result->m_elec.para_array[0];
    if (i * i * m_resistance > m_ratedPower) Warn(context, kBurntWarning);
}

void CResistance::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CResistance*>(&prototype)) m_ratedPower = p->m_ratedPower;
}

void CResistance::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    if (loading) Keep(doc, true, prefix + ":RESVALUE", m_resistance);
    PersistPlaceAndIdentity(doc, loading, prefix);
    if (!loading) Keep(doc, false, prefix + ":RESVALUE", m_resistance);
}

} // namespace ampera
