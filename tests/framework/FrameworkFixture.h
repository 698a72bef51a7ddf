// What the framework's tests share: an application object per test, solid-colour icons,
// reading the screen, and input injected the way a user would give it.
#pragma once

#include "framework/MinApp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// A fresh application object for each test; the hidden window is shown as Run shows it, so
// popup menus own the foreground and injected keys reach them.
class FrameworkTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Frees the application object early; TearDown then only cleans up the window.
    void DeleteApplication();

    static constexpr char Title[] = "Framework t\xC3\xABst \xE2\x9C\x93 \xF0\x9D\x84\x9E";

    TMinApplication* app = nullptr;
    HWND window = nullptr;
};

// A 16x16 icon of one colour, owned by the caller.
HICON CreateSolidIcon(COLORREF colour);
bool IconAlive(HICON icon);

// Screen pixels of exactly this colour, and the box around them.
struct ScreenMatch {
    int count = 0;
    RECT bounds{};
};
ScreenMatch FindOnScreen(COLORREF colour);

// Key presses and releases in the system's input stream, as a keyboard gives them.
void PressKeys(const std::vector<WORD>& keys);
// A click of the left or right button at a screen point.
void ClickAt(POINT point, bool rightButton);

// Closes whatever menu is open after the timeout, so a test whose injected keys went astray
// fails instead of hanging in the menu's modal loop.
class MenuWatchdog {
  public:
    explicit MenuWatchdog(UINT timeoutMs = 10000);
    ~MenuWatchdog();
    MenuWatchdog(const MenuWatchdog&) = delete;
    MenuWatchdog& operator=(const MenuWatchdog&) = delete;

  private:
    UINT_PTR timer_;
};

// A window's text as UTF-8.
std::string WindowText(HWND window);
