#include "resistance_wire.h"

#include "document/keydoc.h"

namespace ampera {
const CDeviceKind CResistanceWire::kKind{TYPE_RESISTANCE_WIRE, CATEGORY_RESISTANCE, 40, 20, "电阻丝",
                                         "pic_zxf\\resglide.bmp", {}, false};
const char* const CResistanceWire::kNotice = "实验中的电阻丝不参与电路计算。";
void CResistanceWire::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    // Its value key is accepted in old files and means nothing.
    PersistPlaceAndIdentity(doc, loading, prefix);
}

} // namespace ampera
