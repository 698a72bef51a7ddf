// The end-to-end tests' hands and eyes inside the virtual desktop: keys through SendInput
// (X keys do not reach Wine's windows without a window manager) and the list of top-level
// windows, which other processes can read even where they cannot read a menu.
//
//   wintool keys Down Down Right Return ...   one key press each, 120 ms apart
//   wintool windows                           one line per visible top-level window:
//                                             class<TAB>title<TAB>left,top,right,bottom
//   wintool close TITLE                       posts WM_CLOSE to every window with that title
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) {
        WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    }
    return result;
}

WORD KeyCode(const char* name) {
    struct Key {
        const char* name;
        WORD code;
    };
    static const Key keys[] = {{"Down", VK_DOWN},   {"Up", VK_UP},         {"Left", VK_LEFT},
                               {"Right", VK_RIGHT}, {"Return", VK_RETURN}, {"Escape", VK_ESCAPE},
                               {"Tab", VK_TAB}};
    for (const Key& key : keys) {
        if (std::strcmp(key.name, name) == 0) {
            return key.code;
        }
    }
    return 0;
}

int SendKeys(int count, char** names) {
    for (int i = 0; i < count; ++i) {
        const WORD code = KeyCode(names[i]);
        if (code == 0) {
            std::fprintf(stderr, "unknown key %s\n", names[i]);
            return 2;
        }
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = code;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(120); // let the menu loop take each key before the next
    }
    return 0;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t className[256] = {};
    wchar_t title[512] = {};
    GetClassNameW(window, className, 256);
    GetWindowTextW(window, title, 512);
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::printf("%s\t%s\t%ld,%ld,%ld,%ld\n", Utf8(className).c_str(), Utf8(title).c_str(),
                rect.left, rect.top, rect.right, rect.bottom);
    return TRUE;
}

struct CloseRequest {
    std::wstring title;
    int closed = 0;
};

BOOL CALLBACK CloseWindowWithTitle(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<CloseRequest*>(param);
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    if (request->title == title) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        ++request->closed;
    }
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wcscmp(argv[1], L"keys") == 0) {
        std::string names[64];
        char* pointers[64];
        const int count = argc - 2 < 64 ? argc - 2 : 64;
        for (int i = 0; i < count; ++i) {
            names[i] = Utf8(argv[i + 2]);
            pointers[i] = names[i].data();
        }
        return SendKeys(count, pointers);
    }
    if (argc == 2 && std::wcscmp(argv[1], L"windows") == 0) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc == 3 && std::wcscmp(argv[1], L"close") == 0) {
        CloseRequest request{argv[2]};
        EnumWindows(CloseWindowWithTitle, reinterpret_cast<LPARAM>(&request));
        return request.closed > 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: wintool keys KEY... | windows | close TITLE\n");
    return 2;
}
