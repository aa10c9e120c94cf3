#include "device.h"

#include "core/experiment.h"
#include "document/keydoc.h"
#include "kind_registry.h"
#include "panel_sheet.h"

#include <array>
#include <cmath>
#include <sstream>

namespace ampera {

namespace {
// Running numbers for names, one per kind; never reset, not even by loading.
std::array<int, TYPE_LAST + 1> g_runningNumber{};

// A quarter turn of an offset (y downwards): left maps (dx, dy) to (dy, -dx).
CPoint TurnOffset(CPoint d, bool left) {
    return left ? CPoint{d.y, -d.x} : CPoint{-d.y, d.x};
}
} // namespace

CDevice::CDevice(const CDeviceKind& kind) : CComponent(kind.category, kind.typeCode), m_kind(kind) {
    m_name = kind.namePrefix;
    const auto w = static_cast<float>(kind.body.width), h = static_cast<float>(kind.body.height);
    m_boardGroup.itemsB.push_back(CDrawItem::Quad(0, 0, w, h, kind.bodyPicture));
    SetRegion(0, 0, w, h);
}

CDevice::~CDevice() = default;

void CDevice::WarnIfOverRating(const CUpdateContext& context, double value, double rating,
                               const char* warning, RatingRule rule) const {
    bool over = false;
    switch (rule) {
    case RATING_WITHIN:
        over = !(value <= rating);
        break;
    case RATING_BELOW:
        over = !(value < rating);
        break;
    case RATING_EXCEEDED:
        over = value > rating;
        break;
    }
    if (over) Warn(context, warning);
}

void CDevice::SealPanel() {
    m_panelItemCount = static_cast<int>(m_panelGroup.itemsB.size());
    m_panelControlCount = static_cast<int>(m_controls.size());
}

void CDevice::MarkDirty() const {
    if (Experiment()) Experiment()->MarkTopologyDirty();
}

bool CDevice::HitTest(int x, int y) const {
    return m_region[0] < x && x < m_region[2] && m_region[1] < y && y < m_region[3];
}

void CDevice::SetRegion(float left, float top, float right, float bottom) {
    m_region[0] = left;
    m_region[1] = top;
    m_region[2] = right;
    m_region[3] = bottom;
    Body().SetRect(left, top, right, bottom);
}

void CDevice::GetRegion(float& left, float& top, float& right, float& bottom) const {
    left = m_region[0];
    top = m_region[1];
    right = m_region[2];
    bottom = m_region[3];
}

CComponent* CDevice::CloneAt(int x, int y) {
    return PlaceAt(CExperiment::GetExperiment(), x, y);
}

void CDevice::ResetRunningNumbers() {
    g_runningNumber.fill(0);
}

CDevice* CDevice::PlaceAt(CExperiment& experiment, int x, int y) {
    auto* device = dynamic_cast<CDevice*>(CreateObject(TypeCode()));
    if (!device) return nullptr;
    device->CopyRating(*this);
    CopySettingsInto(*device);
    const int w = m_kind.body.width, h = m_kind.body.height;
    const int left = x - w / 2, top = y - h / 2;
    device->SetRegion(static_cast<float>(left), static_cast<float>(top), static_cast<float>(x + w / 2),
                      static_cast<float>(y + h / 2));
    device->m_name = m_kind.namePrefix + std::to_string(++g_runningNumber[TypeCode()]);
    experiment.AddObject(device, false);
    for (const geometry::CTerminalOffset& offset : m_kind.body) {
        auto* node = static_cast<CNode*>(CreateObject(TYPE_NODE));
        node->SetPosition(left + offset.x, top + offset.y);
        node->m_attached.push_back(device);
        device->m_terminals.push_back(node);
        experiment.AddObject(node, false);
    }
    experiment.MarkTopologyDirty();
    return device;
}

void CDevice::CopySettingsInto(CDevice& copy) {
    const int id = copy.Id();
    // Written and read under one prefix as a file item would be. The copy
    // reads this device's place too, so parts placed relative to the body
    // (the rheostat's slider) keep their place on it; PlaceAt then moves the
    // body, and they move along. Only the turn is the copy's own.
    const std::string prefix = "SETTINGS:DEVICE";
    CKeyDoc scratch;
    Persist(scratch, false, prefix);
    scratch.SetInt(prefix + ":ANGEL:LEFT", copy.m_angleLeft);
    scratch.SetInt(prefix + ":ANGEL:RIGHT", copy.m_angleRight);
    copy.Persist(scratch, true, prefix);
    // Reading SEQUENCE gave it this device's id; the id counter is already
    // above both.
    copy.SetId(id);
}

std::string CDevice::PictureAtAngle(const std::string& base) const {
    if (m_angleLeft == 0) return base;
    const auto dot = base.rfind('.');
    const std::string angle = std::to_string(m_angleLeft);
    return dot == std::string::npos ? base + angle : base.substr(0, dot) + angle + base.substr(dot);
}

void CDevice::RefreshBody() {
    Body().texture = PictureAtAngle(BodyPictureBase());
    Body().SetRect(m_region[0], m_region[1], m_region[2], m_region[3]);
    Body().Redraw();
}

void CDevice::RotateLeft() {
    if (m_kind.Rotates()) Turn(true);
}

void CDevice::RotateRight() {
    if (m_kind.Rotates()) Turn(false);
}

void CDevice::Turn(bool left) {
    if (left) {
        m_angleLeft = (m_angleLeft + 90) % 360;
        m_angleRight = (360 - m_angleLeft) % 360;
    } else {
        m_angleRight = (m_angleRight + 90) % 360;
        m_angleLeft = (360 - m_angleRight) % 360;
    }
    if (m_terminals.empty() || !m_terminals[0]) {
        RefreshBody();
        return;
    }
    const CPoint pivot = m_terminals[0]->Position();
    for (std::size_t i = 1; i < m_terminals.size(); ++i) {
        CNode* node = m_terminals[i];
        if (!node) continue;
        const CPoint d = TurnOffset({node->m_x - pivot.x, node->m_y - pivot.y}, left);
        node->SetPosition(pivot.x + d.x, pivot.y + d.y);
        for (CComponent* attached : node->m_attached) {
            if (!attached || attached->Category() != CATEGORY_WIRE) continue;
            auto* wire = static_cast<CWire*>(attached);
            if (wire->m_points.empty()) continue;
            if (wire->m_nodeA == node) wire->m_points.front() = node->Position();
            if (wire->m_nodeB == node) wire->m_points.back() = node->Position();
            wire->RebuildLines();
        }
    }
    // The rectangle turns about the first terminal exactly like the offsets.
    const float px = static_cast<float>(pivot.x), py = static_cast<float>(pivot.y);
    const float l = m_region[0] - px, t = m_region[1] - py, r = m_region[2] - px, b = m_region[3] - py;
    if (left)
        SetRegion(px + t, py - r, px + b, py - l);
    else
        SetRegion(px - b, py + l, px - t, py + r);
    RefreshBody();
    AfterTurn(left ? 1 : 3);
}

void CDevice::RestoreAfterLoad() {
    float w = static_cast<float>(m_kind.body.width), h = static_cast<float>(m_kind.body.height);
    if (Turned()) std::swap(w, h);
    SetRegion(m_region[0], m_region[1], m_region[0] + w, m_region[1] + h);
    RefreshBody();
    for (CPanelControl* c : m_controls) {
        c->ApplyLook(m_panelGroup);
        c->UpdateLabel();
    }
}

void CDevice::PersistPlace(CKeyDoc& doc, bool loading, const std::string& prefix) {
    if (!loading) {
        doc.SetFloatExact(prefix + ":REGION:LEFT", m_region[0]);
        doc.SetFloatExact(prefix + ":REGION:TOP", m_region[1]);
        doc.SetInt(prefix + ":ANGEL:LEFT", m_angleLeft);
        doc.SetInt(prefix + ":ANGEL:RIGHT", m_angleRight);
        return;
    }
    // Positions are read back as whole pixels. They are written as floats,
    // and a float far off the board is written in exponent form, which an
    // integer read would cut at its decimal point; so read a float and drop
    // the fraction.
    float left = 0, top = 0;
    int angleLeft = 0, angleRight = 0;
    doc.GetFloat(prefix + ":REGION:LEFT", left, 0);
    doc.GetFloat(prefix + ":REGION:TOP", top, 0);
    doc.GetInt(prefix + ":ANGEL:LEFT", angleLeft, 0);
    doc.GetInt(prefix + ":ANGEL:RIGHT", angleRight, 0);
    // Only quarter turns exist; anything else in a file counts as upright.
    auto quarter = [](int a) { return a == 90 || a == 180 || a == 270 ? a : 0; };
    m_region[0] = std::isfinite(left) ? std::trunc(left) : 0.0f;
    m_region[1] = std::isfinite(top) ? std::trunc(top) : 0.0f;
    m_angleLeft = m_kind.Rotates() ? quarter(angleLeft) : 0;
    m_angleRight = m_kind.Rotates() ? quarter(angleRight) : 0;
}

void CDevice::PersistPlaceAndIdentity(CKeyDoc& doc, bool loading, const std::string& prefix) {
    PersistPlace(doc, loading, prefix);
    PersistIdentity(doc, loading, prefix);
    // The mark is written only for a hidden value, so every other device is
    // written as before; a device without it shows its value.
    const std::string hiddenKey = prefix + ":" + kValueHiddenKey;
    if (!loading) {
        if (m_valueHidden) doc.SetBool(hiddenKey, true);
        return;
    }
    doc.GetBool(hiddenKey, m_valueHidden, false);
    RestoreAfterLoad();
}

void CDevice::Keep(CKeyDoc& doc, bool loading, const std::string& key, CKnob& knob) {
    if (!loading) {
        doc.SetInt(key, knob.Position());
        return;
    }
    int p = 0;
    doc.GetInt(key, p, 0);
    knob.SetPosition(p);
}

void CDevice::Keep(CKeyDoc& doc, bool loading, const std::string& key, CPanelButton& button) {
    if (!loading) {
        doc.SetBool(key, button.IsOn());
        return;
    }
    bool on = false;
    doc.GetBool(key, on, false);
    button.SetOn(on);
}

void CDevice::Keep(CKeyDoc& doc, bool loading, const std::string& key, float& value) {
    // Written exactly: six significant digits would load a value other than
    // the one the board showed (1234567 Ω as 1234570 Ω).
    if (loading)
        doc.GetFloat(key, value, 0);
    else
        doc.SetFloatExact(key, value);
}

void CDevice::KeepSetting(CKeyDoc& doc, bool loading, const std::string& key, float& value, float min,
                          float max) {
    if (!loading) {
        doc.SetFloatExact(key, value);
        return;
    }
    float read = 0;
    if (doc.GetFloat(key, read, 0) && read >= min && read <= max) value = read;
}

void CDevice::Keep(CKeyDoc& doc, bool loading, const std::string& key, int& value) {
    if (loading)
        doc.GetInt(key, value, 0);
    else
        doc.SetInt(key, value);
}

// ---- panel clicks ----

CPanelControl* CDevice::HitControl(float x, float y, bool stepButtonsOnly) const {
    if (stepButtonsOnly) {
        for (CStepButton* s : {m_stepDown.get(), m_stepUp.get()})
            if (s && s->HitTest(x, y)) return s;
        return nullptr;
    }
    for (CPanelControl* c : m_controls)
        if (c->HitTest(x, y)) return c;
    return nullptr;
}

void CDevice::StepControl(CPanelControl& control, int direction) {
    control.Step(direction, m_panelGroup);
    control.UpdateLabel();
    MarkDirty();
}

void CDevice::RemoveStepButtons() {
    if (!m_stepDown) return;
    m_controls.resize(static_cast<std::size_t>(m_panelControlCount));
    m_panelGroup.itemsB.resize(static_cast<std::size_t>(m_panelItemCount));
    m_stepDown.reset();
    m_stepUp.reset();
}

void CDevice::ShowStepButtons(CPanelControl& target) {
    const int r = static_cast<int>(target.m_hitRect.right), t = static_cast<int>(target.m_hitRect.top);
    auto make = [&](int top, const CPanelRect& look) {
        auto button = std::make_unique<CStepButton>();
        button->m_target = &target;
        button->m_hitRect = {static_cast<float>(r + 2), static_cast<float>(top), static_cast<float>(r + 17),
                             static_cast<float>(top + 15)};
        button->m_itemIndex = static_cast<int>(m_panelGroup.itemsB.size());
        CDrawItem item = CDrawItem::Quad(button->m_hitRect.left, button->m_hitRect.top,
                                         button->m_hitRect.right, button->m_hitRect.bottom, sheet::kPicture);
        item.SetUV(look.left, look.top, look.right, look.bottom);
        m_panelGroup.itemsB.push_back(item);
        m_controls.push_back(button.get());
        return button;
    };
    m_stepDown = make(t, sheet::kStepDownReleased);
    m_stepUp = make(t + 15, sheet::kStepUpReleased);
}

void CDevice::PressStep(CStepButton& button) {
    const bool down = &button == m_stepDown.get();
    const CPanelRect& look = down ? sheet::kStepDownPressed : sheet::kStepUpPressed;
    if (CDrawItem* item = button.Item(m_panelGroup))
        item->SetUV(look.left, look.top, look.right, look.bottom);
    if (button.m_target) StepControl(*button.m_target, down ? -1 : +1);
}

void CDevice::PanelButtonDown(float x, float y) {
    CPanelControl* target = HitControl(x, y, false);
    if (!target) {
        RemoveStepButtons();
        return;
    }
    if (target->Kind() == CONTROL_STEP_BUTTON) {
        PressStep(static_cast<CStepButton&>(*target));
        return;
    }
    RemoveStepButtons();
    if (target->IsSlideOrKnob()) ShowStepButtons(*target);
    if (target->Kind() == CONTROL_BUTTON) {
        OnPushButton(static_cast<CPanelButton&>(*target));
        MarkDirty();
    }
}

void CDevice::PanelButtonUp(float x, float y) {
    auto* hit = static_cast<CStepButton*>(HitControl(x, y, true));
    if (!hit) return;
    const CPanelRect& look = hit == m_stepDown.get() ? sheet::kStepDownReleased : sheet::kStepUpReleased;
    if (CDrawItem* item = hit->Item(m_panelGroup)) item->SetUV(look.left, look.top, look.right, look.bottom);
}

void CDevice::PanelDoubleClick(float x, float y) {
    if (auto* hit = static_cast<CStepButton*>(HitControl(x, y, true))) PressStep(*hit);
}

void CDevice::AddPushButton(CPanelButton& button, const CPanelRect& hit, const CPanelRect& released,
                            const CPanelRect& pressed) {
    button.m_hitRect = hit;
    button.m_itemIndex = static_cast<int>(m_panelGroup.itemsB.size());
    button.m_onLook = {sheet::kPicture, pressed};
    button.m_offLook = {sheet::kPicture, released};
    m_panelGroup.itemsB.push_back(PanelPicture(hit, sheet::kPicture));
    m_controls.push_back(&button);
}

void CDevice::Toggle(CPanelButton& button) {
    button.SetOn(!button.IsOn());
    button.ApplyLook(m_panelGroup);
}

} // namespace ampera

namespace ampera {

void CDevice::SetControl(CKnob& knob, int position) {
    knob.SetPosition(position);
    knob.ApplyLook(m_panelGroup);
    knob.UpdateLabel();
    MarkDirty();
}

void CDevice::SetControl(CPanelButton& button, bool on) {
    button.SetOn(on);
    button.ApplyLook(m_panelGroup);
    MarkDirty();
}

SymbolOrientation OrientationOf(int angleLeft, int angleRight) {
    if (angleRight == 90 || angleLeft == 270) return ORIENT_TURNED_RIGHT;
    if (angleLeft == 90 || angleRight == 270) return ORIENT_TURNED_LEFT;
    if (angleLeft == 180 || angleRight == 180) return ORIENT_UPSIDE_DOWN;
    return ORIENT_UPRIGHT;
}

const CSymbolPlace& CDevice::SymbolPlace() const {
    return m_kind.symbols[static_cast<std::size_t>(OrientationOf(m_angleLeft, m_angleRight))];
}

std::optional<CSymbol> CDevice::SymbolWith(const char* picture) const {
    const CSymbolPlace& place = SymbolPlace();
    if (!picture) return std::nullopt;
    return CSymbol{picture,
                   {m_region[0] + place.left, m_region[1] + place.top, m_region[2] + place.right,
                    m_region[3] + place.bottom}};
}

std::optional<CSymbol> CDevice::Symbol() const {
    return SymbolWith(SymbolPlace().picture);
}

std::string CDevice::LabelNumber(double value) {
    // Written as a stream writes them by default (six significant digits, no
    // trailing zeros): 1000, 0.5, 1e+06.
    thread_local std::ostringstream out;
    out.str({});
    out.clear();
    out << value;
    return out.str();
}

} // namespace ampera
