// 文件 → 示例实验 and 文件 → 最近打开 in the real window: an example opens as
// untitled work and is never written over; the recent files follow opens and
// saves, are kept in the settings, and a file that is gone leaves the list
// with a message.
#include "app/core/command_ids.h"
#include "app/core/examples.h"
#include "app/core/recent_files.h"
#include "app/recent_settings.h"
#include "bench_fixture.h"
#include "document/experiment_file.h"
#include "views/asset_path.h"

#include <QFile>
#include <QMenuBar>

#include <algorithm>

namespace ampera::testing {
namespace {

class FileMenusTest : public BenchTest {
  protected:
    // The texts of a menu's items; separators read "-".
    static std::vector<std::string> Texts(const QMenu* menu) {
        std::vector<std::string> texts;
        for (QAction* action : menu->actions())
            texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
        return texts;
    }
    std::vector<std::string> RecentTexts() { return Texts(Window().RecentMenu()); }
    QAction* ItemNamed(const QMenu* menu, const std::string& text) {
        for (QAction* action : menu->actions())
            if (action->text().toStdString() == text) return action;
        ADD_FAILURE() << "the menu offers " << text;
        return nullptr;
    }
    std::vector<int> DeviceTypes() {
        return Read<std::vector<int>>([&] {
            std::vector<int> types;
            for (CComponent* device : Experiment().Devices())
                types.push_back(device->TypeCode());
            return types;
        });
    }
    // A file holding `count` resistors.
    std::string Resistors(const char* name, int count) {
        const std::string path = FilePath(name);
        CExperiment other;
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<CComponent> prototype(CreateDevice(TYPE_RESISTANCE));
            static_cast<CDevice*>(prototype.get())->PlaceAt(other, 100 + 150 * i, 100);
        }
        EXPECT_TRUE(SaveFile(other, path));
        return path;
    }
    static QByteArray Bytes(const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(FileMenusTest, FileMenuHoldsTheExamplesAndRecentSubmenus) {
    QMenu* file = Window().menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Texts(file), (std::vector<std::string>{"新建(&N)", "打开(&O)", "示例实验(&X)", "保存(&S)",
                                                     "另存为...", "-", "导出读数...", "导出图片...", "-", "最近打开(&R)", "-",
                                                     "退出(Q)"}));
    EXPECT_EQ(Window().MenuAction(CMD_EXAMPLES_MENU)->menu(), Window().ExamplesMenu());
    EXPECT_EQ(Window().MenuAction(CMD_RECENT_MENU)->menu(), Window().RecentMenu());
    // Every example installed with the program, under its title, in the
    // order of the course.
    EXPECT_EQ(Texts(Window().ExamplesMenu()),
              (std::vector<std::string>{"欧姆定律", "分压电路", "惠斯通电桥", "万用表测电阻", "二极管特性",
                                        "RC电路的方波响应", "RL电路的直流响应", "RLC交流电路",
                                        "选频电平表测谐波"}));
    for (QAction* example : Window().ExamplesMenu()->actions())
        EXPECT_TRUE(QFile::exists(example->toolTip())) << example->toolTip().toStdString();
}

TEST_F(FileMenusTest, AnExampleOpensAsUntitledWorkAndIsNeverWrittenOver) {
    const std::vector<CExample> examples = ListExamples(AssetPath(kExamplesFolder));
    const auto ohm = std::find_if(examples.begin(), examples.end(),
                                  [](const CExample& e) { return e.title == "欧姆定律"; });
    ASSERT_NE(ohm, examples.end());
    const QByteArray installed = Bytes(ohm->path);
    ASSERT_FALSE(installed.isEmpty());
    CExperiment expected;
    ASSERT_TRUE(LoadFile(expected, ohm->path, 0));
    std::vector<int> expectedTypes;
    for (CComponent* device : expected.Devices())
        expectedTypes.push_back(device->TypeCode());

    // Unsaved work on the board: the usual question first.
    Place(TYPE_CAPACITANCE, 300, 200);
    ASSERT_TRUE(WaitFor([&] { return Window().Board().History().Modified(); }));
    m_dialogs->answers.push_back(SaveAnswer::Cancel);
    ItemNamed(Window().ExamplesMenu(), "欧姆定律")->trigger();
    EXPECT_EQ(m_dialogs->questions, std::vector<std::string>{"是否要保存当前实验到 未命名.vtx"});
    EXPECT_EQ(DeviceTypes(), std::vector<int>{TYPE_CAPACITANCE}) << "cancelled: the work stays";

    m_dialogs->answers.push_back(SaveAnswer::No);
    ItemNamed(Window().ExamplesMenu(), "欧姆定律")->trigger();
    EXPECT_EQ(DeviceTypes(), expectedTypes);
    EXPECT_TRUE(Window().Files().Untitled());
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [未命名.vtx]");
    EXPECT_TRUE(RecentTexts().empty()) << "an example is not a file of the student's";

    // Work on the copy; Save asks for a name and writes there.
    Place(TYPE_RESISTANCE, 700, 500);
    const std::string mine = FilePath("mine.vtx");
    m_dialogs->savePaths.push_back(mine);
    Window().RunCommand(CMD_SAVE);
    EXPECT_EQ(m_dialogs->saveTitles, std::vector<std::string>{"请保存实验"});
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [mine.vtx]");
    CExperiment saved;
    ASSERT_TRUE(LoadFile(saved, mine, 0));
    EXPECT_EQ(saved.Devices().size(), expectedTypes.size() + 1);
    EXPECT_EQ(Bytes(ohm->path), installed) << "the installed example is unchanged";
    EXPECT_EQ(RecentTexts(), std::vector<std::string>{RecentMenuText(0, mine)});
}

TEST_F(FileMenusTest, RecentFilesFollowOpenAndSaveAsAndAreKeptInTheSettings) {
    EXPECT_FALSE(Window().MenuAction(CMD_RECENT_MENU)->isEnabled()) << "nothing to offer yet";
    const std::string opened = Resistors("opened.vtx", 1);
    m_dialogs->openPaths.push_back(opened);
    Window().RunCommand(CMD_OPEN);
    Place(TYPE_CAPACITANCE, 500, 300);
    const std::string savedAs = FilePath("saved-as.vtx");
    m_dialogs->savePaths.push_back(savedAs);
    Window().RunCommand(CMD_SAVE_AS);

    EXPECT_TRUE(Window().MenuAction(CMD_RECENT_MENU)->isEnabled());
    EXPECT_EQ(RecentTexts(), (std::vector<std::string>{"&1 " + savedAs, "&2 " + opened}));
    EXPECT_EQ(CRecentSettings(SettingsFile()).Load(), (std::vector<std::string>{savedAs, opened}));

    // Choosing an entry opens it as Open does, with the save question.
    Place(TYPE_INDUCTANCE, 300, 450);
    ASSERT_TRUE(WaitFor([&] { return Window().Board().History().Modified(); }));
    m_dialogs->answers.push_back(SaveAnswer::No);
    Window().RecentMenu()->actions().at(1)->trigger();
    EXPECT_EQ(m_dialogs->questions, std::vector<std::string>{"是否要保存当前实验到 saved-as.vtx"});
    EXPECT_EQ(DeviceTypes(), std::vector<int>{TYPE_RESISTANCE});
    EXPECT_EQ(Window().windowTitle().toStdString(), "Ampera [opened.vtx]");
    EXPECT_EQ(RecentTexts(), (std::vector<std::string>{"&1 " + opened, "&2 " + savedAs}))
        << "the file opened goes first, listed once";
}

TEST_F(FileMenusTest, RecentFilesKeepTheLastEight) {
    std::vector<std::string> paths;
    Place(TYPE_RESISTANCE, 300, 200);
    for (int i = 0; i < 10; ++i) {
        paths.push_back(FilePath(("file" + std::to_string(i) + ".vtx").c_str()));
        m_dialogs->savePaths.push_back(paths.back());
        Window().RunCommand(CMD_SAVE_AS);
    }
    std::vector<std::string> expected;
    for (std::size_t k = 0; k < CRecentFiles::kCapacity; ++k)
        expected.push_back(RecentMenuText(k, paths[9 - k]));
    EXPECT_EQ(RecentTexts(), expected);
    EXPECT_EQ(CRecentSettings(SettingsFile()).Load().size(), CRecentFiles::kCapacity);
}

TEST_F(FileMenusTest, AFileThatIsGoneLeavesTheListWithAMessage) {
    const std::string kept = Resistors("kept.vtx", 1);
    const std::string gone = Resistors("gone.vtx", 2);
    for (const std::string& path : {kept, gone}) {
        m_dialogs->openPaths.push_back(path);
        Window().RunCommand(CMD_OPEN);
    }
    ASSERT_TRUE(QFile::remove(QString::fromStdString(gone)));
    // Work on the board that must survive, and no question about it.
    Place(TYPE_CAPACITANCE, 600, 400);
    ASSERT_TRUE(WaitFor([&] { return Window().Board().History().Modified(); }));
    const std::vector<int> before = DeviceTypes();

    ItemNamed(Window().RecentMenu(), RecentMenuText(0, gone))->trigger();
    EXPECT_EQ(m_dialogs->errors, std::vector<std::string>{"文件不存在，已从最近打开列表中移除：" + gone});
    EXPECT_TRUE(m_dialogs->questions.empty());
    EXPECT_EQ(DeviceTypes(), before);
    EXPECT_TRUE(WaitFor([&] { return Window().windowTitle().toStdString() == "Ampera [gone.vtx]*"; }))
        << "the file's name and the unsaved mark stay";
    EXPECT_EQ(RecentTexts(), std::vector<std::string>{RecentMenuText(0, kept)});
    EXPECT_EQ(CRecentSettings(SettingsFile()).Load(), std::vector<std::string>{kept});
}

// A window starts with the list the settings hold.
class StoredRecentFilesTest : public FileMenusTest {
  protected:
    void SetUp() override {
        CRecentSettings(SettingsFile()).Store({FilePath("b.vtx"), FilePath("a.vtx"), FilePath("./b.vtx")});
        BenchTest::SetUp();
    }
};

TEST_F(StoredRecentFilesTest, TheWindowStartsWithTheStoredList) {
    EXPECT_TRUE(Window().MenuAction(CMD_RECENT_MENU)->isEnabled());
    EXPECT_EQ(RecentTexts(), (std::vector<std::string>{RecentMenuText(0, FilePath("b.vtx")),
                                                       RecentMenuText(1, FilePath("a.vtx"))}));
}

} // namespace
} // namespace ampera::testing
