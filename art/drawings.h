// Every picture painter, by the file that holds it. Each paints a picture of
// the given size from its top-left corner; sizes come from the manifest.
#pragma once

#include <QByteArray>
#include <QPainter>

namespace art {

// devices_passive.cpp: board pictures of components and switches.
void PaintResistor(QPainter& p, int w, int h);
void PaintDiode(QPainter& p, int w, int h);
void PaintCapacitor(QPainter& p, int w, int h);
void PaintInductor(QPainter& p, int w, int h);
void PaintRheostat(QPainter& p, int w, int h);
void PaintRheostatSlider(QPainter& p, int w, int h);
void PaintResistanceBox(QPainter& p, int w, int h);
void PaintCapacitanceBox(QPainter& p, int w, int h);
void PaintSingleSwitchOpen(QPainter& p, int w, int h);
void PaintSingleSwitchClosed(QPainter& p, int w, int h);
void PaintDoubleSwitchOpen(QPainter& p, int w, int h);
void PaintDoubleSwitchLeft(QPainter& p, int w, int h);
void PaintDoubleSwitchRight(QPainter& p, int w, int h);
void PaintPlugBoard(QPainter& p, int w, int h);
void PaintResistanceWire(QPainter& p, int w, int h);
void PaintVerticalSwitch(QPainter& p, int w, int h);
void PaintSmallVoltmeter(QPainter& p, int w, int h);
void PaintSmallAmmeter(QPainter& p, int w, int h);

// devices_instruments.cpp: board pictures of sources and instruments.
void PaintDCSource(QPainter& p, int w, int h);
void PaintACSource(QPainter& p, int w, int h);
void PaintSignalGenerator(QPainter& p, int w, int h);
void PaintMultimeter(QPainter& p, int w, int h);
void PaintDCVoltmeter(QPainter& p, int w, int h);
void PaintDCAmmeter(QPainter& p, int w, int h);
void PaintMillivoltmeter(QPainter& p, int w, int h);
void PaintGalvanometer(QPainter& p, int w, int h);
void PaintOscilloscope(QPainter& p, int w, int h);
void PaintLevelMeter(QPainter& p, int w, int h);

// panels_sources.cpp: front panels of the decade boxes and the sources.
void PaintResistanceBoxPanel(QPainter& p, int w, int h);
void PaintCapacitanceBoxPanel(QPainter& p, int w, int h);
void PaintDCSourcePanel(QPainter& p, int w, int h);
void PaintACSourcePanel(QPainter& p, int w, int h);
void PaintSignalGeneratorPanel(QPainter& p, int w, int h);
// The frequency knobs' places (under their face pictures) and captions, the
// same on the signal generator's and the level meter's panels.
void FrequencyKnobs(QPainter& p);

// panels_meters.cpp: front panels of the meters, oscilloscope and level meter.
void PaintMultimeterPanel(QPainter& p, int w, int h);
void PaintDCVoltmeterPanel(QPainter& p, int w, int h);
void PaintDCAmmeterPanel(QPainter& p, int w, int h);
void PaintMillivoltmeterPanel(QPainter& p, int w, int h);
void PaintGalvanometerPanel(QPainter& p, int w, int h);
void PaintOscilloscopePanel(QPainter& p, int w, int h);
void PaintLevelMeterPanel(QPainter& p, int w, int h);

// sheet.cpp: the shared panel sheet and the separate panel parts.
void PaintPanelSheet(QPainter& p, int w, int h);
void PaintNode(QPainter& p, int w, int h);
void PaintGlyphPage(QPainter& p, int w, int h);
void PaintSourceFineFace(QPainter& p, int w, int h);
void PaintCoarseFrequencyFace(QPainter& p, int w, int h);
void PaintFineFrequencyFace(QPainter& p, int w, int h);
void PaintPowerOn(QPainter& p, int w, int h);
void PaintPointer(QPainter& p, int w, int h);
void PaintModeSlide(QPainter& p, int w, int h);
void PaintPositionKnob(QPainter& p, int w, int h);
void PaintKnobBezel(QPainter& p, int w, int h);
void PaintLegend2(QPainter& p, int w, int h);
void PaintLegend20(QPainter& p, int w, int h);
void PaintLegend200(QPainter& p, int w, int h);
void PaintScopeScreen(QPainter& p, int w, int h);

// symbols.cpp: schematic symbols, black strokes on white.
void PaintSymbolResistor(QPainter& p, int w, int h);
void PaintSymbolResistor90(QPainter& p, int w, int h);
void PaintSymbolRheostat(QPainter& p, int w, int h);
void PaintSymbolResistanceBox(QPainter& p, int w, int h);
void PaintSymbolResistanceBox90(QPainter& p, int w, int h);
void PaintSymbolResistanceBox270(QPainter& p, int w, int h);
void PaintSymbolMultimeter(QPainter& p, int w, int h);
void PaintSymbolMultimeterV(QPainter& p, int w, int h);
void PaintSymbolMultimeterA(QPainter& p, int w, int h);
void PaintSymbolMultimeterR(QPainter& p, int w, int h);
void PaintSymbolOscilloscope(QPainter& p, int w, int h);
void PaintSymbolDCSource(QPainter& p, int w, int h);
void PaintSymbolSwitch(QPainter& p, int w, int h);
void PaintSymbolSwitchClosed(QPainter& p, int w, int h);
void PaintSymbolSwitch90(QPainter& p, int w, int h);
void PaintSymbolSwitchClosed90(QPainter& p, int w, int h);
void PaintSymbolDouble(QPainter& p, int w, int h);
void PaintSymbolDoubleLeft(QPainter& p, int w, int h);
void PaintSymbolDoubleRight(QPainter& p, int w, int h);
void PaintSymbolDouble90(QPainter& p, int w, int h);
void PaintSymbolDoubleLeft90(QPainter& p, int w, int h);
void PaintSymbolDoubleRight90(QPainter& p, int w, int h);
void PaintSymbolDouble180(QPainter& p, int w, int h);
void PaintSymbolDoubleLeft180(QPainter& p, int w, int h);
void PaintSymbolDoubleRight180(QPainter& p, int w, int h);
void PaintSymbolInductor(QPainter& p, int w, int h);
void PaintSymbolInductor90(QPainter& p, int w, int h);
void PaintSymbolSignalGenerator(QPainter& p, int w, int h);
void PaintSymbolCapacitor(QPainter& p, int w, int h);
void PaintSymbolCapacitor90(QPainter& p, int w, int h);
void PaintSymbolCapacitor270(QPainter& p, int w, int h);
void PaintSymbolCapacitanceBox(QPainter& p, int w, int h);
void PaintSymbolDiode(QPainter& p, int w, int h);
void PaintSymbolACSource(QPainter& p, int w, int h);
void PaintSymbolHidden(QPainter& p, int w, int h);
void PaintSymbolMillivoltmeter(QPainter& p, int w, int h);
void PaintSymbolGalvanometer(QPainter& p, int w, int h);
void PaintSymbolLevelMeter(QPainter& p, int w, int h);
void PaintSymbolPlugBoard(QPainter& p, int w, int h);
void PaintSymbolPlugBoardWithMeter(QPainter& p, int w, int h);

// bar.cpp: device-bar buttons (four state images side by side).
void PaintBarResistor(QPainter& p, int w, int h);
void PaintBarResistanceBox(QPainter& p, int w, int h);
void PaintBarRheostat(QPainter& p, int w, int h);
void PaintBarCapacitor(QPainter& p, int w, int h);
void PaintBarCapacitanceBox(QPainter& p, int w, int h);
void PaintBarInductor(QPainter& p, int w, int h);
void PaintBarDiode(QPainter& p, int w, int h);
void PaintBarDCAmmeter(QPainter& p, int w, int h);
void PaintBarDCVoltmeter(QPainter& p, int w, int h);
void PaintBarMillivoltmeter(QPainter& p, int w, int h);
void PaintBarGalvanometer(QPainter& p, int w, int h);
void PaintBarMultimeter(QPainter& p, int w, int h);
void PaintBarOscilloscope(QPainter& p, int w, int h);
void PaintBarLevelMeter(QPainter& p, int w, int h);
void PaintBarDCSource(QPainter& p, int w, int h);
void PaintBarACSource(QPainter& p, int w, int h);
void PaintBarSignalGenerator(QPainter& p, int w, int h);
void PaintBarSingleSwitch(QPainter& p, int w, int h);
void PaintBarDoubleSwitch(QPainter& p, int w, int h);
void PaintBarPlugBoard(QPainter& p, int w, int h);
void PaintBarTitleButton(QPainter& p, int w, int h);
void PaintBarScrollButtons(QPainter& p, int w, int h);

// icons.cpp: toolbar and menu icons.
void PaintIconNew(QPainter& p, int w, int h);
void PaintIconOpen(QPainter& p, int w, int h);
void PaintIconSave(QPainter& p, int w, int h);
void PaintIconSaveAs(QPainter& p, int w, int h);
void PaintIconExit(QPainter& p, int w, int h);
void PaintIconUndo(QPainter& p, int w, int h);
void PaintIconRedo(QPainter& p, int w, int h);
void PaintIconRotateLeft(QPainter& p, int w, int h);
void PaintIconRotateRight(QPainter& p, int w, int h);
void PaintIconDelete(QPainter& p, int w, int h);
void PaintIconDeleteAll(QPainter& p, int w, int h);
void PaintIconNames(QPainter& p, int w, int h);
void PaintIconSchematic(QPainter& p, int w, int h);
void PaintIconBoardView(QPainter& p, int w, int h);
void PaintIconDeviceBar(QPainter& p, int w, int h);
void PaintIconToolbar(QPainter& p, int w, int h);
void PaintIconColours(QPainter& p, int w, int h);
void PaintIconHelp(QPainter& p, int w, int h);
void PaintIconAbout(QPainter& p, int w, int h);
void PaintIconApplication(QPainter& p, int w, int h);
// The desktop's icons at any size: the application, drawn as at 64 x 64 and
// scaled, and an experiment file (a page with the meter on it).
void PaintDesktopApplication(QPainter& p, int w, int h);
void PaintDesktopExperiment(QPainter& p, int w, int h);

// sound.cpp and help.cpp.
QByteArray WarningSound();
QByteArray HelpDocument();

} // namespace art
