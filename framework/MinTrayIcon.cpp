#include "framework/MinTrayIcon.h"

#include "framework/MinMenus.h"
#include "utility/Arrays.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace {

// The record as far as its info flags (the Windows 2000 layout); the shell takes either size.
constexpr DWORD NotifyRecordSize = NOTIFYICONDATAW_V2_SIZE;
static_assert(NotifyRecordSize == (sizeof(void*) == 8 ? 952 : 936));

constexpr std::size_t MaxTipUnits = 126;

std::uint32_t LastTrayIconId = 0;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

TMinTrayIcon* FindTrayIcon(WPARAM id) {
    for (TMinTrayIcon* icon : TrayIcons) {
        if (icon->Id == id) {
            return icon;
        }
    }
    return nullptr;
}

} // namespace

Utf16String TrayTipText(std::string_view tip) {
    Utf16String text = Utf8ToUtf16(tip);
    if (text.size() > MaxTipUnits) {
        text.resize(MaxTipUnits);
        if (IsHighSurrogate(text.back())) {
            text.pop_back();
        }
    }
    return text;
}

TMinTrayIcon::TMinTrayIcon(HICON icon, bool sharedIcon, std::string tip)
    : Tip(std::move(tip)), Icon(icon), SharedIcon(sharedIcon), Id(++LastTrayIconId) {
    // Every icon registers again; the system hands out the same number each time.
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    ArrayAdd(TrayIcons, this);
}

TMinTrayIcon::~TMinTrayIcon() {
    ArrayRemove(TrayIcons, this);
    // Out of the notification area before the handle it shows goes away.
    SetVisible(false);
    if (Icon != nullptr && !SharedIcon) {
        DestroyIcon(Icon);
    }
}

void TMinTrayIcon::SetVisible(bool value) {
    if (value == Visible || Icon == nullptr || MinApplication == nullptr ||
        MinApplication->Handle == nullptr) {
        return;
    }
    Visible = value;
    Notify(value ? NIM_ADD : NIM_DELETE);
}

void TMinTrayIcon::SetIcon(HICON icon, bool shared) {
    SetIconHandle(icon);
    SharedIcon = shared;
}

void TMinTrayIcon::SetIconHandle(HICON icon) {
    if (icon == Icon) {
        return;
    }
    const DWORD request = Icon != nullptr ? NIM_MODIFY : NIM_ADD;
    if (Icon != nullptr && !SharedIcon) {
        DestroyIcon(Icon);
    }
    Icon = icon;
    if (Visible) {
        Notify(request);
    }
}

void TMinTrayIcon::Notify(DWORD request) {
    if (MinApplication == nullptr) {
        return;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = NotifyRecordSize;
    data.hWnd = MinApplication->Handle;
    data.uID = Id;
    if (request != NIM_DELETE) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = WM_MINTRAYICON;
        data.hIcon = Icon;
        // The zero fill terminates the tip.
        const Utf16String tip = TrayTipText(Tip);
        std::copy(tip.begin(), tip.end(), data.szTip);
    }
    Shell_NotifyIconW(request, &data);
}

void RestoreTrayIcons() {
    for (TMinTrayIcon* icon : TrayIcons) {
        if (icon->RestoreOnTaskbarCreated && icon->Visible) {
            // The new taskbar has none of the old icons: add this one again.
            icon->Visible = false;
            icon->SetVisible(true);
        }
    }
}

void HandleTrayNotification(WPARAM id, LPARAM mouseMessage) {
    TMinTrayIcon* icon = FindTrayIcon(id);
    if (icon == nullptr) {
        return;
    }
    const bool handled = icon->OnMouse && icon->OnMouse(icon, LOWORD(mouseMessage));
    // Without a mouse handler a right click still shows the attached menu.
    if (!handled && mouseMessage == WM_RBUTTONUP && icon->PopupMenu != nullptr) {
        icon->PopupMenu->Popup();
    }
}
