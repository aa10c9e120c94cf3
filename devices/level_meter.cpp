#include "level_meter.h"

namespace ampera {

const CDeviceKind CLevelMeter::kKind{TYPE_LEVEL_METER, CATEGORY_METER, 220, 92, "选频电平表",
                                     "devpic\\SelectFrequencyVmeter.tga", {{33, 98}, {123, 98}}, false};

CLevelMeter::CLevelMeter()
    : CDevice(kKind), m_range(CKnob::Limited(0, 4, 4, 2, 72, -144, 144)),
      m_coarse(CKnob::Limited(0, 9, 5, 5, 36, -180, 144)),
      m_fine(CKnob::Limited(0, 10, 0, 5, 360.0f / 11.0f, -5 * 360.0f / 11.0f, 5 * 360.0f / 11.0f)) {
    m_range.m_labelMode = kKnobLabelMode;
    m_internalResistance = 999999;
}

} // namespace ampera
