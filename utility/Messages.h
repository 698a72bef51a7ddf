// The library's user-visible messages (table OSUTILS); each holds one %s for a path.
#pragma once

#include <string>
#include <string_view>

namespace osutils {
inline constexpr std::string_view s_filenotexists = "File or folder \"%s\" is not exists";
inline constexpr std::string_view s_errcopyfile = "Cannot copy file \"%s\"";
} // namespace osutils

// The message with the path, exactly as given, in place of its %s.
std::string FormatWithPath(std::string_view message, std::string_view path);
