// The one hand-over of a UTF-16 string to a W function: a pointer to its first code unit,
// zero-terminated. An empty string gives a pointer to a zero unit, never a null pointer.
#pragma once

#include "Utf8.h"

#include <windows.h>

inline LPCWSTR WStr(const Utf16String& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }
inline LPWSTR WBuf(Utf16String& text) { return reinterpret_cast<LPWSTR>(text.data()); }
