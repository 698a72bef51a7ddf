// Menu files like a user's, for measuring the loader and the menus built from it.
#pragma once

#include <string>
#include <vector>

struct BenchMenu {
    std::string path;
    std::vector<std::string> commands; // of the entry lines, in file order
};

// Writes a menu file of `entries` entry lines into the folder: bare program names found on the
// search path, absolute program paths with and without quotes and parameters, a folder,
// documents (written into the folder with the first menu) and a program that does not exist, in
// submenus of twenty entries with a separator after every fifth submenu.
BenchMenu WriteBenchMenu(const std::string& folder, int entries);
