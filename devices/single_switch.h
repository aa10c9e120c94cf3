// Single-throw switch: closed, it joins its two terminals.
#pragma once

#include "device.h"

namespace ampera {

class CSingleSwitch : public CDevice {
  public:
    void Persist(CKeyDoc& doc, bool loading, const std::string& prefix) override;
    static const CDeviceKind kKind;
    static constexpr const char* kOpenPicture = "devpic\\sinswopen.tga";
    static constexpr const char* kClosedPicture = "devpic\\sinswclose.tga";
    CSingleSwitch() : CDevice(kKind) {}
    void FillPropertyPage(CPropertyPage& page) override;
    std::optional<CSymbol> Symbol() const override;
    bool OperatesAt(int x, int y) const override { return InBladeZone(x, y); }

    bool IsClosed() const { return m_state == 1; }
    void BuildBranches(CTopologyBuilder& b) override {
        if (IsClosed()) b.OverTerminals(BRANCH_RESISTOR, kWireResistance);
    }

    // Whether board point (x, y) lies on the blade, where a double click
    // operates the switch. At 0 degrees an open switch also takes clicks up
    // to 10 pixels above and below its picture.
    bool InBladeZone(int x, int y) const;
    // A double click at board point (x, y): inside the blade zone it opens or
    // closes the switch, shows the matching picture and marks the topology
    // dirty. Returns whether the state changed.
    bool DoubleClick(int x, int y);

    int m_state = 0; // 0 open, 1 closed

  protected:
    std::string BodyPictureBase() const override { return IsClosed() ? kClosedPicture : kOpenPicture; }
};

} // namespace ampera
