// An icon with a tip in the notification area. The shell reports mouse messages for it to the
// hidden window, and the icon puts itself back when the shell recreates the taskbar.
#pragma once

#include "framework/MinApp.h"
#include "utility/Utf8.h"

#include <cstdint>
#include <string>
#include <string_view>

class TMinPopupMenu;

class TMinTrayIcon : public TMinObject {
  public:
    // Not shown until SetVisible(true).
    TMinTrayIcon(HICON icon, bool sharedIcon, std::string tip);
    // Leaves the notification area, then destroys an icon it owns.
    ~TMinTrayIcon() override;

    void SetVisible(bool value);
    // A replaced icon is destroyed unless it was shared.
    void SetIcon(HICON icon, bool shared);

    bool Visible = false;
    bool RestoreOnTaskbarCreated = true;
    std::string Tip;
    HICON Icon = nullptr;
    bool SharedIcon = false;
    TMinMouseEvent OnMouse;
    TMinPopupMenu* PopupMenu = nullptr; // not owned; shown on a right click
    // The uID the shell knows the icon by: a number of its own, never an object reference.
    std::uint32_t Id;

  private:
    void SetIconHandle(HICON icon);
    void Notify(DWORD request);
};

// Re-adds the visible icons after "TaskbarCreated"; used by MinWindowProc.
void RestoreTrayIcons();
// A WM_MINTRAYICON notification; an id that no registered icon has is ignored.
void HandleTrayNotification(WPARAM id, LPARAM mouseMessage);

// The tip as the shell gets it: at most 126 UTF-16 code units, never ending in the first half
// of a surrogate pair.
Utf16String TrayTipText(std::string_view tip);
