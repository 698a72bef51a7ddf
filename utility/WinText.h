// The one hand-over of a UTF-16 string to a W function: a pointer to its first code unit,
// zero-terminated. An empty string gives a pointer to a zero unit, never a null pointer.
#pragma once

#include "utility/Utf8.h"

#include <windows.h>

inline LPCWSTR WStr(const Utf16String& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}
inline LPWSTR WBuf(Utf16String& text) {
    return reinterpret_cast<LPWSTR>(text.data());
}

// Text that a W function returned in a zero-terminated buffer, taken up to its first zero unit.
inline Utf16String Utf16FromW(LPCWSTR text) {
    return text == nullptr ? Utf16String() : Utf16String(reinterpret_cast<const char16_t*>(text));
}
