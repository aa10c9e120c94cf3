#include "board_labels.h"

#include "devices/device.h"

namespace ampera {

std::optional<CBoardLabel> BoardLabelOf(const CComponent& component) {
    const auto* device = dynamic_cast<const CDevice*>(&component);
    if (!device) return std::nullopt;
    std::string text = device->m_name;
    // A hidden value is the student's to measure: the label names the device only.
    if (const std::string value = device->LabelValue(); !value.empty() && !device->m_valueHidden)
        text += " " + value;
    const int above = device->Kind().labelRise;
    return CBoardLabel{std::move(text), static_cast<int>(device->m_region[0]),
                       static_cast<int>(device->m_region[1]) - above};
}

} // namespace ampera
