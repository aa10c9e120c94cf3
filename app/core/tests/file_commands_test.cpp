// New, Open, Save, Save As and Exit against fake dialogs and fake work: the
// path and title, the questions, and that no answer ever loses work.
#include "app/core/file_commands.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

namespace ampera::testing {
namespace {

class FakeDialogs : public IFileDialogs {
  public:
    SaveAnswer AskSave(const std::string& question, const std::string& caption) override {
        questions.push_back(question + "|" + caption);
        return answer;
    }
    std::optional<std::string> SaveDialog(const std::string& title, const std::string& filter,
                                          const std::string& initialName) override {
        saveDialogs.push_back(title + "|" + filter + "|" + initialName);
        return Next();
    }
    std::optional<std::string> OpenDialog(const std::string& title, const std::string& filter) override {
        openDialogs.push_back(title + "|" + filter);
        return Next();
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    bool AskYesNo(const std::string& question, const std::string& caption) override {
        questions.push_back(question + "|" + caption);
        return answer == SaveAnswer::Yes;
    }

    std::optional<std::string> Next() {
        if (chosen.empty()) return std::nullopt;
        std::optional<std::string> path = chosen.front();
        chosen.pop_front();
        return path;
    }

    SaveAnswer answer = SaveAnswer::Cancel;
    std::deque<std::optional<std::string>> chosen; // what the next dialogs return
    std::vector<std::string> questions, saveDialogs, openDialogs, errors;
};

class FakeWork : public IFileWork {
  public:
    void StopLoop() override { Log("stop"), running = false; }
    void StartLoop() override { Log("start"), running = true; }
    bool Save(const std::string& path, std::string& error) override {
        Log("save " + path);
        EXPECT_FALSE(running) << "saving with the loop running";
        if (unwritable.count(path)) {
            error = "disk full";
            return false;
        }
        saved.push_back(path);
        return true;
    }
    bool Load(const std::string& path, std::string& error) override {
        Log("load " + path);
        EXPECT_FALSE(running) << "loading with the loop running";
        if (unreadable.count(path)) {
            error = "no such file";
            return false;
        }
        components = true;
        return true;
    }
    void Clear() override {
        Log("clear");
        EXPECT_FALSE(running);
        components = false;
    }
    void ClearHistories() override {
        Log("histories");
        changed = false; // the empty history is the file's state
    }
    void ResetScroll() override { Log("scroll"); }
    void ClearContext() override { Log("context"); }
    bool Modified() override { return changed; }
    void MarkSaved(bool isSaved) override { changed = !isSaved; }
    void SetTitle(const std::string& title) override { this->title = title; }

    void Log(const std::string& entry) { log.push_back(entry); }
    bool Did(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }

    bool running = true;
    bool components = false;
    bool changed = false; // work no file holds
    std::string title = kTemplateCaption;
    std::set<std::string> unwritable, unreadable;
    std::vector<std::string> saved, log;
};

class FileCommandsTest : public ::testing::Test {
  protected:
    FakeDialogs dialogs;
    FakeWork work;
    CFileCommands files{dialogs, work};
};

TEST_F(FileCommandsTest, SavingUntitledAsksForANameOnceThenSavesThereSilently) {
    dialogs.chosen = {"/lab/rc.vtx"};
    EXPECT_TRUE(files.Save());
    EXPECT_EQ(dialogs.saveDialogs, (std::vector<std::string>{"请保存实验|实验文件(*.vtx)|*.vtx||未命名"}));
    EXPECT_EQ(work.title, "Ampera [rc.vtx]");
    EXPECT_FALSE(files.Untitled());
    EXPECT_TRUE(files.Save());
    EXPECT_EQ(dialogs.saveDialogs.size(), 1u);
    EXPECT_EQ(work.saved, (std::vector<std::string>{"/lab/rc.vtx", "/lab/rc.vtx"}));
    EXPECT_EQ(work.log, (std::vector<std::string>{"stop", "save /lab/rc.vtx", "start", "stop",
                                                  "save /lab/rc.vtx", "start"}));
}

TEST_F(FileCommandsTest, SaveAfterSaveAsWritesToTheNewPathWithoutADialog) {
    dialogs.chosen = {"C:\\lab\\old.vtx", "C:\\lab\\new.vtx"};
    files.Save();
    EXPECT_TRUE(files.SaveAs());
    EXPECT_EQ(dialogs.saveDialogs.back(), "另存为虚拟实验实验|实验文件(*.Vtx)|*.vtx||");
    EXPECT_EQ(work.title, "Ampera [new.vtx]");
    EXPECT_TRUE(files.Save());
    EXPECT_EQ(dialogs.saveDialogs.size(), 2u);
    EXPECT_EQ(work.saved.back(), "C:\\lab\\new.vtx");
}

TEST_F(FileCommandsTest, CancelledSaveDialogsChangeNothing) {
    EXPECT_FALSE(files.Save());
    EXPECT_FALSE(files.SaveAs());
    EXPECT_TRUE(files.Untitled());
    EXPECT_TRUE(work.saved.empty());
    EXPECT_TRUE(work.log.empty()) << "the loop is not even stopped";
}

TEST_F(FileCommandsTest, AFailedSaveSaysSoAndKeepsTitleAndPath) {
    dialogs.chosen = {"/lab/a.vtx", "/full/b.vtx"};
    files.Save();
    work.unwritable = {"/full/b.vtx"};
    EXPECT_FALSE(files.SaveAs());
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("/full/b.vtx"), std::string::npos);
    EXPECT_NE(dialogs.errors[0].find("disk full"), std::string::npos);
    EXPECT_EQ(files.Path(), "/lab/a.vtx");
    EXPECT_EQ(work.title, "Ampera [a.vtx]");
    EXPECT_TRUE(work.running);

    CFileCommands fresh(dialogs, work);
    dialogs.chosen = {"/full/b.vtx"};
    EXPECT_FALSE(fresh.Save());
    EXPECT_TRUE(fresh.Untitled()) << "a failed first save leaves the experiment untitled";
}

TEST_F(FileCommandsTest, ExitAsksOnlyWhenThereIsSomethingToLose) {
    EXPECT_TRUE(files.Exit());
    EXPECT_TRUE(dialogs.questions.empty());

    work.components = work.changed = true;
    dialogs.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(files.Exit());
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{"是否要保存当前实验?|Ampera"}));
    dialogs.answer = SaveAnswer::No;
    EXPECT_TRUE(files.Exit());
    EXPECT_TRUE(work.saved.empty());

    dialogs.answer = SaveAnswer::Yes;
    dialogs.chosen = {"/lab/keep.vtx"};
    EXPECT_TRUE(files.Exit());
    EXPECT_EQ(work.saved, (std::vector<std::string>{"/lab/keep.vtx"}));
}

TEST_F(FileCommandsTest, YesFollowedByACancelledOrFailedSaveCancelsTheWholeCommand) {
    struct Case {
        const char* name;
        std::optional<std::string> savePath; // nullopt: the save dialog is cancelled
    };
    for (const Case& c : {Case{"save dialog cancelled", std::nullopt}, Case{"save failed", "/full/x.vtx"}}) {
        SCOPED_TRACE(c.name);
        FakeDialogs d;
        FakeWork w;
        CFileCommands f(d, w);
        w.components = w.changed = true;
        w.unwritable = {"/full/x.vtx"};
        d.answer = SaveAnswer::Yes;

        d.chosen = {c.savePath};
        EXPECT_FALSE(f.Exit()) << "the program keeps running";

        d.chosen = {c.savePath};
        EXPECT_FALSE(f.New());

        d.chosen = {"/lab/other.vtx", c.savePath};
        EXPECT_FALSE(f.Open());

        EXPECT_TRUE(w.components);
        EXPECT_FALSE(w.Did("clear"));
        EXPECT_FALSE(w.Did("load /lab/other.vtx"));
        EXPECT_FALSE(w.Did("histories"));
        EXPECT_TRUE(f.Untitled());
        EXPECT_EQ(w.title, kTemplateCaption);
    }
}

TEST_F(FileCommandsTest, NewAsksWithTheFileNameThenClearsEverything) {
    dialogs.chosen = {"D:\\exp\\one.vtx"};
    files.Save();
    work.components = work.changed = true;
    work.log.clear();
    dialogs.answer = SaveAnswer::No;

    EXPECT_TRUE(files.New());
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{"是否要保存当前实验到 one.vtx|Ampera-新建"}));
    EXPECT_EQ(work.log,
              (std::vector<std::string>{"stop", "context", "clear", "histories", "start", "scroll"}));
    EXPECT_TRUE(files.Untitled());
    EXPECT_EQ(files.Path(), "");
    EXPECT_EQ(work.title, "Ampera [未命名.vtx]");

    dialogs.answer = SaveAnswer::Cancel;
    work.components = work.changed = true;
    work.log.clear();
    EXPECT_FALSE(files.New());
    EXPECT_TRUE(work.log.empty());
    EXPECT_EQ(dialogs.questions.back(), "是否要保存当前实验到 未命名.vtx|Ampera-新建");
}

TEST_F(FileCommandsTest, OpenLoadsWithTheLoopStoppedAndStartsAfresh) {
    dialogs.chosen = {"/lab/rl.vtx"};
    EXPECT_TRUE(files.Open());
    EXPECT_EQ(dialogs.openDialogs, (std::vector<std::string>{"打开Ampera|实验文件(*.vtx)|*.vtx|"}));
    EXPECT_TRUE(dialogs.questions.empty()) << "nothing to save on an empty board";
    EXPECT_EQ(work.log, (std::vector<std::string>{"context", "stop", "load /lab/rl.vtx", "histories", "start",
                                                  "scroll"}));
    EXPECT_EQ(files.Path(), "/lab/rl.vtx");
    EXPECT_EQ(work.title, "Ampera [rl.vtx]");
}

TEST_F(FileCommandsTest, OpenCancelledAtTheDialogOrTheQuestionLoadsNothing) {
    dialogs.chosen = {"/lab/first.vtx"};
    files.Open();
    work.log.clear();

    EXPECT_FALSE(files.Open()); // dialog cancelled
    EXPECT_EQ(work.log, (std::vector<std::string>{"context"})) << "only the selection was cleared";

    work.changed = true;
    dialogs.chosen = {"/lab/second.vtx"};
    dialogs.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(files.Open());
    EXPECT_EQ(dialogs.questions.back(), "是否要保存当前实验到 first.vtx|Ampera");
    EXPECT_FALSE(work.Did("load /lab/second.vtx"));
    EXPECT_EQ(files.Path(), "/lab/first.vtx");
}

TEST_F(FileCommandsTest, OpeningAnUnreadableFileKeepsTheExperimentTitleAndHistories) {
    dialogs.chosen = {"/lab/good.vtx"};
    files.Open();
    work.log.clear();
    work.unreadable = {"/lab/gone.vtx"};
    dialogs.chosen = {"/lab/gone.vtx"};
    dialogs.answer = SaveAnswer::No;

    EXPECT_FALSE(files.Open());
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("/lab/gone.vtx"), std::string::npos);
    EXPECT_EQ(work.log, (std::vector<std::string>{"context", "stop", "load /lab/gone.vtx", "start"}));
    EXPECT_TRUE(work.components);
    EXPECT_EQ(files.Path(), "/lab/good.vtx");
    EXPECT_EQ(work.title, "Ampera [good.vtx]");
}

TEST_F(FileCommandsTest, YesBeforeOpenSavesFirstThenLoads) {
    work.components = work.changed = true;
    dialogs.answer = SaveAnswer::Yes;
    dialogs.chosen = {"/lab/next.vtx", "/lab/mine.vtx"}; // open dialog, then the save dialog
    EXPECT_TRUE(files.Open());
    EXPECT_EQ(work.saved, (std::vector<std::string>{"/lab/mine.vtx"}));
    EXPECT_EQ(files.Path(), "/lab/next.vtx");
    EXPECT_EQ(work.title, "Ampera [next.vtx]");
}

// The question comes only for work no file holds: not for a file just
// opened, nor after a save; a recovered autosave is such work.
TEST_F(FileCommandsTest, OnlyUnsavedWorkIsAskedAbout) {
    dialogs.chosen = {"/lab/opened.vtx"};
    ASSERT_TRUE(files.Open());
    dialogs.chosen = {"/lab/other.vtx"};
    EXPECT_TRUE(files.Open());
    EXPECT_TRUE(files.New());
    EXPECT_TRUE(files.Exit());
    EXPECT_TRUE(dialogs.questions.empty());

    work.components = work.changed = true;
    dialogs.chosen = {"/lab/saved.vtx"};
    ASSERT_TRUE(files.Save());
    EXPECT_FALSE(work.changed) << "a save marks the work saved";
    EXPECT_TRUE(files.Exit());
    EXPECT_TRUE(dialogs.questions.empty());

    files.Adopt("/lab/recovered.vtx");
    dialogs.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(files.Exit());
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

// An example is loaded as Open loads it but stays untitled: nothing ever
// writes to the file it came from.
TEST_F(FileCommandsTest, OpenCopyLoadsAsUntitledWorkSoSaveAsksForAName) {
    dialogs.chosen = {"/lab/mine.vtx"};
    ASSERT_TRUE(files.Open());
    work.changed = true;
    work.log.clear();

    dialogs.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(files.OpenCopy("/opt/examples/ohms_law.vtx"));
    EXPECT_FALSE(work.Did("load /opt/examples/ohms_law.vtx"));
    EXPECT_EQ(files.Path(), "/lab/mine.vtx");

    dialogs.answer = SaveAnswer::No;
    EXPECT_TRUE(files.OpenCopy("/opt/examples/ohms_law.vtx"));
    EXPECT_EQ(dialogs.questions.back(), "是否要保存当前实验到 mine.vtx|Ampera");
    EXPECT_EQ(work.log, (std::vector<std::string>{"context", "context", "stop", "load /opt/examples/ohms_law.vtx",
                                                  "histories", "start", "scroll"}));
    EXPECT_TRUE(files.Untitled());
    EXPECT_EQ(files.Path(), "");
    EXPECT_EQ(work.title, "Ampera [未命名.vtx]");
    EXPECT_EQ(files.Recent().Paths(), std::vector<std::string>{"/lab/mine.vtx"}) << "the example is not listed";

    dialogs.chosen = {"/lab/copy.vtx"};
    EXPECT_TRUE(files.Save());
    EXPECT_EQ(dialogs.saveDialogs.back(), "请保存实验|实验文件(*.vtx)|*.vtx||未命名");
    EXPECT_EQ(work.saved, std::vector<std::string>{"/lab/copy.vtx"});

    // An example that cannot be read keeps the work and its name.
    work.unreadable = {"/opt/examples/broken.vtx"};
    EXPECT_FALSE(files.OpenCopy("/opt/examples/broken.vtx"));
    EXPECT_EQ(files.Path(), "/lab/copy.vtx");
    EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(FileCommandsTest, TheRecentListFollowsOpensAndSavesThatHappened) {
    int changes = 0;
    files.SetRecentChanged([&] { ++changes; });
    work.unwritable = {"/full/x.vtx"};
    work.unreadable = {"/lab/gone.vtx"};
    dialogs.chosen = {"/lab/a.vtx", "/lab/b.vtx", "/full/x.vtx", "/lab/gone.vtx"};
    dialogs.answer = SaveAnswer::No;
    ASSERT_TRUE(files.Open());
    ASSERT_TRUE(files.SaveAs());
    ASSERT_TRUE(files.Save());    // b again: already first
    EXPECT_FALSE(files.SaveAs()); // failed
    EXPECT_FALSE(files.Open());   // unreadable
    EXPECT_TRUE(files.New());
    EXPECT_EQ(files.Recent().Paths(), (std::vector<std::string>{"/lab/b.vtx", "/lab/a.vtx"}));
    EXPECT_EQ(changes, 2) << "told only when the list changed";

    EXPECT_TRUE(files.OpenFile("/lab/a.vtx"));
    EXPECT_EQ(files.Recent().Paths(), (std::vector<std::string>{"/lab/a.vtx", "/lab/b.vtx"}));
    EXPECT_EQ(work.title, "Ampera [a.vtx]");
}

class RecentFileOpenTest : public FileCommandsTest {
  protected:
    void SetUp() override {
        std::random_device random;
        folder = std::filesystem::temp_directory_path() / ("ampera-recent-" + std::to_string(random()));
        std::filesystem::create_directories(folder);
        existing = (folder / "here.vtx").string();
        missing = (folder / "gone.vtx").string();
        std::ofstream(existing) << "x";
        files.Recent().Assign({missing, existing});
        files.SetRecentChanged([this] { ++changes; });
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
    std::string existing, missing;
    int changes = 0;
};

TEST_F(RecentFileOpenTest, AMissingFileIsTakenOffTheListWithAMessageAndNothingElseHappens) {
    work.components = work.changed = true;
    dialogs.answer = SaveAnswer::No;
    EXPECT_FALSE(files.OpenRecent(missing));
    EXPECT_EQ(dialogs.errors, std::vector<std::string>{"文件不存在，已从最近打开列表中移除：" + missing});
    EXPECT_TRUE(dialogs.questions.empty()) << "no question about work that is not going anywhere";
    EXPECT_TRUE(work.log.empty());
    EXPECT_EQ(files.Recent().Paths(), std::vector<std::string>{existing});
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(files.Untitled());
}

TEST_F(RecentFileOpenTest, AnExistingFileOpensAsOpenDoesAndGoesFirst) {
    work.components = work.changed = true;
    dialogs.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(files.OpenRecent(existing));
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"是否要保存当前实验到 未命名.vtx|Ampera"});
    EXPECT_FALSE(work.Did("load " + existing));

    dialogs.answer = SaveAnswer::No;
    EXPECT_TRUE(files.OpenRecent(existing));
    EXPECT_EQ(files.Path(), existing);
    EXPECT_EQ(work.title, "Ampera [here.vtx]");
    EXPECT_EQ(files.Recent().Paths(), (std::vector<std::string>{existing, missing}));
    EXPECT_TRUE(dialogs.errors.empty());
}

} // namespace
} // namespace ampera::testing
