#include "factory.h"

#include "ac_millivoltmeter.h"
#include "ac_source.h"
#include "ammeter_plug_board.h"
#include "capacitance.h"
#include "capacitance_box.h"
#include "core/experiment.h"
#include "dc_ammeter.h"
#include "dc_source.h"
#include "dc_voltmeter.h"
#include "diode.h"
#include "double_switch.h"
#include "galvanometer.h"
#include "inductance.h"
#include "level_meter.h"
#include "multimeter.h"
#include "oscilloscope.h"
#include "resistance.h"
#include "resistance_box.h"
#include "resistance_wire.h"
#include "signal_generator.h"
#include "single_switch.h"
#include "slide_rheostat.h"
#include "vertical_double_switch.h"
#include "voltmeter.h"

namespace ampera {

CComponent* CreateDevice(int typeCode) {
    switch (typeCode) {
    case TYPE_RESISTANCE: return new CResistance();
    case TYPE_RESISTANCE_WIRE: return new CResistanceWire();
    case TYPE_SLIDE_RHEOSTAT: return new CSlideRheostat();
    case TYPE_RESISTANCE_BOX: return new CResistanceBox();
    case TYPE_VOLTMETER: return new CVoltmeter();
    case TYPE_AMMETER: return new CAmmeter();
    case TYPE_MULTIMETER: return new CMultimeter();
    case TYPE_OSCILLOSCOPE: return new COscilloscope();
    case TYPE_DC_SOURCE: return new CDCSource();
    case TYPE_SINGLE_SWITCH: return new CSingleSwitch();
    case TYPE_DOUBLE_SWITCH: return new CDoubleSwitch();
    case TYPE_VERTICAL_DOUBLE_SWITCH: return new CVerticalDoubleSwitch();
    case TYPE_INDUCTANCE: return new CInductance();
    case TYPE_SIGNAL_GENERATOR: return new CSignalGenerator();
    case TYPE_CAPACITANCE: return new CCapacitance();
    case TYPE_CAPACITANCE_BOX: return new CCapacitanceBox();
    case TYPE_DIODE: return new CDiode();
    case TYPE_AC_SOURCE: return new CACSource();
    case TYPE_DC_VOLTMETER: return new CDCVoltmeter();
    case TYPE_DC_AMMETER: return new CDCAmmeter();
    case TYPE_AC_MILLIVOLTMETER: return new CACMillivoltmeter();
    case TYPE_GALVANOMETER: return new CGalvanometer();
    case TYPE_LEVEL_METER: return new CLevelMeter();
    case TYPE_AMMETER_PLUG_BOARD: return new CAmmeterPlugBoard();
    default: return nullptr;
    }
}

void RegisterDeviceKinds() { SetDeviceFactory(&CreateDevice); }

} // namespace ampera
