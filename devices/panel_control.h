// Front-panel controls: knobs, push buttons, step buttons and slide switches.
// Positions and states live here; the panel pictures they drive are items of
// the device's panel drawing group.
#pragma once

#include "core/draw_item.h"
#include "panel_geometry.h"

#include <string>

namespace ampera {

enum PanelControlKind : int {
    CONTROL_KNOB = 2,
    CONTROL_BUTTON = 4,
    CONTROL_STEP_BUTTON = 8,
    CONTROL_COUPLING_SWITCH = 32,
    CONTROL_MODE_SWITCH = 64,
};

inline constexpr float kFullCircleMarker =
    6.283185f; // angle at minimum of a full-circle knob (-it at maximum)
inline constexpr int kKnobLabelMode = 100;

class CPanelControl {
  public:
    explicit CPanelControl(int kind) : m_kind(kind) {}
    virtual ~CPanelControl() = default;

    virtual CPanelRect GetRect() const { return m_hitRect; }
    virtual void SetRect(const CPanelRect& r) { m_hitRect = r; }
    virtual void UpdateLabel() {}
    virtual bool IsSelected() const { return m_selected; }
    virtual void SetSelected(bool s) { m_selected = s; }
    virtual bool HitTest(float x, float y) const {
        return m_hitRect.left < x && x < m_hitRect.right && m_hitRect.top < y && y < m_hitRect.bottom;
    }
    // One step in `direction` (-1 or +1); moves or restyles the control's item in `panel`.
    virtual void Step(int, CSpriteGroup&) {}
    // Makes the control's item show its current position or state (after loading).
    virtual void ApplyLook(CSpriteGroup&) {}

    // The panel item this control drives, or null when the panel has no such item.
    CDrawItem* Item(CSpriteGroup& panel) const {
        return m_itemIndex >= 0 && m_itemIndex < static_cast<int>(panel.itemsB.size())
                   ? &panel.itemsB[m_itemIndex]
                   : nullptr;
    }
    bool IsSlideOrKnob() const {
        return m_kind == CONTROL_KNOB || m_kind == CONTROL_COUPLING_SWITCH || m_kind == CONTROL_MODE_SWITCH;
    }

    int Kind() const { return m_kind; }

    int m_kind;
    CPanelRect m_slideRect;
    int m_itemIndex = -1;
    std::string m_label;
    CPanelRect m_hitRect;
    bool m_selected = false;
    int m_labelMode = 0;
};

class CKnob : public CPanelControl {
  public:
    CKnob() : CPanelControl(CONTROL_KNOB) {}

    // n positions 0..n-1 around a full circle, 360/n degrees apart.
    static CKnob FullCircle(int positions, int position, bool wrapsDown);
    // A range selector turning (p - zero) * stepDegrees from angleMin to angleMax.
    static CKnob Limited(int minimum, int maximum, int position, int zeroPosition, float stepDegrees,
                         float angleMinDegrees, float angleMaxDegrees);
    // The knob a panel table describes (panel_layout.h).
    static CKnob Of(const CKnobTravel& t) {
        if (t.fullCircle) return FullCircle(t.Positions(), t.position, t.wrapsDown);
        return Limited(t.minimum, t.maximum, t.position, t.zeroPosition, static_cast<float>(t.stepDegrees),
                       static_cast<float>(t.angleMinDegrees), static_cast<float>(t.angleMaxDegrees));
    }

    void UpdateLabel() override;
    void Step(int direction, CSpriteGroup& panel) override;
    void ApplyLook(CSpriteGroup& panel) override;

    bool IsFullCircle() const { return m_angleAtMinimum >= kFullCircleMarker; }
    int Position() const { return m_position; }
    void SetPosition(int p) { m_position = p < m_minimum ? m_minimum : (p > m_maximum ? m_maximum : p); }

    int m_zeroPosition = 0;
    int m_position = 0;
    int m_minimum = 0;
    int m_maximum = 0;
    float m_stepAngle = 0;      // radians per position
    float m_angleAtMinimum = 0; // radians; kFullCircleMarker for a full-circle knob
    float m_angleAtMaximum = 0; // radians; -kFullCircleMarker for a full-circle knob
    bool m_wrapsDown = false;
};

struct CButtonLook {
    std::string texture;
    CPanelRect uv; // left, top, right, bottom texture corners
};

class CPanelButton : public CPanelControl {
  public:
    CPanelButton() : CPanelControl(CONTROL_BUTTON) {}
    void ApplyLook(CSpriteGroup& panel) override;
    bool IsOn() const { return m_state != 0; }
    void SetOn(bool on) { m_state = on ? 1 : 0; }

    int m_state = 0;
    CButtonLook m_onLook, m_offLook;
};

class CStepButton : public CPanelControl {
  public:
    CStepButton() : CPanelControl(CONTROL_STEP_BUTTON) {}
    CPanelControl* m_target = nullptr;
};

class CCouplingSwitch : public CPanelControl {
  public:
    CCouplingSwitch() : CPanelControl(CONTROL_COUPLING_SWITCH) {}
    void Step(int direction, CSpriteGroup& panel) override;
    void ApplyLook(CSpriteGroup& panel) override;
    int m_state = 0;         // 0, 1, 2, left to right
    CPanelRect m_slideRect0; // the slide at position 0
};

class CModeSwitch : public CPanelControl {
  public:
    CModeSwitch() : CPanelControl(CONTROL_MODE_SWITCH) {}
    void Step(int direction, CSpriteGroup& panel) override;
    void ApplyLook(CSpriteGroup& panel) override;
    int m_state = 0;         // 0..3, top to bottom
    CPanelRect m_slideRect0; // the slide at position 0
};

} // namespace ampera
