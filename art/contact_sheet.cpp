#include "contact_sheet.h"

#include "manifest.h"
#include "paint.h"

#include "core/experiment.h"
#include "devices/ac_millivoltmeter.h"
#include "devices/ac_source.h"
#include "devices/dc_ammeter.h"
#include "devices/dc_source.h"
#include "devices/dc_voltmeter.h"
#include "devices/device.h"
#include "devices/double_switch.h"
#include "devices/galvanometer.h"
#include "devices/kind_registry.h"
#include "devices/level_meter.h"
#include "devices/multimeter.h"
#include "devices/oscilloscope.h"
#include "devices/panel_layout.h"
#include "devices/signal_generator.h"
#include "devices/single_switch.h"
#include "devices/slide_rheostat.h"

#include <QDir>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace art {

namespace {

using ampera::CDevice;
using ampera::CDeviceKind;
using ampera::CDrawItem;
using ampera::CKindEntry;
using ampera::CSpriteGroup;

class Library {
  public:
    explicit Library(const QString& folder) : m_folder(folder) {}
    const QImage& Get(const std::string& name) {
        auto it = m_cache.find(name);
        if (it != m_cache.end()) return it->second;
        QImage image(QDir(m_folder).filePath(QString::fromStdString(FilePath(name))));
        if (image.isNull()) {
            std::fprintf(stderr, "contact sheet: cannot read %s\n", name.c_str());
            ++m_missing;
        }
        return m_cache[name] = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    int Missing() const { return m_missing; }

  private:
    QString m_folder;
    std::map<std::string, QImage> m_cache;
    int m_missing = 0;
};

// Draws one record the way the renderer does: the texture's u/v rectangle
// over the item's rectangle, turned about its centre when flagged.
void DrawItem(QPainter& p, Library& lib, const CDrawItem& item) {
    if (item.Hidden()) return;
    if (item.flags & ampera::DRAW_LINE) {
        p.setPen(QPen(QColor::fromRgb(item.colour), 1));
        p.drawLine(QPointF(item.left, item.top), QPointF(item.right, item.bottom));
        return;
    }
    if (item.texture.empty() || item.right <= item.left || item.bottom <= item.top) return;
    const QImage& texture = lib.Get(item.texture);
    if (texture.isNull()) return;
    const QRectF source(item.u[0] * texture.width(), item.v[0] * texture.height(),
                        (item.u[2] - item.u[0]) * texture.width(),
                        (item.v[2] - item.v[0]) * texture.height());
    const QRectF target(item.left, item.top, item.right - item.left, item.bottom - item.top);
    p.save();
    if ((item.flags & ampera::DRAW_ROTATE) && std::fabs(item.angle) > 0.001) {
        p.translate(target.center());
        p.rotate(item.angle * 180 / 3.14159265358979);
        p.drawImage(QRectF(-target.width() / 2, -target.height() / 2, target.width(), target.height()),
                    texture, source);
    } else {
        p.drawImage(target, texture, source);
    }
    p.restore();
}

// The renderer batches a frame's quads by texture and draws the shared panel
// sheet after every other texture and the rheostat slider after that: emulated
// here per group (other textures in the order they first appear).
void DrawGroup(QPainter& p, Library& lib, const CSpriteGroup& group) {
    std::vector<const CDrawItem*> all;
    for (const CDrawItem& item : group.itemsB)
        all.push_back(&item);
    for (const CDrawItem& item : group.itemsA)
        all.push_back(&item);
    auto Rank = [](const CDrawItem* item) {
        return item->texture == "devpic\\resglideflip.tga"   ? 2
               : item->texture == "devpic\\panal\\above.tga" ? 1
                                                             : 0;
    };
    std::vector<std::string> order;
    for (const CDrawItem* item : all)
        if (Rank(item) == 0 && std::find(order.begin(), order.end(), item->texture) == order.end())
            order.push_back(item->texture);
    for (const std::string& texture : order)
        for (const CDrawItem* item : all)
            if (Rank(item) == 0 && item->texture == texture) DrawItem(p, lib, *item);
    for (int rank : {1, 2})
        for (const CDrawItem* item : all)
            if (Rank(item) == rank) DrawItem(p, lib, *item);
    if (!group.hasWaveform) return;
    for (const auto& line : group.polylines) {
        QPolygonF points;
        for (const ampera::CWavePoint& pt : line)
            points << QPointF(group.originX + pt.x, group.originY - pt.y);
        const auto argb =
            static_cast<QRgb>(line.empty() ? 0xff00ff00u : static_cast<std::uint32_t>(line.front().colour));
        p.setPen(QPen(QColor::fromRgba(argb | 0xff000000u), 2));
        p.drawPolyline(points);
    }
}

// Lays cells out in rows.
class Layout {
  public:
    Layout(QPainter& p, int width) : m_p(p), m_width(width) {}
    void Heading(const QString& text) {
        NewRow();
        m_y += 10;
        Text(m_p, QRectF(10, m_y, m_width - 20, 24), text, 18, colour::kAccent,
             Qt::AlignLeft | Qt::AlignVCenter, true);
        m_y += 30;
    }
    QPointF Place(QSizeF size, const QString& caption) {
        const double margin = 20;
        if (m_x + size.width() + 2 * margin > m_width) NewRow();
        const QPointF at(m_x + margin, m_y + margin);
        Text(m_p, QRectF(at.x(), at.y() + size.height() + 8, std::max(size.width(), 120.0), 14), caption, 10,
             colour::kInkSoft, Qt::AlignLeft | Qt::AlignTop);
        m_x += size.width() + 2 * margin;
        m_rowHeight = std::max(m_rowHeight, size.height() + 2 * margin + 20);
        return at;
    }
    void NewRow() {
        m_y += m_rowHeight;
        m_x = 0;
        m_rowHeight = 0;
    }

  private:
    QPainter& m_p;
    int m_width;
    double m_x = 0, m_y = 0, m_rowHeight = 0;
};

struct QuietSink : ampera::INoticeSink {
    void PostNotice(const ampera::CNotice&) override {}
    void AddLabel(const std::string&, int, int) override {}
};

// The registry's entry of a kind.
const CKindEntry& EntryOf(const CDeviceKind& kind) {
    for (const CKindEntry& entry : ampera::DeviceKinds())
        if (entry.kind == &kind) return entry;
    throw std::logic_error(std::string("kind not registered: ") + kind.bodyPicture);
}

// Places a device of a kind turned `turns` times to the left, so that its
// region's top-left corner lands at `at`, and returns it.
CDevice* Place(ampera::CExperiment& ex, const CKindEntry& kind, QPointF at, int turns = 0) {
    std::unique_ptr<CDevice> proto(kind.create());
    // A device turns about its first terminal: find where its region ends up
    // relative to the point it was placed at, then place it for real.
    CDevice* probe = proto->PlaceAt(ex, 0, 0);
    for (int i = 0; i < turns; ++i)
        probe->RotateLeft();
    float l, t, r, b;
    probe->GetRegion(l, t, r, b);
    CDevice* d = proto->PlaceAt(ex, static_cast<int>(at.x() - l), static_cast<int>(at.y() - t));
    for (int i = 0; i < turns; ++i)
        d->RotateLeft();
    return d;
}

// The panel picture's rectangle: the panel's size.
QRectF PanelRect(const CDevice& d) {
    for (const CDrawItem& item : d.m_panelGroup.itemsB)
        if (item.texture.rfind("devpic\\panal\\", 0) == 0 && item.texture != "devpic\\panal\\above.tga")
            return QRectF(item.left, item.top, item.right - item.left, item.bottom - item.top);
    return QRectF(0, 0, 100, 100);
}

void DrawOnBoard(QPainter& p, Library& lib, CDevice* d) {
    DrawGroup(p, lib, d->m_boardGroup);
    for (ampera::CNode* node : d->m_terminals)
        DrawGroup(p, lib, node->m_boardGroup);
}

// Clicks on a panel the way a student switching an instrument on would:
// the power key, and for the generators a waveform and the 1 k band.
void SwitchOn(CDevice* d) {
    namespace layout = ampera::layout;
    const std::vector<std::pair<const CDeviceKind*, std::vector<ampera::CPanelRect>>> clicks = {
        {&ampera::CDCSource::kKind, {layout::knob_source::kPowerRect}},
        {&ampera::CACSource::kKind, {layout::knob_source::kPowerRect}},
        {&ampera::CMultimeter::kKind, {layout::multimeter::kPowerRect}},
        {&ampera::CDCVoltmeter::kKind, {layout::dc_meter::kPowerRect}},
        {&ampera::CDCAmmeter::kKind, {layout::dc_meter::kPowerRect}},
        {&ampera::CACMillivoltmeter::kKind, {layout::ac_meter::kPowerRect}},
        {&ampera::CGalvanometer::kKind, {layout::ac_meter::kPowerRect}},
        {&ampera::COscilloscope::kKind, {layout::oscilloscope::kPowerRect}},
        {&ampera::CSignalGenerator::kKind,
         {layout::signal_generator::kPowerRect, layout::signal_generator::kWaveRects[0],
          layout::signal_generator::kBandRects[3]}},
        {&ampera::CLevelMeter::kKind, {layout::level_meter::kPowerRect, layout::level_meter::kBandRects[3]}}};
    for (const auto& [kind, rects] : clicks) {
        if (kind != &d->Kind()) continue;
        for (const ampera::CPanelRect& r : rects)
            d->PanelButtonDown((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
}

void Draw(QPainter& p, Library& lib, int width) {
    ampera::CExperiment ex;
    QuietSink sink;
    ex.SetNoticeSink(&sink);
    ex.Solver().SetTraceStream(nullptr);

    Layout layout(p, width);
    layout.Heading(QStringLiteral("实物图：每种器材及其接线端节点（按程序放置）"));
    for (const CKindEntry& kind : ampera::DeviceKinds()) {
        const ampera::geometry::CBodyGeometry& g = kind.kind->body;
        const QPointF at =
            layout.Place(QSizeF(g.width + 24, g.height + 24), QString::number(kind.kind->typeCode));
        DrawOnBoard(p, lib, Place(ex, kind, at + QPointF(12, 12)));
    }
    layout.Heading(QStringLiteral("开关状态与转动（向左转 0、1、2、3 次）"));
    for (const CDeviceKind* type : {&ampera::CSingleSwitch::kKind, &ampera::CDoubleSwitch::kKind}) {
        const bool single = type == &ampera::CSingleSwitch::kKind;
        const ampera::geometry::CBodyGeometry& g = type->body;
        for (int turns = 0; turns < 4; ++turns) {
            const double side = std::max(g.width, g.height) + 24;
            const QPointF at = layout.Place(QSizeF(side, side), QStringLiteral("闭合 ×%1").arg(turns));
            CDevice* d = Place(ex, EntryOf(*type), at + QPointF(12, 12), turns);
            float l, t, r, b;
            d->GetRegion(l, t, r, b);
            // Double click in the first contact zone (the device's own rule).
            const QPointF zone = single ? QPointF(turns % 2 ? (l + r) / 2 : (turns == 0 ? l + 75 : r - 75),
                                                  turns % 2 ? (turns == 1 ? b - 75 : t + 75) : (t + b) / 2)
                                        : QPointF(turns % 2 ? (l + r) / 2 : (turns == 0 ? l + 30 : r - 30),
                                                  turns % 2 ? (turns == 1 ? b - 30 : t + 30) : (t + b) / 2);
            if (single)
                static_cast<ampera::CSingleSwitch*>(d)->DoubleClick(zone.x(), zone.y());
            else
                static_cast<ampera::CDoubleSwitch*>(d)->DoubleClick(zone.x(), zone.y());
            DrawOnBoard(p, lib, d);
        }
    }
    for (const CDeviceKind* type :
         {&ampera::CMultimeter::kKind, &ampera::CSlideRheostat::kKind, &ampera::CDCSource::kKind}) {
        const ampera::geometry::CBodyGeometry& g = type->body;
        for (int turns = 1; turns < 4; ++turns) {
            const double side = std::max(g.width, g.height) + 24;
            const QPointF at =
                layout.Place(QSizeF(side, side), QStringLiteral("%1 ×%2").arg(type->typeCode).arg(turns));
            DrawOnBoard(p, lib, Place(ex, EntryOf(*type), at + QPointF(12, 12), turns));
        }
    }

    layout.Heading(QStringLiteral("面板：电源打开、电路求解后（步进按钮显示在第一个旋钮旁）"));
    std::vector<std::pair<CDevice*, QPointF>> panels;
    for (const CKindEntry& kind : ampera::DeviceKinds()) {
        std::unique_ptr<CDevice> probe(kind.create());
        if (probe->PanelItemCount() == 0 || probe->m_panelGroup.itemsB.empty()) continue;
        CDevice* d = Place(ex, kind, QPointF(-4000, -4000));
        SwitchOn(d);
        const QRectF face = PanelRect(*d);
        const QPointF at = layout.Place(face.size(), QString::number(kind.kind->typeCode));
        panels.emplace_back(d, at);
    }
    ex.UpdateCircuit(0);
    for (auto& [d, at] : panels) {
        for (ampera::CPanelControl* c : d->m_controls)
            if (c->IsSlideOrKnob()) {
                const auto r = c->GetRect();
                d->PanelButtonDown((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                break;
            }
        p.save();
        p.translate(at);
        p.setClipRect(PanelRect(*d).adjusted(-20, -20, 20, 20));
        DrawGroup(p, lib, d->m_panelGroup);
        p.restore();
    }

    layout.Heading(QStringLiteral("面板零件（共用面板图放大两倍）"));
    {
        const char* sheet = "devpic\\panal\\above.tga";
        const QPointF at = layout.Place(QSizeF(512, 512), QString::fromUtf8(sheet));
        for (int y = 0; y < 512; y += 16)
            for (int x = 0; x < 512; x += 16)
                p.fillRect(QRectF(at.x() + x, at.y() + y, 16, 16),
                           ((x + y) / 16) % 2 ? QColor(0xcc, 0xcc, 0xcc) : Qt::white);
        p.drawImage(QRectF(at, QSizeF(512, 512)), lib.Get(sheet));
    }
    for (const Asset& a : Manifest()) {
        if ((a.role != Role::PanelPart && a.role != Role::Board && a.role != Role::BodyState) ||
            a.turn != 0 || a.name == "devpic\\panal\\above.tga")
            continue;
        const double s = a.width <= 16 ? 4 : 1;
        const QPointF at = layout.Place(QSizeF(a.width * s, a.height * s), QString::fromStdString(a.name));
        p.fillRect(QRectF(at, QSizeF(a.width * s, a.height * s)), QColor(0xe0, 0xe0, 0xe0));
        p.drawImage(QRectF(at, QSizeF(a.width * s, a.height * s)), lib.Get(a.name));
    }
    layout.Heading(QStringLiteral("符号图（白色染成符号图的黄色）"));
    for (const Asset& a : Manifest()) {
        if (a.role != Role::Symbol) continue;
        const QPointF at = layout.Place(QSizeF(a.width, a.height), QString::fromStdString(a.name));
        QImage tinted = lib.Get(a.name).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < tinted.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(tinted.scanLine(y));
            for (int x = 0; x < tinted.width(); ++x)
                row[x] = qRgb(qRed(row[x]), qGreen(row[x]), 0);
        }
        p.fillRect(QRectF(at, QSizeF(a.width, a.height)).adjusted(-6, -6, 6, 6), QColor(0xff, 0xff, 0x00));
        p.drawImage(at, tinted);
    }
    layout.Heading(QStringLiteral("器材栏与图标"));
    for (const Asset& a : Manifest()) {
        if (a.role != Role::Bar && a.role != Role::Icon) continue;
        const double s = a.role == Role::Icon ? 2 : 1;
        const QPointF at = layout.Place(QSizeF(a.width * s, a.height * s), QString::fromStdString(a.name));
        p.drawImage(QRectF(at, QSizeF(a.width * s, a.height * s)), lib.Get(a.name));
    }
    layout.NewRow();
}

} // namespace

int ContactSheet(const QString& assetFolder, const QString& out, double scale) {
    QImageReader::setAllocationLimit(0);
    const int width = 1900;
    Library lib(assetFolder);
    QImage canvas(width, 9000, QImage::Format_ARGB32_Premultiplied);
    const QColor background(0xf7, 0xf8, 0xfa);
    canvas.fill(background);
    {
        QPainter p(&canvas);
        Prepare(p);
        Draw(p, lib, width);
    }
    // Trim the unused bottom.
    int height = canvas.height();
    for (int y = canvas.height() - 1; y > 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        bool blank = true;
        for (int x = 0; x < width && blank; ++x)
            blank = row[x] == background.rgba();
        if (!blank) {
            height = y + 20;
            break;
        }
    }
    QImage sheet = canvas.copy(0, 0, width, height);
    if (scale != 1.0)
        sheet = sheet.scaled(sheet.size() * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!sheet.save(out, "PNG")) {
        std::fprintf(stderr, "contact sheet: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("contact sheet: %s (%d x %d)\n", qPrintable(out), sheet.width(), sheet.height());
    return lib.Missing() == 0 ? 0 : 1;
}

} // namespace art
