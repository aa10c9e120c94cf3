#include "panel_control.h"

namespace ampera {

namespace {
// Degrees to radians as the panels have always computed it (pi / 180 in single precision).
constexpr float kRadiansPerDegree = 3.1415925f * 0.0055555557f;
} // namespace

CKnob CKnob::FullCircle(int positions, int position, bool wrapsDown) {
    CKnob k;
    k.m_minimum = 0;
    k.m_maximum = positions - 1;
    k.m_position = position;
    k.m_zeroPosition = 0;
    k.m_stepAngle = 360.0f / static_cast<float>(positions) * kRadiansPerDegree;
    k.m_angleAtMinimum = kFullCircleMarker;
    k.m_angleAtMaximum = -kFullCircleMarker;
    k.m_wrapsDown = wrapsDown;
    return k;
}

CKnob CKnob::Limited(int minimum, int maximum, int position, int zeroPosition, float stepDegrees,
                     float angleMinDegrees, float angleMaxDegrees) {
    CKnob k;
    k.m_minimum = minimum;
    k.m_maximum = maximum;
    k.m_position = position;
    k.m_zeroPosition = zeroPosition;
    k.m_stepAngle = stepDegrees * kRadiansPerDegree;
    k.m_angleAtMinimum = angleMinDegrees * kRadiansPerDegree;
    k.m_angleAtMaximum = angleMaxDegrees * kRadiansPerDegree;
    return k;
}

} // namespace ampera

namespace ampera {

namespace {
void Turn(CSpriteGroup& panel, const CPanelControl& control, float angle) {
    if (CDrawItem* item = control.Item(panel)) {
        item->angle = angle;
        item->flags |= DRAW_ROTATE | DRAW_RELOAD;
    }
}
} // namespace

void CKnob::Step(int direction, CSpriteGroup& panel) {
    float a = 0;
    if (CDrawItem* item = Item(panel)) a = item->angle;
    const bool full = IsFullCircle();
    if (direction > 0) {
        if (m_position < m_maximum) {
            a += m_stepAngle;
            ++m_position;
        } else if (full) {
            a = 0;
            m_position = m_minimum;
        } else {
            a = m_angleAtMaximum;
        }
    } else {
        if (!full) {
            if (m_position > m_minimum) {
                a -= m_stepAngle;
                --m_position;
            } else {
                a = m_angleAtMinimum;
            }
        } else if (m_wrapsDown) {
            a -= m_stepAngle;
            m_position = m_position <= m_minimum ? m_maximum : m_position - 1;
        } else if (m_position <= m_minimum) {
            a = 0;
            m_position = m_minimum;
        } else {
            a -= m_stepAngle;
            --m_position;
        }
    }
    Turn(panel, *this, a);
}

void CKnob::ApplyLook(CSpriteGroup& panel) {
    Turn(panel, *this, static_cast<float>(m_position - m_zeroPosition) * m_stepAngle);
}

void CKnob::UpdateLabel() {
    static const char* const kLabels[12] = {"电压幅值0.01伏", "电压幅值0.05伏", "电压幅值0.1伏", "电压幅值0.5伏",
                                            "电压幅值1.0伏",  "电压幅值5伏",    "电压幅值6伏",   "电压幅值8伏",
                                            "电压幅值10伏",   "电压幅值12伏",   "电压幅值14伏",  "电压幅值16伏"};
    if (m_labelMode == kKnobLabelMode && m_position >= 0 && m_position <= 11) m_label = kLabels[m_position];
}

void CPanelButton::ApplyLook(CSpriteGroup& panel) {
    CDrawItem* item = Item(panel);
    if (!item) return;
    const CButtonLook& look = IsOn() ? m_onLook : m_offLook;
    if (!look.texture.empty()) {
        item->texture = look.texture;
        item->SetUV(look.uv.left, look.uv.top, look.uv.right, look.uv.bottom);
    } else if (IsOn()) {
        item->texture = "pic_syl\\power.bmp";
        item->SetUV(0, 0, 1, 1);
    } else {
        item->texture = "devpic\\panal\\above.tga";
    }
    item->Redraw();
}

namespace {
// Moves a slide to `rect` truncated to whole pixels and shows it.
void PlaceSlide(CPanelControl& slide, CSpriteGroup& panel, CPanelRect rect) {
    rect = {static_cast<float>(static_cast<int>(rect.left)), static_cast<float>(static_cast<int>(rect.top)),
            static_cast<float>(static_cast<int>(rect.right)), static_cast<float>(static_cast<int>(rect.bottom))};
    slide.m_slideRect = rect;
    if (CDrawItem* item = slide.Item(panel)) {
        item->SetRect(rect.left, rect.top, rect.right, rect.bottom);
        item->Redraw();
    }
}

CPanelRect Shifted(CPanelRect r, float dx, float dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

void StepSlide(CPanelControl& slide, int& state, int last, int direction, CSpriteGroup& panel, bool horizontal) {
    int next = state + (direction > 0 ? 1 : -1);
    if (next < 0 || next > last) return;
    state = next;
    const float d = direction > 0 ? 20.0f : -20.0f;
    PlaceSlide(slide, panel, Shifted(slide.m_slideRect, horizontal ? d : 0, horizontal ? 0 : d));
}
} // namespace

void CCouplingSwitch::Step(int direction, CSpriteGroup& panel) { StepSlide(*this, m_state, 2, direction, panel, true); }
void CModeSwitch::Step(int direction, CSpriteGroup& panel) { StepSlide(*this, m_state, 3, direction, panel, false); }

void CCouplingSwitch::ApplyLook(CSpriteGroup& panel) {
    PlaceSlide(*this, panel, Shifted(m_slideRect0, 20.0f * m_state, 0));
}
void CModeSwitch::ApplyLook(CSpriteGroup& panel) { PlaceSlide(*this, panel, Shifted(m_slideRect0, 0, 20.0f * m_state)); }

} // namespace ampera
