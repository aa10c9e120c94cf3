// Where pictures and sounds live. Names are written with backslashes
// ("devpic\\node.tga"); on disk they are paths below the asset folder.
#pragma once

#include <string>
#include <string_view>

namespace ampera {

// The asset folder: $AMPERA_DATA when set and not empty; otherwise the folder
// "assets" found beside the executable or in one of its parent folders (a
// build tree keeps its executables a few levels below it), or
// <prefix>/share/ampera/assets for an installed program. Ends with '/'; empty
// when nothing was found (names then resolve against the current folder).
std::string AssetDirectory();

// The file path of a picture or sound name: the asset folder followed by the
// name with every '\\' turned into '/'. Absolute names are kept as they are.
std::string AssetPath(std::string_view name);

} // namespace ampera
