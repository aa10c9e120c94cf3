// The generated asset folder: every manifest entry is there, loads at its
// size with alpha where the format keeps it, turned pictures really are the
// upright picture turned, the shared panel sheet holds something at every
// region the panels cut from it, and the warning sound is valid PCM.
#include "manifest.h"

#include "devices/panel_sheet.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

namespace {

QString PathOf(const std::string& name) {
    return QDir(QStringLiteral(AMPERA_ASSET_DIR)).filePath(QString::fromStdString(art::FilePath(name)));
}

QImage Load(const std::string& name) {
    return QImage(PathOf(name)).convertToFormat(QImage::Format_ARGB32);
}

std::string Extension(art::Format f) {
    switch (f) {
    case art::Format::Tga:
        return ".tga";
    case art::Format::Bmp:
        return ".bmp";
    case art::Format::Png:
        return ".png";
    case art::Format::Wav:
        return ".wav";
    case art::Format::Html:
        return ".html";
    }
    return {};
}

bool IsPicture(const art::Asset& a) {
    return a.format != art::Format::Wav && a.format != art::Format::Html;
}

TEST(Manifest, NamesAreUniqueAndMatchTheirFormat) {
    std::set<std::string> seen;
    for (const art::Asset& a : art::Manifest()) {
        EXPECT_TRUE(seen.insert(a.name).second) << "listed twice: " << a.name;
        EXPECT_EQ(a.name.find('/'), std::string::npos) << a.name << " must use backslashes";
        const std::string ext = Extension(a.format);
        EXPECT_TRUE(a.name.size() > ext.size() &&
                    a.name.compare(a.name.size() - ext.size(), ext.size(), ext) == 0)
            << a.name << " is not " << ext;
        if (!a.turnedFrom.empty()) {
            const art::Asset* base = art::Find(a.turnedFrom);
            ASSERT_NE(base, nullptr) << a.name;
            const bool swapped = a.turn == 90 || a.turn == 270;
            EXPECT_EQ(a.width, swapped ? base->height : base->width) << a.name;
            EXPECT_EQ(a.height, swapped ? base->width : base->height) << a.name;
        }
    }
}

TEST(AssetFolder, EveryPictureLoadsAtItsSizeWithAlphaWhereTheFormatHasIt) {
    int pictures = 0;
    for (const art::Asset& a : art::Manifest()) {
        ASSERT_TRUE(QFile::exists(PathOf(a.name))) << a.name;
        if (!IsPicture(a)) continue;
        const QImage image(PathOf(a.name));
        ASSERT_FALSE(image.isNull()) << a.name << " does not load";
        EXPECT_EQ(image.width(), a.width) << a.name;
        EXPECT_EQ(image.height(), a.height) << a.name;
        if (art::HasAlpha(a.format)) {
            EXPECT_TRUE(image.hasAlphaChannel()) << a.name;
        }
        ++pictures;
    }
    EXPECT_GT(pictures, 150);
}

TEST(AssetFolder, ChineseNamesAreUtf8OnDisk) {
    // "devpic\\panal\\交流电压源.tga", spelled as its UTF-8 bytes.
    const std::string name = "/devpic/panal/\xe4\xba\xa4\xe6\xb5\x81\xe7\x94\xb5\xe5\x8e\x8b\xe6\xba\x90.tga";
    EXPECT_TRUE(std::filesystem::exists(std::string(AMPERA_ASSET_DIR) + name));
}

// Where pixel (x, y) of a w x h picture lands after a counter-clockwise turn.
std::pair<int, int> TurnedLeft(int x, int y, int w, int h, int turn) {
    switch (turn) {
    case 90:
        return {y, w - 1 - x};
    case 180:
        return {w - 1 - x, h - 1 - y};
    default:
        return {h - 1 - y, x};
    }
}

TEST(AssetFolder, TurnedPicturesAreTheUprightPictureTurnedCounterClockwise) {
    int checked = 0;
    for (const art::Asset& a : art::Manifest()) {
        if (a.turnedFrom.empty()) continue;
        const QImage base = Load(a.turnedFrom), turned = Load(a.name);
        ASSERT_FALSE(base.isNull() || turned.isNull()) << a.name;
        int wrong = 0;
        for (int y = 0; y < base.height(); ++y)
            for (int x = 0; x < base.width(); ++x) {
                const auto [tx, ty] = TurnedLeft(x, y, base.width(), base.height(), a.turn);
                if (turned.pixel(tx, ty) != base.pixel(x, y)) ++wrong;
            }
        EXPECT_EQ(wrong, 0) << a.name << " is not " << a.turnedFrom << " turned by " << a.turn;
        ++checked;
    }
    EXPECT_GE(checked, 48);
}

TEST(AssetFolder, TgaKeepsTransparencyAroundAComponent) {
    // A resistor is leads and a body on nothing: the corners must stay clear
    // and the body opaque, or the board shows boxes round every part.
    const QImage r = Load("devpic\\comres.tga");
    ASSERT_FALSE(r.isNull());
    EXPECT_EQ(qAlpha(r.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(r.pixel(r.width() - 2, r.height() - 2)), 0);
    EXPECT_EQ(qAlpha(r.pixel(r.width() / 2, r.height() / 2)), 255);
    // The glyph page starts empty: the renderer writes glyphs into it.
    const QImage page = Load("devpic\\font.tga");
    for (int y = 0; y < page.height(); y += 7)
        for (int x = 0; x < page.width(); x += 7)
            ASSERT_EQ(qAlpha(page.pixel(x, y)), 0) << x << "," << y;
}

// Share of pixels in a sheet region (u/v corners) that are not transparent.
double Covered(const QImage& sheet, const ampera::CPanelRect& uv) {
    const int x0 = static_cast<int>(std::lround(uv.left * 256)),
              x1 = static_cast<int>(std::lround(uv.right * 256));
    const int y0 = static_cast<int>(std::lround(uv.top * 256)),
              y1 = static_cast<int>(std::lround(uv.bottom * 256));
    int drawn = 0, all = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++all)
            if (qAlpha(sheet.pixel(x, y)) > 0) ++drawn;
    return all ? static_cast<double>(drawn) / all : 0;
}

TEST(PanelSheet, EveryRegionThePanelsCutIsDrawn) {
    namespace s = ampera::sheet;
    const QImage sheet = Load(s::kPicture);
    ASSERT_EQ(sheet.size(), QSize(256, 256));
    const struct {
        const char* what;
        ampera::CPanelRect uv;
        double least;
    } regions[] = {
        {"needle", s::kNeedle, 0.12},
        {"decimal point", s::kDecimalPoint, 0.7},
        {"unit bar", s::kUnitBar, 0.7},
        {"step down released", s::kStepDownReleased, 0.8},
        {"step down pressed", s::kStepDownPressed, 0.8},
        {"step up released", s::kStepUpReleased, 0.8},
        {"step up pressed", s::kStepUpPressed, 0.8},
        {"waveform released", s::kWaveReleased, 0.9},
        {"waveform pressed", s::kWavePressed, 0.9},
        {"band released", s::kBandReleased, 0.9},
        {"band pressed", s::kBandPressed, 0.9},
        {"power on", s::kPowerOn, 0.9},
        {"power off", s::kPowerOff, 0.9},
    };
    for (const auto& r : regions)
        EXPECT_GE(Covered(sheet, r.uv), r.least) << r.what;
    // Pressed and released looks must differ, or a click shows nothing.
    auto Cut = [&](const ampera::CPanelRect& uv) {
        return sheet.copy(QRect(QPoint(std::lround(uv.left * 256), std::lround(uv.top * 256)),
                                QPoint(std::lround(uv.right * 256) - 1, std::lround(uv.bottom * 256) - 1)));
    };
    EXPECT_NE(Cut(s::kStepDownPressed), Cut(s::kStepDownReleased));
    EXPECT_NE(Cut(s::kStepUpPressed), Cut(s::kStepUpReleased));
    EXPECT_NE(Cut(s::kPowerOn), Cut(s::kPowerOff));
    EXPECT_NE(Cut(s::kBandPressed).copy(0, 0, 40, 50), Cut(s::kBandReleased).copy(0, 0, 40, 50));
}

TEST(PanelSheet, DigitGlyphsAreDistinctAndStayInsideTheirCells) {
    const QImage sheet = Load(ampera::sheet::kPicture);
    const int height = static_cast<int>(ampera::sheet::kDigitV * 256);
    std::set<std::string> shapes;
    for (int d = 0; d < 10; ++d) {
        const double left = d * 256.0 / 15, right = (d + 1) * 256.0 / 15;
        std::string shape;
        int lit = 0;
        for (int y = 0; y < height; ++y)
            for (int x = static_cast<int>(std::ceil(left)); x < static_cast<int>(right); ++x) {
                const bool on = qAlpha(sheet.pixel(x, y)) > 128;
                shape += on ? '#' : '.';
                lit += on;
            }
        EXPECT_GT(lit, 20) << "digit " << d << " is blank";
        EXPECT_TRUE(shapes.insert(shape).second) << "digit " << d << " looks like another digit";
        // The columns at both cell edges are clear, so neighbouring digits
        // never bleed into a cell when it is sampled.
        for (int y = 0; y < height; ++y) {
            EXPECT_EQ(qAlpha(sheet.pixel(static_cast<int>(std::ceil(left)), y)), 0) << "digit " << d;
            EXPECT_EQ(qAlpha(sheet.pixel(static_cast<int>(right) - 1, y)), 0) << "digit " << d;
        }
    }
}

std::uint32_t U32(const QByteArray& b, int at) {
    return qFromLittleEndian<std::uint32_t>(b.constData() + at);
}
std::uint16_t U16(const QByteArray& b, int at) {
    return qFromLittleEndian<std::uint16_t>(b.constData() + at);
}

TEST(WarningSound, IsAShortSixteenBitMonoPcmChime) {
    QFile f(PathOf("warning.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    ASSERT_GE(b.size(), 44);
    EXPECT_EQ(b.left(4), "RIFF");
    EXPECT_EQ(U32(b, 4), static_cast<std::uint32_t>(b.size() - 8));
    EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(U16(b, 20), 1) << "PCM";
    EXPECT_EQ(U16(b, 22), 1) << "mono";
    const std::uint32_t rate = U32(b, 24);
    EXPECT_EQ(U16(b, 34), 16) << "bits per sample";
    EXPECT_EQ(U32(b, 28), rate * 2);
    EXPECT_EQ(b.mid(36, 4), "data");
    const std::uint32_t bytes = U32(b, 40);
    ASSERT_EQ(bytes, static_cast<std::uint32_t>(b.size() - 44));
    const double seconds = bytes / 2.0 / rate;
    EXPECT_GT(seconds, 0.2);
    EXPECT_LT(seconds, 1.0);
    int peak = 0;
    for (std::uint32_t i = 0; i < bytes; i += 2)
        peak = std::max(peak, std::abs(static_cast<int>(static_cast<std::int16_t>(U16(b, 44 + i)))));
    EXPECT_GT(peak, 8000) << "too quiet to hear";
    EXPECT_LT(peak, 32767) << "clipped";
    // Starts and ends at rest: no click.
    EXPECT_LT(std::abs(static_cast<std::int16_t>(U16(b, 44))), 500);
    EXPECT_LT(std::abs(static_cast<std::int16_t>(U16(b, 44 + bytes - 2))), 500);
}

TEST(HelpDocument, IsAChineseHtmlGuide) {
    QFile f(PathOf("help\\index.html"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("使用帮助")));
    EXPECT_TRUE(html.trimmed().endsWith(QStringLiteral("</html>")));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
