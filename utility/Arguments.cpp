#include "utility/Arguments.h"

#include "utility/Strings.h"

char SwitchSeparator = ':';
bool SwitchCaseSensitive = false;

std::vector<Utf16String> SplitCommandLine(std::u16string_view commandLine) {
    std::vector<Utf16String> tokens;
    Utf16String token;
    bool inToken = false;
    bool quoted = false;
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        const char16_t c = commandLine[i];
        if (c == u'"') {
            inToken = true;
            if (i + 1 < commandLine.size() && commandLine[i + 1] == u'"') {
                ++i; // a pair is dropped and leaves quoting as it was
            } else {
                quoted = !quoted;
            }
        } else if (!quoted && c >= 1 && c <= 32) {
            if (inToken) {
                tokens.push_back(std::move(token));
                token.clear();
                inToken = false;
            }
        } else {
            token.push_back(c);
            inToken = true;
        }
    }
    if (inToken) {
        tokens.push_back(std::move(token));
    }
    // The first token is the program name as it was typed.
    if (!tokens.empty()) {
        tokens.erase(tokens.begin());
    }
    return tokens;
}

bool FindSwitchValue(const TStringDynArray& arguments, std::string_view name, std::string& value) {
    value.clear();
    for (const std::string& argument : arguments) {
        const bool startsWithName = SwitchCaseSensitive ? StartsWith(name, argument)
                                                        : StartsWithAsciiNoCase(name, argument);
        if (!startsWithName) {
            continue;
        }
        if (argument.size() == name.size()) {
            return true;
        }
        if (argument[name.size()] == SwitchSeparator) {
            value = argument.substr(name.size() + 1);
            return true;
        }
    }
    return false;
}
