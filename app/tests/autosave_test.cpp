// Autosave and recovery through the real window: unsaved work is written to
// the bench's own autosave and never to the user's file, a save or a clean
// end removes it, and a left-over of a run that did not end is offered,
// recovered, declined or (when unreadable) kept aside.
#include "app/autosave.h"
#include "app/core/command_ids.h"
#include "bench_fixture.h"
#include "document/autosave_file.h"
#include "document/experiment_file.h"

#include <QFile>
#include <QSysInfo>

#include <csignal>
#include <fstream>
#include <iterator>

namespace ampera::testing {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class AutosaveTest : public BenchTest {
  protected:
    AutosaveTest() { m_autosaveMs = 50; }

    // What a bench that was killed leaves: its autosave, and no lock a
    // running bench holds.
    QString LeaveBehind(const QString& name) {
        const QString own = Window().Autosave().Path();
        EXPECT_TRUE(WaitFor([&] { return Window().Autosave().Exists(); })) << "the bench autosaved";
        const QString left = QDir(AutosaveFolder()).filePath(name);
        EXPECT_TRUE(QFile::copy(own, left));
        return left;
    }
    // The bench ends cleanly and a new one starts on the same folder.
    void Restart() {
        TearDown();
        SetUp();
    }
};

TEST_F(AutosaveTest, UnsavedWorkIsAutosavedBesideTheUsersFileAndASaveRemovesIt) {
    const std::string file = FilePath("mine.vtx");
    Place(TYPE_RESISTANCE, 300, 200);
    m_dialogs->savePaths.push_back(file);
    Window().RunCommand(CMD_SAVE_AS);
    const std::string saved = ReadAll(file);
    for (int i = 0; i < 5; ++i)
        Window().AutosaveTick();
    Settle();
    QTest::qWait(200);
    EXPECT_FALSE(Window().Autosave().Exists()) << "nothing unsaved, nothing autosaved";

    Place(TYPE_CAPACITANCE, 500, 300);
    ASSERT_TRUE(WaitFor([&] { return Window().Autosave().Exists(); }));
    EXPECT_EQ(ReadAll(file), saved) << "the user's own file is never touched";
    const std::string bytes = ReadAll(Window().Autosave().Path().toStdString());
    std::string source;
    ASSERT_TRUE(ReadAutosaveSource(bytes, source));
    EXPECT_EQ(source, file);
    CExperiment copy;
    copy.Solver().SetTraceStream(nullptr);
    ASSERT_TRUE(LoadAutosaveBytes(copy, bytes, 0, source));
    EXPECT_EQ(copy.Devices().size(), 2u) << "the autosave holds the unsaved work";
    EXPECT_FALSE(QFileInfo::exists(Window().Autosave().Path() + ".saving")) << "written the safe way";

    Window().RunCommand(CMD_SAVE);
    EXPECT_FALSE(Window().Autosave().Exists()) << "a save removes the autosave";
    QTest::qWait(200);
    EXPECT_FALSE(Window().Autosave().Exists()) << "and the saved work is not autosaved again";
}

TEST_F(AutosaveTest, ACleanEndRemovesTheAutosaveAndLeavesNothingToRecover) {
    Place(TYPE_RESISTANCE, 300, 200);
    ASSERT_TRUE(WaitFor([&] { return Window().Autosave().Exists(); }));
    m_dialogs->answers.push_back(SaveAnswer::No); // declines to save on Exit
    EXPECT_TRUE(Window().close());
    EXPECT_TRUE(FilesIn(AutosaveFolder()).isEmpty()) << FilesIn(AutosaveFolder()).join(' ').toStdString();
    Restart();
    EXPECT_FALSE(Window().OfferRecovery());
    EXPECT_TRUE(m_dialogs->questions.empty());
}

TEST_F(AutosaveTest, ALeftOverIsOfferedAndRecoveredAsUnsavedWorkOfItsFile) {
    const std::string file = FilePath("lab3.vtx");
    Place(TYPE_RESISTANCE, 300, 200);
    m_dialogs->savePaths.push_back(file);
    Window().RunCommand(CMD_SAVE_AS);
    Place(TYPE_CAPACITANCE, 500, 300);
    const QString left = LeaveBehind(QStringLiteral("bench-killed.vtx"));
    const std::string onDisk = ReadAll(file);
    Restart();

    m_dialogs->answers.push_back(SaveAnswer::Yes);
    ASSERT_TRUE(Window().OfferRecovery());
    EXPECT_EQ(m_dialogs->questions, std::vector<std::string>{"发现上次未保存的实验，是否恢复？"});
    EXPECT_EQ(Read<std::size_t>([&] { return Experiment().Devices().size(); }), 2u);
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [lab3.vtx]*") << "recovered work is unsaved";
    EXPECT_EQ(Window().Files().Path(), file);
    EXPECT_FALSE(QFileInfo::exists(left)) << "the left-over goes once the work is held again";
    EXPECT_TRUE(Window().Autosave().Exists()) << "the recovered work is unsaved: this run autosaves it";
    EXPECT_EQ(ReadAll(file), onDisk) << "recovering does not write the user's file";

    Window().RunCommand(CMD_SAVE);
    CExperiment reread;
    reread.Solver().SetTraceStream(nullptr);
    ASSERT_TRUE(LoadFile(reread, file, 0));
    EXPECT_EQ(reread.Devices().size(), 2u) << "a save writes the recovered work to its file";
    EXPECT_FALSE(Window().Autosave().Exists());
}

TEST_F(AutosaveTest, AnUntitledLeftOverRecoversUntitledAndADeclinedOneIsRemoved) {
    Place(TYPE_RESISTANCE, 300, 200);
    LeaveBehind(QStringLiteral("bench-a.vtx"));
    Restart();
    m_dialogs->answers.push_back(SaveAnswer::Yes);
    ASSERT_TRUE(Window().OfferRecovery());
    EXPECT_TRUE(Window().Files().Untitled());
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [未命名.vtx]*");

    LeaveBehind(QStringLiteral("bench-b.vtx"));
    Restart();
    m_dialogs->answers.push_back(SaveAnswer::No);
    EXPECT_FALSE(Window().OfferRecovery());
    EXPECT_EQ(Read<std::size_t>([&] { return Experiment().Devices().size(); }), 0u);
    EXPECT_TRUE(FilesIn(AutosaveFolder()).filter(QStringLiteral(".vtx")).isEmpty())
        << FilesIn(AutosaveFolder()).join(' ').toStdString();
}

TEST_F(AutosaveTest, AnUnreadableLeftOverIsReportedAndKeptAside) {
    QDir().mkpath(AutosaveFolder());
    const QString bad = QDir(AutosaveFolder()).filePath(QStringLiteral("bench-bad.vtx"));
    {
        QFile out(bad);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<COMPONENT><RESISTANCE><NUM>1</NUM>"); // cut off, no autosave mark
    }
    Place(TYPE_RESISTANCE, 300, 200);
    EXPECT_FALSE(Window().OfferRecovery());
    EXPECT_TRUE(m_dialogs->questions.empty()) << "nothing to recover is offered";
    ASSERT_EQ(m_dialogs->errors.size(), 1u);
    EXPECT_NE(m_dialogs->errors[0].find("无法读取自动保存的实验"), std::string::npos) << m_dialogs->errors[0];
    EXPECT_FALSE(QFileInfo::exists(bad));
    EXPECT_TRUE(QFileInfo::exists(bad + ".unreadable")) << "kept, not deleted";
    EXPECT_EQ(Read<std::size_t>([&] { return Experiment().Devices().size(); }), 1u)
        << "the board is untouched";
    EXPECT_FALSE(Window().OfferRecovery());
    EXPECT_EQ(m_dialogs->errors.size(), 1u) << "reported once";
}

// Two benches on one folder (as two programs at once): each has its own
// autosave, and neither takes the other's for a left-over while it runs.
TEST(AutosaveFolderTest, TwoBenchesKeepSeparateAutosavesAndOnlyADeadOnesIsLeftBehind) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::string error;
    auto first = std::make_unique<CAutosave>(folder.path());
    CAutosave second(folder.path());
    ASSERT_TRUE(first->Ready() && second.Ready());
    EXPECT_NE(first->Path(), second.Path());
    first->SetBaseline("saved");
    ASSERT_TRUE(first->Offer("changed", "bytes", first->Generation(), error)) << error;
    ASSERT_TRUE(first->Exists());
    EXPECT_TRUE(second.LeftBehind().empty()) << "a running bench's autosave is its own";

    const QString firstPath = first->Path();
    first.reset(); // ends without removing its autosave, as a crash would
    std::vector<CLeftAutosave> left = second.LeftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Path(), firstPath);

    // A lock left by a process that is gone does not keep an autosave hidden.
    const QString other = QDir(folder.path()).filePath(QStringLiteral("bench-other.vtx"));
    QFile(other).open(QIODevice::WriteOnly);
    int deadPid = 4000000;
    while (::kill(deadPid, 0) == 0 || errno != ESRCH)
        ++deadPid;
    {
        QFile lock(QDir(folder.path()).filePath(QStringLiteral("bench-other.lock")));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(deadPid) + "\nampera\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    EXPECT_EQ(second.LeftBehind().size(), 1u) << "the first one is still locked by `left`";
    left.clear();
    EXPECT_EQ(second.LeftBehind().size(), 2u);

    // Locks of runs that never autosaved are cleared away; live ones stay.
    QFile::remove(other);
    QFile::remove(firstPath);
    EXPECT_TRUE(second.LeftBehind().empty());
    EXPECT_EQ(FilesIn(folder.path()), QStringList{QFileInfo(second.Path()).completeBaseName() + ".lock"});
}

TEST(AutosaveFolderTest, OfferWritesOnlyChangedCurrentWorkAndRemovesItWhenSavedAgain) {
    QTemporaryDir folder;
    CAutosave autosave(folder.path());
    std::string error;
    autosave.SetBaseline("file text");
    const std::uint64_t taken = autosave.Generation();
    ASSERT_TRUE(autosave.Offer("file text", "x", taken, error));
    EXPECT_FALSE(autosave.Exists()) << "unchanged work is not autosaved";
    ASSERT_TRUE(autosave.Offer("edited", "x", taken, error));
    EXPECT_TRUE(autosave.Exists());
    ASSERT_TRUE(autosave.Offer("file text", "x", taken, error));
    EXPECT_FALSE(autosave.Exists()) << "back to the file's text: nothing unsaved";

    autosave.SetBaseline("saved later");
    ASSERT_TRUE(autosave.Offer("edited", "x", taken, error));
    EXPECT_FALSE(autosave.Exists()) << "a document taken before the save is stale";
}

TEST(AutosaveIntervalTest, TheEnvironmentSetsTheIntervalAndBadValuesFallBack) {
    struct Case {
        const char* value;
        int ms;
        bool warns;
    };
    const Case cases[] = {{nullptr, 60000, false}, {"", 60000, false},   {"1", 1000, false},
                          {"0.25", 250, false},    {"90", 90000, false}, {"0", 60000, true},
                          {"-5", 60000, true},     {"abc", 60000, true}, {"5s", 60000, true},
                          {"inf", 60000, true},    {"nan", 60000, true}, {"1e9", 60000, true}};
    for (const Case& c : cases) {
        std::string warning;
        EXPECT_EQ(AutosaveIntervalMs(c.value, &warning), c.ms) << (c.value ? c.value : "(unset)");
        EXPECT_EQ(!warning.empty(), c.warns) << (c.value ? c.value : "(unset)");
    }
}

} // namespace
} // namespace ampera::testing
