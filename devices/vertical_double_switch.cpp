#include "vertical_double_switch.h"

#include "document/keydoc.h"

namespace ampera {
// The file format gives it three terminals but no place for them; they sit on
// the picture's edges.
const CDeviceKind CVerticalDoubleSwitch::kKind{
    .typeCode = TYPE_VERTICAL_DOUBLE_SWITCH,
    .category = CATEGORY_SWITCH,
    .namePrefix = "纵向双刀开关",
    .bodyPicture = "pic_zxf\\vdswitch.bmp",
    .body = geometry::kVerticalSwitch,
    .propertyGroup = GROUP_PLAIN,
    .selectionHint = kSwitchHint,
};
void CVerticalDoubleSwitch::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    // Its position key is accepted in old files and means nothing.
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
