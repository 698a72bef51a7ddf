#include "framework/MinMenus.h"
#include "framework/MinTrayIcon.h"
#include "tests/framework/FrameworkFixture.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr COLORREF Red = RGB(250, 10, 200);
constexpr COLORREF Blue = RGB(10, 200, 250);
constexpr COLORREF Green = RGB(20, 250, 30);
constexpr COLORREF Yellow = RGB(240, 230, 20);

// The icons are observed from outside: by their pixels on the screen, where the taskbar of
// the virtual desktop shows them, and by asking the shell whether it knows an icon.
bool OnScreen(COLORREF colour) {
    return FindOnScreen(colour).count > 0;
}

bool ShellKnows(HWND window, std::uint32_t id) {
    // Modifying nothing succeeds only for an icon the notification area has.
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void RemoveBehindItsBack(HWND window, std::uint32_t id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

class TrayHandlers {
  public:
    bool Mouse(TObject* sender, std::uint16_t message) {
        senders.push_back(sender);
        messages.push_back(message);
        return message == WM_RBUTTONUP && handleRightClick;
    }
    void Popup(TObject*) { ++popups; }
    bool Saw(std::uint16_t message) const {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    std::vector<TObject*> senders;
    std::vector<std::uint16_t> messages;
    bool handleRightClick = false;
    int popups = 0;
};

// Dismisses every popup menu of the test with Escape as soon as it waits for input.
class MenuDismisser {
  public:
    LRESULT Hook(HWND, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            PressKeys({VK_ESCAPE});
        }
        if (TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage) {
            ++taskbarCreatedSeen;
        }
        return 0;
    }
    int taskbarCreatedSeen = 0;
};

class TrayIconTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app->OnMessage = TMinMessageEvent::Bind<&MenuDismisser::Hook>(&dismisser);
        menu = new TMinPopupMenu();
        menu->Items->Add("Tray entry", TMinNotifyEvent(), nullptr, -1, 0);
        menu->OnPopup = TMinNotifyEvent::Bind<&TrayHandlers::Popup>(&handlers);
    }
    void TearDown() override {
        FrameworkTest::TearDown();
        // The icons left with the application object.
        EXPECT_TRUE(WaitUntil([] {
            return !OnScreen(Red) && !OnScreen(Blue) && !OnScreen(Green) && !OnScreen(Yellow);
        }));
    }

    MenuDismisser dismisser;
    TrayHandlers handlers;
    TMinPopupMenu* menu = nullptr;
};

TEST_F(TrayIconTest, IconIsAddedModifiedAndDeletedInTheNotificationArea) {
    const HICON red = CreateSolidIcon(Red);
    auto* icon = new TMinTrayIcon(red, false, "Ostrel tray test");
    EXPECT_FALSE(icon->Visible);
    EXPECT_TRUE(icon->RestoreOnTaskbarCreated);
    EXPECT_FALSE(ShellKnows(window, icon->Id));

    icon->SetVisible(true);
    EXPECT_TRUE(icon->Visible);
    ASSERT_TRUE(WaitUntil([] { return FindOnScreen(Red).count == 16 * 16; }));
    EXPECT_TRUE(ShellKnows(window, icon->Id));

    // An owned icon is destroyed when replaced, a shared one is kept.
    const HICON blue = CreateSolidIcon(Blue);
    icon->SetIcon(blue, true);
    EXPECT_TRUE(WaitUntil([] { return OnScreen(Blue) && !OnScreen(Red); }));
    EXPECT_FALSE(IconAlive(red));
    const HICON green = CreateSolidIcon(Green);
    icon->SetIcon(green, false);
    EXPECT_TRUE(WaitUntil([] { return OnScreen(Green) && !OnScreen(Blue); }));
    EXPECT_TRUE(IconAlive(blue));

    icon->SetVisible(false);
    EXPECT_TRUE(WaitUntil([] { return !OnScreen(Green); }));
    EXPECT_FALSE(ShellKnows(window, icon->Id));
    EXPECT_TRUE(IconAlive(green));

    // Freeing a visible icon takes it out of the notification area and destroys its image.
    icon->SetVisible(true);
    ASSERT_TRUE(WaitUntil([] { return OnScreen(Green); }));
    const std::uint32_t id = icon->Id;
    delete icon;
    EXPECT_FALSE(ShellKnows(window, id));
    EXPECT_FALSE(IconAlive(green));
    EXPECT_TRUE(WaitUntil([] { return !OnScreen(Green); }));
    DestroyIcon(blue);
}

TEST_F(TrayIconTest, NewTaskbarGetsTheVisibleIconsBackAndNotTheHiddenOnes) {
    auto* hidden = new TMinTrayIcon(CreateSolidIcon(Blue), false, "hidden");
    auto* restored = new TMinTrayIcon(CreateSolidIcon(Red), false, "restored");
    auto* notRestored = new TMinTrayIcon(CreateSolidIcon(Green), false, "not restored");
    notRestored->RestoreOnTaskbarCreated = false;
    hidden->SetVisible(true);
    restored->SetVisible(true);
    notRestored->SetVisible(true);
    hidden->SetVisible(false);
    ASSERT_TRUE(WaitUntil([] { return OnScreen(Red) && OnScreen(Green) && !OnScreen(Blue); }));

    // A new taskbar knows none of the icons.
    RemoveBehindItsBack(window, restored->Id);
    RemoveBehindItsBack(window, notRestored->Id);
    ASSERT_TRUE(WaitUntil([] { return !OnScreen(Red) && !OnScreen(Green); }));
    SendMessageW(window, TaskbarCreatedMessage, 0, 0);

    EXPECT_TRUE(WaitUntil([] { return OnScreen(Red); }));
    EXPECT_TRUE(ShellKnows(window, restored->Id));
    EXPECT_FALSE(ShellKnows(window, hidden->Id));
    EXPECT_FALSE(ShellKnows(window, notRestored->Id));
    EXPECT_FALSE(hidden->Visible);
    EXPECT_EQ(dismisser.taskbarCreatedSeen, 0);
}

TEST_F(TrayIconTest, TaskbarMessageReachesDefaultProcessingOnlyAfterTheIconsAreBack) {
    auto* icon = new TMinTrayIcon(CreateSolidIcon(Red), false, "restored first");
    icon->SetVisible(true);
    RemoveBehindItsBack(window, icon->Id);
    // Default processing does nothing visible with a registered message, so the taskbar
    // message is given the number of WM_CLOSE, whose default processing destroys the window.
    bool knownAtDestroy = false;
    int closesSeen = 0;
    struct Probe {
        LRESULT Hook(HWND window, UINT message, WPARAM, LPARAM) {
            if (message == WM_CLOSE) {
                ++*closes;
            } else if (message == WM_DESTROY) {
                *known = ShellKnows(window, id);
            }
            return 0;
        }
        bool* known;
        int* closes;
        std::uint32_t id;
    } probe{&knownAtDestroy, &closesSeen, icon->Id};
    app->OnMessage = TMinMessageEvent::Bind<&Probe::Hook>(&probe);
    const UINT taskbarCreated = TaskbarCreatedMessage;
    TaskbarCreatedMessage = WM_CLOSE;

    SendMessageW(window, WM_CLOSE, 0, 0);
    TaskbarCreatedMessage = taskbarCreated;

    EXPECT_EQ(closesSeen, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(knownAtDestroy);
}

TEST_F(TrayIconTest, ClicksOnTheIconReachTheMouseHandlerAndARightClickShowsTheMenu) {
    auto* icon = new TMinTrayIcon(CreateSolidIcon(Yellow), false, "click me");
    icon->PopupMenu = menu;
    icon->OnMouse = TMinMouseEvent::Bind<&TrayHandlers::Mouse>(&handlers);
    icon->SetVisible(true);
    ASSERT_TRUE(WaitUntil([] { return FindOnScreen(Yellow).count == 16 * 16; }));
    const RECT box = FindOnScreen(Yellow).bounds;
    const POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    MenuWatchdog watchdog;

    ClickAt(centre, false);
    ASSERT_TRUE(WaitUntil([&] { return handlers.Saw(WM_LBUTTONUP); }));
    EXPECT_TRUE(handlers.Saw(WM_LBUTTONDOWN));
    EXPECT_EQ(handlers.senders.front(), icon);
    EXPECT_EQ(handlers.popups, 0);

    // The handler leaves the right click to the framework: the attached menu pops up.
    ClickAt(centre, true);
    ASSERT_TRUE(WaitUntil([&] { return handlers.Saw(WM_RBUTTONUP); }));
    EXPECT_EQ(handlers.popups, 1);

    // Handled by the handler: no menu.
    handlers.handleRightClick = true;
    handlers.messages.clear();
    ClickAt(centre, true);
    ASSERT_TRUE(WaitUntil([&] { return handlers.Saw(WM_RBUTTONUP); }));
    EXPECT_EQ(handlers.popups, 1);
    EXPECT_TRUE(WaitUntil([] { return !InMenuLoop; }));
}

TEST_F(TrayIconTest, NotificationsFindTheirIconByIdOnly) {
    auto* silent = new TMinTrayIcon(CreateSolidIcon(Red), false, "no mouse handler");
    silent->PopupMenu = menu;
    auto* gone = new TMinTrayIcon(CreateSolidIcon(Blue), false, "freed");
    gone->OnMouse = TMinMouseEvent::Bind<&TrayHandlers::Mouse>(&handlers);
    gone->PopupMenu = menu;
    const std::uint32_t goneId = gone->Id;
    EXPECT_NE(goneId, silent->Id);
    delete gone;
    MenuWatchdog watchdog;

    // Neither a freed icon's id nor an id nobody has reaches a handler or shows a menu.
    SendMessageW(window, WM_MINTRAYICON, goneId, WM_RBUTTONUP);
    SendMessageW(window, WM_MINTRAYICON, 0xDEAD, WM_RBUTTONUP);
    EXPECT_TRUE(handlers.messages.empty());
    EXPECT_EQ(handlers.popups, 0);

    // Without a mouse handler a right click still shows the attached menu.
    SendMessageW(window, WM_MINTRAYICON, silent->Id, WM_RBUTTONUP);
    EXPECT_EQ(handlers.popups, 1);
    EXPECT_TRUE(WaitUntil([] { return !InMenuLoop; }));
}

TEST(TrayTip, IsCutTo126UnitsWithoutSplittingASurrogatePair) {
    const std::string clef = "\xF0\x9D\x84\x9E"; // one character, two UTF-16 units
    std::string nonAscii;
    for (int i = 0; i < 130; ++i) {
        nonAscii += "\xC3\xA9";
    }
    struct Row {
        const char* what;
        std::string tip;
        std::size_t units;
    };
    const Row rows[] = {
        {"empty", "", 0},
        {"short", "Ostrel Launcher", 15},
        {"200 ASCII characters", std::string(200, 'a'), 126},
        {"130 characters outside ASCII", nonAscii, 126},
        {"pair split at the limit", std::string(125, 'a') + clef, 125},
        {"pair ending at the limit", std::string(124, 'a') + clef + "b", 126},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Utf16String text = TrayTipText(row.tip);
        EXPECT_EQ(text.size(), row.units);
        EXPECT_EQ(text, Utf8ToUtf16(row.tip).substr(0, row.units));
    }
}

} // namespace
