// Resistance wire: known only from old experiment files. It takes no part in
// the circuit; the first rebuild that meets one tells the user so, once.
#pragma once

#include "device.h"

namespace ampera {

class CResistanceWire : public CDevice {
public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static const char* const kNotice;
    CResistanceWire() : CDevice(kKind) {}

    void BuildBranches(CTopologyBuilder& b) override { b.RequestWarningOnce(kNotice); }
};

} // namespace ampera
