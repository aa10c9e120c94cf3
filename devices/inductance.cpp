#include "inductance.h"

#include "document/keydoc.h"

#include <cmath>

namespace ampera {

const CDeviceKind CInductance::kKind{TYPE_INDUCTANCE,          CATEGORY_INDUCTANCE,  65,  70, "L",
                                     "devpic\\inductance.tga", {{13, -3}, {45, -6}}, true};
const char* const CInductance::kBurntWarning = "当前电路有个电感被烧毁";

void CInductance::Update(const CUpdateContext& context) {
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    const CBranchResult* result = FirstResult();
    if (!result) return;
    // An undetermined (NaN) current counts as over the rating.
    if (!(std::fabs(result->m_elec.para_array[0]) <= m_ratedCurrent)) Warn(context, kBurntWarning);
}

void CInductance::CopyRating(const CDevice& prototype) {
    if (auto* p = dynamic_cast<const CInductance*>(&prototype)) m_ratedCurrent = p->m_ratedCurrent;
}

void CInductance::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":RESVALUE", m_inductance);
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
