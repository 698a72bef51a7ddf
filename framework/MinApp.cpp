#include "framework/MinApp.h"

#include "framework/MinMenus.h"
#include "framework/MinTrayIcon.h"
#include "utility/Arrays.h"
#include "utility/WinText.h"

#include <utility>

TMinApplication* MinApplication = nullptr;
bool InMenuLoop = false;
UINT TaskbarCreatedMessage = 0;
std::vector<TMinTrayIcon*> TrayIcons;
std::int32_t OleInitCount = 0;

namespace {

constexpr wchar_t WindowClassName[] = L"OstrelMinApplicationClass";

void RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    static_assert(sizeof(windowClass) == (sizeof(void*) == 8 ? 80 : 48));
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = MinWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = WindowClassName;
    // Registering again (a second application object) fails harmlessly: the class exists.
    RegisterClassExW(&windowClass);
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage) {
        // The shell has a new taskbar; the hook never sees this message.
        RestoreTrayIcons();
    } else if (MinApplication != nullptr && MinApplication->OnMessage) {
        const LRESULT result = MinApplication->OnMessage(window, message, wParam, lParam);
        if (result != 0) {
            return result;
        }
    }

    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw.CtlType == ODT_MENU) {
            DrawMenuItem(draw);
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure.CtlType == ODT_MENU) {
            MeasureMenuItem(measure);
        }
        break;
    }
    case WM_MENUCOMMAND:
        DispatchMenuCommand(reinterpret_cast<HMENU>(lParam), wParam);
        break;
    case WM_ENTERMENULOOP:
        InMenuLoop = true;
        break;
    case WM_EXITMENULOOP:
        // The system's own notification carries another wParam and goes on unhandled.
        if (wParam == MINMENU_DONE && lParam != 0) {
            EndPopupMenu(lParam);
            return 0;
        }
        break;
    case WM_MINTRAYICON:
        HandleTrayNotification(wParam, lParam);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TMinObject::TMinObject() {
    if (MinApplication != nullptr) {
        ArrayAdd(MinApplication->Objects, this);
    }
}

TMinObject::~TMinObject() {
    // While the application frees its objects, the registry stays as it is for the walk.
    if (MinApplication != nullptr && !MinApplication->Destroying) {
        ArrayRemove(MinApplication->Objects, this);
    }
}

TMinApplication::TMinApplication(std::string title) : Title(std::move(title)) {
    // First, so that the window procedure reaches the object while the window is created.
    MinApplication = this;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterWindowClass(instance);
    Handle =
        CreateWindowExW(WS_EX_TOOLWINDOW, WindowClassName, WStr(Utf8ToUtf16(Title)),
                        WS_OVERLAPPEDWINDOW, -100, -100, 1, 1, nullptr, nullptr, instance, nullptr);
}

TMinApplication::~TMinApplication() {
    Destroying = true;
    for (TMinObject* object : Objects) {
        delete object;
    }
    Objects.clear();
    MinApplication = nullptr;
}

void TMinApplication::Run() {
    if (Handle == nullptr) {
        return;
    }
    ShowWindow(Handle, SW_SHOWNORMAL);
    MSG message;
    // GetMessageW gives -1 on failure; that ends the loop too instead of spinning.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (loopError_) {
        std::rethrow_exception(std::exchange(loopError_, nullptr));
    }
}

void TMinApplication::Terminate() {
    // Default processing of WM_CLOSE destroys the window; WM_DESTROY then posts the quit.
    PostMessageW(Handle, WM_CLOSE, 0, 0);
}

void EndLoopWithError(std::exception_ptr error) noexcept {
    if (MinApplication == nullptr) {
        // No loop is left to carry the error out of the callback.
        std::terminate();
    }
    if (!MinApplication->loopError_) {
        MinApplication->loopError_ = std::move(error);
    }
    PostQuitMessage(0);
}

LRESULT CALLBACK MinWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        EndLoopWithError(std::current_exception());
        return 0;
    }
}
