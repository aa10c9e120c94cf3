#include "instrument_readings.h"

#include "core/experiment.h"
#include "device.h"

#include <cstdio>
#include <cstdlib>

namespace ampera {

namespace {

struct CollectingSink : INoticeSink {
    std::vector<std::string> texts;
    void PostNotice(const CNotice& notice) override {
        if (std::string text = TrimmedText(notice.text); !text.empty()) texts.push_back(std::move(text));
    }
    void AddLabel(const std::string&, int, int) override {}
};

} // namespace

std::vector<std::string> DeviceWarnings(CDevice& device, long long time) {
    CollectingSink own;
    device.Update(CUpdateContext{&own, time});
    return std::move(own.texts);
}

std::string WarningsText(const std::vector<std::string>& warnings) {
    std::string out;
    for (const std::string& warning : warnings)
        out += (out.empty() ? "" : "; ") + warning;
    return out;
}

std::string ReadingText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string TrimmedText(std::string text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && blank(text[start]))
        ++start;
    return text.substr(start);
}

std::optional<double> DisplayedNumber(const std::string& text) {
    const std::string shown = TrimmedText(text);
    if (shown.empty()) return std::nullopt;
    // Digits with at most one point and a leading sign: nothing else a
    // display shows is a number.
    bool digit = false, point = false;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const char c = shown[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if (!((c == '-' || c == '+') && i == 0)) {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    return std::strtod(shown.c_str(), nullptr);
}

std::vector<CReadingRow> InstrumentReadings(CExperiment& experiment, long long time) {
    std::vector<CReadingRow> rows;
    for (CComponent* object : experiment.Devices()) {
        auto* device = dynamic_cast<CDevice*>(object);
        if (!device) continue;
        const std::optional<CInstrumentReading> reading = device->ReportReading();
        if (!reading) continue;
        std::vector<std::string> warnings = DeviceWarnings(*device, time);
        CReadingRow row;
        row.device = device;
        row.name = device->m_name;
        row.kind = device->Kind().bar.caption;
        row.range = reading->range;
        row.display = TrimmedText(device->DisplayText());
        row.value = DisplayedNumber(row.display);
        row.unit = reading->unit;
        row.warnings = std::move(warnings);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string CsvField(const std::string& text) {
    // Names come from students' files: a field a spreadsheet would take for
    // a formula ("=HYPERLINK(...)") is kept as text by a leading apostrophe.
    std::string field = text;
    if (!field.empty() && (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@' ||
                           field[0] == '\t' || field[0] == '\r') &&
        !DisplayedNumber(field))
        field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string ReadingsCsv(const std::vector<CReadingRow>& rows) {
    std::string csv = kUtf8Bom;
    csv += "名称,类型,量程,显示,读数,单位,警告\r\n";
    for (const CReadingRow& row : rows) {
        const std::string fields[] = {row.name,
                                      row.kind,
                                      row.range,
                                      row.display,
                                      row.value ? ReadingText(*row.value) : std::string(),
                                      row.unit,
                                      WarningsText(row.warnings)};
        for (std::size_t i = 0; i < std::size(fields); ++i)
            csv += (i ? "," : "") + CsvField(fields[i]);
        csv += "\r\n";
    }
    return csv;
}

} // namespace ampera
