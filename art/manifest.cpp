#include "manifest.h"

#include "device_tables.h"
#include "drawings.h"

#include <QTransform>

#include <stdexcept>

namespace art {

namespace {

struct Builder {
    std::vector<Asset> list;

    void Picture(const char* name, int w, int h, Format f, Role role, PaintFn paint,
                 const geometry::CBodyGeometry* body = nullptr) {
        Asset a;
        a.name = name;
        a.width = w;
        a.height = h;
        a.format = f;
        a.role = role;
        a.paint = paint;
        a.body = body;
        list.push_back(a);
    }
    // A board picture of a device that turns: the 0 degree picture and the
    // three turned ones ("base90.tga", "base180.tga", "base270.tga").
    void Turning(const std::string& base, int w, int h, Role role, PaintFn paint,
                 const geometry::CBodyGeometry* body = nullptr) {
        const std::string zero = base + ".tga";
        Picture(zero.c_str(), w, h, Format::Tga, role, paint, body);
        for (int turn : {90, 180, 270}) {
            Asset a;
            a.name = base + std::to_string(turn) + ".tga";
            a.width = turn == 180 ? w : h;
            a.height = turn == 180 ? h : w;
            a.format = Format::Tga;
            a.role = role;
            a.turnedFrom = zero;
            a.turn = turn;
            a.body = body;
            list.push_back(a);
        }
    }
    // A kind's board picture at the size of its body, turned versions too
    // when the kind turns; and another look of the same body (switch states).
    void Body(const char* name, Format f, PaintFn paint, const geometry::CBodyGeometry& body) {
        Picture(name, body.width, body.height, f, Role::Body, paint, &body);
    }
    void TurningBody(const std::string& base, PaintFn paint, const geometry::CBodyGeometry& body) {
        Turning(base, body.width, body.height, Role::Body, paint, &body);
    }
    void TurningState(const std::string& base, PaintFn paint, const geometry::CBodyGeometry& body) {
        Turning(base, body.width, body.height, Role::BodyState, paint);
    }
    // A front panel at the size its device lays it out; a panel part at the
    // size of the control it covers.
    void Panel(const char* name, const layout::CPanelSize& size, PaintFn paint) {
        Picture(name, static_cast<int>(size.width), static_cast<int>(size.height), Format::Tga, Role::Panel,
                paint);
    }
    void Part(const char* name, const ampera::CPanelRect& covers, Format f, PaintFn paint) {
        Picture(name, static_cast<int>(covers.right - covers.left),
                static_cast<int>(covers.bottom - covers.top), f, Role::PanelPart, paint);
    }
    void Bytes(const char* name, Format f, Role role, BytesFn bytes) {
        Asset a;
        a.name = name;
        a.format = f;
        a.role = role;
        a.bytes = bytes;
        list.push_back(a);
    }
};

std::vector<Asset> Build() {
    Builder b;
    const Format tga = Format::Tga, bmp = Format::Bmp, png = Format::Png;

    // Board pictures of the devices. Kinds that turn have a picture per angle.
    namespace g = geometry;
    b.TurningBody("devpic\\comres", PaintResistor, g::kResistor);
    b.TurningBody("devpic\\resbox", PaintResistanceBox, g::kResistanceBox);
    b.TurningBody("devpic\\resglide", PaintRheostat, g::kRheostat);
    b.Turning("devpic\\resglideflip", 15, 31, Role::BodyState, PaintRheostatSlider);
    b.TurningBody("devpic\\capacitance", PaintCapacitor, g::kCapacitor);
    b.TurningBody("devpic\\capacitancebox", PaintCapacitanceBox, g::kCapacitanceBox);
    b.TurningBody("devpic\\inductance", PaintInductor, g::kInductor);
    b.TurningBody("devpic\\diode", PaintDiode, g::kDiode);
    b.TurningBody("devpic\\sinswopen", PaintSingleSwitchOpen, g::kSingleSwitch);
    b.TurningState("devpic\\sinswclose", PaintSingleSwitchClosed, g::kSingleSwitch);
    b.TurningBody("devpic\\hdswitch", PaintDoubleSwitchOpen, g::kDoubleSwitch);
    b.TurningState("devpic\\hdleft", PaintDoubleSwitchLeft, g::kDoubleSwitch);
    b.TurningState("devpic\\hdright", PaintDoubleSwitchRight, g::kDoubleSwitch);
    b.TurningBody("devpic\\eletri", PaintDCSource, g::kDCSource);
    b.TurningBody("devpic\\signalgenerator", PaintSignalGenerator, g::kSignalGenerator);
    b.TurningBody("devpic\\multimeter", PaintMultimeter, g::kMultimeter);
    b.Body("devpic\\acelectricity.tga", tga, PaintACSource, g::kACSource);
    b.Body("devpic\\digitaloltagemeter.tga", tga, PaintDCVoltmeter, g::kDCVoltmeter);
    b.Body("devpic\\DigitalCurrentmeter.tga", tga, PaintDCAmmeter, g::kDCAmmeter);
    b.Body("devpic\\ACmVoltagemeter.tga", tga, PaintMillivoltmeter, g::kMillivoltmeter);
    b.Body("devpic\\DigitalGalvanometer.tga", tga, PaintGalvanometer, g::kGalvanometer);
    b.Body("devpic\\sbq.tga", tga, PaintOscilloscope, g::kOscilloscope);
    b.Body("devpic\\SelectFrequencyVmeter.tga", tga, PaintLevelMeter, g::kLevelMeter);
    b.Body("devpic\\CurrentmeterPlugBoard.tga", tga, PaintPlugBoard, g::kPlugBoard);
    // Kinds that only old experiment files contain.
    b.Body("pic_zxf\\resglide.bmp", bmp, PaintResistanceWire, g::kResistanceWire);
    b.Body("pic_zxf\\vdswitch.bmp", bmp, PaintVerticalSwitch, g::kVerticalSwitch);
    b.Body("pic_zxf\\voltagemeter.bmp", bmp, PaintSmallVoltmeter, g::kFileVoltmeter);
    b.Body("pic_zxf\\currentmeter.bmp", bmp, PaintSmallAmmeter, g::kFileAmmeter);

    // The node drawn at every terminal, and the glyph page text is cut into.
    b.Picture("devpic\\node.tga", 12, 12, tga, Role::Board, PaintNode);
    b.Picture("devpic\\font.tga", 256, 256, tga, Role::Board, PaintGlyphPage);

    // Front panels.
    b.Panel("devpic\\panal\\resbox.tga", layout::resistance_box::kPanel, PaintResistanceBoxPanel);
    b.Panel("devpic\\panal\\capbox.tga", layout::capacitance_box::kPanel, PaintCapacitanceBoxPanel);
    b.Panel("devpic\\panal\\eletri.tga", layout::knob_source::kPanel, PaintDCSourcePanel);
    b.Panel("devpic\\panal\\交流电压源.tga", layout::knob_source::kPanel, PaintACSourcePanel);
    b.Panel("devpic\\panal\\xhfsq.tga", layout::signal_generator::kPanel, PaintSignalGeneratorPanel);
    b.Panel("devpic\\panal\\multi.tga", layout::multimeter::kPanel, PaintMultimeterPanel);
    b.Panel("devpic\\panal\\直流电压表.tga", layout::dc_meter::kPanel, PaintDCVoltmeterPanel);
    b.Panel("devpic\\panal\\直流电流表.tga", layout::dc_meter::kPanel, PaintDCAmmeterPanel);
    b.Panel("devpic\\panal\\交流毫伏表.tga", layout::ac_meter::kPanel, PaintMillivoltmeterPanel);
    b.Panel("devpic\\panal\\检流计.tga", layout::ac_meter::kPanel, PaintGalvanometerPanel);
    b.Panel("devpic\\panal\\sbq.tga", layout::oscilloscope::kPanel, PaintOscilloscopePanel);
    b.Panel("devpic\\panal\\选频电压表.tga", layout::level_meter::kPanel, PaintLevelMeterPanel);

    // Panel parts: the shared sheet, knob faces, needles, slides and legends.
    b.Picture(sheet::kPicture, sheet::kPixels, sheet::kPixels, tga, Role::PanelPart, PaintPanelSheet);
    b.Part("pic_syl\\electricity_fine.bmp", layout::knob_source::kFineRect, bmp, PaintSourceFineFace);
    b.Part("pic_syl\\main1.bmp", layout::frequency_knobs::kCoarseRect, bmp, PaintCoarseFrequencyFace);
    b.Part("pic_syl\\fine1.bmp", layout::frequency_knobs::kFineRect, bmp, PaintFineFrequencyFace);
    b.Picture("pic_syl\\power.bmp", 48, 24, bmp, Role::PanelPart, PaintPowerOn);
    b.Part("pointer.bmp", layout::knob_source::kFineRect, bmp, PaintPointer);
    b.Part("aaa.bmp", layout::oscilloscope::kModeSlide, bmp, PaintModeSlide);
    b.Picture("bulge.bmp", 56, 56, bmp, Role::PanelPart, PaintPositionKnob);
    b.Picture("pic_zxf\\dial.tga", 90, 90, tga, Role::PanelPart, PaintKnobBezel);
    b.Picture("unit2.bmp", 32, 24, bmp, Role::PanelPart, PaintLegend2);
    b.Picture("unit20.bmp", 32, 24, bmp, Role::PanelPart, PaintLegend20);
    b.Picture("unit200.bmp", 32, 24, bmp, Role::PanelPart, PaintLegend200);
    b.Picture("pic_zxf\\sbq.bmp", static_cast<int>(layout::oscilloscope::kScreenWidth),
              static_cast<int>(layout::oscilloscope::kScreenHeight), bmp, Role::PanelPart, PaintScopeScreen);

    // Schematic symbols, sized to the rectangles the schematic view gives them
    // over a device of its board size.
    const Role sym = Role::Symbol;
    b.Picture("abstract\\res.bmp", 114, 40, bmp, sym, PaintSymbolResistor);
    b.Picture("abstract\\res90.bmp", 40, 114, bmp, sym, PaintSymbolResistor90);
    b.Picture("abstract\\glide.bmp", 98, 48, bmp, sym, PaintSymbolRheostat);
    b.Picture("abstract\\resbox.bmp", 54, 58, bmp, sym, PaintSymbolResistanceBox);
    b.Picture("abstract\\resbox90.bmp", 79, 52, bmp, sym, PaintSymbolResistanceBox90);
    b.Picture("abstract\\resbox270.bmp", 63, 52, bmp, sym, PaintSymbolResistanceBox270);
    b.Picture("abstract\\multimeter.bmp", 115, 154, bmp, sym, PaintSymbolMultimeter);
    b.Picture("abstract\\multimeter_v.bmp", 115, 154, bmp, sym, PaintSymbolMultimeterV);
    b.Picture("abstract\\multimeter_a.bmp", 115, 154, bmp, sym, PaintSymbolMultimeterA);
    b.Picture("abstract\\multimeter_r.bmp", 115, 154, bmp, sym, PaintSymbolMultimeterR);
    b.Picture("abstract\\osc_little.bmp", 180, 96, bmp, sym, PaintSymbolOscilloscope);
    b.Picture("abstract\\ele.bmp", 119, 114, bmp, sym, PaintSymbolDCSource);
    b.Picture("abstract\\singleswitch.bmp", 123, 43, bmp, sym, PaintSymbolSwitch);
    b.Picture("abstract\\singleswitch_close.bmp", 123, 43, bmp, sym, PaintSymbolSwitchClosed);
    b.Picture("abstract\\singleswitch90.bmp", 48, 124, bmp, sym, PaintSymbolSwitch90);
    b.Picture("abstract\\singleswitch_close90.bmp", 48, 124, bmp, sym, PaintSymbolSwitchClosed90);
    b.Picture("abstract\\hdoubleswitch.bmp", 130, 49, bmp, sym, PaintSymbolDouble);
    b.Picture("abstract\\hdoubleswitch_left.bmp", 130, 49, bmp, sym, PaintSymbolDoubleLeft);
    b.Picture("abstract\\hdoubleswitch_right.bmp", 130, 49, bmp, sym, PaintSymbolDoubleRight);
    b.Picture("abstract\\hdoubleswitch90.bmp", 56, 132, bmp, sym, PaintSymbolDouble90);
    b.Picture("abstract\\hdoubleswitch_left90.bmp", 56, 132, bmp, sym, PaintSymbolDoubleLeft90);
    b.Picture("abstract\\hdoubleswitch_right90.bmp", 56, 132, bmp, sym, PaintSymbolDoubleRight90);
    b.Picture("abstract\\hdoubleswitch180.bmp", 132, 49, bmp, sym, PaintSymbolDouble180);
    b.Picture("abstract\\hdoubleswitch_left180.bmp", 132, 49, bmp, sym, PaintSymbolDoubleLeft180);
    b.Picture("abstract\\hdoubleswitch_right180.bmp", 132, 49, bmp, sym, PaintSymbolDoubleRight180);
    b.Picture("abstract\\ind.bmp", 36, 80, bmp, sym, PaintSymbolInductor);
    b.Picture("abstract\\ind90.bmp", 69, 33, bmp, sym, PaintSymbolInductor90);
    b.Picture("abstract\\sig.bmp", 172, 80, bmp, sym, PaintSymbolSignalGenerator);
    b.Picture("abstract\\cap.bmp", 29, 67, bmp, sym, PaintSymbolCapacitor);
    b.Picture("abstract\\cap90.bmp", 74, 24, bmp, sym, PaintSymbolCapacitor90);
    b.Picture("abstract\\cap270.bmp", 49, 26, bmp, sym, PaintSymbolCapacitor270);
    b.Picture("abstract\\cap-box.bmp", 106, 109, bmp, sym, PaintSymbolCapacitanceBox);
    b.Picture("abstract\\diode.bmp", 152, 52, bmp, sym, PaintSymbolDiode);
    b.Picture("abstract\\ac-ele.bmp", 122, 86, bmp, sym, PaintSymbolACSource);
    b.Picture("abstract\\hide.bmp", 118, 131, bmp, sym, PaintSymbolHidden);
    b.Picture("abstract\\mv-meter.bmp", 108, 136, bmp, sym, PaintSymbolMillivoltmeter);
    b.Picture("abstract\\G.bmp", 108, 136, bmp, sym, PaintSymbolGalvanometer);
    b.Picture("abstract\\fre.bmp", 220, 92, bmp, sym, PaintSymbolLevelMeter);
    b.Picture("abstract\\boade.bmp", 130, 54, bmp, sym, PaintSymbolPlugBoard);
    b.Picture("abstract\\boade_plug1.bmp", 130, 54, bmp, sym, PaintSymbolPlugBoardWithMeter);

    // Device bar: each button picture holds four 120 x 65 state images side by
    // side (normal, hover, pressed, disabled).
    const Role bar = Role::Bar;
    b.Picture("pic\\电阻.bmp", 480, 65, bmp, bar, PaintBarResistor);
    b.Picture("pic\\电阻箱.bmp", 480, 65, bmp, bar, PaintBarResistanceBox);
    b.Picture("pic\\滑动变阻器.bmp", 480, 65, bmp, bar, PaintBarRheostat);
    b.Picture("pic\\电容.bmp", 480, 65, bmp, bar, PaintBarCapacitor);
    b.Picture("pic\\电容箱.bmp", 480, 65, bmp, bar, PaintBarCapacitanceBox);
    b.Picture("pic\\电感.bmp", 480, 65, bmp, bar, PaintBarInductor);
    b.Picture("pic\\二极管.bmp", 480, 65, bmp, bar, PaintBarDiode);
    b.Picture("pic\\直流电流表.bmp", 480, 65, bmp, bar, PaintBarDCAmmeter);
    b.Picture("pic\\直流电压表.bmp", 480, 65, bmp, bar, PaintBarDCVoltmeter);
    b.Picture("pic\\交流毫伏表.bmp", 480, 65, bmp, bar, PaintBarMillivoltmeter);
    b.Picture("pic\\检流计.bmp", 480, 65, bmp, bar, PaintBarGalvanometer);
    b.Picture("pic\\万用表.bmp", 480, 65, bmp, bar, PaintBarMultimeter);
    b.Picture("pic\\示波器.bmp", 480, 65, bmp, bar, PaintBarOscilloscope);
    b.Picture("pic\\选频电平表.bmp", 480, 65, bmp, bar, PaintBarLevelMeter);
    b.Picture("pic\\直流电压源.bmp", 480, 65, bmp, bar, PaintBarDCSource);
    b.Picture("pic\\交流电压源.bmp", 480, 65, bmp, bar, PaintBarACSource);
    b.Picture("pic\\信号发生器.bmp", 480, 65, bmp, bar, PaintBarSignalGenerator);
    b.Picture("pic\\单刀开关.bmp", 480, 65, bmp, bar, PaintBarSingleSwitch);
    b.Picture("pic\\双刀开关.bmp", 480, 65, bmp, bar, PaintBarDoubleSwitch);
    b.Picture("pic\\电流表插口板.bmp", 480, 65, bmp, bar, PaintBarPlugBoard);
    // Group title buttons: four 48 x 20 state images, stretched with 5-pixel
    // margins; scroll buttons: up arrow in four states, then down arrow.
    b.Picture("pic\\barbutton.bmp", 192, 20, bmp, bar, PaintBarTitleButton);
    b.Picture("pic\\ButtonsWin3000.bmp", 144, 18, bmp, bar, PaintBarScrollButtons);

    // Toolbar and menu icons (24 x 24 with alpha) and the application icon.
    const Role icon = Role::Icon;
    b.Picture("icons\\new.png", 24, 24, png, icon, PaintIconNew);
    b.Picture("icons\\open.png", 24, 24, png, icon, PaintIconOpen);
    b.Picture("icons\\save.png", 24, 24, png, icon, PaintIconSave);
    b.Picture("icons\\save_as.png", 24, 24, png, icon, PaintIconSaveAs);
    b.Picture("icons\\exit.png", 24, 24, png, icon, PaintIconExit);
    b.Picture("icons\\undo.png", 24, 24, png, icon, PaintIconUndo);
    b.Picture("icons\\redo.png", 24, 24, png, icon, PaintIconRedo);
    b.Picture("icons\\rotate_left.png", 24, 24, png, icon, PaintIconRotateLeft);
    b.Picture("icons\\rotate_right.png", 24, 24, png, icon, PaintIconRotateRight);
    b.Picture("icons\\delete.png", 24, 24, png, icon, PaintIconDelete);
    b.Picture("icons\\delete_all.png", 24, 24, png, icon, PaintIconDeleteAll);
    b.Picture("icons\\names.png", 24, 24, png, icon, PaintIconNames);
    b.Picture("icons\\schematic.png", 24, 24, png, icon, PaintIconSchematic);
    b.Picture("icons\\board_view.png", 24, 24, png, icon, PaintIconBoardView);
    b.Picture("icons\\device_bar.png", 24, 24, png, icon, PaintIconDeviceBar);
    b.Picture("icons\\toolbar.png", 24, 24, png, icon, PaintIconToolbar);
    b.Picture("icons\\colours.png", 24, 24, png, icon, PaintIconColours);
    b.Picture("icons\\help.png", 24, 24, png, icon, PaintIconHelp);
    b.Picture("icons\\about.png", 24, 24, png, icon, PaintIconAbout);
    b.Picture("icons\\ampera.png", 64, 64, png, icon, PaintIconApplication);
    // The desktop's icons in the hicolor theme's folders (installed there,
    // not with the assets).
    for (const char* size : {"16", "24", "32", "48", "64", "128", "256"}) {
        const int n = std::stoi(size);
        const std::string folder = std::string("desktop\\hicolor\\") + size + "x" + size;
        b.Picture((folder + "\\apps\\ampera.png").c_str(), n, n, png, icon, PaintDesktopApplication);
        b.Picture((folder + "\\mimetypes\\application-x-ampera-experiment.png").c_str(), n, n, png, icon,
                  PaintDesktopExperiment);
    }

    b.Bytes("warning.wav", Format::Wav, Role::Sound, WarningSound);
    b.Bytes("help\\index.html", Format::Html, Role::Document, HelpDocument);
    return b.list;
}

} // namespace

const std::vector<Asset>& Manifest() {
    static const std::vector<Asset> manifest = Build();
    return manifest;
}

const Asset* Find(std::string_view name) {
    for (const Asset& a : Manifest())
        if (a.name == name) return &a;
    return nullptr;
}

std::string FilePath(std::string_view name) {
    std::string path(name);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool HasAlpha(Format format) {
    return format == Format::Tga || format == Format::Png;
}

QImage TurnLeft(const QImage& image, int degrees) {
    // QTransform turns clockwise for positive angles on a y-down picture.
    return image.transformed(QTransform().rotate(-degrees), Qt::FastTransformation);
}

QImage Render(const Asset& asset) {
    if (!asset.turnedFrom.empty()) {
        const Asset* base = Find(asset.turnedFrom);
        if (!base) throw std::logic_error("turned picture without its base: " + asset.name);
        return TurnLeft(Render(*base), asset.turn);
    }
    if (!asset.paint) throw std::logic_error("not a picture: " + asset.name);
    QImage image(asset.width, asset.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    asset.paint(p, asset.width, asset.height);
    p.end();
    return image;
}

} // namespace art
