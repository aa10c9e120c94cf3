// ampera-cli: loads an experiment exactly as Open does and prints what the
// bench shows, so a teacher can check a file without a display.
#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "devices/instrument_readings.h"
#include "devices/screen_instrument.h"
#include "document/experiment_file.h"
#include "marking.h"

#include <ampera_version.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <malloc.h>
#include <map>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace ampera;
using nlohmann::json;

constexpr int kExitUnreadable = 2;
constexpr int kExitUsage = 64;
// What is printed for a value the teacher hid.
constexpr const char* kHiddenValue = "hidden";

const char* const kUsage =
    "usage: ampera-cli solve FILE [--time MS] [--json]\n"
    "       ampera-cli readings FILE [--csv OUT]\n"
    "       ampera-cli check STUDENT.vtx... --expect TASK.json [--json] [--csv OUT]\n"
    "       ampera-cli scope FILE --id ID [--csv OUT] [--png OUT] [--time MS]\n"
    "       ampera-cli render FILE --view board|schematic|panel:ID|screen:ID --out FILE.png [--time MS] [--size WxH]\n"
    "       ampera-cli --help | --version\n";

const char* const kHelp =
    "Reads Ampera experiment files (.vtx) and reports what their instruments show.\n"
    "\n"
    "Commands:\n"
    "  solve     solve every circuit and list each device's value, display and warnings\n"
    "  readings  list the instruments' and sources' readings (or write them as CSV)\n"
    "  check     mark students' experiments against a teacher's task\n"
    "  scope     an oscilloscope's measurements, traces (CSV) and screen (PNG)\n"
    "  render    draw the board or a device's panel as a PNG\n"
    "\n"
    "Options:\n"
    "  --trace      write the solver's trace to standard error (also AMPERA_TRACE=1)\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 done, 1 a check or an export failed, 2 a file could not be read, 64 a usage error.\n";

constexpr int kExitFailed = 1;

int RunRenderer(const std::vector<std::string>& args);

bool WriteText(const std::string& path, const std::string& text) {
    std::string error;
    if (WriteFileAtomically(path, text, &error)) return true;
    std::fprintf(stderr, "ampera-cli: %s\n", error.c_str());
    return false;
}

// The experiment a command reads. It lasts until the process ends, which
// takes all its memory back at once: freeing ten thousand objects one by one
// first would only delay the exit. Each command reads one at a time.
CExperiment& CommandExperiment() {
    static CExperiment* const experiment = new CExperiment; // never deleted, still reachable
    return *experiment;
}

int Readings(const std::string& path, const std::string& csvPath) {
    CExperiment& experiment = CommandExperiment();
    std::string error;
    if (!LoadFile(experiment, path, 0, &error)) {
        std::fprintf(stderr, "ampera-cli: %s\n", error.c_str());
        return kExitUnreadable;
    }
    const std::vector<CReadingRow> rows = InstrumentReadings(experiment, 0);
    if (!csvPath.empty()) return WriteText(csvPath, ReadingsCsv(rows)) ? 0 : kExitUnreadable;
    std::printf("%s: %zu instruments and sources\n", path.c_str(), rows.size());
    std::printf("name\tkind\trange\tdisplay\treading\tunit\twarnings\n");
    for (const CReadingRow& row : rows)
        std::printf("%s\t%s\t%s\t%s\t%s\t%s\t%s\n", row.name.c_str(), row.kind.c_str(),
                    row.range.empty() ? "-" : row.range.c_str(), row.display.empty() ? "-" : row.display.c_str(),
                    row.value ? ReadingText(*row.value).c_str() : "-", row.unit.empty() ? "-" : row.unit.c_str(),
                    WarningsText(row.warnings).c_str());
    return 0;
}

int Check(const std::vector<std::string>& students, const std::string& taskPath, bool asJson,
          const std::string& csvPath) {
    std::string bytes, error;
    if (!ReadFileBytes(taskPath, bytes, &error)) {
        std::fprintf(stderr, "ampera-cli: %s: %s\n", taskPath.c_str(), error.c_str());
        return kExitUsage;
    }
    CTask task;
    if (!ParseTask(bytes, task, error)) {
        std::fprintf(stderr, "ampera-cli: %s: %s\n", taskPath.c_str(), error.c_str());
        return kExitUsage;
    }
    std::vector<CMarkedFile> marked;
    bool unreadable = false, failed = false;
    for (const std::string& student : students) {
        marked.push_back(MarkFile(student, task));
        unreadable = unreadable || !marked.back().readable;
        failed = failed || marked.back().score < marked.back().max;
        if (!marked.back().readable)
            std::fprintf(stderr, "ampera-cli: %s: %s\n", student.c_str(), marked.back().error.c_str());
    }
    // A device no student file has is a mistake in the task.
    if (const std::string fault = TaskFault(marked, task); !fault.empty()) {
        std::fprintf(stderr, "ampera-cli: %s: %s\n", taskPath.c_str(), fault.c_str());
        return kExitUsage;
    }
    std::fputs((asJson ? MarkingJson(marked) : MarkingTable(marked)).c_str(), stdout);
    if (!csvPath.empty() && !WriteText(csvPath, MarkingCsv(marked, task))) return kExitUnreadable;
    return unreadable ? kExitUnreadable : failed ? kExitFailed : 0;
}

struct RecordingSink : INoticeSink {
    std::vector<std::string>* out = nullptr;
    void PostNotice(const CNotice& n) override {
        if (out) out->push_back(n.text);
    }
    void AddLabel(const std::string&, int, int) override {}
};

json Quantity(const CQuantity& q) {
    return {{"para", std::vector<double>(q.para_array, q.para_array + 10)},
            {"wave", std::vector<double>(q.wave_array, q.wave_array + 4)}};
}

// A channel's measurements in volts, hertz and seconds; null where a value
// is not defined (all of them while the screen is dark).
json Measurements(const CChannelMeasurements& m) {
    const auto optional = [](const std::optional<double>& v) { return v ? json(*v) : json(nullptr); };
    const auto volts = [&](double v) { return m.measured ? json(v) : json(nullptr); };
    return {{"vpp", volts(m.vpp)},   {"vmax", volts(m.vmax)},
            {"vmin", volts(m.vmin)}, {"mean", volts(m.mean)},
            {"rms", volts(m.rms)},   {"frequency", optional(m.frequency)},
            {"period", optional(m.period)}};
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : separator) + p;
    return out;
}

// Texts end in line breaks when they are shown on the board; a table and a
// JSON list read better without them.
std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}

int Solve(const std::string& path, long long time, bool asJson) {
    CExperiment& experiment = CommandExperiment();
    std::vector<std::string> notices;
    RecordingSink all;
    all.out = &notices;
    experiment.SetNoticeSink(&all);
    struct Detach {
        CExperiment& e;
        ~Detach() { e.SetNoticeSink(nullptr); }
    } detach{experiment};

    std::string error;
    bool solved = false;
    if (!LoadFile(experiment, path, time, &error, &solved)) {
        std::fprintf(stderr, "ampera-cli: %s\n", error.c_str());
        return kExitUnreadable;
    }

    // Each device updates once more on its own so its warnings can be told
    // apart; at the same time its displays hold what they showed.
    json devices = json::array();
    struct Row {
        int id;
        std::string name, value, display, warnings;
    };
    std::vector<Row> rows;
    for (CComponent* object : experiment.Devices()) {
        auto* device = dynamic_cast<CDevice*>(object);
        if (!device) continue;
        std::vector<std::string> warnings;
        RecordingSink own;
        own.out = &warnings;
        device->Update(CUpdateContext{&own, time});
        for (std::string& w : warnings)
            w = Trimmed(w);

        // A value the teacher hid is printed as hidden, and its branches
        // (whose voltage and current would give it away) are left out.
        const std::string value = device->m_valueHidden ? kHiddenValue : device->LabelValue();
        if (asJson) {
            json entry = {{"id", device->Id()},
                          {"type", device->TypeCode()},
                          {"name", device->m_name},
                          {"value", value.empty() ? json(nullptr) : json(value)},
                          {"display", device->DisplayTexts()},
                          {"warnings", warnings}};
            if (!device->m_valueHidden) {
                json branches = json::array();
                for (const auto& b : device->m_branches)
                    branches.push_back({{"class", b->m_result.m_elec.m_circuitClass},
                                        {"elec", Quantity(b->m_result.m_elec)},
                                        {"vol", Quantity(b->m_result.m_vol)}});
                entry["branches"] = branches;
            }
            if (device->HasScreen()) {
                json traces = json::array();
                for (const auto& line : device->Traces()) {
                    json points = json::array();
                    for (auto [x, y] : line)
                        points.push_back({x, y});
                    traces.push_back(points);
                }
                entry["traces"] = traces;
            }
            if (const CScreenInstrument* screen = device->Screen()) {
                json measured = json::object();
                for (int c = 0; c < screen->ChannelCount(); ++c)
                    measured["ch" + std::to_string(c + 1)] = Measurements(screen->Measure(c));
                entry["measurements"] = measured;
            }
            devices.push_back(entry);
        }
        rows.push_back({device->Id(), device->m_name, value, Join(device->DisplayTexts(), " | "),
                        Join(warnings, "; ")});
    }
    for (std::string& n : notices)
        n = Trimmed(n);

    if (asJson) {
        json doc = {{"file", path}, {"solved", solved}, {"notices", notices}, {"devices", devices}};
        std::cout << doc.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
        return 0;
    }
    std::printf("%s: %zu devices, %s\n", path.c_str(), rows.size(),
                solved ? "every circuit solved" : "a circuit could not be analysed");
    std::printf("%-8s %-16s %-12s %-20s %s\n", "id", "name", "value", "display", "warnings");
    for (const Row& r : rows)
        std::printf("%-8d %-16s %-12s %-20s %s\n", r.id, r.name.c_str(), r.value.empty() ? "-" : r.value.c_str(),
                    r.display.empty() ? "-" : r.display.c_str(), r.warnings.c_str());
    if (!notices.empty()) std::printf("notices: %s\n", Join(notices, "; ").c_str());
    return 0;
}

struct CScopeRequest {
    std::string file, id, csv, png;
    long long time = 0;
};

// One screen instrument's measurements as a table, its traces as CSV, its
// screen as a PNG.
int Scope(const CScopeRequest& request) {
    CExperiment& experiment = CommandExperiment();
    std::string error;
    if (!LoadFile(experiment, request.file, request.time, &error)) {
        std::fprintf(stderr, "ampera-cli: %s\n", error.c_str());
        return kExitUnreadable;
    }
    CDevice* device = nullptr;
    for (CComponent* object : experiment.Devices())
        if (std::to_string(object->Id()) == request.id) device = dynamic_cast<CDevice*>(object);
    if (!device) {
        std::fprintf(stderr, "ampera-cli: no device with id %s in %s\n", request.id.c_str(), request.file.c_str());
        return kExitUsage;
    }
    const CScreenInstrument* screen = device->Screen();
    if (!screen) {
        std::fprintf(stderr, "ampera-cli: %s (id %s) has no screen\n", device->m_name.c_str(), request.id.c_str());
        return kExitUsage;
    }
    if (!request.csv.empty()) {
        const std::string csv = screen->TraceCsv();
        if (csv.empty()) {
            std::fprintf(stderr, "ampera-cli: %s is switched off: its screen shows no trace\n",
                         device->m_name.c_str());
            return kExitFailed;
        }
        if (!WriteText(request.csv, csv)) return kExitUnreadable;
    }
    if (!request.png.empty()) {
        const int status = RunRenderer({request.file, "--view", "screen:" + request.id, "--out", request.png,
                                        "--time", std::to_string(request.time)});
        if (status != 0) return status;
    }
    if (!request.csv.empty() || !request.png.empty()) return 0;
    const CScreenReport report = screen->Report();
    std::printf("%s: %s (id %s)\n", request.file.c_str(), device->m_name.c_str(), request.id.c_str());
    if (report.channels.empty()) {
        std::printf("no channel is shown\n");
        return 0;
    }
    std::string header = "channel";
    for (const std::string& q : report.quantities)
        header += "\t" + q;
    std::printf("%s\n", header.c_str());
    for (const CScreenReport::Row& row : report.channels)
        std::printf("%s\t%s\n", row.channel.c_str(), Join(row.values, "\t").c_str());
    return 0;
}

// Runs ampera-render (beside this program) with `args`; its exit status.
int RunRenderer(const std::vector<std::string>& args) {
    std::string self(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
    self.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::size_t slash = self.rfind('/');
    const std::string renderer = (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) +
                                 "/ampera-render";
    std::vector<char*> argv;
    std::string name = "ampera-render";
    argv.push_back(name.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(stdout);
    pid_t child = 0;
    if (posix_spawn(&child, renderer.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "ampera-cli: cannot run %s: %s\n", renderer.c_str(), std::strerror(errno));
        return kExitUnreadable;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return kExitUnreadable;
    return WIFEXITED(status) ? WEXITSTATUS(status) : kExitUnreadable;
}

int Usage(const std::string& message) {
    std::fprintf(stderr, "ampera-cli: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    // One file is read and the process ends: large buffers come from the
    // heap and are reused there instead of being mapped and faulted in
    // afresh for every step of the read.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    std::vector<std::string> args(argv + 1, argv + argc);
    // --trace may stand anywhere; the environment can ask for it too.
    const auto trace = std::find(args.begin(), args.end(), std::string("--trace"));
    const char* traceVariable = std::getenv("AMPERA_TRACE");
    if (trace != args.end() || (traceVariable && std::string(traceVariable) == "1"))
        CCircuitSolver::SetDefaultTraceStream(&std::cerr);
    if (trace != args.end()) args.erase(trace);
    if (args.empty()) return Usage("no command given");
    const std::string command = args[0];
    if (command == "--help" || command == "-h") {
        std::printf("%s\n%s", kUsage, kHelp);
        return 0;
    }
    if (command == "--version") {
        std::printf("ampera-cli %s\n", AMPERA_VERSION);
        return 0;
    }
    if (command == "solve") {
        std::string file;
        long long time = 0;
        bool asJson = false;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--json") {
                asJson = true;
            } else if (args[i] == "--time") {
                if (i + 1 >= args.size()) return Usage("--time needs a number of milliseconds");
                char* end = nullptr;
                time = std::strtoll(args[++i].c_str(), &end, 10);
                if (!end || *end || time < 0) return Usage("--time needs a number of milliseconds");
            } else if (!args[i].empty() && args[i][0] == '-') {
                return Usage("unknown option " + args[i]);
            } else if (file.empty()) {
                file = args[i];
            } else {
                return Usage("more than one file given");
            }
        }
        if (file.empty()) return Usage("no experiment file given");
        return Solve(file, time, asJson);
    }
    if (command == "readings") {
        std::string file, csv;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--csv") {
                if (i + 1 >= args.size()) return Usage("--csv needs a file name");
                csv = args[++i];
            } else if (!args[i].empty() && args[i][0] == '-') {
                return Usage("unknown option " + args[i]);
            } else if (file.empty()) {
                file = args[i];
            } else {
                return Usage("more than one file given");
            }
        }
        if (file.empty()) return Usage("no experiment file given");
        return Readings(file, csv);
    }
    if (command == "check") {
        std::vector<std::string> students;
        std::string task, csv;
        bool asJson = false;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--expect") {
                if (i + 1 >= args.size()) return Usage("--expect needs a task file");
                task = args[++i];
            } else if (args[i] == "--csv") {
                if (i + 1 >= args.size()) return Usage("--csv needs a file name");
                csv = args[++i];
            } else if (args[i] == "--json") {
                asJson = true;
            } else if (!args[i].empty() && args[i][0] == '-') {
                return Usage("unknown option " + args[i]);
            } else {
                students.push_back(args[i]);
            }
        }
        if (students.empty()) return Usage("no student file given");
        if (task.empty()) return Usage("--expect TASK.json is required");
        return Check(students, task, asJson, csv);
    }
    if (command == "scope") {
        CScopeRequest request;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const bool hasValue = i + 1 < args.size();
            if (args[i] == "--id") {
                if (!hasValue) return Usage("--id needs a device id");
                request.id = args[++i];
            } else if (args[i] == "--csv") {
                if (!hasValue) return Usage("--csv needs a file name");
                request.csv = args[++i];
            } else if (args[i] == "--png") {
                if (!hasValue) return Usage("--png needs a file name");
                request.png = args[++i];
            } else if (args[i] == "--time") {
                char* end = nullptr;
                request.time = hasValue ? std::strtoll(args[++i].c_str(), &end, 10) : -1;
                if (!end || *end || request.time < 0) return Usage("--time needs a number of milliseconds");
            } else if (!args[i].empty() && args[i][0] == '-') {
                return Usage("unknown option " + args[i]);
            } else if (request.file.empty()) {
                request.file = args[i];
            } else {
                return Usage("more than one file given");
            }
        }
        if (request.file.empty()) return Usage("no experiment file given");
        if (request.id.empty()) return Usage("--id ID of the oscilloscope is required");
        return Scope(request);
    }
    // Drawing needs Qt and OpenGL, which the other commands never load: it
    // runs in a program of its own beside this one.
    if (command == "render") return RunRenderer(std::vector<std::string>(args.begin() + 1, args.end()));
    return Usage("unknown command " + command);
}
