// Double-throw switch: its common terminal 2 goes to terminal 0 (state 1),
// to terminal 1 (state 2) or nowhere (state 0).
#pragma once

#include "device.h"

namespace ampera {

class CDoubleSwitch : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static constexpr const char* kOpenPicture = "devpic\\hdswitch.tga";
    static constexpr const char* kFirstPicture = "devpic\\hdleft.tga";
    static constexpr const char* kSecondPicture = "devpic\\hdright.tga";
    CDoubleSwitch() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;
    std::optional<CSymbol> Symbol() const override;
    bool OperatesAt(int x, int y) const override { return ContactAt(x, y) != 0; }

    void BuildBranches(CTopologyBuilder& b) override {
        if (m_state == 1)
            b.Between(b.Terminal(0), b.Terminal(2), BRANCH_RESISTOR, kWireResistance);
        else if (m_state == 2)
            b.Between(b.Terminal(2), b.Terminal(1), BRANCH_RESISTOR, kWireResistance);
    }

    // The contact zone under board point (x, y): 1 the contact towards
    // terminal 0, 2 the one towards terminal 1, 0 neither.
    int ContactAt(int x, int y) const;
    // A double click at board point (x, y): in a contact's zone it throws the
    // switch to that contact, or back to neutral when it is already there;
    // shows the matching picture and marks the topology dirty. Returns
    // whether the state changed.
    bool DoubleClick(int x, int y);

    int m_state = 0; // 0 open, 1 towards terminal 0, 2 towards terminal 1

  protected:
    std::string BodyPictureBase() const override;
};

} // namespace ampera
