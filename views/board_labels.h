// The names and values drawn over the devices while "show names and
// parameters" is on.
#pragma once

#include <optional>
#include <string>

namespace ampera {

class CComponent;

struct CBoardLabel {
    std::string text;
    int x = 0, y = 0; // top-left corner of the text on the board
};

// A device's label: its name and, for the passive parts, the value that
// matters, just above its region. Nodes and wires have none.
std::optional<CBoardLabel> BoardLabelOf(const CComponent& component);

} // namespace ampera
