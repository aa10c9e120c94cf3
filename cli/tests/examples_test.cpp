// Every example experiment loads through ampera-cli exactly as Open does and
// shows the readings a teacher expects.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

using nlohmann::json;

struct CliRun {
    int status = -1;
    std::string out;
};

// What a shell command printed on standard output, and its exit status.
CliRun RunShell(const std::string& command) {
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

CliRun Cli(const std::string& args) { return RunShell(std::string(AMPERA_CLI) + " " + args + " 2>/dev/null"); }

// Both output streams together, with `environment` set for the program.
CliRun CliWithErrors(const std::string& environment, const std::string& args) {
    return RunShell("env " + environment + " " + std::string(AMPERA_CLI) + " " + args + " 2>&1");
}

json Solve(const std::string& example) {
    CliRun run = Cli("solve " + std::string(AMPERA_EXAMPLES) + "/" + example + ".vtx --json");
    EXPECT_EQ(run.status, 0) << run.out;
    return json::parse(run.out);
}

// The numbers shown by every device of `type`, in the experiment's order.
std::vector<double> Shown(const json& doc, int type) {
    std::vector<double> values;
    for (const json& d : doc["devices"])
        if (d["type"] == type && !d["display"].empty()) values.push_back(std::stod(d["display"].back().get<std::string>()));
    return values;
}

struct ExampleCase {
    const char* file;
    int type;                     // the instrument to read
    std::vector<double> expected; // what it shows, in its display unit
    double count;                 // one count of its last digit (displays may flicker by one)
};
void PrintTo(const ExampleCase& c, std::ostream* os) { *os << c.file; }

class Examples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(Examples, ShowTheExpectedReadings) {
    const ExampleCase& c = GetParam();
    json doc = Solve(c.file);
    EXPECT_TRUE(doc["solved"].get<bool>());
    const std::vector<double> shown = Shown(doc, c.type);
    ASSERT_EQ(shown.size(), c.expected.size()) << doc.dump(1);
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_NEAR(shown[i], c.expected[i], c.count * 1.01) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Examples,
    ::testing::Values(ExampleCase{"ohms_law", 21, {10.00}, 0.01},        // 10 mA on the 20 mA range
                      ExampleCase{"ohms_law", 20, {10.00}, 0.01},        // 10 V on the 20 V range
                      ExampleCase{"voltage_divider", 20, {5.00}, 0.01},  // half of 10 V
                      ExampleCase{"wheatstone_bridge", 23, {0.0}, 0.001}, // balanced: no current
                      ExampleCase{"rl_direct_current", 21, {100.0}, 0.1}, // 10 V / 100 ohm
                      ExampleCase{"rlc_alternating", 22, {7.0}, 0.1},     // near resonance: 10 V peak, ~7 V rms
                      ExampleCase{"diode", 21, {0.01, 0.0}, 0.01},        // forward 10 mA, reversed nothing
                      ExampleCase{"level_meter_harmonics", 24, {1.273}, 0.001}, // 1 V square: 4/pi at 1 kHz
                      ExampleCase{"multimeter_ohms", 6, {4.70}, 0.01}),  // 4.7 kOhm on the 20 kOhm range
    [](const auto& info) { return std::string(info.param.file) + "_" + std::to_string(info.index); });

TEST(ExamplesCli, ScopeTracesAndBranchNumbers) {
    json doc = Solve("rc_square_wave");
    bool sawScope = false;
    for (const json& d : doc["devices"]) {
        if (d["type"] == 7) {
            sawScope = true;
            ASSERT_TRUE(d.contains("traces"));
            EXPECT_FALSE(d["traces"].empty());
        }
        if (d["type"] == 16) {
            const json& vol = d["branches"][0]["vol"];
            EXPECT_EQ(d["branches"][0]["class"], 3) << "square-wave first order";
            EXPECT_NEAR(vol["para"][2].get<double>(), 1 / (1000 * 0.1e-6), 1e4 * 0.01) << "1/RC, the scope's megohm aside";
            EXPECT_EQ(vol["para"].size(), 10u);
            EXPECT_EQ(vol["wave"].size(), 4u);
        }
    }
    EXPECT_TRUE(sawScope);
}

// The scope on the capacitor of rc_square_wave: the charge curve of a
// +-1 V square wave through RC, measured from its description.
TEST(ExamplesCli, ScopeMeasurementsInJson) {
    json doc = Solve("rc_square_wave");
    // The capacitor settles towards the source level (the step from rest is
    // twice it, a little under 2 V behind the scope's megohm) at 1/RC.
    double rate = 0, level = 0;
    const json* scope = nullptr;
    for (const json& d : doc["devices"]) {
        if (d["type"] == 16) {
            rate = d["branches"][0]["vol"]["para"][2].get<double>();
            level = std::fabs(d["branches"][0]["vol"]["para"][1].get<double>()) / 2;
        }
        if (d["type"] == 7) scope = &d;
    }
    ASSERT_TRUE(scope && scope->contains("measurements"));
    const json& m = (*scope)["measurements"];
    ASSERT_EQ(m.size(), 2u);
    for (const char* channel : {"ch1", "ch2"}) {
        ASSERT_TRUE(m.contains(channel));
        for (const char* key : {"vpp", "vmax", "vmin", "mean", "rms", "frequency", "period"})
            EXPECT_TRUE(m[channel].contains(key)) << channel << " " << key;
        EXPECT_EQ(m[channel].size(), 7u);
    }
    const json& ch1 = m["ch1"];
    const double c = std::exp(-rate * 0.5e-3);
    EXPECT_NEAR(ch1["vmax"].get<double>(), level * (1 - c) / (1 + c), 1e-9);
    EXPECT_DOUBLE_EQ(ch1["vpp"].get<double>(), 2 * ch1["vmax"].get<double>());
    EXPECT_DOUBLE_EQ(ch1["vmin"].get<double>(), -ch1["vmax"].get<double>());
    EXPECT_EQ(ch1["mean"].get<double>(), 0);
    EXPECT_NEAR(ch1["frequency"].get<double>(), 1000, 1e-9);
    EXPECT_NEAR(ch1["period"].get<double>(), 1e-3, 1e-15);
    const double rms = ch1["rms"].get<double>();
    EXPECT_GT(rms, ch1["vmax"].get<double>() / std::sqrt(3.0)) << "rounder than a triangle";
    EXPECT_LT(rms, ch1["vmax"].get<double>()) << "not yet a square";
    // Channel 2 is not wired: a flat line with nothing that repeats.
    EXPECT_EQ(m["ch2"]["vpp"].get<double>(), 0);
    EXPECT_TRUE(m["ch2"]["frequency"].is_null());
    EXPECT_TRUE(m["ch2"]["period"].is_null());
}

// ampera-cli scope: the measurements as a table, the traces as CSV, and the
// errors of a wrong id, a device with no screen and a dark screen.
TEST(ExamplesCli, ScopeCommandPrintsAndExports) {
    const std::string example = std::string(AMPERA_EXAMPLES) + "/rc_square_wave.vtx";
    CliRun table = Cli("scope " + example + " --id 84");
    ASSERT_EQ(table.status, 0) << table.out;
    EXPECT_NE(table.out.find("峰峰值"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("通道一\t1.971 V"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("1.000 kHz\t1.000 ms"), std::string::npos) << table.out;

    const std::string dir = ::testing::TempDir();
    const std::string csv = dir + "/scope_trace.csv";
    std::remove(csv.c_str());
    ASSERT_EQ(Cli("scope " + example + " --id 84 --csv " + csv).status, 0);
    std::ifstream in(csv, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF时间 (s),通道一 (V)\r\n", 0), 0u);
    std::size_t rows = 0;
    for (char ch : text) rows += ch == '\n';
    EXPECT_EQ(rows, 442u) << "a header and the 441 samples drawn";

    EXPECT_EQ(Cli("scope " + example + " --id 76").status, 64) << "a resistor has no screen";
    EXPECT_EQ(Cli("scope " + example + " --id 12345").status, 64);
    EXPECT_EQ(Cli("scope " + example).status, 64) << "no id";
    EXPECT_EQ(Cli("scope " + example + " --id 84 --frame 3").status, 64);
    EXPECT_EQ(Cli("scope /nonexistent.vtx --id 84").status, 2);

    // The same bench with the scope switched off has no trace to export.
    std::ifstream original(example, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>());
    const std::size_t scope = bytes.find("<TYPE>7</TYPE>");
    ASSERT_NE(scope, std::string::npos);
    const std::string on = "<BUTTON_POWER>1</BUTTON_POWER>";
    const std::size_t power = bytes.find(on, scope);
    ASSERT_NE(power, std::string::npos);
    bytes.replace(power, on.size(), "<BUTTON_POWER>0</BUTTON_POWER>");
    const std::string dark = dir + "/scope_off.vtx";
    std::ofstream(dark, std::ios::binary) << bytes;
    EXPECT_EQ(Cli("scope " + dark + " --id 84 --csv " + dir + "/none.csv").status, 1);
    CliRun off = Cli("solve " + dark + " --json");
    ASSERT_EQ(off.status, 0);
    for (const json& d : json::parse(off.out)["devices"])
        if (d["type"] == 7) EXPECT_TRUE(d["measurements"]["ch1"]["vpp"].is_null()) << "a dark screen measures nothing";
}

TEST(ExamplesCli, UsageAndUnreadableFiles) {
    EXPECT_EQ(Cli("").status, 64);
    EXPECT_EQ(Cli("solve").status, 64);
    EXPECT_EQ(Cli("solve a b").status, 64);
    EXPECT_EQ(Cli("solve x --time").status, 64);
    EXPECT_EQ(Cli("frobnicate").status, 64);
    EXPECT_EQ(Cli("solve /nonexistent/file.vtx").status, 2);
    CliRun plain = Cli("solve " + std::string(AMPERA_EXAMPLES) + "/ohms_law.vtx --time 500");
    EXPECT_EQ(plain.status, 0);
    EXPECT_NE(plain.out.find("数字电压表"), std::string::npos);
}

TEST(ExamplesCli, HelpVersionAndATraceOnlyWhenAsked) {
    const CliRun version = Cli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("ampera-cli ") + AMPERA_VERSION_TEXT + "\n");
    for (const char* help : {"--help", "-h"}) {
        const CliRun run = Cli(help);
        EXPECT_EQ(run.status, 0) << help;
        EXPECT_NE(run.out.find("usage: ampera-cli solve FILE"), std::string::npos) << help;
        EXPECT_NE(run.out.find("--version"), std::string::npos) << help;
    }
    EXPECT_EQ(Cli("--frobnicate").status, 64);
    EXPECT_EQ(Cli("solve --frobnicate " + std::string(AMPERA_EXAMPLES) + "/ohms_law.vtx").status, 64);

    // The solver's trace (node voltages) goes to standard error, and only on request.
    const std::string file = std::string(AMPERA_EXAMPLES) + "/ohms_law.vtx";
    const std::string traceLine = "的电压";
    const CliRun quiet = CliWithErrors("AMPERA_TRACE=", "solve " + file);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out.find(traceLine), std::string::npos) << quiet.out;
    for (const auto& [environment, option] : {std::pair{"AMPERA_TRACE=", "--trace"}, std::pair{"AMPERA_TRACE=1", ""}}) {
        const CliRun traced = CliWithErrors(environment, "solve " + file + " " + option);
        EXPECT_EQ(traced.status, 0) << environment << option;
        EXPECT_NE(traced.out.find(traceLine), std::string::npos) << environment << option;
        const CliRun table = Cli("solve " + file + " " + option);
        EXPECT_EQ(table.out.find(traceLine), std::string::npos) << "the table on standard output stays clean";
    }
}

// A value the teacher hid: solve prints it as hidden, in the table and in
// JSON, with no branch numbers that would give it away.
TEST(ExamplesCli, AHiddenValueIsPrintedAsHidden) {
    std::ifstream in(std::string(AMPERA_EXAMPLES) + "/ohms_law.vtx", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    // The resistor is the file's first device.
    const std::string first = "<TYPE>0</TYPE>\r\n";
    const std::size_t at = text.find(first);
    ASSERT_NE(at, std::string::npos);
    text.insert(at + first.size(), "\t\t\t<VALUEHIDDEN>1</VALUEHIDDEN>\r\n");
    const std::string file = ::testing::TempDir() + "hidden_ohms_law.vtx";
    std::ofstream(file, std::ios::binary) << text;

    const CliRun run = Cli("solve " + file + " --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const json doc = json::parse(run.out);
    bool seen = false;
    for (const json& d : doc["devices"]) {
        if (d["name"] != "R1") {
            EXPECT_TRUE(d.contains("branches"));
            continue;
        }
        seen = true;
        EXPECT_EQ(d["value"], "hidden");
        EXPECT_FALSE(d.contains("branches"));
    }
    EXPECT_TRUE(seen);
    const CliRun table = Cli("solve " + file);
    EXPECT_NE(table.out.find("hidden"), std::string::npos);
    EXPECT_EQ(table.out.find("1000Ω"), std::string::npos);
    EXPECT_NE(Cli("solve " + std::string(AMPERA_EXAMPLES) + "/ohms_law.vtx").out.find("1000Ω"), std::string::npos)
        << "shown when not hidden";
}

// The teacher's commands as a shell script sees them: what they print and
// their exit status.
TEST(ExamplesCli, CheckAndReadingsExitWithTheirStatus) {
    const std::string ex = std::string(AMPERA_EXAMPLES) + "/";
    const std::string task = " --expect " + ex + "tasks/ohms_law.json";
    EXPECT_EQ(Cli("check " + ex + "ohms_law.vtx" + task).status, 0);
    const CliRun failed = Cli("check " + ex + "ohms_law.vtx " + ex + "tasks/ohms_law_wrong_range.vtx" + task);
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("得分 7/7"), std::string::npos);
    EXPECT_NE(failed.out.find("未通过"), std::string::npos);
    const CliRun gone = Cli("check /no/such.vtx " + ex + "ohms_law.vtx" + task + " --json");
    EXPECT_EQ(gone.status, 2);
    const json doc = json::parse(gone.out);
    EXPECT_EQ(doc["files"].size(), 2u) << "the other files are still marked";
    EXPECT_EQ(doc["files"][1]["score"], 7);

    const std::string bad = ::testing::TempDir() + "bad_task.json";
    std::ofstream(bad) << "{\"checks\": [\n  {\"device\": \"R1\", \"reading\": \"ten\"}\n]}";
    EXPECT_EQ(Cli("check " + ex + "ohms_law.vtx --expect " + bad).status, 64);
    EXPECT_EQ(Cli("check " + ex + "ohms_law.vtx --expect /no/task.json").status, 64);
    const std::string unknown = ::testing::TempDir() + "unknown_device.json";
    std::ofstream(unknown) << R"({"checks": [{"device": "R9", "shows": "1"}]})";
    EXPECT_EQ(Cli("check " + ex + "ohms_law.vtx --expect " + unknown).status, 64) << "a device no file has";
    EXPECT_EQ(Cli("check " + ex + "ohms_law.vtx").status, 64) << "no task";
    EXPECT_EQ(Cli("check" + task).status, 64) << "no student file";

    const std::string csv = ::testing::TempDir() + "marks.csv";
    EXPECT_EQ(Cli("check " + ex + "ohms_law.vtx" + task + " --csv " + csv).status, 0);
    std::ifstream marks(csv, std::ios::binary);
    const std::string marksText((std::istreambuf_iterator<char>(marks)), {});
    EXPECT_EQ(marksText.rfind("\xEF\xBB\xBF文件,得分,满分,", 0), 0u) << marksText;

    const std::string readings = ::testing::TempDir() + "readings.csv";
    EXPECT_EQ(Cli("readings " + ex + "ohms_law.vtx --csv " + readings).status, 0);
    std::ifstream in(readings, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("数字电流表1,直流电流表,20mA,10.01,10.01,mA,\r\n"), std::string::npos) << text;
    EXPECT_NE(Cli("readings " + ex + "ohms_law.vtx").out.find("数字电压表1"), std::string::npos);
    EXPECT_EQ(Cli("readings /no/such.vtx").status, 2);
    EXPECT_EQ(Cli("readings").status, 64);
}

} // namespace
