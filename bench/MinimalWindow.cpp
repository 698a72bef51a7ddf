// The reference for start-up and standing cost: a Win32 program that does nothing but create a
// hidden window like the launcher's and run its message loop until the window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"OstrelBenchMinimalClass";
    RegisterClassExW(&windowClass);
    const HWND window =
        CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"Minimal",
                        WS_OVERLAPPEDWINDOW, -100, -100, 1, 1, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
