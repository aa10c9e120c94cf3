// Pointer voltmeter and ammeter: known only from old experiment files. They
// sit in the circuit as plain resistors: the voltmeter as a high resistance
// and the ammeter as a low one, so that neither shorts nor breaks a circuit.
#pragma once

#include "device.h"

namespace ampera {

class CVoltmeter : public CDevice {
public:
    static const CDeviceKind kKind;
    CVoltmeter();
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, m_internalResistance); }
};

class CAmmeter : public CDevice {
public:
    static const CDeviceKind kKind;
    CAmmeter();
    void BuildBranches(CTopologyBuilder& b) override { b.OverTerminals(BRANCH_RESISTOR, m_internalResistance); }
};

} // namespace ampera
