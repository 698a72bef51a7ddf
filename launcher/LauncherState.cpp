#include "launcher/LauncherState.h"

TApp* Application = nullptr;
std::string MenuFileName;
double MenuFileTime = 0;
TStringDynArray Commands;
TMinImageList* ImageList = nullptr;
HICON DefaultIcon = nullptr;
HICON CustomIcon = nullptr;
TMinPopupMenu* MainMenu = nullptr;
TMinPopupMenu* TrayMenu = nullptr;
TMinTrayIcon* TrayIcon = nullptr;
