#include "resistance.h"

namespace ampera {
const CDeviceKind CResistance::kKind{TYPE_RESISTANCE, CATEGORY_RESISTANCE, 102, 20, "R", "devpic\\comres.tga",
                                     {{-6, 10}, {108, 10}}, true};
} // namespace ampera
