// The renderer's frame building: submission rules, batch order, the vertex
// buffer's capacity, pulses, turned quads, waveforms and the view rectangle.
#include "asset_path.h"
#include "render_fixture.h"

#include <functional>

#include <cmath>
#include <numbers>

namespace ampera::testing {
namespace {

TEST_F(RendererTest, BatchesDrawOrdinaryPicturesFirstThenPanelSheetThenSliderLast) {
    CSpriteGroup group;
    // Submitted in an order that would put the two special pictures first.
    group.itemsB = {Quad(kGlidePicture), Quad(kAbovePicture), Quad("devpic\\b.tga"),
                    Quad("devpic\\missing.tga")};
    group.itemsA = {Quad("devpic\\a.tga"), Quad("devpic\\b.tga")};
    const CFrame& frame = Frame(group);

    std::vector<std::string> order;
    for (const CSpriteBatch& batch : frame.sprites)
        order.push_back(NameOf(batch));
    EXPECT_EQ(order, (std::vector<std::string>{"(none)", "devpic\\b.tga", "devpic\\a.tga", kAbovePicture,
                                               kGlidePicture}));
    ASSERT_EQ(frame.sprites.size(), 5u);
    EXPECT_EQ(frame.sprites[1].block.primitives, 4u) << "both b quads share one batch";
    for (const CSpriteBatch& batch : frame.sprites)
        EXPECT_EQ(batch.block.count, batch.block.primitives * 3) << NameOf(batch);
}

TEST_F(RendererTest, QuadIsTwoTrianglesWithEachCornerItsOwnTextureCoordinates) {
    CSpriteGroup group;
    CDrawItem item = Quad("devpic\\a.tga", 10, 20, 30, 60);
    item.SetUV(0.25f, 0.5f, 0.75f, 1.0f);
    group.itemsB = {item};
    const CFrame& frame = Frame(group);
    ASSERT_EQ(frame.sprites.size(), 1u);
    const std::vector<CVertex> v = Vertices(frame, frame.sprites[0].block);
    ASSERT_EQ(v.size(), 6u);
    // (top-left, top-right, bottom-left), (top-right, bottom-right, bottom-left); board y is negated.
    const float expected[6][4] = {{10, -20, 0.25f, 0.5f}, {30, -20, 0.75f, 0.5f}, {10, -60, 0.25f, 1},
                                  {30, -20, 0.75f, 0.5f}, {30, -60, 0.75f, 1},    {10, -60, 0.25f, 1}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(v[k].x, expected[k][0]) << k;
        EXPECT_EQ(v[k].y, expected[k][1]) << k;
        EXPECT_EQ(v[k].u, expected[k][2]) << k;
        EXPECT_EQ(v[k].v, expected[k][3]) << k;
        EXPECT_EQ(v[k].colour, 0xFFFFFFFFu) << "untinted, not pulsing: opaque white";
    }
}

TEST_F(RendererTest, TintAndLineColours) {
    CSpriteGroup group;
    CDrawItem tinted = Quad("devpic\\a.tga");
    tinted.flags |= DRAW_TINT;
    tinted.colour = 0xAA123456; // the high byte is not part of the tint
    CDrawItem line = Line(1, 2, 3, 4);
    line.flags |= DRAW_TINT;
    line.colour = 0x00FF00;
    group.itemsB = {tinted, line};
    const CFrame& frame = Frame(group);
    EXPECT_EQ(frame.vertices[frame.sprites[0].block.start].colour, 0xFF123456u);
    const std::vector<CVertex> l = Vertices(frame, frame.lines);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(frame.lines.primitives, 1u);
    EXPECT_EQ(l[0].colour, 0xFF00FF00u);
    EXPECT_EQ(std::make_pair(l[0].x, l[0].y), std::make_pair(1.0f, -2.0f));
    EXPECT_EQ(std::make_pair(l[1].x, l[1].y), std::make_pair(3.0f, -4.0f));
}

// --- vertex storage ------------------------------------------------------------

CSpriteGroup QuadsOf(const std::string& picture, int quads, int lines = 0) {
    CSpriteGroup group;
    for (int k = 0; k < quads; ++k)
        group.itemsB.push_back(CDrawItem::Quad(0, 0, 1, 1, picture));
    for (int k = 0; k < lines; ++k) {
        CDrawItem line;
        line.flags |= DRAW_LINE;
        group.itemsB.push_back(line);
    }
    return group;
}

// A board far larger than the storage a frame starts with is drawn whole:
// every block is placed, in order, and no notice says otherwise.
TEST_F(RendererTest, EveryBlockIsPlacedHoweverLargeTheFrame) {
    CSpriteGroup a = QuadsOf("devpic\\a.tga", 5000); // 30 000 vertices
    CSpriteGroup b = QuadsOf("devpic\\b.tga", 30);
    CSpriteGroup c = QuadsOf("devpic\\c.tga", 3, 5);
    const CFrame& frame = Frame({&a, &b, &c});
    ASSERT_EQ(frame.sprites.size(), 3u);
    EXPECT_EQ(frame.sprites[0].block.primitives, 10000u);
    EXPECT_EQ(frame.sprites[1].block.primitives, 60u);
    EXPECT_EQ(frame.sprites[1].block.start, 30000u);
    EXPECT_EQ(frame.sprites[2].block.primitives, 6u);
    EXPECT_EQ(frame.lines.primitives, 5u);
    EXPECT_EQ(frame.lines.start, 30198u);
    EXPECT_EQ(frame.vertices.size(), 30208u);
    EXPECT_FALSE(renderer->WarningSlot().active);
    EXPECT_TRUE(sound.played.empty());
}

// Only the graphics device can refuse a frame: the window reports it through
// the hand-over and the next frame shows the notice, with the warning sound.
TEST_F(RendererTest, ADeviceThatRefusesTheVerticesIsNoticed) {
    auto slot = std::make_shared<CFrameSlot>();
    renderer = std::make_unique<CFrameRenderer>(resources, &sound, slot);
    renderer->SetViewRect(0, 0, 800, 600);
    EmptyFrame(0);
    EXPECT_FALSE(renderer->WarningSlot().active);
    slot->ReportDrawFailure();
    const CFrame& frame = EmptyFrame(10);
    const CNotice warning = renderer->WarningSlot();
    EXPECT_EQ(warning.text, kCapacityNotice);
    EXPECT_EQ(warning.kind, NOTICE_WARNING);
    ASSERT_FALSE(sound.played.empty());
    EXPECT_EQ(sound.played.back(), std::string(kFakeAssets) + "warning.wav");
    ASSERT_EQ(frame.overlays.size(), 1u) << "shown in the same frame";
    EXPECT_FALSE(slot->TakeDrawFailure()) << "taken once";
}

// A frame that draws what was handed over last is not handed over again:
// the window keeps its picture and nothing is drawn while the bench rests.
TEST_F(RendererTest, OnlyAChangedPictureIsHandedOver) {
    auto slot = std::make_shared<CFrameSlot>();
    int published = 0;
    slot->SetNotify([&] { ++published; });
    renderer = std::make_unique<CFrameRenderer>(resources, &sound, slot);
    renderer->SetViewRect(0, 0, 800, 600);
    CSpriteGroup group;
    group.itemsB = {Quad("devpic\\a.tga")};
    auto present = [&](long long time) {
        Frame(group, time);
        renderer->Present();
    };
    present(0);
    EXPECT_EQ(published, 1);
    ASSERT_NE(slot->Take(), nullptr);
    present(10);
    present(20);
    EXPECT_EQ(published, 1) << "the same picture at a later time";
    EXPECT_EQ(slot->Take(), nullptr);

    struct Change {
        const char* name;
        std::function<void()> make;
    };
    const Change changes[] = {
        {"a moved quad", [&] { group.itemsB[0].SetRect(1, 0, 11, 10); }},
        {"a tint", [&] { group.itemsB[0].colour = 0x123456, group.itemsB[0].flags |= DRAW_TINT; }},
        {"another picture", [&] { group.itemsB[0].texture = "devpic\\b.tga", group.itemsB[0].Redraw(); }},
        {"a notice", [&] { renderer->PostNotice(CNotice{NOTICE_INFORMATION, 5000, 10, 10, 1, "提示"}); }},
        {"a clear colour", [&] { renderer->SetClearColour(0xFF000000); }},
        {"a view rectangle", [&] { renderer->SetViewRect(0, 0, 640, 480); }},
    };
    long long time = 30;
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        change.make();
        const int before = published;
        present(time += 10);
        EXPECT_EQ(published, before + 1);
        present(time += 10);
        EXPECT_EQ(published, before + 1) << "and then it rests again";
    }
}

// --- submission rules --------------------------------------------------------

TEST_F(RendererTest, HiddenItemsAreSkippedOnlyWhileTheirGenerationIsCurrent) {
    CSpriteGroup group;
    group.itemsB = {Quad("devpic\\a.tga")};
    group.itemsB[0].SetHidden(true);
    EXPECT_TRUE(Frame(group).sprites.empty());
    EXPECT_EQ(group.itemsB[0].flags, kDefaultDrawFlags | DRAW_HIDDEN) << "a skipped item is left alone";

    ASSERT_TRUE(renderer->ResetDevice());
    EXPECT_EQ(renderer->Generation(), 1u);
    const CFrame& once = Frame(group);
    EXPECT_EQ(once.sprites.size(), 1u) << "an item of an older generation is drawn and takes the new one";
    CDrawItem& item = group.itemsB[0];
    EXPECT_EQ(item.generation, 1u);
    EXPECT_TRUE(item.flags & DRAW_GENERATION) << "kept for the owner";
    EXPECT_FALSE(item.flags & (DRAW_RELOAD | DRAW_SUBMITTED)) << "cleared after lookup and emission";
    EXPECT_NE(item.handle, nullptr);
    EXPECT_TRUE(Frame(group).sprites.empty()) << "hidden again from the next frame";
}

TEST_F(RendererTest, MissingPictureIsDrawnUntexturedAndLookedUpAgainLater) {
    CSpriteGroup group;
    group.itemsB = {Quad("devpic\\late.tga")};
    const int loadsBefore = loader->loads;
    const CFrame& first = Frame(group);
    ASSERT_EQ(first.sprites.size(), 1u);
    EXPECT_EQ(first.sprites[0].texture, nullptr);
    EXPECT_EQ(loader->requested.back(), std::string(kFakeAssets) + "devpic/late.tga")
        << "backslashes become '/'";
    Frame(group);
    EXPECT_EQ(loader->loads, loadsBefore + 1) << "the item looks up only when asked to";

    loader->Add("devpic\\late.tga"); // the file appears
    group.itemsB[0].Redraw();
    const CFrame& later = Frame(group);
    ASSERT_EQ(later.sprites.size(), 1u);
    ASSERT_NE(later.sprites[0].texture, nullptr) << "a failed load was not remembered";
    EXPECT_EQ(later.sprites[0].texture->name, "devpic\\late.tga");
    EXPECT_EQ(renderer->GetTexture("devpic\\late.tga"), later.sprites[0].texture.get());
}

TEST_F(RendererTest, PulseStepsThreeForQuadsOneForLinesAndTurnsAtTheLimits) {
    struct Case {
        const char* name;
        bool line, rising;
        std::uint8_t min, max, alpha;
        std::uint8_t expectedAlpha;
        bool expectedRising;
    };
    const Case cases[] = {
        {"quad rises by 3", false, true, 10, 200, 100, 103, true},
        {"line rises by 1", true, true, 10, 200, 100, 101, true},
        {"quad at the top turns down", false, true, 10, 200, 199, 196, false},
        {"quad near 255 turns instead of wrapping", false, true, 0, 255, 254, 251, false},
        {"quad falls by 3", false, false, 10, 200, 100, 97, false},
        {"quad at the bottom turns up", false, false, 10, 200, 11, 14, true},
        {"line near 0 turns instead of wrapping", true, false, 0, 255, 0, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSpriteGroup group;
        CDrawItem item = c.line ? Line(0, 0, 5, 5) : Quad("devpic\\a.tga");
        item.flags |= DRAW_PULSE | (c.rising ? DRAW_PULSE_UP : 0u);
        item.alphaMin = c.min, item.alphaMax = c.max, item.alpha = c.alpha;
        group.itemsB = {item};
        const CFrame& frame = Frame(group);
        EXPECT_EQ(group.itemsB[0].alpha, c.expectedAlpha);
        EXPECT_EQ((group.itemsB[0].flags & DRAW_PULSE_UP) != 0, c.expectedRising);
        const CDrawBlock& block = c.line ? frame.lines : frame.sprites[0].block;
        EXPECT_EQ(frame.vertices[block.start].colour >> 24, c.expectedAlpha);
    }
}

TEST_F(RendererTest, TurnedQuadCornersRotateAboutTheTruncatedCentre) {
    const float l = 3, t = 4, r = 24, b = 15; // centre (13.5, 9.5) truncates to (13, 9)
    for (float angle : {0.3f, -1.2f, std::numbers::pi_v<float> / 2, 0.0011f}) {
        SCOPED_TRACE(angle);
        CSpriteGroup group;
        CDrawItem item = Quad("devpic\\a.tga", l, t, r, b);
        item.flags |= DRAW_ROTATE;
        item.angle = angle;
        group.itemsB = {item};
        const CFrame& frame = Frame(group);
        const std::vector<CVertex> v = Vertices(frame, frame.sprites[0].block);
        // The half-diagonal is measured from the true centre, the turn is
        // about the truncated one: each corner keeps its distance g.
        const float cx = 13, cy = 9, hw = (r - l) / 2, hh = (b - t) / 2;
        const float corner[4][2] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
        const int vertexOf[4] = {0, 1, 4, 2};
        for (int k = 0; k < 4; ++k) {
            const float x = cx + corner[k][0] * std::cos(angle) - corner[k][1] * std::sin(angle);
            const float y = cy + corner[k][0] * std::sin(angle) + corner[k][1] * std::cos(angle);
            EXPECT_NEAR(v[vertexOf[k]].x, x, 1e-3) << "corner " << k;
            EXPECT_NEAR(v[vertexOf[k]].y, -y, 1e-3) << "corner " << k;
        }
    }
}

TEST_F(RendererTest, TinyAngleOrNoTurnFlagDrawsUpright) {
    const std::pair<std::uint32_t, float> cases[] = {
        {DRAW_ROTATE, 0.001f}, {DRAW_ROTATE, -0.001f}, {0u, 1.0f}};
    for (auto [flags, angle] : cases) {
        CSpriteGroup group;
        CDrawItem item = Quad("devpic\\a.tga", 3, 4, 24, 15);
        item.flags |= flags;
        item.angle = angle;
        group.itemsB = {item};
        const CFrame& frame = Frame(group);
        const std::vector<CVertex> v = Vertices(frame, frame.sprites[0].block);
        EXPECT_EQ(v[0].x, 3.0f) << angle;
        EXPECT_EQ(v[0].y, -4.0f) << angle;
        EXPECT_EQ(v[4].x, 24.0f) << angle;
        EXPECT_EQ(v[4].y, -15.0f) << angle;
    }
}

// --- waveforms ---------------------------------------------------------------

TEST_F(RendererTest, WaveformRepeatsFromThePhaseOffsetAcrossTheSpan) {
    struct Case {
        const char* name;
        int thickness, divisor, phase, period, span;
        std::vector<float> repetitionsX; // origin x + k
        int passes;
    };
    const Case cases[] = {
        {"single pass, phase a quarter period", 1, 4, 1, 40, 100, {90, 130, 170}, 1},
        {"three passes", 2, 1, 0, 60, 100, {100, 160}, 3},
        {"five passes", 7, 1, 0, 100, 100, {100}, 5},
        {"zero divisor: no phase offset", 1, 0, 3, 50, 100, {100, 150}, 1},
        {"no period: one repetition, not an endless loop", 1, 1, 0, 0, 100, {100}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSpriteGroup group;
        group.hasWaveform = 1;
        group.originX = 100, group.originY = 50;
        group.thickness = c.thickness, group.divisor = c.divisor, group.phase = c.phase;
        group.period = c.period, group.span = c.span;
        group.polylines = {{{0, 0, 0}, {0, 1, 5}, {0, 2, -5}}, {{0, 0, 1}, {0, 3, 1}}};
        const CFrame& frame = Frame(group);
        ASSERT_EQ(frame.strips.size(), 2u);
        EXPECT_EQ(frame.strips[0].block.primitives, 2u);
        EXPECT_EQ(frame.strips[1].block.primitives, 1u);
        const auto& offsets = frame.strips[0].offsets;
        EXPECT_EQ(offsets, frame.strips[1].offsets) << "every strip of the group repeats alike";
        ASSERT_EQ(offsets.size(), c.repetitionsX.size() * c.passes);
        for (std::size_t r = 0; r < c.repetitionsX.size(); ++r) {
            float sumX = 0, sumY = 0;
            for (int p = 0; p < c.passes; ++p) {
                sumX += offsets[r * c.passes + p][0];
                sumY += offsets[r * c.passes + p][1];
            }
            // The thickness patterns are symmetric about the repetition's origin.
            EXPECT_NEAR(sumX / c.passes, c.repetitionsX[r], 1e-4);
            EXPECT_NEAR(sumY / c.passes, -50, 1e-4) << "origin y is negated, the trace's y points up";
        }
    }
}

TEST_F(RendererTest, WaveformColoursComeFromTheGroupOrFromEachPoint) {
    CSpriteGroup group;
    group.hasWaveform = 1;
    group.period = 10, group.span = 5;
    group.colour = 0x00FF00;
    group.polylines = {{{static_cast<float>(0x0000FF), 0, 0}, {static_cast<float>(0xFF0000), 1, 1}}};
    const CFrame& own = Frame(group);
    const std::vector<CVertex> v = Vertices(own, own.strips[0].block);
    EXPECT_EQ(v[0].colour, 0xFF0000FFu);
    EXPECT_EQ(v[1].colour, 0xFFFF0000u);
    EXPECT_EQ(std::make_pair(v[1].x, v[1].y), std::make_pair(1.0f, 1.0f)) << "trace y is not negated";
    group.flags = 0x2;
    const CFrame& shared = Frame(group);
    for (const CVertex& p : Vertices(shared, shared.strips[0].block))
        EXPECT_EQ(p.colour, 0xFF00FF00u);
}

// --- view rectangle ------------------------------------------------------------

TEST_F(RendererTest, ViewRectUnderFivePixelsIsIgnored) {
    renderer->SetViewRect(10, 20, 110.7f, 80.2f);
    const CRectF kept{10, 20, 110, 80}; // right and bottom recomputed from the truncated size
    const float ignored[][4] = {{0, 0, 4.9f, 100}, {0, 0, 100, 4}, {50, 50, 40, 90}};
    for (auto [l, t, r, b] : ignored) {
        renderer->SetViewRect(l, t, r, b);
        const CRectF now = renderer->ViewRect();
        EXPECT_EQ(std::tie(now.left, now.top, now.right, now.bottom),
                  std::tie(kept.left, kept.top, kept.right, kept.bottom));
    }
    const CFrame& frame = EmptyFrame(0);
    EXPECT_EQ(std::tie(frame.viewportX, frame.viewportY, frame.viewportWidth, frame.viewportHeight),
              std::make_tuple(10, 20, 100, 60));
}

TEST_F(RendererTest, BoardCornersLandOnTheViewportCorners) {
    renderer->SetViewRect(0, 30, 301, 231); // odd width: the translation truncates
    const CFrame& frame = EmptyFrame(0);
    const auto m = frame.Transform();
    const auto clip = [&](float bx, float by) { // board point -> normalised device x, y
        const float x = bx, y = -by;
        return std::pair{x * m[0] + y * m[4] + m[12], x * m[1] + y * m[5] + m[13]};
    };
    const auto [x0, y0] = clip(0, 0);
    const auto [x1, y1] = clip(301, 201);
    // w div 2 and h div 2 truncate: odd sizes put the board half a pixel aside.
    EXPECT_NEAR(x0, -1 + 1.0 / 301, 1e-4);
    EXPECT_NEAR(y0, 1 - 1.0 / 201, 1e-4);
    EXPECT_NEAR(x1, 1 + 1.0 / 301, 1e-4);
    EXPECT_NEAR(y1, -1 - 1.0 / 201, 1e-4);
    const auto [sx, sy] = [&] {
        const auto s = frame.Transform(10, -20);
        return std::pair{s[12] - m[12], s[13] - m[13]};
    }();
    EXPECT_NEAR(sx, 20.0 / 301, 1e-4) << "a strip offset moves by board pixels";
    EXPECT_NEAR(sy, -40.0 / 201, 1e-4);
}

TEST(AssetPathTest, NamesBecomePathsBelowTheAssetFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"devpic\\panal\\above.tga", "/data/ampera/devpic/panal/above.tga"},
        {"warning.wav", "/data/ampera/warning.wav"},
        {"/abs/file.bmp", "/abs/file.bmp"},
    };
    setenv("AMPERA_DATA", "/data/ampera", 1); // a missing trailing slash is added
    for (auto [name, path] : cases)
        EXPECT_EQ(AssetPath(name), path) << name;
    EXPECT_EQ(AssetDirectory(), "/data/ampera/");
    unsetenv("AMPERA_DATA");
}

TEST_F(RendererTest, NullRendererSucceedsAndDoesNothing) {
    CNullRenderer null;
    CSpriteGroup group = QuadsOf("devpic\\a.tga", 3);
    EXPECT_TRUE(null.BeginFrame(0));
    null.DrawGroup(group);
    null.EndFrame(0);
    EXPECT_TRUE(null.ResetDevice());
    EXPECT_TRUE(null.IsDeviceReady());
    EXPECT_EQ(null.GetTexture("devpic\\a.tga"), nullptr);
    EXPECT_EQ(group.itemsB[0].flags, kDefaultDrawFlags);
}

} // namespace
} // namespace ampera::testing
