// The 文件 → 最近打开 list: the files last opened or saved, most recent
// first, each once. Paths are compared, and kept, in a normal form (absolute,
// without "." and ".." parts or a trailing separator), so the same file
// reached by two spellings takes one place. The list knows nothing of where
// it is stored; the window keeps it in the user's settings.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ampera {

inline constexpr const char* kRecentMenuTitle = "最近打开(&R)";
// Shown (with the path after it) when a listed file is gone.
inline constexpr const char* kRecentMissingText = "文件不存在，已从最近打开列表中移除：";

class CRecentFiles {
  public:
    static constexpr std::size_t kCapacity = 8;

    // The form paths are compared and kept in. Relative paths are taken from
    // the current folder. An empty path stays empty.
    static std::string Normalise(const std::string& path);

    const std::vector<std::string>& Paths() const { return m_paths; }
    bool Empty() const { return m_paths.empty(); }

    // Puts `path` first, moving it there when it is listed already; the
    // oldest entries beyond kCapacity go. True when the list changed.
    bool Add(const std::string& path);
    // Takes `path` off the list; true when it was there.
    bool Remove(const std::string& path);
    // The list as kept in settings: each path normalised, empty ones and
    // repeats after the first dropped, at most kCapacity kept.
    void Assign(const std::vector<std::string>& paths);

  private:
    std::vector<std::string> m_paths;
};

// The menu text of entry `index` (0 first): "&1 /path/file.vtx", with any '&'
// of the path doubled so the menu shows it instead of taking it as a
// mnemonic.
std::string RecentMenuText(std::size_t index, const std::string& path);

} // namespace ampera
