#include "text_font.h"

#include <algorithm>

namespace ampera {

char32_t NextCharacter(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    const int length = lead < 0x80             ? 1
                       : (lead & 0xE0) == 0xC0 ? 2
                       : (lead & 0xF0) == 0xE0 ? 3
                       : (lead & 0xF8) == 0xF0 ? 4
                                               : 0;
    if (length == 1) {
        ++pos;
        return lead;
    }
    if (length == 0) {
        ++pos;
        return 0xFFFD;
    }
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        // A cut-off sequence is one replacement character for the bytes it has.
        if (pos + k >= text.size() || (byte(pos + k) & 0xC0) != 0x80) {
            pos += k;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(pos + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += length;
    return c;
}

CTextFont::CTextFont(std::string face, int size, std::uint32_t colour, std::uint64_t pageId) {
    m_page.id = pageId;
    m_page.face = std::move(face);
    m_page.size = size;
    m_page.colour = colour;
    const int perRow = m_page.CellsPerRow();
    m_page.cells.assign(static_cast<std::size_t>(perRow) * perRow, 0);
    m_lastUse.assign(m_page.cells.size(), 0);
}

void CTextFont::Queue(std::string text, int x, int y) {
    m_runs.push_back({std::move(text), x, y});
}

int CTextFont::CellOf(char32_t c, std::uint64_t frame) {
    if (auto it = m_cellOf.find(c); it != m_cellOf.end()) {
        m_lastUse[it->second] = frame;
        return it->second;
    }
    auto free = std::find(m_page.cells.begin(), m_page.cells.end(), char32_t{0});
    if (free == m_page.cells.end()) {
        // The page is full: start it afresh. Glyphs already drawn in this
        // frame keep their cells, or quads queued before would show the new
        // characters in their place.
        for (std::size_t cell = 0; cell < m_page.cells.size(); ++cell) {
            if (m_lastUse[cell] == frame) continue;
            m_cellOf.erase(m_page.cells[cell]);
            m_page.cells[cell] = 0;
        }
        free = std::find(m_page.cells.begin(), m_page.cells.end(), char32_t{0});
        if (free == m_page.cells.end()) return -1;
        ++m_page.version;
    }
    const int cell = static_cast<int>(free - m_page.cells.begin());
    *free = c;
    m_cellOf[c] = cell;
    m_lastUse[cell] = frame;
    ++m_page.version;
    return cell;
}

void CTextFont::Generate(std::vector<CVertex>& out, std::uint64_t frame) {
    const int size = m_page.size;
    const int perRow = m_page.CellsPerRow();
    const float texel = 1.0f / CGlyphPage::kPixels;
    for (const Run& run : m_runs) {
        int x = run.x;
        for (std::size_t pos = 0; pos < run.text.size();) {
            char32_t c = NextCharacter(run.text, pos);
            if (c == 0) c = U' '; // 0 marks a free cell
            const int cell = CellOf(c, frame);
            if (cell < 0) continue; // not drawn, and the pen stays
            const int column = cell % perRow, row = cell / perRow;
            const float u0 = column * size * texel, v0 = row * size * texel;
            const float u1 = (column + 1) * size * texel, v1 = (row + 1) * size * texel;
            const float l = static_cast<float>(x), r = static_cast<float>(x + size);
            const float t = -static_cast<float>(run.y), b = -static_cast<float>(run.y + size);
            const CVertex tl{l, t, 0, 0xFFFFFFFF, u0, v0}, tr{r, t, 0, 0xFFFFFFFF, u1, v0};
            const CVertex br{r, b, 0, 0xFFFFFFFF, u1, v1}, bl{l, b, 0, 0xFFFFFFFF, u0, v1};
            out.insert(out.end(), {tl, tr, bl, tr, br, bl});
            x += size;
        }
    }
    m_runs.clear();
}

std::shared_ptr<const CGlyphPage> CTextFont::Page() {
    if (!m_snapshot || m_snapshot->version != m_page.version)
        m_snapshot = std::make_shared<CGlyphPage>(m_page);
    return m_snapshot;
}

CTextFont& CFontCache::Get(const std::string& face, int size, std::uint32_t colour) {
    for (auto& font : m_fonts)
        if (font->Size() == size && font->Colour() == colour && font->Face() == face) return *font;
    if (m_fonts.size() >= kMaxFonts) {
        // The oldest font with nothing queued goes: text already queued for
        // this frame must not be lost.
        auto idle =
            std::find_if(m_fonts.begin(), m_fonts.end(), [](const auto& font) { return !font->HasRuns(); });
        m_fonts.erase(idle != m_fonts.end() ? idle : m_fonts.begin());
    }
    m_fonts.push_back(std::make_unique<CTextFont>(face, size, colour, m_nextPageId++));
    return *m_fonts.back();
}

void CFontCache::Remove(const std::string& face, int size, std::uint32_t colour) {
    std::erase_if(m_fonts, [&](const std::unique_ptr<CTextFont>& font) {
        return font->Size() == size && font->Colour() == colour && font->Face() == face;
    });
}

} // namespace ampera
