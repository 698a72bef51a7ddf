#include "framework/MinImageList.h"

#include "utility/WinText.h"

#include <ole2.h>
#include <shellapi.h>

namespace {

SHFILEINFOW EmptyFileInfo() {
    SHFILEINFOW info{};
    static_assert(sizeof(info) == (sizeof(void*) == 8 ? 696 : 692));
    return info;
}

} // namespace

UINT ImageListDrawFlags(TMinDrawStyle style) {
    UINT flags = ILD_NORMAL;
    if (style.Contains(dsFocus)) {
        flags |= ILD_FOCUS;
    }
    if (style.Contains(dsSelected)) {
        flags |= ILD_SELECTED;
    }
    if (style.Contains(dsTransparent)) {
        flags |= ILD_TRANSPARENT;
    } else if (style.Contains(dsMask)) {
        flags |= ILD_MASK;
    }
    return flags;
}

TMinImageList::~TMinImageList() {
    // Destroys an owned list; a shared one is merely dropped.
    SetHandle(nullptr);
}

bool TMinImageList::LoadSystemImageList(bool smallIcons) {
    EnsureOleInitialized();
    const UINT flags = SHGFI_SYSICONINDEX | (smallIcons ? SHGFI_SMALLICON : 0);
    SHFILEINFOW info = EmptyFileInfo();
    const DWORD_PTR systemList = SHGetFileInfoW(L"", 0, &info, sizeof(info), flags);
    if (systemList == 0) {
        return false;
    }
    SetHandle(reinterpret_cast<HIMAGELIST>(systemList));
    Shared = true;
    return true;
}

std::int32_t TMinImageList::IconIndexOf(const std::string& fileName) {
    if (Handle == nullptr || !Shared) {
        return -1;
    }
    SHFILEINFOW info = EmptyFileInfo();
    // The index is the same in the small and the large system list. Without an attribute
    // override the shell looks at the file itself, so a missing file keeps the zero index.
    SHGetFileInfoW(WStr(Utf8ToUtf16(fileName)), 0, &info, sizeof(info),
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

void TMinImageList::Draw(std::int32_t index, HDC dc, int x, int y) {
    if (Handle != nullptr) {
        ImageList_Draw(Handle, index, dc, x, y, ImageListDrawFlags(DrawStyle));
    }
}

void TMinImageList::SetHandle(HIMAGELIST handle) {
    if (handle == Handle) {
        return;
    }
    if (Handle != nullptr && !Shared) {
        ImageList_Destroy(Handle);
    }
    Handle = handle;
    Width = 0;
    Height = 0;
    if (Handle != nullptr) {
        ImageList_GetIconSize(Handle, &Width, &Height);
    }
}

bool EnsureOleInitialized() {
    if (OleInitCount == 0 && OleInitialize(nullptr) != S_OK) {
        // S_FALSE too: the thread was initialised by someone else, not by the framework.
        return false;
    }
    ++OleInitCount;
    return true;
}
