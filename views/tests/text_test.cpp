// Notices, labels and text layout over the glyph pages.
#include "render_fixture.h"

namespace ampera::testing {
namespace {

// Top-left corners (board coordinates) of the glyph quads in an overlay batch.
std::vector<std::pair<float, float>> GlyphCorners(const CFrame& frame, const COverlayBatch& batch) {
    std::vector<std::pair<float, float>> corners;
    for (std::uint32_t k = 0; k < batch.block.count; k += 6) {
        const CVertex& v = frame.vertices[batch.block.start + k];
        corners.emplace_back(v.x, -v.y);
    }
    return corners;
}

const COverlayBatch* OverlayOfSize(const CFrame& frame, int size) {
    for (const COverlayBatch& batch : frame.overlays)
        if (batch.page->size == size) return &batch;
    return nullptr;
}

TEST_F(RendererTest, MixedLatinAndChineseTextAdvancesByTheFullSize) {
    renderer->AddLabel("A电B 表", 10, 20);
    const CFrame& frame = EmptyFrame(0);
    ASSERT_EQ(frame.overlays.size(), 1u);
    const COverlayBatch& batch = frame.overlays[0];
    EXPECT_EQ(batch.page->size, kInformationTextSize);
    EXPECT_EQ(batch.page->face, "宋体");
    EXPECT_EQ(GlyphCorners(frame, batch),
              (std::vector<std::pair<float, float>>{{10, 20}, {24, 20}, {38, 20}, {52, 20}, {66, 20}}));
    // The glyph requests: one cell per distinct character, in row-major order.
    EXPECT_EQ(std::vector<char32_t>(batch.page->cells.begin(), batch.page->cells.begin() + 6),
              (std::vector<char32_t>{U'A', U'电', U'B', U' ', U'表', 0}));
    // Cell 2 ('B') of an 18-cell row: u from 2*14/256 to 3*14/256.
    const CVertex& topLeftOfB = frame.vertices[batch.block.start + 12];
    const CVertex& bottomRightOfB = frame.vertices[batch.block.start + 16];
    EXPECT_FLOAT_EQ(topLeftOfB.u, 28.0f / 256);
    EXPECT_FLOAT_EQ(topLeftOfB.v, 0);
    EXPECT_FLOAT_EQ(bottomRightOfB.u, 42.0f / 256);
    EXPECT_FLOAT_EQ(bottomRightOfB.v, 14.0f / 256);
    EXPECT_EQ(bottomRightOfB.x - topLeftOfB.x, 14.0f);
    EXPECT_EQ(topLeftOfB.colour, 0xFFFFFFFFu);

    EXPECT_TRUE(EmptyFrame(10).overlays.empty()) << "labels last one frame";
}

TEST_F(RendererTest, RepeatedCharactersShareACellAcrossRunsAndFrames) {
    renderer->AddLabel("ABA", 0, 0);
    const std::uint64_t version = EmptyFrame(0).overlays[0].page->version;
    renderer->AddLabel("BA", 0, 40);
    const CFrame& frame = EmptyFrame(10);
    EXPECT_EQ(frame.overlays[0].page->version, version) << "no new glyph, the page is unchanged";
    EXPECT_EQ(frame.vertices[frame.overlays[0].block.start].u, 14.0f / 256) << "B still in cell 1";
}

TEST_F(RendererTest, FullGlyphPageStartsAfreshButKeepsGlyphsOfTheCurrentFrame) {
    // A 14-pixel page has 18 x 18 = 324 cells.
    auto distinct = [](char32_t first, int count) {
        std::string text;
        for (char32_t c = first; c < first + static_cast<char32_t>(count); ++c) {
            // CJK ideographs as UTF-8 (three bytes each).
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
        return text;
    };
    renderer->AddLabel(distinct(0x4E00, 324), 0, 0);
    const CFrame& full = EmptyFrame(0);
    EXPECT_EQ(full.overlays[0].block.count, 324u * 6);
    EXPECT_EQ(full.overlays[0].page->cells.back(), char32_t{0x4E00 + 323});

    renderer->AddLabel(distinct(0x5000, 1), 0, 0);
    const CFrame& fresh = EmptyFrame(10);
    const CGlyphPage& page = *fresh.overlays[0].page;
    EXPECT_EQ(page.cells[0], char32_t{0x5000}) << "the new glyph takes the first cell";
    EXPECT_EQ(std::count(page.cells.begin(), page.cells.end(), char32_t{0}), 323) << "the rest were dropped";

    // More distinct characters in one frame than cells: the page cannot
    // drop what this frame drew, so the extra ones are skipped, pen unmoved.
    renderer->AddLabel(distinct(0x6000, 330) + "A", 0, 0);
    const CFrame& over = EmptyFrame(20);
    ASSERT_EQ(over.overlays[0].block.count, 324u * 6);
    EXPECT_EQ(GlyphCorners(over, over.overlays[0]).back().first, 323.0f * 14);
    const auto& cells = over.overlays[0].page->cells;
    EXPECT_EQ(std::find(cells.begin(), cells.end(), char32_t{0x5000}), cells.end());
}

TEST_F(RendererTest, InvalidUtf8BytesAreOneCharacterEach) {
    renderer->AddLabel(std::string("a\xFF\xE4\xB8") + "b", 0, 0);
    const CFrame& frame = EmptyFrame(0);
    EXPECT_EQ(frame.overlays[0].block.count, 4u * 6) << "a, U+FFFD for FF, one U+FFFD for the cut E4 B8, b";
}

// --- notices -------------------------------------------------------------------

TEST_F(RendererTest, NoticeDurations) {
    struct Case {
        const char* name;
        int duration;
        std::vector<bool> shown; // frames 200 ms apart; the first has no elapsed time
    };
    const Case cases[] = {
        {"-1 stays until replaced", -1, {true, true, true, true, true, true}},
        {"0 shows exactly one frame", 0, {true, false, false}},
        {"500 ms: drawn in the frame it runs out", 500, {true, true, true, true, false}},
    };
    for (int kind : {NOTICE_WARNING, NOTICE_INFORMATION}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (kind == NOTICE_WARNING ? " (warning)" : " (information)"));
            renderer = std::make_unique<CFrameRenderer>(resources, &sound);
            renderer->SetViewRect(0, 0, 800, 600);
            renderer->PostNotice(CNotice{kind, c.duration, 5, 6, 1, "注意"});
            for (std::size_t f = 0; f < c.shown.size(); ++f) {
                const CFrame& frame = EmptyFrame(static_cast<long long>(1000 + 200 * f));
                EXPECT_EQ(!frame.overlays.empty(), static_cast<bool>(c.shown[f])) << "frame " << f;
            }
        }
    }
}

TEST_F(RendererTest, NoticeReplacedBySameKindOnly) {
    renderer->PostNotice(CNotice{NOTICE_WARNING, -1, 0, 0, 1, "甲"});
    renderer->PostNotice(CNotice{NOTICE_INFORMATION, -1, 0, 100, 1, "乙"});
    renderer->PostNotice(CNotice{NOTICE_WARNING, -1, 0, 0, 1, "丙"});
    const CFrame& frame = EmptyFrame(0);
    ASSERT_EQ(frame.overlays.size(), 2u);
    EXPECT_EQ(OverlayOfSize(frame, 16)->page->cells[0], U'丙');
    EXPECT_EQ(OverlayOfSize(frame, 16)->page->colour, kWarningTextColour);
    EXPECT_EQ(OverlayOfSize(frame, 14)->page->cells[0], U'乙');
    EXPECT_EQ(OverlayOfSize(frame, 14)->page->colour, 0xFF0000FFu) << "the default text colour, blue";
    EXPECT_EQ(GlyphCorners(frame, *OverlayOfSize(frame, 14))[0], std::make_pair(0.0f, 100.0f));
    // Only warnings sound.
    EXPECT_EQ(sound.played.size(), 2u);
}

TEST_F(RendererTest, CentredNoticeTakesTheViewCentreOnceAndKeepsIt) {
    renderer->SetViewRect(0, 30, 200, 130); // centre (100, 80) in the view's own coordinates
    renderer->PostNotice(CNotice{NOTICE_WARNING, -1, -1, -1, 1, "过"});
    const CFrame& first = EmptyFrame(0);
    EXPECT_EQ(GlyphCorners(first, first.overlays[0])[0], std::make_pair(100.0f, 80.0f));
    EXPECT_EQ(renderer->WarningSlot().x, 100);
    renderer->SetViewRect(0, 0, 600, 400);
    const CFrame& later = EmptyFrame(10);
    EXPECT_EQ(GlyphCorners(later, later.overlays[0])[0], std::make_pair(100.0f, 80.0f));
}

TEST_F(RendererTest, TextColourChangeRecolloursInformationAndLabels) {
    renderer->AddLabel("R1", 0, 0);
    EmptyFrame(0);
    renderer->SetTextColour(0xFF00FF00);
    renderer->AddLabel("R1", 0, 0);
    const CFrame& frame = EmptyFrame(10);
    ASSERT_EQ(frame.overlays.size(), 1u);
    EXPECT_EQ(frame.overlays[0].page->colour, 0xFF00FF00u);
    for (const auto& font : resources->fonts.Fonts())
        EXPECT_NE(font->Colour(), 0xFF0000FFu) << "the font of the old colour left the cache";
}

TEST_F(RendererTest, SkippedFrameDropsItsLabels) {
    renderer->SetDeviceReady(false);
    for (int k = 0; k < 3; ++k) {
        renderer->AddLabel("x", 0, 0);
        EXPECT_FALSE(renderer->BeginFrame(k));
    }
    renderer->SetDeviceReady(true);
    EXPECT_EQ(EmptyFrame(10).overlays.size(), 0u);
}

} // namespace
} // namespace ampera::testing
