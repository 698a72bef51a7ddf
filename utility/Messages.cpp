#include "utility/Messages.h"

std::string FormatWithPath(std::string_view message, std::string_view path) {
    std::string text(message);
    const std::size_t placeholder = text.find("%s");
    if (placeholder != std::string::npos) {
        text.replace(placeholder, 2, path);
    }
    return text;
}
