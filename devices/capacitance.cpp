#include "capacitance.h"

namespace ampera {
const CDeviceKind CCapacitance::kKind{TYPE_CAPACITANCE, CATEGORY_CAPACITANCE, 33, 54, "C", "devpic\\capacitance.tga",
                                      {{3, 60}, {29, 60}}, true};
} // namespace ampera
