#include "utility/Utf8Win.h"

#include "utility/WinText.h"

std::string Utf8LowerCaseThroughUtf16(std::string_view text) {
    Utf16String wide = DecodeUtf8(text);
    if (!wide.empty()) {
        CharLowerBuffW(WBuf(wide), static_cast<DWORD>(wide.size()));
    }
    return EncodeUtf8(wide);
}

std::string (*Utf8LowerCase)(std::string_view text) = Utf8LowerCaseThroughUtf16;

std::string AnsiToUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return {};
    }
    Utf16String wide(static_cast<std::size_t>(length), u'\0');
    const int converted = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(),
                                              static_cast<int>(text.size()), WBuf(wide), length);
    wide.resize(converted > 0 ? static_cast<std::size_t>(converted) : 0);
    return EncodeUtf8(wide);
}

std::string ExceptionMessageUtf8(const std::exception& error) {
    return AnsiToUtf8(error.what());
}
