// Pointer voltmeter and ammeter: known only from old experiment files. They
// sit in the circuit as plain resistors: the voltmeter as a high resistance
// and the ammeter as a low one, so that neither shorts nor breaks a circuit.
//
// They have no panel and no range knob, so each reads on the finest of the
// digital meters' DC ranges that holds its reading (voltmeter 200 mV to
// 1000 V, ammeter 2 mA to 20 A), shown in small digits on its body. Only a
// reading over even the coarsest range warns that something is shorted or
// overloaded; a zero reading is an idle circuit, not a fault. Like the
// instruments they stand for they read DC values only (0 in a sine circuit).
#pragma once

#include "device.h"
#include "meter_format.h"

namespace ampera {

// What both file-only meters do with their one branch.
class CFileMeter : public CDevice {
  public:
    // These old meters keep no keys at all: a loaded one is a new one.
    void Persist(CKeyDoc&, bool, const std::string&) override {}
    void BuildBranches(CTopologyBuilder& b) override {
        b.OverTerminals(BRANCH_RESISTOR, m_internalResistance);
    }
    void Update(const CUpdateContext& context) override;
    std::string DisplayText() const override { return m_text; }
    // The multimeter range index the last reading was shown on (-1: none).
    int ShownRange() const { return m_shownRange; }
    // The range it chose for the last reading.
    std::optional<CInstrumentReading> ReportReading() const override {
        const CMeterRange* range = MultimeterRange(m_shownRange);
        return CInstrumentReading{range ? range->name : "", range ? range->unit : ""};
    }

  protected:
    CFileMeter(const CDeviceKind& kind, bool readsCurrent, int firstRange, int lastRange);

  private:
    bool m_readsCurrent;
    int m_firstRange, m_lastRange;
    int m_shownRange = -1;
    std::string m_text;
};

class CVoltmeter : public CFileMeter {
  public:
    static const CDeviceKind kKind;
    CVoltmeter();
};

class CAmmeter : public CFileMeter {
  public:
    static const CDeviceKind kKind;
    CAmmeter();
};

} // namespace ampera
