// The base of every placed device: its kind's fixed description (type code,
// size, name prefix, terminals), its place on the board and its turn.
#pragma once

#include "core/component.h"
#include "core/topology.h"

#include <string>
#include <vector>

namespace ampera {

struct CPoint {
    int x = 0, y = 0;
};

// What every device of one kind shares.
struct CDeviceKind {
    int typeCode;
    int category;
    int width, height;            // board size at angle 0
    const char* namePrefix;       // "R" gives R1, R2, ...
    const char* bodyPicture;      // picture at angle 0; turned ones append the angle
    std::vector<CPoint> terminals; // offsets from the region's top-left corner at angle 0
    bool rotates;
};

class CDevice : public CComponent {
public:
    explicit CDevice(const CDeviceKind& kind);

    void Update(const CUpdateContext&) override {}
    bool HitTest(int x, int y) const override;
    // A new device of this kind centred at board point (x, y), with its
    // terminal nodes, added to the program's experiment.
    CComponent* CloneAt(int x, int y) override;
    // The same, into a given experiment.
    CDevice* PlaceAt(CExperiment& experiment, int x, int y);

    virtual void SetRegion(float left, float top, float right, float bottom);
    virtual void GetRegion(float& left, float& top, float& right, float& bottom) const;
    virtual void RotateLeft() {}
    virtual void RotateRight() {}

    const CDeviceKind& Kind() const { return m_kind; }
    std::size_t TerminalCount() const { return m_kind.terminals.size(); }

    std::string m_name;
    float m_region[4] = {0, 0, 0, 0}; // left, top, right, bottom
    int m_angleLeft = 0;              // counter-clockwise turn: 0, 90, 180, 270
    int m_angleRight = 0;             // (360 - m_angleLeft) mod 360

protected:
    // The readings of a device come from its first branch.
    const CBranchResult* FirstResult() const { return m_branches.empty() ? nullptr : &m_branches.front()->m_result; }

private:
    const CDeviceKind& m_kind;
};

} // namespace ampera
