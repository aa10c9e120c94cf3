#include "voltmeter.h"

namespace ampera {

const CDeviceKind CVoltmeter::kKind{TYPE_VOLTMETER, CATEGORY_METER, 50, 50, "直流电压表", "pic_zxf\\voltagemeter.bmp",
                                    {{10, 56}, {40, 56}}, false};
const CDeviceKind CAmmeter::kKind{TYPE_AMMETER, CATEGORY_METER, 50, 50, "", "pic_zxf\\currentmeter.bmp",
                                  {{10, 56}, {40, 56}}, false};

CVoltmeter::CVoltmeter() : CDevice(kKind) { m_internalResistance = 999999; }
CAmmeter::CAmmeter() : CDevice(kKind) { m_internalResistance = 0.01f; }

} // namespace ampera
