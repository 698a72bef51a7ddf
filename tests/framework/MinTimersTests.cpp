#include "framework/MinMenus.h"
#include "framework/MinTimers.h"
#include "tests/framework/FrameworkFixture.h"

#include <chrono>
#include <vector>

namespace {

class TickCounter {
  public:
    void Tick(TObject* sender) {
        senders.push_back(sender);
        ++ticks;
    }
    TMinNotifyEvent Event() { return TMinNotifyEvent::Bind<&TickCounter::Tick>(this); }

    std::vector<TObject*> senders;
    int ticks = 0;
};

using TimerTest = FrameworkTest;

// Waits until the reference has ticked a few more times: long enough for a timer of the
// same interval to have ticked too, were it running.
bool AfterMoreTicksOf(const TickCounter& reference) {
    const int until = reference.ticks + 5;
    return WaitUntil([&] { return reference.ticks >= until; });
}

TEST_F(TimerTest, TicksWithItselfAsSenderWhileEnabled) {
    TickCounter counter;
    auto* timer = new TMinTimer(true, counter.Event(), 10);
    EXPECT_TRUE(timer->Enabled);
    EXPECT_NE(timer->TimerId, 0u);
    ASSERT_TRUE(WaitUntil([&] { return counter.ticks >= 3; }));
    EXPECT_EQ(counter.senders.front(), timer);
    EXPECT_EQ(counter.senders.back(), timer);

    TickCounter reference;
    new TMinTimer(true, reference.Event(), 10);
    timer->SetEnabled(false);
    EXPECT_EQ(timer->TimerId, 0u);
    const int stoppedAt = counter.ticks;
    ASSERT_TRUE(AfterMoreTicksOf(reference));
    EXPECT_EQ(counter.ticks, stoppedAt);
}

TEST_F(TimerTest, CreatedDisabledStaysSilentUntilEnabled) {
    TickCounter counter;
    TickCounter reference;
    new TMinTimer(true, reference.Event(), 10);
    auto* timer = new TMinTimer(false, counter.Event(), 10);
    EXPECT_FALSE(timer->Enabled);
    EXPECT_EQ(timer->TimerId, 0u);
    ASSERT_TRUE(AfterMoreTicksOf(reference));
    EXPECT_EQ(counter.ticks, 0);

    timer->SetEnabled(true);
    EXPECT_NE(timer->TimerId, 0u);
    EXPECT_TRUE(WaitUntil([&] { return counter.ticks > 0; }));
}

TEST_F(TimerTest, EnablingAnEnabledTimerDoesNotRestartIt) {
    TickCounter counter;
    auto* timer = new TMinTimer(true, counter.Event(), 10);
    const UINT_PTR id = timer->TimerId;
    // Started again, the system timer would take this interval and fall silent.
    timer->Interval = 600000;
    timer->SetEnabled(true);
    EXPECT_EQ(timer->TimerId, id);
    const int before = counter.ticks;
    EXPECT_TRUE(WaitUntil([&] { return counter.ticks >= before + 3; }));
}

TEST_F(TimerTest, TwoTimersOfOneIntervalAreSeparateSystemTimers) {
    TickCounter first;
    TickCounter second;
    auto* one = new TMinTimer(true, first.Event(), 10);
    auto* other = new TMinTimer(true, second.Event(), 10);
    ASSERT_TRUE(WaitUntil([&] { return first.ticks >= 2 && second.ticks >= 2; }));
    EXPECT_EQ(first.senders.back(), one);
    EXPECT_EQ(second.senders.back(), other);

    one->SetEnabled(false);
    const int stoppedAt = first.ticks;
    ASSERT_TRUE(AfterMoreTicksOf(second));
    EXPECT_EQ(first.ticks, stoppedAt);
}

// Takes the next tick from the queue without dispatching it.
bool TakeTick(HWND window, MSG& tick) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!PeekMessageW(&tick, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_TIMER);
    }
    return true;
}

TEST_F(TimerTest, FreedTimerIsSilentEvenForATickAlreadyQueued) {
    TickCounter counter;
    auto* timer = new TMinTimer(true, counter.Event(), 10);
    const UINT_PTR id = timer->TimerId;
    MSG tick{};
    ASSERT_TRUE(TakeTick(window, tick));
    EXPECT_EQ(tick.wParam, id);
    DispatchMessageW(&tick);
    EXPECT_EQ(counter.ticks, 1);

    // KillTimer comes too late for a tick that has already left the queue.
    ASSERT_TRUE(TakeTick(window, tick));
    delete timer;
    EXPECT_FALSE(KillTimer(window, id));
    DispatchMessageW(&tick);
    EXPECT_EQ(counter.ticks, 1);
}

// Counts the framework ticks the menu's modal loop takes from the queue, and closes the menu
// with Escape once a few of them have gone by.
HHOOK TickWatch = nullptr;
UINT_PTR WatchedTimerId = 0;
int TicksDuringMenu = 0;

LRESULT CALLBACK WatchTicks(int code, WPARAM removal, LPARAM message) {
    const auto& msg = *reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg.message == WM_TIMER &&
        msg.wParam == WatchedTimerId && InMenuLoop && ++TicksDuringMenu == 3) {
        PressKeys({VK_ESCAPE});
    }
    return CallNextHookEx(TickWatch, code, removal, message);
}

TEST_F(TimerTest, TicksAreDroppedWhileAPopupMenuIsOpenAndResumeAfterIt) {
    TickCounter counter;
    auto* timer = new TMinTimer(true, counter.Event(), 10);
    auto* menu = new TMinPopupMenu();
    menu->Items->Add("Entry", TMinNotifyEvent(), nullptr, -1, 0);
    WatchedTimerId = timer->TimerId;
    TicksDuringMenu = 0;
    TickWatch = SetWindowsHookExW(WH_GETMESSAGE, WatchTicks, nullptr, GetCurrentThreadId());
    MenuWatchdog watchdog;
    ASSERT_TRUE(WaitUntil([&] { return counter.ticks > 0; }));

    const int beforeMenu = counter.ticks;
    menu->PopupAt(400, 300);
    UnhookWindowsHookEx(TickWatch);
    EXPECT_GE(TicksDuringMenu, 3);
    EXPECT_EQ(counter.ticks, beforeMenu);

    // Until the end-of-menu message has been handled ticks are still dropped.
    ASSERT_TRUE(WaitUntil([] { return !InMenuLoop; }));
    EXPECT_EQ(counter.ticks, beforeMenu);
    EXPECT_TRUE(WaitUntil([&] { return counter.ticks > beforeMenu; }));
}

} // namespace
