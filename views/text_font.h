// Text as quads over a glyph page. Every character, Latin or Chinese, takes
// one square cell of the font size and advances the pen by the full size, so
// labels line up in columns whatever they hold.
#pragma once

#include "frame.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ampera {

inline constexpr const char* kTextFace = "宋体";

// The next character of UTF-8 text at `pos`, advancing `pos`. A byte that
// does not start a valid sequence is one character U+FFFD.
char32_t NextCharacter(std::string_view text, std::size_t& pos);

class CTextFont {
  public:
    CTextFont(std::string face, int size, std::uint32_t colour, std::uint64_t pageId);

    const std::string& Face() const { return m_page.face; }
    int Size() const { return m_page.size; }
    std::uint32_t Colour() const { return m_page.colour; }

    // Queues a run with its top-left corner at board (x, y).
    void Queue(std::string text, int x, int y);
    bool HasRuns() const { return !m_runs.empty(); }
    // Turns the queued runs into quads (two triangles per character),
    // appended to `out`, and empties the queue. `frame` numbers the frame:
    // glyphs placed during it are kept when the page must be cleared.
    void Generate(std::vector<CVertex>& out, std::uint64_t frame);
    // The page as it is now (a snapshot that later changes do not touch).
    std::shared_ptr<const CGlyphPage> Page();

    // The cell of a character, placing it when new; -1 when it cannot be
    // placed (the page is full of glyphs this frame still uses).
    int CellOf(char32_t c, std::uint64_t frame);
    std::size_t CachedGlyphs() const { return m_cellOf.size(); }

  private:
    struct Run {
        std::string text;
        int x, y;
    };
    CGlyphPage m_page;
    std::shared_ptr<const CGlyphPage> m_snapshot;
    std::unordered_map<char32_t, int> m_cellOf;
    std::vector<std::uint64_t> m_lastUse; // per cell: the frame that last drew it
    std::vector<Run> m_runs;
};

// Fonts by (face, size, colour); at most three live at once.
class CFontCache {
  public:
    static constexpr std::size_t kMaxFonts = 3;
    CTextFont& Get(const std::string& face, int size, std::uint32_t colour);
    void Remove(const std::string& face, int size, std::uint32_t colour);
    void Clear() { m_fonts.clear(); }
    std::vector<std::unique_ptr<CTextFont>>& Fonts() { return m_fonts; }

  private:
    std::vector<std::unique_ptr<CTextFont>> m_fonts; // oldest first
    std::uint64_t m_nextPageId = 1;
};

} // namespace ampera
