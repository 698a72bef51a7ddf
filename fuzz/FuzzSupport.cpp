#include "fuzz/FuzzSupport.h"

#include "utility/Strings.h"

#include <algorithm>
#include <cstdio>

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size)
    : bytes_(reinterpret_cast<const char*>(data), size) {}

std::uint8_t FuzzInput::TakeByte() {
    if (bytes_.empty()) {
        return 0;
    }
    const auto byte = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return byte;
}

std::string_view FuzzInput::TakeText(std::size_t maxLength) {
    const std::size_t length = std::min<std::size_t>(TakeByte() % (maxLength + 1), bytes_.size());
    const std::string_view text = bytes_.substr(0, length);
    bytes_.remove_prefix(length);
    return text;
}

std::string_view FuzzInput::Rest() {
    const std::string_view rest = bytes_;
    bytes_ = {};
    return rest;
}

void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        __builtin_trap();
    }
}

bool AllBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsBlank);
}

bool HasBlankEnds(std::string_view text) {
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

bool IsSubstring(std::string_view part, std::string_view whole) {
    return whole.find(part) != std::string_view::npos;
}

std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool IsCutAround(std::string_view text, std::string_view head, std::string_view separator,
                 std::string_view tail) {
    if (!text.starts_with(head) || !text.ends_with(tail) ||
        head.size() + separator.size() + tail.size() > text.size()) {
        return false;
    }
    const std::string_view middle =
        text.substr(head.size(), text.size() - head.size() - tail.size());
    // A separator that holds a non-blank can stand at one place only; one made of blanks
    // leaves blanks on both sides wherever it is found.
    const std::size_t at = middle.find(separator);
    return at != std::string_view::npos && AllBlank(middle.substr(0, at)) &&
           AllBlank(middle.substr(at + separator.size()));
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += parts[i];
    }
    return joined;
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}
