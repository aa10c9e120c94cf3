// Marking student files against a teacher's task (ampera-cli check): the
// task file's checks, each student file solved as Open does, and the result
// of every check with what was expected and what was found.
#pragma once

#include <string>
#include <vector>

namespace ampera {

struct CCheck {
    enum Kind { SHOWS, READING, WARNS, NO_WARNING, CONNECTED };
    Kind kind = SHOWS;
    std::string device; // SHOWS, READING, WARNS, NO_WARNING
    std::string text;   // SHOWS: the display text; WARNS: the warning
    double number = 0;  // READING: the expected reading
    double tolerance = 0;
    struct Terminal {
        std::string device;
        int index = 0;
    } ends[2]; // CONNECTED
    int points = 1;
    std::string label;
};

struct CTask {
    std::vector<CCheck> checks;
    int MaxScore() const;
};

// Reads a task file's text: {"checks": [ ... ]}. False with a message when
// the text is no JSON ("第 3 行第 14 列: ...") or a check is of no known form
// or has values out of range ("第 2 项检查: ...").
bool ParseTask(const std::string& text, CTask& task, std::string& error);

struct CCheckResult {
    std::string label, expected, found;
    bool passed = false;
    int points = 1;
    bool noSuchDevice = false; // a device the check names is not in the file
};

struct CMarkedFile {
    std::string file;
    bool readable = false;
    std::string error; // why it could not be read
    int score = 0, max = 0;
    std::vector<CCheckResult> checks;
};

// Loads and solves the student file exactly as Open does (at `time`) and
// marks every check.
CMarkedFile MarkFile(const std::string& path, const CTask& task, long long time = 0);

// A check whose device is in none of the files that could be read names no
// device of the task's experiment: a fault of the task, not of the
// students. The first such check's message ("第 2 项检查: ..."), or empty.
std::string TaskFault(const std::vector<CMarkedFile>& files, const CTask& task);

// The report forms: a table per file, the JSON document, the CSV table
// (one row per file, UTF-8 with a byte-order mark).
std::string MarkingTable(const std::vector<CMarkedFile>& files);
std::string MarkingJson(const std::vector<CMarkedFile>& files);
std::string MarkingCsv(const std::vector<CMarkedFile>& files, const CTask& task);

} // namespace ampera
