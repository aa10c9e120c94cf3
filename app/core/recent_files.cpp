#include "recent_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ampera {

namespace fs = std::filesystem;

std::string CRecentFiles::Normalise(const std::string& path) {
    if (path.empty()) return path;
    fs::path p(path);
    if (p.is_relative()) {
        std::error_code ec;
        fs::path absolute = fs::absolute(p, ec);
        if (!ec) p = std::move(absolute);
    }
    std::string normal = p.lexically_normal().string();
    // "/lab/" and "/lab" name the same thing; the root keeps its separator.
    while (normal.size() > 1 && normal.back() == fs::path::preferred_separator) normal.pop_back();
    return normal;
}

bool CRecentFiles::Add(const std::string& path) {
    const std::string normal = Normalise(path);
    if (normal.empty()) return false;
    if (!m_paths.empty() && m_paths.front() == normal) return false;
    std::erase(m_paths, normal);
    m_paths.insert(m_paths.begin(), normal);
    if (m_paths.size() > kCapacity) m_paths.resize(kCapacity);
    return true;
}

bool CRecentFiles::Remove(const std::string& path) {
    return std::erase(m_paths, Normalise(path)) > 0;
}

void CRecentFiles::Assign(const std::vector<std::string>& paths) {
    m_paths.clear();
    for (const std::string& path : paths) {
        if (m_paths.size() == kCapacity) break;
        const std::string normal = Normalise(path);
        if (normal.empty() || std::find(m_paths.begin(), m_paths.end(), normal) != m_paths.end()) continue;
        m_paths.push_back(normal);
    }
}

std::string RecentMenuText(std::size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

} // namespace ampera
