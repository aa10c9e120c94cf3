#include "asset_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace ampera {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

// Searched once: the executable does not move while it runs.
const std::string& FolderBesideExecutable() {
    static const std::string found = [] {
        std::error_code ec;
        fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        if (ec || exe.empty()) return std::string();
        fs::path dir = exe.parent_path();
        // A build tree puts executables in subfolders (views/tests, app, cli):
        // walk up a few levels, not to the root, until a folder holds "assets".
        fs::path p = dir;
        for (int level = 0; level < 4 && !p.empty(); ++level, p = p.parent_path()) {
            if (fs::is_directory(p / "assets", ec)) return WithSlash((p / "assets").string());
            if (p == p.parent_path()) break;
        }
        fs::path installed = dir.parent_path() / "share" / "ampera" / "assets";
        if (fs::is_directory(installed, ec)) return WithSlash(installed.string());
        return std::string();
    }();
    return found;
}

} // namespace

std::string AssetDirectory() {
    if (const char* env = std::getenv("AMPERA_DATA"); env && *env) return WithSlash(env);
    return FolderBesideExecutable();
}

std::string AssetPath(std::string_view name) {
    std::string relative(name);
    for (char& c : relative)
        if (c == '\\') c = '/';
    if (!relative.empty() && relative.front() == '/') return relative;
    return AssetDirectory() + relative;
}

} // namespace ampera
