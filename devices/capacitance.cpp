#include "capacitance.h"

#include "document/keydoc.h"

#include <cmath>

namespace ampera {

const CDeviceKind CCapacitance::kKind{TYPE_CAPACITANCE,          CATEGORY_CAPACITANCE, 33,  54, "C",
                                      "devpic\\capacitance.tga", {{3, 60}, {29, 60}},  true};
const char* const CCapacitance::kBurntWarning = "当前电路有个电容被烧毁";

void CCapacitance::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // Written as "not within the rating" so that a voltage the solver could
    // not determine (NaN) is treated as a burn-out rather than as safe.
    if (!(std::fabs(result->m_vol.para_array[0]) <= m_ratedVoltage)) Warn(context, kBurntWarning);
}

void CCapacitance::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CCapacitance*>(&prototype)) m_ratedVoltage = p->m_ratedVoltage;
}

void CCapacitance::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":RESVALUE", m_capacitance);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
