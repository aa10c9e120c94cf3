// What a lab report records of an experiment: every instrument and source
// with its name, kind, range, display, the number the display shows, its
// unit and its warnings, as `ampera-cli readings` prints it and the window's
// 文件 → 导出读数… writes it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ampera {

class CDevice;
class CExperiment;

struct CReadingRow {
    const CDevice* device = nullptr;
    std::string name;
    std::string kind; // as the device bar names it
    std::string range;
    std::string display;         // the main display, trimmed; empty while dark
    std::optional<double> value; // the number it shows, in `unit`
    std::string unit;
    std::vector<std::string> warnings; // what the device posts, line breaks trimmed
};

// The number a display shows: its text, trimmed, is a plain decimal number
// ("05.00", "-1.234"); a dark display or an over-range mark ("1 .") gives
// nothing.
std::optional<double> DisplayedNumber(const std::string& text);

// A text without the line breaks and blanks it is shown with.
std::string TrimmedText(std::string text);

// What the device posts when it updates once more on its own at `time`
// (its warnings, told apart from the other devices'), each text trimmed;
// its displays then hold what they showed.
std::vector<std::string> DeviceWarnings(CDevice& device, long long time);
// Warnings as one text ("a; b").
std::string WarningsText(const std::vector<std::string>& warnings);
// A reading as a report writes it: up to ten significant digits.
std::string ReadingText(double value);

// The instruments and sources of a loaded (solved and updated) experiment in
// file order. Each device updates once more on its own, at `time`, so its
// warnings can be told apart; its displays then hold what they showed.
std::vector<CReadingRow> InstrumentReadings(CExperiment& experiment, long long time);

// The rows as a CSV file: UTF-8 with a byte-order mark (spreadsheet
// programs then show the Chinese), a header row 名称,类型,量程,显示,读数,单位,
// 警告, fields quoted where they hold a comma, a quote or a line break, lines
// ending in CR LF.
std::string ReadingsCsv(const std::vector<CReadingRow>& rows);
// One CSV field, quoted where it needs to be; a text a spreadsheet would run
// as a formula gets a leading apostrophe (negative numbers stay numbers).
std::string CsvField(const std::string& text);
// The UTF-8 byte-order mark the CSV files start with.
inline constexpr const char* kUtf8Bom = "\xEF\xBB\xBF";

} // namespace ampera
