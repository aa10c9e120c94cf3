// Marking student files: every kind of check passing and failing on real
// experiment files, hostile task files, the report forms, and the readings
// every instrument of the examples gives.
#include "cli/marking.h"
#include "devices/display.h"
#include "devices/instrument_readings.h"
#include "core/experiment.h"
#include "document/experiment_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace ampera {
namespace {

std::string Example(const std::string& name) {
    return std::string(AMPERA_EXAMPLES) + "/" + name;
}

CTask Task(const std::string& text) {
    CTask task;
    std::string error;
    EXPECT_TRUE(ParseTask(text, task, error)) << error;
    return task;
}

TEST(MarkingTest, EveryKindOfCheckPassesOnTheRightFileAndFailsOnTheWrongOnes) {
    const CTask task = Task(R"({"checks": [
        {"connected": ["R1:1", "数字电流表1:0"]},
        {"device": "数字电流表1", "reading": 10.0, "tolerance": 0.02, "points": 2},
        {"device": "数字电压表1", "shows": " 10.00 "},
        {"device": "数字电流表1", "warns": false},
        {"device": "数字电流表1", "warns": "当前电路有个数字电流表的测量值超过当前档位量程", "label": "过量程"},
        {"device": "没有的器材", "shows": "1"},
        {"connected": ["R1:0", "R1:1"]},
        {"connected": ["R1:7", "R1:1"]}
    ]})");
    struct Case {
        const char* file;
        std::vector<bool> passed;
    };
    const Case cases[] = {
        {"ohms_law.vtx", {true, true, true, true, false, false, false, false}},
        {"tasks/ohms_law_wrong_range.vtx", {true, false, true, true, false, false, false, false}},
        {"tasks/ohms_law_ammeter_across.vtx", {false, false, false, false, true, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const CMarkedFile marked = MarkFile(Example(c.file), task);
        ASSERT_TRUE(marked.readable) << marked.error;
        ASSERT_EQ(marked.checks.size(), c.passed.size());
        int score = 0;
        for (std::size_t i = 0; i < c.passed.size(); ++i) {
            EXPECT_EQ(marked.checks[i].passed, c.passed[i]) << marked.checks[i].label << ": " << marked.checks[i].found;
            if (c.passed[i]) score += task.checks[i].points;
        }
        EXPECT_EQ(marked.score, score);
        EXPECT_EQ(marked.max, 9);
    }
    const CMarkedFile right = MarkFile(Example("ohms_law.vtx"), task);
    EXPECT_EQ(right.checks[1].found, "10.01 mA");
    EXPECT_EQ(right.checks[4].label, "过量程");
    EXPECT_EQ(right.checks[5].found, "没有这个器材");
    EXPECT_EQ(right.checks[7].found, "没有这个接线柱：R1:7");
    // A device no file has is the task's mistake, a device one file lacks
    // that student's.
    EXPECT_NE(TaskFault({right}, task).find("第 6 项检查"), std::string::npos);
    CTask known = task;
    known.checks.erase(known.checks.begin() + 5);
    EXPECT_EQ(TaskFault({MarkFile(Example("ohms_law.vtx"), known), MarkFile("/no/such.vtx", known)}, known), "");
}

TEST(MarkingTest, TheExamplesTasksPassTheirExamplesAndFailTheTypicalMistakes) {
    struct Case {
        const char* task;
        const char* file;
        bool full;
    };
    const Case cases[] = {
        {"tasks/ohms_law.json", "ohms_law.vtx", true},
        {"tasks/ohms_law.json", "tasks/ohms_law_wrong_range.vtx", false},
        {"tasks/ohms_law.json", "tasks/ohms_law_ammeter_across.vtx", false},
        {"tasks/voltage_divider.json", "voltage_divider.vtx", true},
        {"tasks/voltage_divider.json", "tasks/voltage_divider_wrong_range.vtx", false},
        {"tasks/voltage_divider.json", "tasks/voltage_divider_voltmeter_in_loop.vtx", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.task) + " " + c.file);
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(Example(c.task), bytes));
        const CMarkedFile marked = MarkFile(Example(c.file), Task(bytes));
        ASSERT_TRUE(marked.readable);
        EXPECT_EQ(marked.score == marked.max, c.full) << MarkingTable({marked});
    }
}

TEST(MarkingTest, HostileTaskFilesAreRefusedWithWhereAndWhy) {
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"{\"checks\": [\n  {\"device\": \"R1\", \"shows\": \"1\"},\n  oops\n]}", "第 3 行"},
        {"", "第 1 行"},
        {"[]", "{\"checks\""},
        {"{\"checks\": 3}", "{\"checks\""},
        {"{\"checks\": [5]}", "第 1 项检查"},
        {"{\"checks\": [{\"device\": \"R1\"}]}", "有且只有"},
        {"{\"checks\": [{\"device\": \"R1\", \"shows\": \"1\", \"reading\": 1}]}", "有且只有"},
        {"{\"checks\": [{\"device\": 7, \"shows\": \"1\"}]}", "device"},
        {"{\"checks\": [{\"device\": \"R1\", \"shows\": 1}]}", "shows"},
        {"{\"checks\": [{\"device\": \"R1\", \"reading\": \"10\"}]}", "reading"},
        {"{\"checks\": [{\"device\": \"R1\", \"reading\": 1e400}]}", ""},
        {"{\"checks\": [{\"device\": \"R1\", \"reading\": 10, \"tolerance\": -1}]}", "tolerance"},
        {"{\"checks\": [{\"device\": \"R1\", \"reading\": 10, \"tolerance\": \"2%\"}]}", "tolerance"},
        {"{\"checks\": [{\"device\": \"R1\", \"warns\": true}]}", "warns"},
        {"{\"checks\": [{\"device\": \"R1\", \"shows\": \"1\", \"points\": 0}]}", "points"},
        {"{\"checks\": [{\"device\": \"R1\", \"shows\": \"1\", \"points\": 1.5}]}", "points"},
        {"{\"checks\": [{\"device\": \"R1\", \"shows\": \"1\", \"points\": 99999999999}]}", "points"},
        {"{\"checks\": [{\"device\": \"R1\", \"shows\": \"1\", \"tolerence\": 1}]}", "tolerence"},
        {"{\"checks\": [{\"connected\": [\"R1:0\"]}]}", "connected"},
        {"{\"checks\": [{\"connected\": [\"R1\", \"R2:1\"]}]}", "connected"},
        {"{\"checks\": [{\"connected\": [\"R1:-1\", \"R2:1\"]}]}", "connected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CTask task;
        std::string error;
        EXPECT_FALSE(ParseTask(c.text, task, error));
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_TRUE(task.checks.empty());
    }
}

TEST(MarkingTest, TheReportsCarryEveryCheckAndTheScore) {
    const CTask task = Task(R"({"checks": [{"device": "数字电压表1", "shows": "10.00", "label": "电压, \"表\""},
                                          {"connected": ["R1:1", "数字电流表1:0"]}]})");
    const std::vector<CMarkedFile> marked = {MarkFile(Example("ohms_law.vtx"), task),
                                             MarkFile(Example("tasks/ohms_law_ammeter_across.vtx"), task),
                                             MarkFile("/no/such/file.vtx", task)};
    EXPECT_FALSE(marked[2].readable);
    const nlohmann::json doc = nlohmann::json::parse(MarkingJson(marked));
    ASSERT_EQ(doc["files"].size(), 3u);
    EXPECT_EQ(doc["files"][0]["score"], 2);
    EXPECT_EQ(doc["files"][0]["max"], 2);
    EXPECT_EQ(doc["files"][1]["checks"][1]["passed"], false);
    EXPECT_EQ(doc["files"][1]["checks"][1]["found"], "不相连");
    for (const char* key : {"label", "passed", "expected", "found"})
        EXPECT_TRUE(doc["files"][0]["checks"][0].contains(key)) << key;
    EXPECT_TRUE(doc["files"][2].contains("error"));

    const std::string csv = MarkingCsv(marked, task);
    EXPECT_EQ(csv.rfind(kUtf8Bom, 0), 0u) << "a byte-order mark first";
    EXPECT_NE(csv.find("文件,得分,满分,\"电压, \"\"表\"\"\",R1:1 与 数字电流表1:0 相连\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("ohms_law.vtx,2,2,通过,通过\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("/no/such/file.vtx,0,2,无法读取,无法读取\r\n"), std::string::npos) << csv;
    EXPECT_NE(MarkingTable(marked).find("得分 0/2"), std::string::npos);
}

// Every example shows the same whether its graphs go to the dense
// elimination or to the sparse factorisation: the same displays and every
// branch result within 1e-9 relative (plus a floor of 1e-12).
TEST(SparseSolverTest, EveryExampleReadsTheSameBothWays) {
    SetJitterSource([] { return 5; });
    for (const char* file : {"ohms_law.vtx", "voltage_divider.vtx", "wheatstone_bridge.vtx", "rl_direct_current.vtx",
                             "rc_square_wave.vtx", "rlc_alternating.vtx", "diode.vtx", "level_meter_harmonics.vtx",
                             "multimeter_ohms.vtx"}) {
        SCOPED_TRACE(file);
        CExperiment dense, sparse;
        for (CExperiment* e : {&dense, &sparse})
            e->Solver().SetTraceStream(nullptr);
        dense.Solver().SetSparseFrom(1 << 30);
        sparse.Solver().SetSparseFrom(0);
        ASSERT_TRUE(LoadFile(dense, Example(file), 0));
        ASSERT_TRUE(LoadFile(sparse, Example(file), 0));
        EXPECT_GT(sparse.Solver().SparseSolves(), 0u);
        const std::vector<CReadingRow> a = InstrumentReadings(dense, 0), b = InstrumentReadings(sparse, 0);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            EXPECT_EQ(a[i].display, b[i].display) << a[i].name;
        auto da = dense.Devices().begin();
        for (CComponent* d : sparse.Devices()) {
            ASSERT_EQ(d->m_branches.size(), (*da)->m_branches.size());
            for (std::size_t k = 0; k < d->m_branches.size(); ++k) {
                const CBranch& branch = *d->m_branches[k];
                // A resistor's current is its voltage over its resistance:
                // the voltage's floor of 1e-12 V is 1e-12 / R amperes (a
                // wire of a micro-ohm carries a current known to a micro-
                // ampere, as its voltage is known to a picovolt).
                const double currentFloor =
                    branch.m_kind == BRANCH_RESISTOR && branch.m_value > 0 ? std::max(1.0, 1 / branch.m_value) * 1e-12
                                                                          : 1e-12;
                for (const auto part : {&CBranchResult::m_elec, &CBranchResult::m_vol}) {
                    const double floor = part == &CBranchResult::m_elec ? currentFloor : 1e-12;
                    const CQuantity& x = (*da)->m_branches[k]->m_result.*part;
                    const CQuantity& y = branch.m_result.*part;
                    for (int j = 0; j < 10; ++j)
                        EXPECT_LE(std::fabs(x.para_array[j] - y.para_array[j]), 1e-9 * std::fabs(x.para_array[j]) + floor)
                            << d->m_name << " branch " << k << " para " << j;
                    for (int j = 0; j < 2; ++j)
                        EXPECT_LE(std::fabs(x.wave_array[j] - y.wave_array[j]), 1e-9 * std::fabs(x.wave_array[j]) + floor)
                            << d->m_name << " branch " << k << " wave " << j;
                }
            }
            ++da;
        }
    }
    SetJitterSource({});
}

TEST(ReadingsTest, EveryInstrumentOfTheExamplesReportsItsRangeReadingAndUnit) {
    struct Case {
        const char* file;
        const char* name;
        const char* range;
        double reading;
        const char* unit;
    };
    const Case cases[] = {
        {"ohms_law.vtx", "数字电流表1", "20mA", 10.01, "mA"},
        {"ohms_law.vtx", "数字电压表1", "20V", 10.0, "V"},
        {"ohms_law.vtx", "直流电源1", "", 10.0, "V"},
        {"voltage_divider.vtx", "数字电压表1", "20V", 5.0, "V"},
        {"multimeter_ohms.vtx", "万用表1", "20kΩ", 4.7, "kΩ"},
        {"rlc_alternating.vtx", "交流毫伏表1", "400V", 7.0, "V"},
        {"level_meter_harmonics.vtx", "选频电平表1", "2V", 1.273, "V"},
        {"level_meter_harmonics.vtx", "信号发生器1", "1K", 1.0, "kHz"},
        {"tasks/ohms_law_wrong_range.vtx", "数字电流表1", "20A", 0.01, "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.name);
        CExperiment experiment;
        experiment.Solver().SetTraceStream(nullptr);
        ASSERT_TRUE(LoadFile(experiment, Example(c.file), 0));
        bool seen = false;
        for (const CReadingRow& row : InstrumentReadings(experiment, 0)) {
            if (row.name != c.name) continue;
            seen = true;
            EXPECT_EQ(row.range, c.range);
            ASSERT_TRUE(row.value);
            EXPECT_NEAR(*row.value, c.reading, 1e-9);
            EXPECT_EQ(row.unit, c.unit);
        }
        EXPECT_TRUE(seen);
    }
    // The screen is listed, with nothing to read; an over-range display has
    // no number.
    CExperiment scope;
    scope.Solver().SetTraceStream(nullptr);
    ASSERT_TRUE(LoadFile(scope, Example("rc_square_wave.vtx"), 0));
    const std::vector<CReadingRow> rows = InstrumentReadings(scope, 0);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back().kind, "示波器");
    EXPECT_FALSE(rows.back().value);
    EXPECT_FALSE(DisplayedNumber("1 ."));
    EXPECT_FALSE(DisplayedNumber(""));
    EXPECT_EQ(DisplayedNumber(" -01.50 "), -1.5);

    const std::string csv = ReadingsCsv(rows);
    EXPECT_EQ(csv.rfind(std::string(kUtf8Bom) + "名称,类型,量程,显示,读数,单位,警告\r\n", 0), 0u);

    // Students name their devices: nothing they type runs as a formula.
    struct Field {
        const char* text;
        const char* written;
    };
    const Field fields[] = {{"R1", "R1"},
                            {"a,b", "\"a,b\""},
                            {"say \"hi\"", "\"say \"\"hi\"\"\""},
                            {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
                            {"+1+2", "'+1+2"},
                            {"@SUM(A1)", "'@SUM(A1)"},
                            {"-1.5", "-1.5"},
                            {"", ""}};
    for (const Field& f : fields)
        EXPECT_EQ(CsvField(f.text), f.written) << f.text;
}

} // namespace
} // namespace ampera
