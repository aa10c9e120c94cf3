#include "display_colours.h"

#include <map>

namespace ampera {

void CDisplayColours::Reset() {
    Set(COLOUR_BACKGROUND, kDefaultBackground);
    Set(COLOUR_WIRE, kDefaultWireColour);
    Set(COLOUR_TEXT, kDefaultTextColour);
}

CDisplayColours& DisplayColours() {
    static CDisplayColours colours;
    return colours;
}

std::uint32_t NamedColour(const std::string& name) {
    // Kept as a table so a named colour has one place to go; it stays empty.
    static const std::map<std::string, std::uint32_t> table;
    auto found = table.find(name);
    return found == table.end() ? 0 : found->second;
}

CColourDialogModel::CColourDialogModel(CDisplayColours& colours) : m_colours(colours) {
    Open();
}

void CColourDialogModel::Open() {
    for (int slot = 0; slot < 3; ++slot)
        m_copies[slot] = m_colours.Get(static_cast<ColourSlot>(slot));
}

int CColourDialogModel::SlotOfButton(int buttonId) {
    switch (buttonId) {
    case kBackgroundButton:
        return COLOUR_BACKGROUND;
    case kWireButton:
        return COLOUR_WIRE;
    case kTextButton:
        return COLOUR_TEXT;
    default:
        return -1;
    }
}

bool CColourDialogModel::Choose(ColourSlot slot, std::uint32_t colorref) {
    m_colours.Set(slot, colorref);
    return slot == COLOUR_TEXT;
}

void CColourDialogModel::Cancel() {
    for (int slot = 0; slot < 3; ++slot)
        m_colours.Set(static_cast<ColourSlot>(slot), m_copies[slot]);
}

bool CColourDialogModel::Changed() const {
    for (int slot = 0; slot < 3; ++slot)
        if (m_colours.Get(static_cast<ColourSlot>(slot)) != m_copies[slot]) return true;
    return false;
}

CColourDialogModel::Rect CColourDialogModel::SwatchRect(Rect button, int okLeft, int cancelLeft) {
    const int shift = cancelLeft - okLeft;
    return {button.left + shift, button.top, button.right + shift, button.bottom};
}

} // namespace ampera
