#include "inductance.h"

namespace ampera {
const CDeviceKind CInductance::kKind{TYPE_INDUCTANCE, CATEGORY_INDUCTANCE, 65, 70, "L", "devpic\\inductance.tga",
                                     {{13, -3}, {45, -6}}, true};
} // namespace ampera
