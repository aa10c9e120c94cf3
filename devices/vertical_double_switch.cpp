#include "vertical_double_switch.h"

#include "document/keydoc.h"

namespace ampera {
// The file format gives it three terminals but no place for them; they sit on
// the picture's edges.
const CDeviceKind CVerticalDoubleSwitch::kKind{TYPE_VERTICAL_DOUBLE_SWITCH, CATEGORY_SWITCH, 80, 50, "纵向双刀开关",
                                               "pic_zxf\\vdswitch.bmp", {{-6, 10}, {-6, 40}, {86, 25}}, false};
void CVerticalDoubleSwitch::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    // Its position key is accepted in old files and means nothing.
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
