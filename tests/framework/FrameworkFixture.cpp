#include "tests/framework/FrameworkFixture.h"

#include "utility/WinText.h"

#include <algorithm>
#include <vector>

void FrameworkTest::SetUp() {
    InMenuLoop = false;
    app = new TMinApplication(Title);
    window = app->Handle;
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
}

void FrameworkTest::DeleteApplication() {
    delete app;
    app = nullptr;
}

void FrameworkTest::TearDown() {
    DeleteApplication();
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
    // Drop what the test left queued, the quit message of the destroyed window included.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

HICON CreateSolidIcon(COLORREF colour) {
    const HDC screen = GetDC(nullptr);
    const HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(dc, image);
    const HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, 16, 16};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    // An all-zero mask: every pixel is opaque.
    const std::vector<BYTE> maskBits(16 * 2, 0);
    const HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits.data());
    ICONINFO info{TRUE, 0, 0, mask, image};
    const HICON icon = CreateIconIndirect(&info);
    DeleteObject(image);
    DeleteObject(mask);
    return icon;
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return false;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

ScreenMatch FindOnScreen(COLORREF colour) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    const HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    const HBITMAP copy = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);

    const DWORD wanted = (DWORD{GetRValue(colour)} << 16) | (DWORD{GetGValue(colour)} << 8) |
                         DWORD{GetBValue(colour)};
    const auto* pixels = static_cast<const DWORD*>(bits);
    ScreenMatch match;
    match.bounds = RECT{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[y * width + x] & 0xFFFFFF) == wanted) {
                ++match.count;
                match.bounds.left = std::min<LONG>(match.bounds.left, x);
                match.bounds.top = std::min<LONG>(match.bounds.top, y);
                match.bounds.right = std::max<LONG>(match.bounds.right, x + 1);
                match.bounds.bottom = std::max<LONG>(match.bounds.bottom, y + 1);
            }
        }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(copy);
    ReleaseDC(nullptr, screen);
    return match;
}

void PressKeys(const std::vector<WORD>& keys) {
    std::vector<INPUT> events;
    for (WORD key : keys) {
        INPUT press{};
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = key;
        INPUT release = press;
        release.ki.dwFlags = KEYEVENTF_KEYUP;
        events.push_back(press);
        events.push_back(release);
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

void ClickAt(POINT point, bool rightButton) {
    INPUT events[3]{};
    for (INPUT& event : events) {
        event.type = INPUT_MOUSE;
    }
    // Absolute coordinates run from 0 to 65535 across the screen.
    events[0].mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    events[0].mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    events[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    events[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    events[2].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(3, events, sizeof(INPUT));
}

namespace {

void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    EndMenu();
}

} // namespace

MenuWatchdog::MenuWatchdog(UINT timeoutMs)
    : timer_(SetTimer(nullptr, 0, timeoutMs, CloseOpenMenu)) {}

MenuWatchdog::~MenuWatchdog() {
    KillTimer(nullptr, timer_);
}

std::string WindowText(HWND window) {
    Utf16String text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, WBuf(text), static_cast<int>(text.size()))));
    return Utf16ToUtf8(text);
}
