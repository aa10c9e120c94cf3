// Application services, the frame loop and the hand-over points between the
// user-interface thread and the loop. Plain C++ only, so that these run under
// ThreadSanitizer.
#include "activity.h"
#include "app_services.h"
#include "board_view.h"
#include "core/experiment.h"
#include "hand_over.h"
#include "views/tests/fake_tool_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ampera::testing {
namespace {

using namespace std::chrono_literals;

class FakePlatform : public IPlatformServices {
  public:
    long long SystemMilliseconds() override { return clock.load(); }
    void SetCursorShape(int index) override { cursor = index; }
    void GetCursorPosition(int& x, int& y) override { x = 7, y = 8; }
    void SetCursorPosition(int, int) override {}
    void PlaySound(const std::string& path) override {
        std::lock_guard lock(mutex);
        sounds.push_back(path);
    }
    void ShowWarningBox(const std::string& text) override { boxes.push_back(text); }
    void RunOnUi(std::function<void()> task) override {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
    }
    // What the user-interface thread's event loop would do.
    void RunUiTasks() {
        std::vector<std::function<void()>> now;
        {
            std::lock_guard lock(mutex);
            now.swap(tasks);
        }
        for (auto& task : now)
            task();
    }
    std::vector<std::string> Sounds() {
        std::lock_guard lock(mutex);
        return sounds;
    }

    std::atomic<long long> clock{0};
    int cursor = -1;
    std::mutex mutex;
    std::vector<std::string> sounds;
    std::vector<std::string> boxes;
    std::vector<std::function<void()>> tasks;
};

class ServicesTest : public ::testing::Test {
  protected:
    std::shared_ptr<FakePlatform> platform = std::make_shared<FakePlatform>();
    CAppServices services{platform};
};

TEST_F(ServicesTest, FirstGetTimeFixesTheBaseWithLow16BitsCleared) {
    platform->clock = 0x12345678;
    EXPECT_EQ(services.GetTime(), 0x5678);
    platform->clock = 0x12345678 + 250;
    EXPECT_EQ(services.GetTime(), 0x5678 + 250);
    platform->clock = 0x12360000;
    EXPECT_EQ(services.GetTime(), 0x20000) << "the base stays where the first call put it";
}

TEST_F(ServicesTest, SameSoundRepeatsOnlyAfterAPauseOfMoreThan200ms) {
    platform->clock = 10000;
    const auto request = [&](const char* file, long long at) {
        platform->clock = at;
        services.PlaySoundFile(file);
    };
    // Requested every frame for a second: plays once.
    for (long long t = 10000; t <= 11000; t += 10)
        request("warning.wav", t);
    EXPECT_EQ(platform->Sounds().size(), 1u);
    request("warning.wav", 11200); // exactly 200 ms after the last request
    EXPECT_EQ(platform->Sounds().size(), 1u);
    request("warning.wav", 11401);
    EXPECT_EQ(platform->Sounds().size(), 2u);
    request("other.wav", 11402);
    request("warning.wav", 11403);
    EXPECT_EQ(platform->Sounds(),
              (std::vector<std::string>{"warning.wav", "warning.wav", "other.wav", "warning.wav"}))
        << "a different file plays at once";
}

TEST_F(ServicesTest, WarningsAndMainWindowCodesRunOnTheUserInterfaceThread) {
    std::vector<int> codes;
    services.SetMainHandler([&](int code) { codes.push_back(code); });
    std::thread loop([&] {
        services.ShowWarning(0, "warning text");
        services.ShowWarning(1, "quiet");
        services.PostToMain(3);
    });
    loop.join();
    EXPECT_TRUE(platform->boxes.empty()) << "nothing modal on the asking thread";
    EXPECT_TRUE(codes.empty());
    platform->RunUiTasks();
    EXPECT_EQ(platform->boxes, std::vector<std::string>{"warning text"});
    EXPECT_EQ(codes, std::vector<int>{3});
}

TEST_F(ServicesTest, CursorShapesOutsideTheThreeDoNothing) {
    services.SetCursorShape(1);
    EXPECT_EQ(platform->cursor, 1);
    services.SetCursorShape(3);
    services.SetCursorShape(-1);
    EXPECT_EQ(platform->cursor, 1);
}

using fakes::FakePropertyWindow;

TEST_F(ServicesTest, ToolWindowsAreMadeOnceAndLetGoOfTheirDeviceWhenTheLoopStops) {
    std::vector<std::unique_ptr<FakePropertyWindow>> made;
    services.SetPropertyWindowMaker([&](int) {
        made.push_back(std::make_unique<FakePropertyWindow>());
        return made.back().get();
    });
    EXPECT_EQ(services.GetPropertyWindow(2), nullptr);
    EXPECT_TRUE(services.CreatePropertyWindow(2));
    EXPECT_TRUE(services.CreatePropertyWindow(2));
    EXPECT_FALSE(services.CreatePropertyWindow(4));
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(services.GetPropertyWindow(2), made[0].get());
    EXPECT_EQ(services.GetDeviceWindow(), nullptr) << "no maker: nothing made";
    services.StartLoop();
    services.StopLoop();
    EXPECT_EQ(made[0]->cleared, 1);
}

// --- frame loop ----------------------------------------------------------------

// A view that logs what the loop does to it and keeps a one-slot mailbox.
class LoggingView : public IFrameView {
  public:
    LoggingView(int id, std::vector<std::string>& log, std::mutex& mutex)
        : m_id(id), m_log(log), m_mutex(mutex) {}
    void Tick(long long time) override {
        Record('T', time);
        if (consumeInput) mailbox.Take();
    }
    void Paint(long long time) override { Record('P', time); }
    void ClearInput() override { mailbox.Clear(); }

    CMailbox<int> mailbox;
    std::atomic<bool> consumeInput{true};
    std::atomic<int> calls{0};
    std::atomic<long long> lastTime{-1};

  private:
    void Record(char what, long long time) {
        ++calls;
        lastTime = time;
        std::lock_guard lock(m_mutex);
        m_log.push_back(std::string(1, what) + std::to_string(m_id) + "@" + std::to_string(time));
    }
    int m_id;
    std::vector<std::string>& m_log;
    std::mutex& m_mutex;
};

// A board object whose Update records the time UpdateCircuit passed on.
class Probe : public CComponent {
  public:
    Probe() : CComponent(CATEGORY_METER, TYPE_VOLTMETER) {}
    void Update(const CUpdateContext& context) override {
        ++updates;
        lastTime = context.time;
    }
    std::atomic<int> updates{0};
    std::atomic<long long> lastTime{-1};
};

class LoopTest : public ServicesTest {
  protected:
    LoopTest() { platform->clock = 0x10000; }
    ~LoopTest() override { services.StopLoop(); }

    // Waits (bounded) until `done` holds.
    template <class F> static bool WaitFor(F done) {
        for (int k = 0; k < 500 && !done(); ++k)
            std::this_thread::sleep_for(2ms);
        return done();
    }
    std::vector<std::string> Log() {
        std::lock_guard lock(mutex);
        return log;
    }
    std::vector<std::string> log;
    std::mutex mutex;
};

TEST_F(LoopTest, EachFrameUpdatesTheExperimentThenTicksInOrderThenPaintsInReverse) {
    CExperiment experiment;
    auto* probe = new Probe;
    experiment.AddObject(probe, false);
    LoggingView a(1, log, mutex), b(2, log, mutex), c(3, log, mutex);
    services.SetExperiment(&experiment);
    for (IFrameView* v : {&a, &b, &c})
        services.RegisterView(v);

    std::thread clock([&] { // the clock moves while the loop runs
        for (int k = 0; k < 40; ++k) {
            platform->clock += 7;
            std::this_thread::sleep_for(1ms);
        }
    });
    services.StartLoop();
    EXPECT_TRUE(WaitFor([&] { return a.calls >= 8; }));
    services.StopLoop();
    clock.join();
    services.SetExperiment(nullptr);
    for (IFrameView* v : {&a, &b, &c})
        services.UnregisterView(v);

    const std::vector<std::string> entries = Log();
    ASSERT_GE(entries.size(), 24u);
    ASSERT_EQ(entries.size() % 6, 0u) << "whole frames only";
    for (std::size_t f = 0; f < entries.size(); f += 6) {
        const std::string at = entries[f].substr(2);
        const std::vector<std::string> expected{"T1" + at, "T2" + at, "T3" + at,
                                                "P3" + at, "P2" + at, "P1" + at};
        EXPECT_EQ(std::vector<std::string>(entries.begin() + f, entries.begin() + f + 6), expected)
            << "frame " << f / 6;
    }
    EXPECT_EQ(probe->updates.load(), static_cast<int>(entries.size() / 6)) << "one UpdateCircuit per frame";
    EXPECT_EQ("@" + std::to_string(probe->lastTime.load()), entries.back().substr(2))
        << "the experiment is updated with the frame's time";
}

TEST_F(LoopTest, AfterStopLoopReturnsNothingRunsAndPendingInputIsCleared) {
    LoggingView view(1, log, mutex);
    view.consumeInput = false;
    services.RegisterView(&view);
    for (int round = 0; round < 3; ++round) { // stop and start again
        SCOPED_TRACE(round);
        services.StartLoop();
        EXPECT_TRUE(services.LoopRunning());
        const int before = view.calls;
        EXPECT_TRUE(WaitFor([&] { return view.calls >= before + 4; }));
        view.mailbox.Deposit(42); // input the loop has not taken yet
        EXPECT_TRUE(services.StopLoop());
        EXPECT_FALSE(services.LoopRunning());
        EXPECT_TRUE(view.mailbox.Empty());
        const int stopped = view.calls;
        std::this_thread::sleep_for(40ms);
        EXPECT_EQ(view.calls.load(), stopped) << "no tick or paint after StopLoop returned";
    }
    services.UnregisterView(&view);
}

TEST_F(LoopTest, UnregisteredViewIsNoLongerUsed) {
    LoggingView kept(1, log, mutex);
    auto gone = std::make_unique<LoggingView>(2, log, mutex);
    services.RegisterView(&kept);
    services.RegisterView(gone.get());
    services.StartLoop();
    EXPECT_TRUE(WaitFor([&] { return gone->calls >= 4; }));
    services.UnregisterView(gone.get());
    gone.reset(); // freed while the loop runs
    const int before = kept.calls;
    EXPECT_TRUE(WaitFor([&] { return kept.calls >= before + 4; }));
    services.StopLoop();
    services.UnregisterView(&kept);
}

// A view that ends the loop from inside a tick.
class StoppingView : public IFrameView {
  public:
    explicit StoppingView(CAppServices& services) : m_services(services) {}
    void Tick(long long) override {
        if (++ticks == 3) stopResult = m_services.StopLoop();
    }
    void Paint(long long) override {}
    void ClearInput() override {}
    std::atomic<int> ticks{0};
    std::atomic<bool> stopResult{true};

  private:
    CAppServices& m_services;
};

TEST_F(LoopTest, StopFromInsideTheLoopEndsItWithoutWaitingForItself) {
    StoppingView view(services);
    services.RegisterView(&view);
    services.StartLoop();
    EXPECT_TRUE(WaitFor([&] { return !services.LoopRunning(); }));
    EXPECT_EQ(view.ticks.load(), 3);
    EXPECT_TRUE(services.StartLoop()) << "a loop that ended itself can be started again";
    EXPECT_TRUE(WaitFor([&] { return view.ticks >= 4; }));
    services.StopLoop();
    services.UnregisterView(&view);
}

// A view whose picture changes every frame (it hands a frame over each time).
class ChangingView : public IFrameView {
  public:
    void Tick(long long) override {}
    void Paint(long long) override {
        ++frames;
        if (changing) CActivity::Note();
    }
    void ClearInput() override {}
    std::atomic<int> frames{0};
    std::atomic<bool> changing{true};
};

TEST_F(LoopTest, AQuietLoopRestsAndActivityKeepsItAtFullRate) {
    ChangingView view;
    services.RegisterView(&view);
    services.StartLoop();
    const auto framesIn = [&](std::chrono::milliseconds span) {
        const int before = view.frames;
        std::this_thread::sleep_for(span);
        return view.frames - before;
    };
    // Rest frames come kRestMilliseconds apart: at most this many in 400 ms.
    const int restBound = 400 / CFrameLoop::kRestMilliseconds + 2;

    EXPECT_GT(framesIn(400ms), restBound) << "a changing picture keeps every frame";

    view.changing = false;
    std::this_thread::sleep_for(CFrameLoop::kQuietFrames * 15ms); // the quiet frames pass
    EXPECT_LE(framesIn(400ms), restBound) << "nothing changes: the loop rests";

    // Input deposited for a view counts as activity: the rest ends.
    CMailbox<int> input;
    const std::uint64_t seen = CActivity::Count();
    input.Deposit(1);
    EXPECT_GT(CActivity::Count(), seen);
    view.changing = true;
    EXPECT_GT(framesIn(400ms), restBound);
    services.StopLoop();
    services.UnregisterView(&view);
}

TEST(ActivityTest, AWaitEndsWhenActivityArrivesNotWhenItTimesOut) {
    const std::uint64_t seen = CActivity::Count();
    const auto start = std::chrono::steady_clock::now();
    std::thread noter([] {
        std::this_thread::sleep_for(20ms);
        CActivity::Note();
    });
    CActivity::WaitPast(seen, 60000);
    noter.join();
    EXPECT_GT(CActivity::Count(), seen);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
    // Activity already past `seen` returns at once.
    CActivity::WaitPast(seen, 60000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
}

// --- hand-over points ------------------------------------------------------------

TEST(HandOverTest, FramesPassByOneSwapAndTheNewestWins) {
    CFrameSlot slot;
    std::atomic<int> notified{0};
    slot.SetNotify([&] { ++notified; });
    constexpr int kFrames = 2000;
    std::thread producer([&] {
        for (int k = 1; k <= kFrames; ++k) {
            std::unique_ptr<CFrame> frame = slot.Spare();
            frame->time = k;
            frame->vertices.assign(3, CVertex{static_cast<float>(k), 0, 0, 0, 0, 0});
            slot.Publish(std::move(frame));
        }
    });
    long long last = 0;
    int taken = 0;
    while (last < kFrames) {
        std::unique_ptr<CFrame> frame = slot.Take();
        if (!frame) {
            std::this_thread::yield();
            continue;
        }
        ++taken;
        EXPECT_GT(frame->time, last) << "frames only move forward";
        EXPECT_EQ(frame->vertices.at(0).x, static_cast<float>(frame->time)) << "a frame arrives whole";
        last = frame->time;
        slot.Recycle(std::move(frame));
    }
    producer.join();
    EXPECT_EQ(notified.load(), kFrames);
    EXPECT_GE(taken, 1);
    EXPECT_EQ(slot.Take(), nullptr);
}

TEST(HandOverTest, QueueAndMailboxBetweenTwoThreads) {
    CHandOverQueue<int> queue;
    CMailbox<int> mailbox;
    constexpr int kItems = 5000;
    std::thread ui([&] {
        for (int k = 0; k < kItems; ++k) {
            queue.Push(k);
            mailbox.Deposit(k);
        }
    });
    std::vector<int> received;
    int lastMail = -1;
    while (static_cast<int>(received.size()) < kItems) {
        for (int item : queue.TakeAll())
            received.push_back(item);
        if (auto mail = mailbox.Take()) {
            EXPECT_GT(*mail, lastMail) << "a mailbox keeps the newest deposit";
            lastMail = *mail;
        }
    }
    ui.join();
    for (int k = 0; k < kItems; ++k)
        ASSERT_EQ(received[k], k) << "queued work keeps its order";
    mailbox.Deposit(1);
    mailbox.Clear();
    EXPECT_FALSE(mailbox.Take().has_value());
}

// The board view's own hand-over points: the user-interface thread deposits
// mouse events, queues commands and records them in the history while the
// loop ticks the view, takes the events and runs and undoes the commands.
TEST(HandOverTest, BoardViewTakesEventsAndCommandsFromAnotherThread) {
    struct Counting : CEditCommand {
        explicit Counting(std::vector<int>& log, int id) : m_log(log), m_id(id) {}
        void Do() override { m_log.push_back(m_id); }
        void Undo() override { m_log.push_back(-m_id); }
        std::vector<int>& m_log;
        int m_id;
    };
    struct UndoLast : CEditCommand {
        explicit UndoLast(CCommandHistory& history) : m_history(history) {}
        void Do() override { m_history.Undo(); }
        void Undo() override {}
        CCommandHistory& m_history;
    };

    CExperiment ex;
    ex.Solver().SetTraceStream(nullptr);
    auto platform = std::make_shared<FakePlatform>();
    CAppServices services(platform);
    services.SetExperiment(&ex);
    CBoardView board(ex, &services);
    board.InstallBoardTools();
    services.RegisterView(&board);
    services.StartLoop();

    std::vector<int> log; // written only by the loop until it has stopped
    constexpr int kCommands = 200;
    for (int k = 1; k <= kCommands; ++k) {
        CBoardEvent move;
        move.kind = EVENT_MOVE;
        move.x = k;
        move.y = k;
        board.Deposit(move);
        auto command = std::make_shared<Counting>(log, k);
        board.History().Record(command);
        board.Enqueue(command);
        if (k % 16 == 0) std::this_thread::sleep_for(1ms);
    }
    // Recording empties the redo history, so the undos come after the last
    // recording.
    for (int k = 0; k < kCommands / 50; ++k)
        board.Enqueue(std::make_shared<UndoLast>(board.History()));
    // Wait until the loop has drained the queue, then stop it.
    for (int wait = 0; wait < 2000 && board.History().RedoSize() < kCommands / 50; ++wait)
        std::this_thread::sleep_for(1ms);
    services.StopLoop();
    services.UnregisterView(&board);

    ASSERT_EQ(board.History().RedoSize(), static_cast<std::size_t>(kCommands / 50));
    EXPECT_EQ(board.History().UndoSize(), static_cast<std::size_t>(kCommands - kCommands / 50));
    // Every command ran once, in queue order; the undos reversed the newest
    // commands.
    std::vector<int> done;
    for (int entry : log)
        if (entry > 0) done.push_back(entry);
    ASSERT_EQ(done.size(), static_cast<std::size_t>(kCommands));
    for (int k = 0; k < kCommands; ++k)
        EXPECT_EQ(done[k], k + 1);
    ASSERT_EQ(log.size(), static_cast<std::size_t>(kCommands + kCommands / 50));
    for (int k = 0; k < kCommands / 50; ++k)
        EXPECT_EQ(log[kCommands + k], -(kCommands - k));
}

} // namespace
} // namespace ampera::testing
