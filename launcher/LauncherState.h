// The launcher's application class and the state its start-up, menu loader and handlers share.
#pragma once

#include "framework/MinApp.h"
#include "framework/MinImageList.h"
#include "framework/MinMenus.h"
#include "framework/MinTrayIcon.h"
#include "utility/Utf8.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The event handlers are its methods; every callback pairs one of them with Application.
class TApp : public TMinApplication {
  public:
    using TMinApplication::TMinApplication;

    bool TrayMouse(TObject* sender, std::uint16_t message);
    void ItemClick(TObject* sender);
    void FixedClick(TObject* sender);
    void TimerTick(TObject* sender);
};

// Tags of the fixed entries, read by TApp::FixedClick. User entries carry the index of their
// command in Commands instead (from 2 up); they have their own handler, so the numbers never meet.
enum FixedTag : std::int32_t {
    TagExit = 1,
    TagRun = 2,
    TagConfiguration = 3,
};

extern TApp* Application;
extern std::string MenuFileName;
extern double MenuFileTime;      // last-write time seen at the last load; 0 for none
extern TStringDynArray Commands; // command of each user entry, indexed by its tag
extern TMinImageList* ImageList; // the shell's small icons; null when it cannot be had
extern HICON DefaultIcon;        // "MAINICON", a shared resource icon
extern HICON CustomIcon;         // the icon of the last load that loaded one
extern TMinPopupMenu* MainMenu;  // the user menu
extern TMinPopupMenu* TrayMenu;  // the right-click menu
extern TMinTrayIcon* TrayIcon;   // null during the first load
