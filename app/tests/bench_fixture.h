// The whole program in a test: the real main window with its frame loop,
// board, device bar and property windows, shown on the test display. Every
// modal thing (questions, file dialogs, the colour chooser, dialogs, the
// desktop's browser, "Warning" boxes) is answered by the fixture, so nothing
// waits for a person. Tests wait for the frame loop with conditions, never
// with fixed sleeps.
#pragma once

#include "app/core/display_colours.h"
#include "app/core/file_commands.h"
#include "app/main_window.h"
#include "core/experiment.h"
#include "devices/device.h"
#include "devices/kind_registry.h"
#include "views/app_services.h"
#include "views/board_view.h"
#include "views/qt_platform.h"

#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ampera::testing {

// Answers the file commands' questions and dialogs from queues, and keeps
// what was asked. An empty queue answers Cancel.
class CFakeDialogs : public IFileDialogs {
  public:
    std::deque<SaveAnswer> answers;
    std::deque<std::optional<std::string>> savePaths, openPaths;
    std::vector<std::string> questions, captions, saveTitles, openTitles, errors;

    SaveAnswer AskSave(const std::string& question, const std::string& caption) override {
        questions.push_back(question);
        captions.push_back(caption);
        return Take(answers, SaveAnswer::Cancel);
    }
    std::optional<std::string> SaveDialog(const std::string& title, const std::string&,
                                          const std::string&) override {
        saveTitles.push_back(title);
        return Take(savePaths, std::optional<std::string>());
    }
    std::optional<std::string> OpenDialog(const std::string& title, const std::string&) override {
        openTitles.push_back(title);
        return Take(openPaths, std::optional<std::string>());
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    bool AskYesNo(const std::string& question, const std::string& caption) override {
        questions.push_back(question);
        captions.push_back(caption);
        return Take(answers, SaveAnswer::Cancel) == SaveAnswer::Yes;
    }

  private:
    template <class T> static T Take(std::deque<T>& queue, T none) {
        if (queue.empty()) return none;
        T front = queue.front();
        queue.pop_front();
        return front;
    }
};

// The Qt platform without boxes or sound: warnings are only recorded.
class CQuietPlatform : public CQtPlatform {
  public:
    std::vector<std::string> warnings;
    void ShowWarningBox(const std::string& text) override { warnings.push_back(text); }
    void PlaySound(const std::string&) override {}
};

class BenchTest : public ::testing::Test {
  protected:
    static constexpr int kWaitMs = 5000;

    void SetUp() override {
        CExperiment& experiment = CExperiment::GetExperiment();
        experiment.Solver().SetTraceStream(nullptr); // no solver trace on the test log
        experiment.ClearExperiment();
        experiment.m_boardState.outlines.clear();
        experiment.m_realView = 1;
        experiment.m_showNames = 1;
        DisplayColours().Reset();
        ASSERT_TRUE(m_files.isValid());

        m_dialogs = std::make_shared<CFakeDialogs>();
        m_platform = std::make_shared<CQuietPlatform>();
        CMainDlgOptions options;
        options.dialogs = m_dialogs;
        options.platform = m_platform;
        options.chooseColour = [this](std::uint32_t, QWidget*) {
            ++m_chooserCalls;
            return m_nextColour;
        };
        options.runDialog = [this](QDialog& dialog) {
            ++m_dialogRuns;
            return m_dialogRunner ? m_dialogRunner(dialog) : static_cast<int>(QDialog::Rejected);
        };
        options.openUrl = [this](const QUrl& url) { m_opened.push_back(url); };
        // Passwords are typed from a list; an empty list cancels.
        options.askPassword = [this](const QString& prompt, QWidget*) -> std::optional<std::string> {
            m_passwordPrompts.push_back(prompt.toStdString());
            if (m_passwords.empty()) return std::nullopt;
            std::string typed = m_passwords.front();
            m_passwords.pop_front();
            return typed;
        };
        options.reportNoRenderer = [](const QString&) {};
        // Every window autosaves into a folder of the test's own.
        options.autosaveFolder = AutosaveFolder();
        options.autosaveIntervalMs = m_autosaveMs;
        // And keeps its settings (the recent files) in a file of its own.
        options.settingsFile = SettingsFile();
        CPropertyFrame::SetMessageHook(
            [this](QWidget*, const QString& text) { m_messages.push_back(text.toStdString()); });
        m_window = std::make_unique<CMainDlg>(options);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void TearDown() override {
        m_window.reset();
        CPropertyFrame::SetMessageHook(nullptr);
        CExperiment::GetExperiment().ClearExperiment();
        CExperiment::GetExperiment().Solver().SetTraceStream(&std::cout);
        DisplayColours().Reset();
    }

    CExperiment& Experiment() { return CExperiment::GetExperiment(); }
    CMainDlg& Window() { return *m_window; }
    QWidget* Surface() { return m_window->BoardSurface(); }
    std::string FilePath(const char* name) const { return QDir(m_files.path()).filePath(name).toStdString(); }
    QString AutosaveFolder() const { return QDir(m_files.path()).filePath(QStringLiteral("autosave")); }
    QString SettingsFile() const { return QDir(m_files.path()).filePath(QStringLiteral("settings.ini")); }

    // Runs `job` on the frame loop (or at once while it is stopped) and waits
    // until it has run: reads and writes of the experiment go through here.
    template <class F> void OnLoop(F job) {
        auto done = std::make_shared<std::atomic<bool>>(false);
        m_window->RunOnLoop([job, done]() mutable {
            job();
            done->store(true);
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return done->load(); }, kWaitMs)) << "the frame loop ran the job";
    }
    template <class R, class F> R Read(F read) {
        R value{};
        OnLoop([&] { value = read(); });
        return value;
    }
    // Lets the loop run a few frames: enough for every deposited event (one
    // per frame) and queued command to be handled.
    void Settle(int frames = 3) {
        for (int i = 0; i < frames; ++i)
            OnLoop([] {});
    }
    bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, kWaitMs); }
    bool WaitOnLoop(const std::function<bool()>& condition) {
        return QTest::qWaitFor([&] { return Read<bool>(condition); }, kWaitMs);
    }

    // A device of `type` placed centred at (x, y) with its terminal nodes,
    // one undo step as a placement from the device bar is.
    CDevice* Place(int type, int x, int y) {
        CDevice* placed = nullptr;
        OnLoop([&] {
            Window().Board().Recorder().RecordBoard("放置器材", "", 0, [&] {
                std::unique_ptr<CComponent> prototype(CreateDevice(type));
                placed = static_cast<CDevice*>(prototype.get())->PlaceAt(Experiment(), x, y);
            });
        });
        return placed;
    }
    CWire* Join(CNode* a, CNode* b) {
        return Read<CWire*>([&] {
            CWire* wire = nullptr;
            Window().Board().Recorder().RecordBoard("连线", "", 0, [&] { wire = Experiment().AddWire(a, b); });
            return wire;
        });
    }
    bool OnBoard(const CComponent* object) {
        return Read<bool>([&] { return Experiment().Contains(object); });
    }
    QPoint Centre(const CDevice* device) {
        return Read<QPoint>([&] {
            return QPoint(static_cast<int>((device->m_region[0] + device->m_region[2]) / 2),
                          static_cast<int>((device->m_region[1] + device->m_region[3]) / 2));
        });
    }
    QPoint Terminal(const CDevice* device, int index) {
        return Read<QPoint>([&] {
            const CPoint p = device->m_terminals[index]->Position();
            return QPoint(p.x, p.y);
        });
    }

    // Mouse on the board, one event per frame as a person's hand gives them.
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(Surface(), button, {}, at);
        Settle();
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(Surface(), button, {}, at);
        Settle();
    }
    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Press(at, button);
        Release(at, button);
    }
    void MoveTo(QPoint at) {
        // Moves without a button reach a tracking widget as plain move events.
        QMouseEvent move(QEvent::MouseMove, at, Surface()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(Surface(), &move);
        Settle();
    }
    // A wire drawn with the mouse from one terminal point to another.
    void DrawWire(QPoint from, QPoint to) {
        Click(from);
        MoveTo(to);
        Click(to);
    }

    // Triggers a menu item once the timer has enabled it.
    void Choose(int id) {
        QAction* action = m_window->MenuAction(id);
        ASSERT_NE(action, nullptr) << id;
        ASSERT_TRUE(WaitFor([&] { return action->isEnabled(); })) << "menu item " << id << " enabled";
        action->trigger();
    }

    // The texts of the context menu a right click at `at` opens (the menu is
    // closed again); separators read "-".
    // The menu opens on the press; it is read and closed before the release.
    std::vector<std::string> ContextMenuAt(QPoint at) {
        std::vector<std::string> texts;
        if (QMenu* menu = OpenContextMenu(at)) {
            for (QAction* action : menu->actions())
                texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
            menu->close();
        }
        Release(at, Qt::RightButton);
        return texts;
    }
    // Chooses an item of the context menu a right click at `at` opens.
    void ContextChoose(QPoint at, const std::string& text) {
        QAction* chosen = nullptr;
        if (QMenu* menu = OpenContextMenu(at)) {
            for (QAction* action : menu->actions())
                if (action->text().toStdString() == text) chosen = action;
            menu->close();
        }
        Release(at, Qt::RightButton);
        ASSERT_NE(chosen, nullptr) << "the context menu offers " << text;
        chosen->trigger();
    }
    QMenu* OpenContextMenu(QPoint at) {
        const int before = m_window->ContextMenusShown();
        QTest::mousePress(Surface(), Qt::RightButton, {}, at);
        const bool opened = WaitFor([&] {
            QMenu* menu = m_window->LastContextMenu();
            return m_window->ContextMenusShown() > before && menu && menu->isVisible();
        });
        return opened ? m_window->LastContextMenu() : nullptr;
    }

    QTemporaryDir m_files;
    int m_autosaveMs = 0; // 0: the program's default
    std::shared_ptr<CFakeDialogs> m_dialogs;
    std::shared_ptr<CQuietPlatform> m_platform;
    std::optional<std::uint32_t> m_nextColour;
    int m_chooserCalls = 0;
    int m_dialogRuns = 0;
    std::function<int(QDialog&)> m_dialogRunner;
    std::vector<QUrl> m_opened;
    std::deque<std::string> m_passwords;
    std::vector<std::string> m_passwordPrompts;
    std::vector<std::string> m_messages; // boxes of the property windows
    std::unique_ptr<CMainDlg> m_window;
};

} // namespace ampera::testing
