// Vertical double switch: known only from old experiment files. Its contacts
// are built but joined to nothing, so it never carries current.
#pragma once

#include "device.h"

namespace ampera {

class CVerticalDoubleSwitch : public CDevice {
public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    CVerticalDoubleSwitch() : CDevice(kKind) {}

    void BuildBranches(CTopologyBuilder& b) override {
        b.Unlisted(b.Terminal(0), b.Terminal(1), BRANCH_RESISTOR, kWireResistance);
        b.Unlisted(b.Terminal(1), b.Terminal(2), BRANCH_RESISTOR, kWireResistance);
    }
};

} // namespace ampera
