#include "double_switch.h"

namespace ampera {
const CDeviceKind CDoubleSwitch::kKind{TYPE_DOUBLE_SWITCH, CATEGORY_SWITCH, 120, 49, "双刀开关", "devpic\\hdswitch.tga",
                                       {{-6, 32}, {126, 32}, {59, 55}}, true};
} // namespace ampera
