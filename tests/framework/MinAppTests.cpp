#include "framework/MinApp.h"
#include "framework/MinTimers.h"
#include "framework/MinTrayIcon.h"
#include "tests/framework/FrameworkFixture.h"
#include "utility/WinText.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records its own destruction, so a test sees who was freed, in which order and how often.
class FreeRecorder : public TMinObject {
  public:
    FreeRecorder(std::string name, std::vector<std::string>& freed)
        : name_(std::move(name)), freed_(freed) {}
    ~FreeRecorder() override { freed_.push_back(name_); }

  private:
    std::string name_;
    std::vector<std::string>& freed_;
};

struct SeenMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The message hook of a test: records what it is given and answers as the test says.
class HookProbe {
  public:
    LRESULT Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        seen.push_back({window, message, wParam, lParam});
        return answer ? answer(window, message, wParam, lParam) : 0;
    }
    bool Saw(UINT message) const {
        return std::any_of(seen.begin(), seen.end(),
                           [message](const SeenMessage& m) { return m.message == message; });
    }

    std::vector<SeenMessage> seen;
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> answer;
};

class ThrowingHandlers {
  public:
    void Tick(TObject*) { throw std::runtime_error("from the timer"); }
};

using ApplicationTest = FrameworkTest;

TEST_F(ApplicationTest, FreesRegisteredObjectsInRegistrationOrderAndEachOnce) {
    std::vector<std::string> freed;
    auto* first = new FreeRecorder("first", freed);
    auto* early = new FreeRecorder("early", freed);
    auto* second = new FreeRecorder("second", freed);
    auto* third = new FreeRecorder("third", freed);
    EXPECT_EQ(app->Objects, (std::vector<TMinObject*>{first, early, second, third}));

    delete early;
    EXPECT_EQ(app->Objects, (std::vector<TMinObject*>{first, second, third}));

    // Freed without Run having been called.
    DeleteApplication();
    EXPECT_EQ(freed, (std::vector<std::string>{"early", "first", "second", "third"}));
    EXPECT_EQ(MinApplication, nullptr);
}

TEST_F(ApplicationTest, HiddenWindowIsAUnicodeWindowThatBearsTheTitle) {
    EXPECT_TRUE(IsWindowUnicode(window));
    EXPECT_EQ(WindowText(window), Title);

    // Text set through default processing arrives whole only if that processing is Unicode.
    const std::string text = "\xC3\x84ndern \xE2\x9C\x93 \xF0\x9D\x84\x9E";
    SetWindowTextW(window, WStr(Utf8ToUtf16(text)));
    EXPECT_EQ(WindowText(window), text);

    // A character beyond the ANSI code page survives posting and dispatching.
    HookProbe probe;
    WPARAM character = 0;
    probe.answer = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_CHAR) {
            character = wParam;
            app->Terminate();
        }
        return 0;
    };
    app->OnMessage = TMinMessageEvent::Bind<&HookProbe::Hook>(&probe);
    PostMessageW(window, WM_CHAR, 0x263A, 0);
    app->Run();
    EXPECT_EQ(character, 0x263Au);
}

TEST_F(ApplicationTest, TerminateEndsTheLoopAfterTheMessagesQueuedBeforeIt) {
    HookProbe probe;
    probe.answer = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_APP && wParam == 0) {
            PostMessageW(window, WM_APP, 1, 0);
            PostMessageW(window, WM_APP, 2, 0);
            app->Terminate();
        }
        return 0;
    };
    app->OnMessage = TMinMessageEvent::Bind<&HookProbe::Hook>(&probe);
    PostMessageW(window, WM_APP, 0, 0);

    app->Run();

    EXPECT_FALSE(IsWindow(window));
    std::vector<WPARAM> order;
    for (const SeenMessage& m : probe.seen) {
        if (m.message == WM_APP) {
            order.push_back(m.wParam);
        } else if (m.message == WM_CLOSE || m.message == WM_DESTROY) {
            order.push_back(m.message + 1000);
        }
    }
    EXPECT_EQ(order, (std::vector<WPARAM>{0, 1, 2, WM_CLOSE + 1000, WM_DESTROY + 1000}));
}

TEST_F(ApplicationTest, HookSeesTheMessageAndANonzeroAnswerIsFinal) {
    HookProbe probe;
    probe.answer = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_CLOSE ? 7 : 0;
    };
    app->OnMessage = TMinMessageEvent::Bind<&HookProbe::Hook>(&probe);

    SendMessageW(window, WM_APP + 5, 11, 13);
    ASSERT_FALSE(probe.seen.empty());
    const SeenMessage& last = probe.seen.back();
    EXPECT_EQ(last.window, window);
    EXPECT_EQ(last.message, WM_APP + 5u);
    EXPECT_EQ(last.wParam, 11u);
    EXPECT_EQ(last.lParam, 13);

    // Consumed: the result comes back and default processing does not close the window.
    EXPECT_EQ(SendMessageW(window, WM_CLOSE, 0, 0), 7);
    EXPECT_TRUE(IsWindow(window));

    probe.answer = nullptr;
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
}

HWND WatchedWindow = nullptr;
int TicksAfterWindowGone = 0;

void CALLBACK EndLoopSoonAfterWindowGone(HWND, UINT, UINT_PTR, DWORD) {
    if (!IsWindow(WatchedWindow) && ++TicksAfterWindowGone == 3) {
        PostQuitMessage(0);
    }
}

TEST_F(ApplicationTest, HookThatSwallowsDestroyKeepsTheLoopRunning) {
    HookProbe probe;
    probe.answer = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_DESTROY ? 1 : 0;
    };
    app->OnMessage = TMinMessageEvent::Bind<&HookProbe::Hook>(&probe);
    WatchedWindow = window;
    TicksAfterWindowGone = 0;
    const UINT_PTR watch = SetTimer(nullptr, 0, 10, EndLoopSoonAfterWindowGone);

    app->Terminate();
    app->Run();
    KillTimer(nullptr, watch);

    EXPECT_TRUE(probe.Saw(WM_DESTROY));
    EXPECT_FALSE(IsWindow(window));
    // No quit message came with the window's end: the loop ran until the watch ended it.
    EXPECT_EQ(TicksAfterWindowGone, 3);
}

TEST_F(ApplicationTest, FirstErrorOfTheHookEndsTheLoopAndLeavesRun) {
    HookProbe probe;
    probe.answer = [](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_APP) {
            throw std::runtime_error("error " + std::to_string(wParam));
        }
        return 0;
    };
    app->OnMessage = TMinMessageEvent::Bind<&HookProbe::Hook>(&probe);
    PostMessageW(window, WM_APP, 1, 0);
    PostMessageW(window, WM_APP, 2, 0);

    std::string error;
    try {
        app->Run();
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    EXPECT_EQ(error, "error 1");
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(ApplicationTest, ErrorOfATimerHandlerEndsTheLoopAndLeavesRun) {
    ThrowingHandlers handlers;
    new TMinTimer(true, TMinNotifyEvent::Bind<&ThrowingHandlers::Tick>(&handlers), 10);
    EXPECT_THROW(app->Run(), std::runtime_error);
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
}

TEST(ApplicationWithoutWindow, RunReturnsAtOnceAndNothingShows) {
    // A class of the same name that refuses every window makes the creation fail. The windows
    // of earlier tests are gone, so their class can be unregistered.
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    UnregisterClassW(L"OstrelMinApplicationClass", instance);
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof(refusing);
    refusing.lpfnWndProc = RefuseCreation;
    refusing.hInstance = instance;
    refusing.lpszClassName = L"OstrelMinApplicationClass";
    ASSERT_NE(RegisterClassExW(&refusing), 0);

    auto* app = new TMinApplication("no window");
    EXPECT_EQ(app->Handle, nullptr);

    // A loop would take the first message; the quit message keeps a faulty Run from hanging.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(0);
    app->Run();
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));

    auto* icon = new TMinTrayIcon(CreateSolidIcon(RGB(1, 2, 3)), false, "tip");
    icon->SetVisible(true);
    EXPECT_FALSE(icon->Visible);
    auto* timer = new TMinTimer(true, TMinNotifyEvent(), 10);
    EXPECT_EQ(timer->TimerId, 0u);

    delete app;
    PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    UnregisterClassW(L"OstrelMinApplicationClass", instance);
}

} // namespace
