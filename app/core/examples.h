// The example experiments installed with the program (文件 → 示例实验):
// the .vtx files of the asset folder's "examples" folder, each under a short
// Chinese title. An example opens as new, untitled work, so the installed
// file is never written over.
#pragma once

#include <string>
#include <vector>

namespace ampera {

inline constexpr const char* kExamplesMenuTitle = "示例实验(&X)";
// The folder below the asset folder that holds the examples.
inline constexpr const char* kExamplesFolder = "examples";

struct CExample {
    std::string path;  // the file
    std::string title; // what the menu shows
    bool operator==(const CExample&) const = default;
};

// The title of an example by its file name ("ohms_law.vtx" gives
// "欧姆定律"); a file the table does not know is shown by its file name.
std::string ExampleTitle(const std::string& fileName);

// The examples in `folder`: the files ending in ".vtx" (in any case), those
// with a title in the order of the title table, which runs from direct
// current to alternating current and measurement, then the others by file
// name. Empty when the folder cannot be read.
std::vector<CExample> ListExamples(const std::string& folder);

} // namespace ampera
