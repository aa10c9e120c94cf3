#include "marking.h"

#include "core/experiment.h"
#include "devices/device.h"
#include "devices/instrument_readings.h"
#include "document/experiment_file.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <map>
#include <set>

namespace ampera {

namespace {

using nlohmann::json;

constexpr const char* kPassed = "通过";
constexpr const char* kFailed = "未通过";
constexpr const char* kNoDevice = "没有这个器材";
// Points beyond this are surely a typing error, not a mark.
constexpr long long kMaxPoints = 1000000;

// "line L, column C" of a byte offset in `text`.
std::string PlaceOf(const std::string& text, std::size_t byte) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

bool ParseTerminal(const json& value, CCheck::Terminal& end) {
    if (!value.is_string()) return false;
    const std::string text = value.get<std::string>();
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size() || text.size() - colon > 4)
        return false;
    int index = 0;
    for (std::size_t i = colon + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        index = index * 10 + (text[i] - '0');
    }
    end.device = text.substr(0, colon);
    end.index = index;
    return true;
}

// One check object; an empty result when it is well formed.
std::string ParseCheck(const json& item, CCheck& check) {
    if (!item.is_object()) return "每项检查都必须是一个对象";
    static const std::set<std::string> kKeys = {"device", "shows",  "reading", "tolerance",
                                                "warns",  "connected", "points", "label"};
    for (const auto& [key, value] : item.items())
        if (!kKeys.count(key)) return "不认识的键 \"" + key + "\"";
    if (item.contains("points")) {
        const json& points = item["points"];
        if (!points.is_number_integer() || points.get<long long>() < 1 || points.get<long long>() > kMaxPoints)
            return "\"points\" 必须是 1 到 1000000 之间的整数";
        check.points = static_cast<int>(points.get<long long>());
    }
    if (item.contains("label")) {
        if (!item["label"].is_string()) return "\"label\" 必须是文字";
        check.label = item["label"].get<std::string>();
    }
    const int forms = int(item.contains("shows")) + int(item.contains("reading")) + int(item.contains("warns")) +
                      int(item.contains("connected"));
    if (forms != 1) return "每项检查须有且只有 \"shows\"、\"reading\"、\"warns\"、\"connected\" 中的一个";
    if (item.contains("connected")) {
        const json& ends = item["connected"];
        if (item.contains("device") || item.contains("tolerance"))
            return "\"connected\" 检查不带 \"device\" 和 \"tolerance\"";
        if (!ends.is_array() || ends.size() != 2 || !ParseTerminal(ends[0], check.ends[0]) ||
            !ParseTerminal(ends[1], check.ends[1]))
            return "\"connected\" 必须是两个 \"名称:接线柱编号\"";
        check.kind = CCheck::CONNECTED;
        if (check.label.empty())
            check.label = ends[0].get<std::string>() + " 与 " + ends[1].get<std::string>() + " 相连";
        return {};
    }
    if (!item.contains("device") || !item["device"].is_string()) return "缺少器材名称 \"device\"";
    check.device = item["device"].get<std::string>();
    if (item.contains("tolerance") && !item.contains("reading")) return "\"tolerance\" 只用于 \"reading\" 检查";
    if (item.contains("shows")) {
        if (!item["shows"].is_string()) return "\"shows\" 必须是文字";
        check.kind = CCheck::SHOWS;
        check.text = TrimmedText(item["shows"].get<std::string>());
        if (check.label.empty()) check.label = check.device + " 显示 " + check.text;
    } else if (item.contains("reading")) {
        const json& reading = item["reading"];
        if (!reading.is_number() || !std::isfinite(reading.get<double>()) || std::fabs(reading.get<double>()) > 1e12)
            return "\"reading\" 必须是一个数";
        check.kind = CCheck::READING;
        check.number = reading.get<double>();
        if (item.contains("tolerance")) {
            const json& tolerance = item["tolerance"];
            if (!tolerance.is_number() || !std::isfinite(tolerance.get<double>()) || tolerance.get<double>() < 0 ||
                tolerance.get<double>() > 1e6)
                return "\"tolerance\" 必须是不小于 0 的数（相对误差）";
            check.tolerance = tolerance.get<double>();
        }
        if (check.label.empty()) check.label = check.device + " 读数 " + ReadingText(check.number);
    } else {
        const json& warns = item["warns"];
        if (warns.is_string()) {
            check.kind = CCheck::WARNS;
            check.text = TrimmedText(warns.get<std::string>());
            if (check.label.empty()) check.label = check.device + " 警告 " + check.text;
        } else if (warns.is_boolean() && !warns.get<bool>()) {
            check.kind = CCheck::NO_WARNING;
            if (check.label.empty()) check.label = check.device + " 没有警告";
        } else {
            return "\"warns\" 必须是警告的文字或 false";
        }
    }
    return {};
}

// What the marking reads of one device.
struct CSeen {
    const CDevice* device = nullptr;
    std::string display;
    std::vector<std::string> warnings;
    std::string unit;
};

// Whether two nodes are joined through wires (a device's inside does not
// count).
bool Joined(const CNode* from, const CNode* to) {
    std::set<const CNode*> seen{from};
    std::vector<const CNode*> open{from};
    while (!open.empty()) {
        const CNode* node = open.back();
        open.pop_back();
        if (node == to) return true;
        for (const CComponent* attached : node->m_attached) {
            if (!attached || attached->Category() != CATEGORY_WIRE) continue;
            const auto* wire = static_cast<const CWire*>(attached);
            for (const CNode* next : {wire->m_nodeA, wire->m_nodeB})
                if (next && seen.insert(next).second) open.push_back(next);
        }
    }
    return false;
}

CCheckResult Mark(const CCheck& check, const std::map<std::string, CSeen>& seen) {
    CCheckResult result;
    result.label = check.label;
    result.points = check.points;
    if (check.kind == CCheck::CONNECTED) {
        result.expected = "相连";
        const CNode* nodes[2] = {nullptr, nullptr};
        for (int i = 0; i < 2; ++i) {
            const auto found = seen.find(check.ends[i].device);
            if (found == seen.end()) {
                result.found = kNoDevice + std::string("：") + check.ends[i].device;
                result.noSuchDevice = true;
                return result;
            }
            const std::vector<CNode*>& terminals = found->second.device->m_terminals;
            if (check.ends[i].index < 0 || static_cast<std::size_t>(check.ends[i].index) >= terminals.size() ||
                !terminals[check.ends[i].index]) {
                result.found = "没有这个接线柱：" + check.ends[i].device + ":" + std::to_string(check.ends[i].index);
                return result;
            }
            nodes[i] = terminals[check.ends[i].index];
        }
        result.passed = Joined(nodes[0], nodes[1]);
        result.found = result.passed ? "相连" : "不相连";
        return result;
    }
    const auto found = seen.find(check.device);
    switch (check.kind) {
    case CCheck::SHOWS:
        result.expected = check.text;
        break;
    case CCheck::READING:
        // In the unit of whatever range the student chose: the number alone.
        result.expected = ReadingText(check.number);
        if (check.tolerance > 0) result.expected += " ±" + ReadingText(check.tolerance * 100) + "%";
        break;
    case CCheck::WARNS:
        result.expected = "警告：" + check.text;
        break;
    default:
        result.expected = "没有警告";
        break;
    }
    if (found == seen.end()) {
        result.found = kNoDevice;
        result.noSuchDevice = true;
        return result;
    }
    const CSeen& device = found->second;
    switch (check.kind) {
    case CCheck::SHOWS:
        result.found = device.display.empty() ? "（没有显示）" : device.display;
        result.passed = device.display == check.text;
        break;
    case CCheck::READING: {
        const std::optional<double> value = DisplayedNumber(device.display);
        if (!value) {
            result.found = device.display.empty() ? "（没有读数）" : device.display;
            break;
        }
        result.found = device.display + (device.unit.empty() ? "" : " " + device.unit);
        // Relative to the expected reading; an expected 0 takes the
        // tolerance as an absolute one.
        const double allowed = check.number == 0 ? check.tolerance : check.tolerance * std::fabs(check.number);
        result.passed = std::fabs(*value - check.number) <= allowed * (1 + 1e-12);
        break;
    }
    case CCheck::WARNS:
        result.found = device.warnings.empty() ? "没有警告" : WarningsText(device.warnings);
        for (const std::string& warning : device.warnings)
            if (warning == check.text) result.passed = true;
        break;
    default:
        result.found = device.warnings.empty() ? "没有警告" : WarningsText(device.warnings);
        result.passed = device.warnings.empty();
        break;
    }
    return result;
}

} // namespace

int CTask::MaxScore() const {
    int max = 0;
    for (const CCheck& check : checks)
        max += check.points;
    return max;
}

bool ParseTask(const std::string& text, CTask& task, std::string& error) {
    task = CTask{};
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::parse_error& e) {
        error = PlaceOf(text, e.byte == 0 ? 0 : e.byte - 1) + ": 不是有效的 JSON（" + e.what() + "）";
        return false;
    } catch (const json::exception& e) {
        // A number too large for any type, and the like.
        error = std::string("不是有效的 JSON（") + e.what() + "）";
        return false;
    }
    if (!doc.is_object() || !doc.contains("checks") || !doc["checks"].is_array()) {
        error = "任务文件必须是 {\"checks\": [ ... ]}";
        return false;
    }
    std::size_t number = 0;
    for (const json& item : doc["checks"]) {
        ++number;
        CCheck check;
        if (std::string reason = ParseCheck(item, check); !reason.empty()) {
            error = "第 " + std::to_string(number) + " 项检查: " + reason;
            return false;
        }
        task.checks.push_back(std::move(check));
    }
    return true;
}

CMarkedFile MarkFile(const std::string& path, const CTask& task, long long time) {
    CMarkedFile marked;
    marked.file = path;
    marked.max = task.MaxScore();
    CExperiment experiment;
    if (!LoadFile(experiment, path, time, &marked.error)) return marked;
    marked.readable = true;

    std::map<std::string, CSeen> seen;
    for (const CReadingRow& row : InstrumentReadings(experiment, time))
        seen[row.name] = CSeen{row.device, row.display, row.warnings, row.unit};
    // Devices that are no instruments count for "connected" and "warns" too
    // (a resistor that burns out warns); the first of a name wins.
    for (CComponent* object : experiment.Devices()) {
        auto* device = dynamic_cast<CDevice*>(object);
        if (!device || seen.count(device->m_name)) continue;
        std::vector<std::string> warnings = DeviceWarnings(*device, time);
        seen[device->m_name] = CSeen{device, TrimmedText(device->DisplayText()), std::move(warnings), ""};
    }
    for (const CCheck& check : task.checks) {
        CCheckResult result = Mark(check, seen);
        if (result.passed) marked.score += check.points;
        marked.checks.push_back(std::move(result));
    }
    return marked;
}

std::string TaskFault(const std::vector<CMarkedFile>& files, const CTask& task) {
    for (std::size_t i = 0; i < task.checks.size(); ++i) {
        bool anyRead = false, anyHas = false;
        for (const CMarkedFile& file : files) {
            if (!file.readable || i >= file.checks.size()) continue;
            anyRead = true;
            anyHas = anyHas || !file.checks[i].noSuchDevice;
        }
        if (anyRead && !anyHas)
            return "第 " + std::to_string(i + 1) + " 项检查: 没有一个学生文件里有它所说的器材（" + task.checks[i].label +
                   "）";
    }
    return {};
}

std::string MarkingTable(const std::vector<CMarkedFile>& files) {
    std::string out;
    for (const CMarkedFile& file : files) {
        out += file.file + "\n";
        if (!file.readable) {
            out += "  无法读取：" + file.error + "\n\n";
            continue;
        }
        for (const CCheckResult& check : file.checks)
            out += "  " + std::string(check.passed ? kPassed : kFailed) + "  " + check.label + "\n      要求：" +
                   check.expected + "    结果：" + check.found + "\n";
        out += "  得分 " + std::to_string(file.score) + "/" + std::to_string(file.max) + "\n\n";
    }
    return out;
}

std::string MarkingJson(const std::vector<CMarkedFile>& files) {
    json list = json::array();
    for (const CMarkedFile& file : files) {
        json checks = json::array();
        for (const CCheckResult& check : file.checks)
            checks.push_back({{"label", check.label},
                              {"passed", check.passed},
                              {"expected", check.expected},
                              {"found", check.found}});
        json entry = {{"file", file.file}, {"score", file.score}, {"max", file.max}, {"checks", checks}};
        if (!file.readable) entry["error"] = file.error;
        list.push_back(entry);
    }
    return json{{"files", list}}.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string MarkingCsv(const std::vector<CMarkedFile>& files, const CTask& task) {
    std::string csv = kUtf8Bom;
    csv += "文件,得分,满分";
    for (const CCheck& check : task.checks)
        csv += "," + CsvField(check.label);
    csv += "\r\n";
    for (const CMarkedFile& file : files) {
        csv += CsvField(file.file) + "," + std::to_string(file.score) + "," + std::to_string(file.max);
        for (std::size_t i = 0; i < task.checks.size(); ++i)
            csv += std::string(",") +
                   (!file.readable ? "无法读取" : i < file.checks.size() && file.checks[i].passed ? kPassed : kFailed);
        csv += "\r\n";
    }
    return csv;
}

} // namespace ampera
