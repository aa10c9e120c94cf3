// Diode; terminal 0 is the anode.
#pragma once

#include "device.h"

namespace ampera {

class CDiode : public CDevice {
public:
    static const CDeviceKind kKind;
    CDiode() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;

    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_DIODE, 0); }
};

} // namespace ampera
