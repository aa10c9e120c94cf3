// Autosave records: the experiment with a mark and the name of its file,
// read back exactly, and anything else refused with a reason.
#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "document/autosave_file.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

namespace ampera {
namespace {

TEST(AutosaveFileTest, SourceNamesOfAnyBytesSurviveAndMalformedOnesAreRefused) {
    for (const std::string& path : {std::string(), std::string("/home/学生/实验 3 (副本)%.vtx"),
                                    std::string("/tmp/a<b>c:d/e\n"), std::string("/\xff\xfe")}) {
        const std::string encoded = EncodeSourceName(path);
        for (const char c : encoded)
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) ||
                        std::string("/._-%").find(c) != std::string::npos)
                << encoded;
        std::string decoded = "unchanged";
        ASSERT_TRUE(DecodeSourceName(encoded, decoded)) << encoded;
        EXPECT_EQ(decoded, path);
    }
    for (const char* bad : {"relative/name.vtx", "/a%", "/a%4", "/a%G0", "/a%00b", "/a b", "/a<b"}) {
        std::string decoded = "unchanged";
        EXPECT_FALSE(DecodeSourceName(bad, decoded)) << bad;
        EXPECT_EQ(decoded, "unchanged");
    }
}

TEST(AutosaveFileTest, AnAutosaveLoadsAsItsExperimentAndNamesItsFile) {
    CExperiment experiment;
    experiment.Solver().SetTraceStream(nullptr);
    std::unique_ptr<CComponent> prototype(CreateDevice(TYPE_RESISTANCE));
    static_cast<CDevice*>(prototype.get())->PlaceAt(experiment, 200, 150);
    CKeyDoc document = ExperimentDocument(experiment);
    const std::string text = document.ToText();
    const std::string bytes = AutosaveBytes(document, "/home/学生/第三次实验.vtx");

    CExperiment again;
    again.Solver().SetTraceStream(nullptr);
    std::string source;
    ASSERT_TRUE(LoadAutosaveBytes(again, bytes, 0, source));
    EXPECT_EQ(source, "/home/学生/第三次实验.vtx");
    EXPECT_EQ(ExperimentDocument(again).ToText(), text)
        << "saving a recovered experiment drops the autosave keys";

    CExperiment plain;
    plain.Solver().SetTraceStream(nullptr);
    LoadFromBytes(plain, bytes, 0);
    EXPECT_EQ(plain.Devices().size(), 1u) << "an autosave also opens as an ordinary experiment file";
}

TEST(AutosaveFileTest, BytesThatAreNoAutosaveAreRefusedAndTheExperimentKept) {
    CExperiment experiment;
    experiment.Solver().SetTraceStream(nullptr);
    std::unique_ptr<CComponent> prototype(CreateDevice(TYPE_CAPACITANCE));
    static_cast<CDevice*>(prototype.get())->PlaceAt(experiment, 200, 150);
    const std::string plainFile = Utf8ToGbk(ExperimentDocument(experiment).ToText());
    const std::string cases[] = {
        "",
        "\x00\x01garbage",
        plainFile, // an experiment file, but no autosave
        "<COMPONENT><AUTOSAVE><VERSION>2</VERSION><SOURCE></SOURCE></AUTOSAVE></COMPONENT>",
        "<COMPONENT><AUTOSAVE><VERSION>1</VERSION><SOURCE>x.vtx</SOURCE></AUTOSAVE></COMPONENT>",
        "<COMPONENT><AUTOSAVE><VERSION>1</VERSION></AUTOSAVE></COMPONENT>",
    };
    for (const std::string& bytes : cases) {
        std::string source = "unchanged", error;
        EXPECT_FALSE(LoadAutosaveBytes(experiment, bytes, 0, source, &error)) << bytes;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(source, "unchanged");
        EXPECT_EQ(experiment.Devices().size(), 1u) << "a refused autosave loads nothing";
    }
}

} // namespace
} // namespace ampera
