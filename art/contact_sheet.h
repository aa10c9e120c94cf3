// One PNG that shows the artwork as the program puts it together: every
// device placed on a board with its terminal nodes, switches thrown and
// devices turned, every front panel as its device lays it out (powered, after
// a solve, with step buttons showing), the panel parts, the schematic symbols
// on the schematic's yellow, the device bar and the icons.
#pragma once

#include <QString>

namespace art {

// Reads the pictures from `assetFolder` (so it also shows what was written)
// and writes the sheet to `out`, enlarged `scale` times. Returns 0 on success.
int ContactSheet(const QString& assetFolder, const QString& out, double scale = 1.0);

} // namespace art
