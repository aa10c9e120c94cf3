// The Qt side: the OpenGL backend draws real pixels (a textured, tinted,
// half-transparent quad, a line and text, rendered off screen and read back),
// the fallback to the do-nothing renderer, and the platform services.
#include "qt_platform.h"
#include "renderer_factory.h"

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace ampera::testing {
namespace {

// Runs the event loop of this (the user-interface) thread until `done`, at most 2 s.
template <class F> bool ProcessEventsUntil(F done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

class GlPixelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this display: pixel checks skipped";
        ASSERT_TRUE(assets.isValid());
        setenv("AMPERA_DATA", assets.path().toUtf8().constData(), 1);
    }
    void TearDown() override { unsetenv("AMPERA_DATA"); }

    // A 16 x 16 picture: top half white | grey, both opaque; bottom half
    // white at half alpha.
    void WritePicture(const QString& name) {
        QImage picture(16, 16, QImage::Format_ARGB32);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                picture.setPixel(x, y, y < 8 ? (x < 8 ? 0xFFFFFFFFu : 0xFF808080u) : 0x80FFFFFFu);
        ASSERT_TRUE(picture.save(assets.filePath(name), "PNG"));
    }

    static void ExpectColour(const QImage& image, int x, int y, QColor expected, const char* what) {
        const QColor got = image.pixelColor(x, y);
        const auto near = [](int a, int b) { return std::abs(a - b) <= 3; };
        EXPECT_TRUE(near(got.red(), expected.red()) && near(got.green(), expected.green()) &&
                    near(got.blue(), expected.blue()))
            << what << " at (" << x << ", " << y << "): got " << got.name().toStdString() << ", expected "
            << expected.name().toStdString();
    }

    QTemporaryDir assets;
};

TEST_F(GlPixelTest, TexturedTintedQuadLineAndTextLandOnTheirPixels) {
    WritePicture("pixel_test.png");
    CSpriteGroup group;
    CDrawItem quad = CDrawItem::Quad(10, 10, 42, 42, "pixel_test.png"); // drawn at twice the picture's size
    quad.flags |= DRAW_TINT;
    quad.colour = 0xFF8000; // orange
    CDrawItem line;
    line.flags |= DRAW_LINE | DRAW_TINT;
    line.SetRect(60, 20.5f, 120, 20.5f); // through the middle of pixel row 20
    line.colour = 0x0000FF;
    CDrawItem untextured = CDrawItem::Quad(60, 40, 80, 60, "missing.png");
    untextured.flags |= DRAW_TINT;
    untextured.colour = 0x00FF00;
    group.itemsB = {quad, line, untextured};

    CRenderScene scene;
    scene.view = {0, 0, 160, 100};
    scene.groups = {&group};
    scene.clearColour = 0xFFFFFFFF;
    scene.textColour = 0xFF00A000;
    scene.labels = {{"电阻R1", 10, 70}};
    std::string error;
    const QImage image = RenderToImage(scene, &error);
    ASSERT_FALSE(image.isNull()) << error;
    ASSERT_EQ(image.size(), QSize(160, 100));
    if (const char* dump = std::getenv("AMPERA_PIXEL_DUMP"))
        image.scaled(640, 400).save(dump); // to look at it

    ExpectColour(image, 5, 5, QColor(255, 255, 255), "background");
    ExpectColour(image, 17, 17, QColor(255, 128, 0), "white texel x orange tint");
    ExpectColour(image, 34, 17, QColor(128, 64, 0), "grey texel x orange tint");
    // Half-alpha orange over the white background.
    ExpectColour(image, 20, 36, QColor(255, 191, 127), "blended texel");
    ExpectColour(image, 9, 17, QColor(255, 255, 255), "left of the quad");
    ExpectColour(image, 43, 17, QColor(255, 255, 255), "right of the quad");
    ExpectColour(image, 90, 20, QColor(0, 0, 255), "line");
    ExpectColour(image, 90, 23, QColor(255, 255, 255), "below the line");
    ExpectColour(image, 70, 50, QColor(0, 255, 0), "missing picture: the quad in its vertex colour");

    // Text: four cells of 14 pixels from (10, 70), in the text colour.
    int inked = 0, foreign = 0;
    for (int y = 70; y < 84; ++y)
        for (int x = 10; x < 66; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(255, 255, 255)) continue;
            (std::abs(c.red() - 0) <= 3 && std::abs(c.green() - 0xA0) <= 3 && c.blue() <= 3 ? inked
                                                                                            : foreign)++;
        }
    EXPECT_GT(inked, 40) << "the label's glyphs were drawn";
    EXPECT_EQ(foreign, 0) << "glyph pixels are the text colour or transparent";
    int stray = 0;
    for (int y = 66; y < 90; ++y)
        for (int x = 68; x < 160; ++x)
            stray += image.pixelColor(x, y) != QColor(255, 255, 255);
    EXPECT_EQ(stray, 0) << "nothing drawn beyond the label's four cells";
}

// A board of a few thousand items, far beyond the storage a frame starts
// with, lands on the screen whole: the last quad drawn is there too.
TEST_F(GlPixelTest, AFrameOfManyThousandVerticesIsDrawnWhole) {
    CSpriteGroup group;
    for (int i = 0; i < 4000; ++i) { // 24 000 vertices
        CDrawItem quad = CDrawItem::Quad(static_cast<float>(i % 80 * 2), static_cast<float>(i / 80 * 2),
                                         static_cast<float>(i % 80 * 2 + 2), static_cast<float>(i / 80 * 2 + 2),
                                         "missing.png");
        quad.flags |= DRAW_TINT;
        quad.colour = i == 3999 ? 0xFF0000 : 0x0000FF;
        group.itemsB.push_back(quad);
    }
    CRenderScene scene;
    scene.view = {0, 0, 160, 100};
    scene.groups = {&group};
    std::string error;
    const QImage image = RenderToImage(scene, &error);
    ASSERT_FALSE(image.isNull()) << error;
    ExpectColour(image, 1, 1, QColor(0, 0, 255), "the first quad");
    ExpectColour(image, 159, 99, QColor(255, 0, 0), "the last quad");
}

TEST_F(GlPixelTest, WindowDrawsTheNewestPresentedFrame) {
    QWidget window;
    window.resize(200, 120);
    CWindowRenderer made = CreateRenderer(&window, nullptr);
    ASSERT_TRUE(made.available);
    ASSERT_NE(made.view, nullptr);
    made.view->setGeometry(0, 0, 200, 120);
    window.show();
    EXPECT_TRUE(ProcessEventsUntil([&] { return made.renderer->IsDeviceReady(); })) << "the context came up";

    CRenderer& renderer = *made.renderer;
    renderer.SetViewRect(0, 20, 200, 120); // the view starts below a 20-pixel bar
    renderer.SetClearColour(0xFF202020);
    for (std::uint32_t colour : {0xFF0000u, 0x00FF00u}) { // the second frame replaces the first
        CSpriteGroup group;
        CDrawItem quad = CDrawItem::Quad(50, 30, 150, 70, "");
        quad.flags |= DRAW_TINT;
        quad.colour = colour;
        group.itemsB = {quad};
        ASSERT_TRUE(renderer.BeginFrame(0));
        renderer.DrawGroup(group);
        renderer.EndFrame(0);
        renderer.Present();
    }
    const QImage shown = made.view->grabFramebuffer();
    ASSERT_EQ(shown.size().width(), 200);
    ExpectColour(shown, 100, 20 + 50, QColor(0, 255, 0), "the newest frame's quad, 20 pixels down");
    ExpectColour(shown, 10, 60, QColor(0x20, 0x20, 0x20), "the clear colour inside the view");
    ExpectColour(shown, 100, 30, QColor(0x20, 0x20, 0x20), "above the quad");
}

// Only meaningful where OpenGL is missing; ctest runs it on the offscreen
// platform, which has no OpenGL.
TEST(RendererFactoryTest, WithoutOpenGLTheNullRendererStandsInAndTheFailureIsToldOnce) {
    if (OpenGLAvailable()) GTEST_SKIP() << "OpenGL works here; the fallback is checked where it does not";
    QWidget window;
    std::vector<QString> told;
    const auto report = [&](const QString& text) { told.push_back(text); };
    CWindowRenderer first = CreateRenderer(&window, nullptr, report);
    CWindowRenderer second = CreateRenderer(&window, nullptr, report);
    ASSERT_TRUE(first.renderer);
    EXPECT_FALSE(first.available);
    EXPECT_EQ(first.view, nullptr);
    EXPECT_NE(dynamic_cast<CNullRenderer*>(first.renderer.get()), nullptr);
    EXPECT_TRUE(first.renderer->BeginFrame(0));
    EXPECT_NE(dynamic_cast<CNullRenderer*>(second.renderer.get()), nullptr);
    ASSERT_EQ(told.size(), 1u) << "once per process";
    EXPECT_EQ(told[0].toStdString(), "警告: 无法生成绘制环境");
}

TEST(QtPlatformTest, TasksFromAnotherThreadRunOnTheUserInterfaceThread) {
    CQtPlatform platform;
    std::atomic<bool> ran{false};
    std::atomic<bool> onUiThread{false};
    std::thread loop([&] {
        platform.RunOnUi([&] {
            onUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
            ran = true;
        });
    });
    loop.join();
    EXPECT_FALSE(ran.load()) << "queued, not run on the posting thread";
    EXPECT_TRUE(ProcessEventsUntil([&] { return ran.load(); }));
    EXPECT_TRUE(onUiThread.load());
}

// A short 8-bit mono PCM sound.
QByteArray WaveFile() {
    const int samples = 800;
    QByteArray wav;
    const auto u32 = [&](quint32 v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](quint16 v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
    wav += "RIFF";
    u32(36 + samples);
    wav += "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    wav += "data";
    u32(samples);
    for (int k = 0; k < samples; ++k)
        wav.append(static_cast<char>(k % 16 < 8 ? 0x40 : 0xC0));
    return wav;
}

TEST(QtPlatformTest, PlayingNeverBlocksWithOrWithoutAnAudioDeviceOrFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("warning.wav"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WaveFile());
    file.close();

    CQtPlatform platform;
    QElapsedTimer timer;
    timer.start();
    for (int k = 0; k < 3; ++k) {
        platform.PlaySound(dir.filePath("warning.wav").toStdString());
        platform.PlaySound(dir.filePath("missing.wav").toStdString());
    }
    EXPECT_LT(timer.elapsed(), 100) << "playing is only queued";
    std::atomic<bool> after{false};
    platform.RunOnUi([&] { after = true; });
    EXPECT_TRUE(ProcessEventsUntil([&] { return after.load(); })) << "the sounds did not hold up the queue";
    EXPECT_LT(timer.elapsed(), 2000);
}

} // namespace
} // namespace ampera::testing

int main(int argc, char** argv) {
    // Without any display the xcb platform would abort: fall back to the
    // offscreen platform, where the pixel checks skip themselves.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
