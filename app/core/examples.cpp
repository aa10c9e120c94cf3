#include "examples.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace ampera {

namespace fs = std::filesystem;

namespace {

struct CTitleRow {
    const char* fileName;
    const char* title;
};

// In the order a course meets them.
constexpr CTitleRow kTitles[] = {
    {"ohms_law.vtx", "欧姆定律"},
    {"voltage_divider.vtx", "分压电路"},
    {"wheatstone_bridge.vtx", "惠斯通电桥"},
    {"multimeter_ohms.vtx", "万用表测电阻"},
    {"diode.vtx", "二极管特性"},
    {"rc_square_wave.vtx", "RC电路的方波响应"},
    {"rl_direct_current.vtx", "RL电路的直流响应"},
    {"rlc_alternating.vtx", "RLC交流电路"},
    {"level_meter_harmonics.vtx", "选频电平表测谐波"},
};

// Where a file stands in the title table; past its end when it has no row.
std::size_t TableRank(const std::string& fileName) {
    const auto row = std::find_if(std::begin(kTitles), std::end(kTitles),
                                  [&](const CTitleRow& r) { return fileName == r.fileName; });
    return static_cast<std::size_t>(row - std::begin(kTitles));
}

bool IsExperimentFile(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".vtx";
}

} // namespace

std::string ExampleTitle(const std::string& fileName) {
    const std::size_t rank = TableRank(fileName);
    return rank < std::size(kTitles) ? kTitles[rank].title : fileName;
}

std::vector<CExample> ListExamples(const std::string& folder) {
    std::vector<CExample> examples;
    // Stepped with error codes: a folder that cannot be read gives what was
    // read so far, never an exception.
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError) || !IsExperimentFile(it->path())) continue;
        examples.push_back({it->path().string(), ExampleTitle(it->path().filename().string())});
    }
    std::sort(examples.begin(), examples.end(), [](const CExample& a, const CExample& b) {
        const std::string nameA = fs::path(a.path).filename().string();
        const std::string nameB = fs::path(b.path).filename().string();
        const std::size_t rankA = TableRank(nameA), rankB = TableRank(nameB);
        return rankA != rankB ? rankA < rankB : nameA < nameB;
    });
    return examples;
}

} // namespace ampera
