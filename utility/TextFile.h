// Reading a whole text file into UTF-8: no UTF-8 mark, every line break CR LF.
#pragma once

#include <string>

enum class TextFileStatus {
    Loaded,     // text holds the file's text (possibly empty)
    Missing,    // no such file, or a folder
    Unreadable, // exists, but could not be opened or read completely just now
};

// The file is opened sharing read, write and delete access, so an editor saving it meanwhile
// never fails because of us. text is empty unless the result is Loaded.
TextFileStatus ReadTextFile(const std::string& fileName, std::string& text);

// The text, or empty in every failure case.
std::string LoadTextFile(const std::string& fileName);
