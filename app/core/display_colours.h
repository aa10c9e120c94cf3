// The three display colours of the run (background, new wires, text) and
// the colour dialog's logic. Colours are kept as the colour chooser gives
// them, 0x00BBGGRR; the renderer and wires take 0xFFRRGGBB.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace ampera {

inline constexpr std::uint32_t kDefaultBackground = 0x00FFFFFF; // white
inline constexpr std::uint32_t kDefaultWireColour = 0x00FF0000; // blue
inline constexpr std::uint32_t kDefaultTextColour = 0x00FF0000; // blue

// 0x00BBGGRR -> 0xFFRRGGBB (opaque, red and blue exchanged).
constexpr std::uint32_t ToArgb(std::uint32_t colorref) {
    return 0xFF000000u | ((colorref & 0xFFu) << 16) | (colorref & 0xFF00u) | ((colorref >> 16) & 0xFFu);
}
// 0xAARRGGBB -> 0x00BBGGRR (alpha dropped).
constexpr std::uint32_t ToColorref(std::uint32_t argb) {
    return ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}

enum ColourSlot : int { COLOUR_BACKGROUND = 0, COLOUR_WIRE = 1, COLOUR_TEXT = 2 };

// The process-wide colours. Read from any thread (the wire tool on the frame
// loop takes the wire colour), written by the colour dialog.
class CDisplayColours {
  public:
    std::uint32_t Get(ColourSlot slot) const { return m_colours[slot].load(); }
    void Set(ColourSlot slot, std::uint32_t colorref) { m_colours[slot].store(colorref & 0x00FFFFFFu); }
    std::uint32_t Background() const { return Get(COLOUR_BACKGROUND); }
    std::uint32_t Wire() const { return Get(COLOUR_WIRE); }
    std::uint32_t Text() const { return Get(COLOUR_TEXT); }
    // The forms the renderer and wires use.
    std::uint32_t BackgroundArgb() const { return ToArgb(Background()); }
    std::uint32_t WireArgb() const { return ToArgb(Wire()); }
    std::uint32_t TextArgb() const { return ToArgb(Text()); }
    void Reset();

  private:
    std::atomic<std::uint32_t> m_colours[3] = {kDefaultBackground, kDefaultWireColour, kDefaultTextColour};
};

// The colours of this run: defaults at start, never saved.
CDisplayColours& DisplayColours();

// The name-to-colour table looked up when a file is loaded. Nothing ever adds
// an entry, so every lookup gives 0.
std::uint32_t NamedColour(const std::string& name);

// The colour dialog (caption "改变颜色"). Opening copies the three colours;
// each confirmed chooser replaces its colour at once; OK keeps the colours,
// Cancel puts the copies back. After applying, the caller hands the colours
// to the renderer (Changed() tells whether anything differs from the copies).
class CColourDialogModel {
  public:
    static constexpr int kBackgroundButton = 1000;
    static constexpr int kWireButton = 1001;
    static constexpr int kTextButton = 1003;
    // Notice posted after the text colour was chosen: empty text, 2000 ms.
    static constexpr long long kTextNoticeMs = 2000;

    explicit CColourDialogModel(CDisplayColours& colours = DisplayColours());

    // Copies the current colours; called when the dialog opens.
    void Open();
    // The slot of a button id; -1 for other ids.
    static int SlotOfButton(int buttonId);
    // What the chooser starts with and the swatch beside the button shows.
    std::uint32_t Current(ColourSlot slot) const { return m_colours.Get(slot); }
    // A confirmed chooser. Returns true when an empty notice is to be posted
    // (the text colour).
    bool Choose(ColourSlot slot, std::uint32_t colorref);
    void Ok() {}
    void Cancel();
    bool Changed() const;

    // The swatch beside a button: the button's rectangle moved right by the
    // distance between the left edges of the OK and Cancel buttons.
    struct Rect {
        int left, top, right, bottom;
    };
    static Rect SwatchRect(Rect button, int okLeft, int cancelLeft);

  private:
    CDisplayColours& m_colours;
    std::uint32_t m_copies[3] = {kDefaultBackground, kDefaultWireColour, kDefaultTextColour};
};

} // namespace ampera
