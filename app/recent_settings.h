// Where the recent-files list lives between runs: the user's settings of the
// program (QSettings), or a settings file named by the window's options.
#pragma once

#include <QString>

#include <string>
#include <vector>

namespace ampera {

class CRecentSettings {
  public:
    static constexpr const char* kKey = "recentFiles";

    // `file` empty: the user's own settings, under the application's
    // organisation name (its own name when it has none) and its name;
    // otherwise an INI file at `file`.
    explicit CRecentSettings(QString file = {}) : m_file(std::move(file)) {}

    std::vector<std::string> Load() const;
    void Store(const std::vector<std::string>& paths) const;

  private:
    QString m_file;
};

} // namespace ampera
