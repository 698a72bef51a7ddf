#include "launcher/Startup.h"

#include "framework/MinTimers.h"
#include "launcher/LauncherState.h"
#include "launcher/MenuLoader.h"
#include "utility/CommandLine.h"
#include "utility/Files.h"
#include "utility/Library.h"

#include <memory>

void CreateTrayMenu() {
    TrayMenu = new TMinPopupMenu();
    TMinMenuItem* items = TrayMenu->Items.get();
    const TMinNotifyEvent fixedClick = TMinNotifyEvent::Bind<&TApp::FixedClick>(Application);
    items->Add("Configuration...", fixedClick, nullptr, -1, TagConfiguration);
    items->AddSeparator();
    items->Add("Exit", fixedClick, nullptr, -1, TagExit);
}

void ChooseMenuFile() {
    std::string path;
    if (GetSwitchValue("path", path) && FileExistsChecked(path, false)) {
        MenuFileName = path; // as written: a relative path stays relative to the current folder
        return;
    }
    MenuFileName = ProgramDir() + "apps.ini";
    if (!FileExistsChecked(MenuFileName, false)) {
        // Never over an existing file, not even one that appears just now.
        CopyFileChecked(ProgramDir() + "DefaultApps.ini", MenuFileName, true, true, false);
    }
}

void RunLauncher() {
    // Freed however we leave: the application object frees every framework object with it.
    std::unique_ptr<TApp> application(new TApp(ApplicationTitle));
    Application = application.get();

    ChooseMenuFile();

    ImageList = new TMinImageList();
    if (!ImageList->LoadSystemImageList(true)) {
        delete ImageList;
        ImageList = nullptr;
    }
    DefaultIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");

    LoadMenu();
    CreateTrayMenu();

    ApplicationTitle = "Ostrel Launcher";
    TrayIcon = new TMinTrayIcon(DefaultIcon, true, ApplicationTitle);
    if (CustomIcon) {
        TrayIcon->SetIcon(CustomIcon, false); // the tray icon owns it from now on
    }
    TrayIcon->PopupMenu = TrayMenu;
    TrayIcon->OnMouse = TMinMouseEvent::Bind<&TApp::TrayMouse>(Application);
    TrayIcon->SetVisible(true);

    new TMinTimer(true, TMinNotifyEvent::Bind<&TApp::TimerTick>(Application), 1000);

    Application->Run();

    application.reset();
    Application = nullptr;
    ImageList = nullptr;
    MainMenu = nullptr;
    TrayMenu = nullptr;
    TrayIcon = nullptr;
}
