// Builds the user menu, the command list and the tray icon's image from the menu file.
#pragma once

// windows.h maps LoadMenu to LoadMenuW; the loader keeps its own name, so the macro goes here,
// once, after windows.h has been read (its include guard keeps it from coming back).
#include <windows.h>
#undef LoadMenu

#include "framework/MinMenus.h"

#include <array>
#include <cstdint>
#include <string>

// The loader's stack of menus to return to. Eleven are remembered; a deeper submenu is still
// opened, but its "]" returns to the menu remembered last.
struct MenuNesting {
    static constexpr int Limit = 11;

    TMinMenuItem* current = nullptr;
    std::array<TMinMenuItem*, Limit> remembered{};
    int count = 0;

    void PushMenu();
    void PopMenu();
};

void LoadMenu();
std::int32_t AddCommand(const std::string& command);
