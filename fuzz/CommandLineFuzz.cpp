// Splitting the command line into arguments, and the switch lookup on them. Input: a flags
// byte, the switch separator, a switch name of up to 8 bytes (a length byte, then the bytes),
// then the command line as UTF-8.

#include "fuzz/FuzzSupport.h"
#include "utility/Arguments.h"

#include <algorithm>

namespace {

constexpr std::uint8_t CaseSensitiveFlag = 1;

bool IsSeparation(char16_t c) {
    return c >= 1 && c <= 32;
}

// The plain split that the rules come down to when there is no double quote at all.
std::vector<Utf16String> SplitAtSeparations(std::u16string_view line) {
    std::vector<Utf16String> tokens;
    Utf16String token;
    for (const char16_t c : line) {
        if (!IsSeparation(c)) {
            token.push_back(c);
        } else if (!token.empty()) {
            tokens.push_back(std::move(token));
            token.clear();
        }
    }
    if (!token.empty()) {
        tokens.push_back(std::move(token));
    }
    return tokens;
}

Utf16String WithoutSeparations(std::u16string_view text) {
    Utf16String kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char16_t c) { return !IsSeparation(c); });
    return kept;
}

bool IsSubsequence(std::u16string_view part, std::u16string_view whole) {
    std::size_t matched = 0;
    for (const char16_t c : whole) {
        if (matched < part.size() && part[matched] == c) {
            ++matched;
        }
    }
    return matched == part.size();
}

void CheckSplit(std::u16string_view line) {
    const std::vector<Utf16String> arguments = SplitCommandLine(line);
    // With a plain program name in front, every token of the line becomes an argument.
    const std::vector<Utf16String> tokens = SplitCommandLine(u"p " + Utf16String(line));
    Require(tokens.empty()
                ? arguments.empty()
                : std::equal(arguments.begin(), arguments.end(), tokens.begin() + 1, tokens.end()),
            "the first token is the program name, the others are the arguments");

    Utf16String joined;
    std::size_t empty = 0;
    for (const Utf16String& token : tokens) {
        Require(token.find(u'"') == Utf16String::npos, "no argument holds a double quote");
        joined += token;
        empty += token.empty() ? 1 : 0;
    }
    const auto quotes = static_cast<std::size_t>(std::count(line.begin(), line.end(), u'"'));
    Require(empty <= quotes, "an empty argument comes from double quotes");
    if (quotes == 0) {
        Require(tokens == SplitAtSeparations(line),
                "without double quotes the line splits at every run of codes 1 to 32");
    }

    Utf16String unquoted(line);
    std::erase(unquoted, u'"');
    Require(IsSubsequence(joined, unquoted) &&
                WithoutSeparations(joined) == WithoutSeparations(unquoted),
            "arguments keep every character but double quotes and separations, in order");

    Utf16String requoted = u"p";
    for (const Utf16String& token : tokens) {
        requoted += u" \"" + token + u"\"";
    }
    Require(SplitCommandLine(requoted) == tokens,
            "arguments each enclosed in double quotes split back into themselves");
}

struct SwitchFound {
    bool found = false;
    std::string value;
    bool operator==(const SwitchFound&) const = default;
};

SwitchFound ExpectedSwitch(const TStringDynArray& arguments, std::string_view name,
                           bool caseSensitive, char separator) {
    const auto fold = [caseSensitive](std::string_view text) {
        return caseSensitive ? std::string(text) : AsciiUpper(text);
    };
    for (const std::string& argument : arguments) {
        if (argument.size() < name.size() || fold(argument.substr(0, name.size())) != fold(name)) {
            continue;
        }
        if (argument.size() == name.size()) {
            return {true, ""};
        }
        if (argument[name.size()] == separator) {
            return {true, argument.substr(name.size() + 1)};
        }
    }
    return {};
}

void CheckSwitch(const TStringDynArray& arguments, std::string_view name, bool caseSensitive,
                 char separator) {
    SwitchCaseSensitive = caseSensitive;
    SwitchSeparator = separator;
    SwitchFound found;
    found.value = "stale";
    found.found = FindSwitchValue(arguments, name, found.value);
    Require(found == ExpectedSwitch(arguments, name, caseSensitive, separator),
            "the switch lookup finds the first name:value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.TakeByte();
    const auto separator = static_cast<char>(input.TakeByte());
    const std::string_view name = input.TakeText(8);
    const Utf16String line = DecodeUtf8(input.Rest());

    CheckSplit(line);

    TStringDynArray arguments;
    for (const Utf16String& argument : SplitCommandLine(line)) {
        arguments.push_back(EncodeUtf8(argument));
    }
    CheckSwitch(arguments, name, (flags & CaseSensitiveFlag) != 0, separator);
    CheckSwitch(arguments, "path", false, ':');
    return 0;
}
