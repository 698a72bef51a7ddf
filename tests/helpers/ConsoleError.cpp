// A console program that shows one error: with the argument console-error:<text> it calls
// ShowError(text), which a console program writes to standard output.
#include "utility/CommandLine.h"
#include "utility/Errors.h"
#include "utility/Library.h"
#include "utility/Strings.h"

#include <exception>

int main() {
    StartUtilityLibrary();
    const std::string first = CommandLineArg(1);
    if (!StartsWith("console-error:", first)) {
        return 1;
    }
    try {
        ShowError(first.substr(14));
    } catch (const std::exception&) {
        return 2;
    }
    return 0;
}
