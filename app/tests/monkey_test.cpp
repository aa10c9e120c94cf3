// The real window under a long run of random input from a fixed seed: clicks,
// drags, double clicks, right clicks (closed with Escape or answered with a
// random item), Delete and Escape keys, typing, and clicks on the device bar
// and the property windows. Afterwards the program still runs, its memory
// has stayed bounded, and the experiment saves and opens again to the same
// document. AMPERA_MONKEY_EVENTS sets the number of events (default 1200)
// and AMPERA_MONKEY_SEED the seed.
#include "app/core/command_ids.h"
#include "bench_fixture.h"
#include "document/experiment_file.h"
#include "document/gbk.h"
#include "document/keydoc.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QThread>
#include <QToolBar>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace ampera::testing {
namespace {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

long EnvironmentNumber(const char* name, long fallback) {
    const char* value = std::getenv(name);
    if (!value || !*value) return fallback;
    char* end = nullptr;
    const long n = std::strtol(value, &end, 10);
    return *end == '\0' && n > 0 ? n : fallback;
}

// The lines around the first line where two documents differ.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            out.push_back(text.substr(start, end - start));
        out.push_back(text.substr(start));
        return out;
    };
    const std::vector<std::string> x = lines(a), y = lines(b);
    std::size_t i = 0;
    while (i < x.size() && i < y.size() && x[i] == y[i])
        ++i;
    std::string out = "first difference at line " + std::to_string(i + 1) + "\n";
    for (std::size_t k = i >= 12 ? i - 12 : 0; k < i + 4; ++k)
        out += (k < x.size() ? x[k] : "(end)") + "    |    " + (k < y.size() ? y[k] : "(end)") + "\n";
    return out;
}

class MonkeyTest : public BenchTest {
  protected:
    // Waits for the frame loop to run one job, handling the window's events
    // meanwhile: a finer wait than the fixture's, so a long run stays short.
    void Frame() {
        auto done = std::make_shared<std::atomic<bool>>(false);
        Window().RunOnLoop([done] { done->store(true); });
        QElapsedTimer clock;
        clock.start();
        while (!done->load() && clock.elapsed() < kWaitMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            QThread::usleep(300);
        }
        ASSERT_TRUE(done->load()) << "the frame loop ran the job";
    }

    // Points worth hitting: device centres and terminals, and anywhere.
    std::vector<QPoint> Targets() {
        return Read<std::vector<QPoint>>([&] {
            std::vector<QPoint> points;
            for (CComponent* o : Experiment().Devices()) {
                auto* device = static_cast<CDevice*>(o);
                points.emplace_back(static_cast<int>((device->m_region[0] + device->m_region[2]) / 2),
                                    static_cast<int>((device->m_region[1] + device->m_region[3]) / 2));
                for (CNode* node : device->m_terminals)
                    if (node) points.emplace_back(node->Position().x, node->Position().y);
            }
            return points;
        });
    }

    QPoint Somewhere(std::mt19937& rng, const std::vector<QPoint>& targets) {
        QWidget* surface = Surface();
        if (!targets.empty() && rng() % 4 != 0) {
            const QPoint p = targets[rng() % targets.size()];
            return p + QPoint(static_cast<int>(rng() % 9) - 4, static_cast<int>(rng() % 9) - 4);
        }
        return QPoint(static_cast<int>(rng() % std::max(1, surface->width())),
                      static_cast<int>(rng() % std::max(1, surface->height())));
    }

    // A left click on whatever child of a tool window lies under a random point.
    void ClickInside(QWidget* window, std::mt19937& rng) {
        if (!window || !window->isVisible() || window->width() <= 0 || window->height() <= 0) return;
        const QPoint at(static_cast<int>(rng() % window->width()),
                        static_cast<int>(rng() % window->height()));
        QWidget* target = window->childAt(at);
        if (!target) target = window;
        const QPoint local = target->mapFrom(window, at);
        if (rng() % 5 == 0)
            QTest::mouseDClick(target, Qt::LeftButton, {}, local);
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, local);
    }

    void RightClick(std::mt19937& rng, QPoint at) {
        const int before = Window().ContextMenusShown();
        QTest::mousePress(Surface(), Qt::RightButton, {}, at);
        // Not every right press opens a menu (one cancels a wire being drawn).
        const bool opened = QTest::qWaitFor(
            [&] {
                QMenu* menu = Window().LastContextMenu();
                return Window().ContextMenusShown() > before && menu && menu->isVisible();
            },
            250);
        QTest::mouseRelease(Surface(), Qt::RightButton, {}, at);
        if (!opened) return;
        QMenu* menu = Window().LastContextMenu();
        QList<QAction*> items;
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->isEnabled()) items << action;
        if (items.isEmpty() || rng() % 3 != 0) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        QAction* chosen = items[static_cast<int>(rng() % items.size())];
        menu->close();
        chosen->trigger();
    }

    void Type(std::mt19937& rng) {
        static const char kKeys[] = "0123456789.-+eE,kmu xyz<>%";
        QWidget* focus = QApplication::focusWidget();
        if (!focus) return;
        std::string text;
        for (int i = 1 + static_cast<int>(rng() % 6); i > 0; --i)
            text += kKeys[rng() % (sizeof kKeys - 1)];
        QTest::keyClicks(focus, QString::fromStdString(text));
        if (rng() % 3 == 0) QTest::keyClick(focus, Qt::Key_Backspace);
    }

    // A pointer move on the board with `buttons` held.
    void MoveOnBoard(QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, at, Surface()->mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(Surface(), &move);
    }

    // One random gesture. Input the board takes waits for a frame, as a hand
    // gives it; pointer moves and input to the tool windows need none.
    void Step(std::mt19937& rng, const std::vector<QPoint>& targets) {
        QWidget* surface = Surface();
        const QPoint at = Somewhere(rng, targets);
        switch (rng() % 20) {
        case 0:
        case 1:
        case 2:
        case 3:
            QTest::mouseClick(surface, Qt::LeftButton, {}, at);
            break;
        case 4:
        case 5:
        case 6: {
            QTest::mousePress(surface, Qt::LeftButton, rng() % 4 == 0 ? Qt::ShiftModifier : Qt::NoModifier,
                              at);
            Frame();
            const QPoint to = Somewhere(rng, targets);
            for (int i = 1; i <= 2; ++i) {
                MoveOnBoard(at + (to - at) * i / 2, Qt::LeftButton);
                Frame();
            }
            QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
            break;
        }
        case 7:
        case 8:
            QTest::mouseDClick(surface, Qt::LeftButton, {}, at);
            break;
        case 9:
        case 10:
            RightClick(rng, at);
            break;
        case 11: {
            // The board's keys and the undo and redo shortcuts.
            struct Key {
                Qt::Key key;
                Qt::KeyboardModifiers modifiers;
            };
            const Key keys[] = {{Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier},
                                {Qt::Key_Z, Qt::ControlModifier},  {Qt::Key_Y, Qt::ControlModifier},
                                {Qt::Key_Left, Qt::NoModifier},    {Qt::Key_Down, Qt::ShiftModifier}};
            const Key& key = keys[rng() % std::size(keys)];
            QTest::keyClick(&Window(), key.key, key.modifiers);
            break;
        }
        case 12:
        case 13:
            ClickInside(Window().DeviceBar(), rng);
            return;
        case 14:
        case 15:
            ClickInside(Window().PropertyFrame(static_cast<int>(rng() % 4)), rng);
            return;
        case 16:
            Type(rng);
            return;
        case 17:
            if (rng() % 8 == 0) {
                // Now and then the bars are toggled, or the view switched.
                const int commands[] = {CMD_DEVICE_BAR, CMD_PROPERTY_BAR, CMD_PROPERTY_WINDOW_2,
                                        CMD_SWITCH_VIEW};
                Window().RunCommand(commands[rng() % 4]);
            }
            break;
        default:
            MoveOnBoard(at, Qt::NoButton);
            return;
        }
        Frame();
    }
};

TEST_F(MonkeyTest, ThousandsOfRandomEventsLeaveAWorkingBenchThatSavesAndOpens) {
    const long events = EnvironmentNumber("AMPERA_MONKEY_EVENTS", 1200);
    std::mt19937 rng(static_cast<unsigned>(EnvironmentNumber("AMPERA_MONKEY_SEED", 20261211)));
    ASSERT_TRUE(Window().OpenAtStart(std::string(AMPERA_EXAMPLES_DIR) + "/rlc_alternating.vtx"));
    const std::string opened = Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); });
    const std::uint64_t clearsAtStart = Read<std::uint64_t>([&] { return Experiment().ClearCount(); });
    Place(TYPE_RESISTANCE, 620, 420);
    // The device bar is up from the start; the property bar is opened.
    if (!Window().DeviceBar()->IsVisible()) Window().RunCommand(CMD_DEVICE_BAR);
    Window().RunCommand(CMD_PROPERTY_BAR);
    // Every question is answered "no" and every file dialog cancelled.
    const auto keepAnswering = [&] {
        m_dialogs->answers.assign(8, SaveAnswer::No);
        m_dialogs->savePaths.clear();
        m_dialogs->openPaths.clear();
    };

    std::vector<QPoint> targets = Targets();
    long residentAtStart = 0;
    for (long i = 0; i < events; ++i) {
        if (i % 10 == 0) {
            targets = Targets();
            keepAnswering();
            // A board emptied (delete all, a new experiment) gets devices again.
            if (targets.size() < 6) {
                const std::vector<CKindEntry>& kinds = DeviceKinds();
                for (int n = 0; n < 3; ++n)
                    Place(kinds[rng() % kinds.size()].kind->typeCode, 100 + static_cast<int>(rng() % 600),
                          100 + static_cast<int>(rng() % 400));
                targets = Targets();
            }
        }
        // Memory is measured once everything has been shown and used a little.
        if (i == std::min(events / 5, 300L)) residentAtStart = ResidentKilobytes();
        Step(rng, targets);
        ASSERT_TRUE(Window().Services().LoopRunning()) << "after event " << i;
    }
    for (QWidget* popup = QApplication::activePopupWidget(); popup; popup = QApplication::activePopupWidget())
        popup->close();
    QTest::keyClick(&Window(), Qt::Key_Escape);
    Settle();

    const long grown = ResidentKilobytes() - residentAtStart;
    EXPECT_LT(grown, 150 * 1024) << "resident memory grew by " << grown << " kB over the run";
    EXPECT_TRUE(Window().isVisible());

    // The experiment as it stands saves, and opens again to the same document.
    // (Saving ends a gesture still under way: a wire half drawn is not saved,
    // so the document is taken once the save is done.)
    const std::string file = FilePath("after.vtx");
    m_dialogs->savePaths.assign({file});
    Window().RunCommand(CMD_SAVE_AS);
    ASSERT_EQ(Window().Files().Path(), file) << "saved";
    const std::size_t objects = Read<std::size_t>([&] { return Experiment().AllObjects().size(); });
    const std::string document = Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); });
    std::ifstream saved(file, std::ios::binary);
    EXPECT_TRUE(GbkToUtf8(std::string(std::istreambuf_iterator<char>(saved), {})) == document)
        << "the file holds the experiment as it stood";
    // Every step undone gives back the experiment that was opened, every
    // step redone the one just saved (unless a new experiment came between).
    std::size_t steps = 0;
    if (Read<std::uint64_t>([&] { return Experiment().ClearCount(); }) == clearsAtStart) {
        steps = Window().Board().History().UndoSize();
        for (std::size_t i = 0; i < steps; ++i)
            Window().RunCommand(CMD_UNDO);
        ASSERT_TRUE(WaitFor([&] { return Window().Board().History().UndoSize() == 0; }));
        Settle();
        const std::string undone = Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); });
        EXPECT_TRUE(undone == opened) << steps << " steps undone; " << FirstDifference(opened, undone);
        for (std::size_t i = 0; i < steps; ++i)
            Window().RunCommand(CMD_REDO);
        ASSERT_TRUE(WaitFor([&] { return Window().Board().History().RedoSize() == 0; }));
        Settle();
        const std::string redone = Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); });
        EXPECT_TRUE(redone == document) << FirstDifference(document, redone);
    }
    m_dialogs->answers.assign({SaveAnswer::No});
    m_dialogs->openPaths.assign({file});
    Window().RunCommand(CMD_OPEN);
    EXPECT_EQ(Read<std::size_t>([&] { return Experiment().AllObjects().size(); }), objects);
    const std::string reopened = Read<std::string>([&] { return ExperimentDocument(Experiment()).ToText(); });
    EXPECT_TRUE(reopened == document) << FirstDifference(document, reopened);
    std::cout << "[ monkey   ] " << events << " events, " << objects
              << " objects at the end, " << steps << " steps undone and redone, resident memory grew " << grown
              << " kB\n";
}

} // namespace
} // namespace ampera::testing
