#include "oscilloscope.h"

namespace ampera {

const CDeviceKind COscilloscope::kKind{TYPE_OSCILLOSCOPE, CATEGORY_METER, 172, 86, "示波器", "devpic\\sbq.tga",
                                       {{86, 92}, {104, 92}, {122, 92}, {140, 92}}, false};

COscilloscope::COscilloscope() : CDevice(kKind) { m_internalResistance = 999999; }

} // namespace ampera
