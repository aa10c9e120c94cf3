#include "oscilloscope.h"

#include "document/keydoc.h"

#include "panel_layout.h"
#include "panel_sheet.h"

#include "instrument_readings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace ampera {

namespace {

// Vertical gain by knob position, volts per division.
constexpr double kVoltsPerDivision[] = {5, 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005};
// Time base by knob position, seconds per division. The knob jumps from
// 1 s straight to 0.05 s: the slow sweeps between do not exist.
constexpr double kSecondsPerDivision[] = {2,      1,      0.05, 0.02, 0.01, 0.005, 0.002, 0.001, 0.0005,
                                          0.0002, 0.0001, 5e-5, 2e-5, 1e-5, 5e-6,  2e-6,  1e-6};
constexpr double kPositionStepPixels = 6; // a position knob moves its reference this far per step
constexpr int kCentredPosition = 6;
constexpr double kTimes5Factor = 0.2; // the x5 button divides the volts per division by five
constexpr double kShimmerPixels = 0.35;
// The figure is laid down once: its repetition period and span are equal.
constexpr int kFigureSpan = 215;
constexpr std::uint32_t kThickTrace = 3; // five offset passes

// Cursor lines: dashes of this many pixels with gaps as long, in colours
// apart from both traces'.
constexpr float kCursorDash = 4;
constexpr std::uint32_t kTimeCursorColour = 0xFFFF40;
constexpr std::uint32_t kVoltageCursorColour = 0x40FFFF;

// Room under the panel for the measurements, cursors and exports.
constexpr int kReportHeight = 112;

constexpr const char* kChannelNames[2] = {"通道一", "通道二"};

constexpr const char* kPanelPicture = "devpic\\panal\\sbq.tga";
constexpr const char* kScreenPicture = "pic_zxf\\sbq.bmp";
constexpr const char* kKnobPicture = "bulge.bmp";
constexpr const char* kDialPicture = "pic_zxf\\dial.tga";
constexpr const char* kSlidePicture = "aaa.bmp";

using layout::oscilloscope::kCoupling1Rect;
using layout::oscilloscope::kCoupling2Rect;
using layout::oscilloscope::kCouplingSlideWidth;
using layout::oscilloscope::kKnobScale;
using layout::oscilloscope::kModeRect;
using layout::oscilloscope::kModeSlide;
using layout::oscilloscope::kPowerRect;
using layout::oscilloscope::kTimeBaseRect;
using layout::oscilloscope::kTimes5Rect;
using layout::oscilloscope::kXPositionRect;
using layout::oscilloscope::kY1GainRect;
using layout::oscilloscope::kY1PositionRect;
using layout::oscilloscope::kY2GainRect;
using layout::oscilloscope::kY2PositionRect;

// The largest square centred in `r`, scaled by `scale` about its centre.
CPanelRect CentredSquare(const CPanelRect& r, float scale) {
    const float half = std::min(r.right - r.left, r.bottom - r.top) * scale / 2;
    const float cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    return {cx - half, cy - half, cx + half, cy + half};
}

template <std::size_t N> double FromTable(const double (&table)[N], int position) {
    return table[std::clamp(position, 0, static_cast<int>(N) - 1)];
}

} // namespace

const CDeviceKind COscilloscope::kKind{
    .typeCode = TYPE_OSCILLOSCOPE,
    .category = CATEGORY_METER,
    .namePrefix = "示波器",
    .bodyPicture = "devpic\\sbq.tga",
    .body = geometry::kOscilloscope,
    .propertyGroup = GROUP_SCREEN,
    .selectionHint = kPanelHint,
    .bar = {BAR_METERS, 5, "示波器", "示波器.bmp"},
    .symbols = OneSymbol({"abstract\\osc_little.bmp", 12, 10, 20, 20}),
};

// Every knob turns as many degrees per step as it has steps above zero.
COscilloscope::COscilloscope()
    : CDevice(kKind), m_y1Position(CKnob::Of(layout::oscilloscope::kPosition)),
      m_y2Position(CKnob::Of(layout::oscilloscope::kPosition)),
      m_y1Gain(CKnob::Of(layout::oscilloscope::kGain)), m_y2Gain(CKnob::Of(layout::oscilloscope::kGain)),
      m_xPosition(CKnob::Of(layout::oscilloscope::kPosition)),
      m_timeBase(CKnob::Of(layout::oscilloscope::kTimeBase)) {
    m_internalResistance = 999999;

    // Items: 0 panel, 1 screen, 2-13 six knobs each followed by its dial,
    // 14 mode slide, 15 x5 button, 16 power button, 17-18 coupling slides,
    // 19-20 the zero-level marks of the two channels at the screen's edge.
    auto& items = m_panelGroup.itemsB;
    items.push_back(CDrawItem::Quad(0, 0, layout::oscilloscope::kPanel.width,
                                    layout::oscilloscope::kPanel.height, kPanelPicture));
    items.push_back(CDrawItem::Quad(0, 0, static_cast<float>(kScreenWidth), static_cast<float>(kScreenHeight),
                                    kScreenPicture));

    auto add = [&](CPanelControl& control, const CPanelRect& hit, const char* label, const CDrawItem& item) {
        control.m_hitRect = hit;
        control.m_label = label;
        control.m_itemIndex = static_cast<int>(items.size());
        items.push_back(item);
        m_controls.push_back(&control);
    };
    auto addKnob = [&](CKnob& knob, const CPanelRect& hit, const char* label) {
        CDrawItem face = PanelPicture(CentredSquare(hit, kKnobScale), kKnobPicture);
        face.flags |= DRAW_ROTATE;
        add(knob, hit, label, face);
        items.push_back(PanelPicture(CentredSquare(hit, 1.0f), kDialPicture));
    };
    addKnob(m_y1Position, kY1PositionRect, "通道一纵轴位置");
    addKnob(m_y2Position, kY2PositionRect, "通道二纵轴位置");
    addKnob(m_y1Gain, kY1GainRect, "通道一纵轴增益");
    addKnob(m_y2Gain, kY2GainRect, "通道二纵轴增益");
    addKnob(m_xPosition, kXPositionRect, "横轴位置");
    addKnob(m_timeBase, kTimeBaseRect, "横轴增益");

    m_mode.m_slideRect0 = m_mode.m_slideRect = kModeSlide;
    add(m_mode, kModeRect, "输出模式选择", PanelPicture(kModeSlide, kSlidePicture));

    auto addButton = [&](CPanelButton& button, const CPanelRect& hit, const char* label,
                         const CPanelRect& released, const CPanelRect& pressed) {
        button.m_onLook = {sheet::kPicture, pressed};
        button.m_offLook = {sheet::kPicture, released};
        add(button, hit, label, PanelPicture(hit, sheet::kPicture));
    };
    addButton(m_times5, kTimes5Rect, "幅度增大五倍", sheet::kBandReleased, sheet::kBandPressed);
    addButton(m_power, kPowerRect, "开关", sheet::kPowerOff, sheet::kPowerOn);

    auto addCoupling = [&](CCouplingSwitch& coupling, const CPanelRect& hit, const char* label) {
        const CPanelRect slide{hit.left, hit.top, hit.left + kCouplingSlideWidth, hit.bottom};
        coupling.m_slideRect0 = coupling.m_slideRect = slide;
        add(coupling, hit, label, PanelPicture(slide, kSlidePicture));
    };
    addCoupling(m_coupling1, kCoupling1Rect, "通道一输出模式");
    addCoupling(m_coupling2, kCoupling2Rect, "通道二输出模式");

    for (int i = 0; i < 2; ++i) {
        CDrawItem mark = CDrawItem::Quad(0, 0, 0, 0, sheet::kPicture);
        mark.SetUV(sheet::kUnitBar.left, sheet::kUnitBar.top, sheet::kUnitBar.right, sheet::kUnitBar.bottom);
        items.push_back(mark);
    }

    for (CPanelControl* control : m_controls)
        control->ApplyLook(m_panelGroup);
    SealPanel();

    // The traces are drawn once, from the screen's bottom-left corner, in
    // the colour each point carries.
    m_panelGroup.hasWaveform = 1;
    m_panelGroup.originX = 0;
    m_panelGroup.originY = static_cast<std::int32_t>(kScreenHeight);
    m_panelGroup.span = kFigureSpan;
    m_panelGroup.period = kFigureSpan;
    m_panelGroup.divisor = 1;
    m_panelGroup.phase = 0;
    m_panelGroup.thickness = kThickTrace;
    m_panelGroup.flags = 0;
}

double COscilloscope::VoltsPerDivision(int channel) const {
    const double v = FromTable(kVoltsPerDivision, (channel == 0 ? m_y1Gain : m_y2Gain).Position());
    return m_times5.IsOn() ? v * kTimes5Factor : v;
}

double COscilloscope::SecondsPerDivision() const {
    return FromTable(kSecondsPerDivision, m_timeBase.Position());
}

double COscilloscope::ZeroLevel(int channel) const {
    const int p = (channel == 0 ? m_y1Position : m_y2Position).Position();
    return kScreenCentreY + kPositionStepPixels * (p - kCentredPosition);
}

void COscilloscope::ReadChannels() {
    const CCouplingSwitch* coupling[2] = {&m_coupling1, &m_coupling2};
    for (int c = 0; c < 2; ++c) {
        m_channels[c] = {};
        if (static_cast<std::size_t>(c) < m_branches.size()) {
            const CBranch& branch = *m_branches[static_cast<std::size_t>(c)];
            m_channels[c] = ChannelFromQuantity(branch.m_result.m_vol, branch.m_passVoltage);
        }
        // The middle position grounds the input: a flat line at the zero level.
        if (coupling[c]->m_state == 1) m_channels[c].kind = WAVE_NONE;
    }
}

void COscilloscope::ShowZeroMarkers(bool shown) {
    for (int c = 0; c < 2; ++c) {
        CDrawItem& mark = m_panelGroup.itemsB[static_cast<std::size_t>(kZeroMarkerItem[c])];
        const bool drawn = shown && (Mode() == c || Mode() == SCOPE_BOTH);
        const float y = static_cast<float>(kScreenHeight - ZeroLevel(c));
        if (drawn)
            mark.SetRect(0, y - 1.5f, 13, y + 1.5f);
        else
            mark.SetRect(0, 0, 0, 0);
    }
}

void COscilloscope::Update(const CUpdateContext&) {
    m_panelGroup.polylines.clear();
    m_panelGroup.itemsA.clear();
    m_boardGroup.itemsA.clear();
    m_polylines.clear();

    ReadChannels();
    m_shimmerUp = !m_shimmerUp;
    m_xReference = kScreenCentreX + kPositionStepPixels * (m_xPosition.Position() - kCentredPosition) +
                   (m_shimmerUp ? kShimmerPixels : 0);
    if (!IsPowered()) {
        ShowZeroMarkers(false);
        return;
    }

    const double s = SecondsPerDivision();
    const CChannelScale scale[2] = {{VoltsPerDivision(0), ZeroLevel(0)}, {VoltsPerDivision(1), ZeroLevel(1)}};
    auto draw = [&](std::vector<CPolyline> lines) {
        m_polylines.insert(m_polylines.end(), std::make_move_iterator(lines.begin()),
                           std::make_move_iterator(lines.end()));
    };
    switch (Mode()) {
    case SCOPE_CHANNEL_1:
        draw(ChannelTrace(m_channels[0], scale[0], m_xReference, s, kTraceGreen));
        break;
    case SCOPE_CHANNEL_2:
        draw(ChannelTrace(m_channels[1], scale[1], m_xReference, s, kTraceGreen));
        break;
    case SCOPE_BOTH:
        // Channel 1 last, so that it lies over channel 2.
        draw(ChannelTrace(m_channels[1], scale[1], m_xReference, s, kTraceGreen));
        draw(ChannelTrace(m_channels[0], scale[0], m_xReference, s, kTraceRed));
        break;
    default:
        draw(XYFigure(m_channels[0], scale[0], m_channels[1], scale[1], m_xReference, s, kTraceGreen));
        break;
    }
    // The samples run past the screen's right edge and a large signal past
    // its top and bottom; only what falls on the screen is drawn.
    m_panelGroup.polylines = ClipToScreen(m_polylines, kScreenWidth, kScreenHeight);
    ShowZeroMarkers(true);
    DrawCursors();
}

bool COscilloscope::ChannelShown(int channel) const {
    return Mode() == channel || Mode() == SCOPE_BOTH || Mode() == SCOPE_XY;
}

CChannelMeasurements COscilloscope::Measure(int channel) const {
    if (!IsPowered()) return {};
    return MeasureChannel(Channel(channel));
}

int COscilloscope::CursorChannel() const {
    switch (Mode()) {
    case SCOPE_CHANNEL_1:
        return 0;
    case SCOPE_CHANNEL_2:
    case SCOPE_XY:
        return 1;
    default:
        return m_cursors.channel;
    }
}

CScreenReport COscilloscope::Report() const {
    CScreenReport report;
    report.quantities = {"峰峰值", "最大值", "最小值", "平均值", "有效值", "频率", "周期"};
    for (int c = 0; c < 2; ++c) {
        if (!ChannelShown(c)) continue;
        const CChannelMeasurements m = Measure(c);
        auto volts = [&](double v) { return m.measured ? VoltsText(v) : std::string(kUndefinedText); };
        report.channels.push_back({kChannelNames[c],
                                   {volts(m.vpp), volts(m.vmax), volts(m.vmin), volts(m.mean), volts(m.rms),
                                    HertzText(m.frequency), SecondsText(m.period)}});
    }
    if (m_cursors.shown) {
        const bool dark = !IsPowered();
        const int c = CursorChannel();
        const CCursorReadout r =
            ReadCursors(m_cursors, SecondsPerDivision(), VoltsPerDivision(c), Mode() == SCOPE_XY);
        report.cursors = {
            {"Δt", dark ? kUndefinedText : SecondsText(r.deltaT)},
            {"1/Δt", dark ? kUndefinedText : HertzText(r.inverseDeltaT)},
            {std::string("ΔV(") + kChannelNames[c] + ")", dark ? kUndefinedText : VoltsText(r.deltaV)},
        };
    }
    return report;
}

std::string COscilloscope::TraceCsv() const {
    if (!IsPowered()) return {};
    std::vector<int> shown;
    std::string csv = kUtf8Bom;
    csv += "时间 (s)";
    CScopeChannel channels[2] = {m_channels[0], m_channels[1]};
    for (int c = 0; c < 2; ++c) {
        if (!ChannelShown(c)) continue;
        shown.push_back(c);
        csv += std::string(",") + kChannelNames[c] + " (V)";
        if (channels[c].firstOrder) PrepareFirstOrder(channels[c]);
    }
    csv += "\r\n";
    const double s = SecondsPerDivision();
    char number[40];
    // The samples of the last update, at the times the trace drew them.
    for (int i = 0; i < kScopeSamples; ++i) {
        const double t = (i - m_xReference) * s / kPixelsPerDivision;
        std::snprintf(number, sizeof number, "%.10g", t);
        csv += number;
        for (int c : shown) {
            std::snprintf(number, sizeof number, ",%.10g", ChannelValue(channels[c], t, s));
            csv += number;
        }
        csv += "\r\n";
    }
    return csv;
}

void COscilloscope::SetCursorsShown(bool shown) {
    m_cursors.shown = shown;
    if (!shown) m_grab.reset();
    DrawCursors();
}

void COscilloscope::SetCursorChannel(int channel) {
    m_cursors.channel = channel == 1 ? 1 : 0;
}

bool COscilloscope::GrabCursor(float x, float y) {
    m_grab.reset();
    if (!IsPowered()) return false;
    m_grab = CursorAt(m_cursors, x, kScreenHeight - y);
    return m_grab.has_value();
}

void COscilloscope::DragCursor(float x, float y) {
    if (!m_grab) return;
    MoveCursor(m_cursors, *m_grab, x, kScreenHeight - y);
    DrawCursors();
}

void COscilloscope::DrawCursors() {
    std::vector<CDrawItem>& lines = m_panelGroup.itemsA;
    lines.clear();
    if (!IsPowered() || !m_cursors.shown) return;
    auto dashes = [&](float x0, float y0, float x1, float y1, std::uint32_t colour) {
        const float length = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
        for (float a = 0; a < length; a += 2 * kCursorDash) {
            const float b = std::min(length, a + kCursorDash);
            CDrawItem dash;
            dash.flags = DRAW_LINE | DRAW_TINT;
            dash.colour = colour;
            dash.SetRect(x0 + (x1 - x0) * a / length, y0 + (y1 - y0) * a / length, x0 + (x1 - x0) * b / length,
                         y0 + (y1 - y0) * b / length);
            lines.push_back(dash);
        }
    };
    const float w = static_cast<float>(kScreenWidth), h = static_cast<float>(kScreenHeight);
    for (int i = 0; i < 2; ++i) {
        const float x = static_cast<float>(m_cursors.x[i]);
        dashes(x, 0, x, h, kTimeCursorColour);
        const float y = h - static_cast<float>(m_cursors.y[i]);
        dashes(0, y, w, y, kVoltageCursorColour);
    }
}

void COscilloscope::Persist(CKeyDoc& doc, bool loading, const std::string& prefix) {
    Keep(doc, loading, prefix + ":SHELVE_1YPOSITION", m_y1Position);
    Keep(doc, loading, prefix + ":SHELVE_2YPOSITION", m_y2Position);
    Keep(doc, loading, prefix + ":SHELVE_1Y", m_y1Gain);
    Keep(doc, loading, prefix + ":SHELVE_2Y", m_y2Gain);
    Keep(doc, loading, prefix + ":SHELVE_XPOSITION", m_xPosition);
    Keep(doc, loading, prefix + ":SHELVE_X", m_timeBase);
    Keep(doc, loading, prefix + ":BUTTON_5", m_times5);
    Keep(doc, loading, prefix + ":BUTTON_POWER", m_power);
    Keep(doc, loading, prefix + ":1GND", m_coupling1.m_state);
    Keep(doc, loading, prefix + ":2GND", m_coupling2.m_state);
    Keep(doc, loading, prefix + ":MODE", m_mode.m_state);
    if (loading) {
        // Slide positions from a file stay on their slides.
        for (CCouplingSwitch* c : {&m_coupling1, &m_coupling2})
            if (c->m_state < 0 || c->m_state > 2) c->m_state = 0;
        if (m_mode.m_state < 0 || m_mode.m_state > 3) m_mode.m_state = 0;
    }
    PersistPlaceAndIdentity(doc, loading, prefix);
}

std::vector<CDevice::Polyline> COscilloscope::Traces() const {
    std::vector<Polyline> out;
    for (const CPolyline& line : m_polylines) {
        Polyline points;
        points.reserve(line.size());
        for (const CWavePoint& p : line)
            points.emplace_back(p.x, static_cast<float>(kScreenHeight) - p.y);
        out.push_back(std::move(points));
    }
    return out;
}

void COscilloscope::FillPropertyPage(CPropertyPage& page) {
    page.window = {0, 0, 640, 390 + kReportHeight};
    page.reportHeight = kReportHeight;
    page.AddUsageText(
        {10, 50, 610, 440},
        "示波器：一种综合性的电信号测试仪器，用它可以直接观察到信号的波形，测量信号的幅度、相位、频率等。\n\n"
        "本仪器为双通道模拟示波器：\n"
        "通道一、通道二纵轴位置旋钮上下移动各自的波形；\n"
        "通道一、通道二纵轴增益旋钮选择每格的电压值；\n"
        "横轴位置旋钮左右移动波形，横轴增益旋钮选择每格的时间；\n"
        "两个输入耦合按钮选择各通道的输入方式；\n"
        "输出模式按钮选择显示通道一、通道二、双踪或X-Y方式；\n"
        "×5按钮使纵轴幅度增大五倍；\n"
        "电源开关打开或关闭示波器。\n\n"
        "单击旋钮、输入耦合开关或输出模式开关，旁边会出现两个按钮，单击它们逐档调节。\n\n"
        "面板下方列出所显示通道的峰峰值、最大值、最小值、平均值、有效值、频率和周期（取消“测量”即隐藏）。"
        "勾选“光标”后屏幕上出现两条时间光标和两条电压光标，用鼠标拖动它们，下方显示Δt、1/Δt和ΔV；"
        "双踪显示时，电压光标测量右边选择的通道。"
        "“导出波形数据...”把屏幕上的波形存为CSV表格（时间以秒、电压以伏为单位），"
        "“导出屏幕图片...”把屏幕存为PNG图片。");
}

// The two position knobs show their plain face again once the pointer has left them.
const char* COscilloscope::RestingFace(std::size_t control) const {
    return control < 2 ? kKnobPicture : nullptr;
}

} // namespace ampera
