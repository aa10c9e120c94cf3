#include "single_switch.h"

namespace ampera {
const CDeviceKind CSingleSwitch::kKind{TYPE_SINGLE_SWITCH, CATEGORY_SWITCH, 113, 43, "单刀开关",
                                       "devpic\\sinswopen.tga", {{-6, 33}, {119, 33}}, true};
} // namespace ampera
