#include "diode.h"

namespace ampera {
const CDeviceKind CDiode::kKind{TYPE_DIODE, CATEGORY_METER, 102, 20, "二极管", "devpic\\diode.tga",
                                {{-6, 10}, {108, 10}}, true};
} // namespace ampera
