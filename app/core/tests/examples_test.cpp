// The example experiments: a title for every example the program ships, and
// the listing of an examples folder.
#include "app/core/examples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace ampera::testing {
namespace {

namespace fs = std::filesystem;

TEST(ExamplesTest, TitlesComeFromTheTableOrTheFileName) {
    struct Case {
        const char* fileName;
        const char* title;
    };
    const Case cases[] = {
        {"ohms_law.vtx", "欧姆定律"},
        {"voltage_divider.vtx", "分压电路"},
        {"wheatstone_bridge.vtx", "惠斯通电桥"},
        {"rc_square_wave.vtx", "RC电路的方波响应"},
        {"rl_direct_current.vtx", "RL电路的直流响应"},
        {"rlc_alternating.vtx", "RLC交流电路"},
        {"diode.vtx", "二极管特性"},
        {"multimeter_ohms.vtx", "万用表测电阻"},
        {"level_meter_harmonics.vtx", "选频电平表测谐波"},
        {"my_bridge.vtx", "my_bridge.vtx"},
        {"OHMS_LAW.vtx", "OHMS_LAW.vtx"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExampleTitle(c.fileName), c.title) << c.fileName;
}

// A new example without a row in the table would show a bare file name.
TEST(ExamplesTest, EveryShippedExampleHasATitle) {
    const std::vector<CExample> examples = ListExamples(AMPERA_EXAMPLES_DIR);
    ASSERT_FALSE(examples.empty());
    for (const CExample& example : examples)
        EXPECT_NE(example.title, fs::path(example.path).filename().string()) << example.path;
}

class ExamplesFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::temp_directory_path() / ("ampera-examples-" + std::to_string(random()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    void Touch(const std::string& name) { std::ofstream(folder / name) << "x"; }
    std::string In(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

TEST_F(ExamplesFolderTest, TitledExamplesInTableOrderThenTheOthersByName) {
    for (const char* name : {"zeta.vtx", "diode.vtx", "Alpha.VTX", "ohms_law.vtx", "notes.txt", "vtx",
                             "rlc_alternating.vtx.bak"})
        Touch(name);
    fs::create_directory(folder / "folder.vtx");

    const std::vector<CExample> expected = {
        {In("ohms_law.vtx"), "欧姆定律"},
        {In("diode.vtx"), "二极管特性"},
        {In("Alpha.VTX"), "Alpha.VTX"},
        {In("zeta.vtx"), "zeta.vtx"},
    };
    EXPECT_EQ(ListExamples(folder.string()), expected);
}

TEST_F(ExamplesFolderTest, AMissingFolderListsNothing) {
    EXPECT_TRUE(ListExamples(In("no-such-folder")).empty());
    EXPECT_TRUE(ListExamples("").empty());
}

} // namespace
} // namespace ampera::testing
