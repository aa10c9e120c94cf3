#include "resistance_wire.h"

#include "document/keydoc.h"

namespace ampera {
const CDeviceKind CResistanceWire::kKind{
    .typeCode = TYPE_RESISTANCE_WIRE,
    .category = CATEGORY_RESISTANCE,
    .namePrefix = "电阻丝",
    .bodyPicture = "pic_zxf\\resglide.bmp",
    .body = geometry::kResistanceWire,
    .propertyGroup = GROUP_PLAIN,
};
const char* const CResistanceWire::kNotice = "实验中的电阻丝不参与电路计算。";
void CResistanceWire::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    // Its value key is accepted in old files and means nothing.
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
