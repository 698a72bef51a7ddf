// The library's one way of telling the user about a failure.
#pragma once

#include <string>

// When set, receives every error text (UTF-8) in place of the message box. Null by default.
extern void (*ErrorHandler)(const std::string& text);

// A console program writes the text to standard output (throws std::ios_base::failure when
// that fails); otherwise ErrorHandler gets it, or a message box captioned "Error" shows it.
void ShowError(const std::string& text);

// The text in the console's OEM code page, or unchanged when the conversion fails.
std::string ToOemText(const std::string& text);

// Whether the running executable was built for the console subsystem.
bool IsConsoleProgram();
