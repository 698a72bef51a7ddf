#include "framework/MinMenus.h"

#include "framework/MinImageList.h"
#include "utility/Arrays.h"
#include "utility/WinText.h"

#include <utility>

namespace {

// The owner-drawn look.
constexpr UINT OwnerDrawnItemHeight = 22;
constexpr int IconLeft = 3;
constexpr int IconHeight = 16;
constexpr int TextIndent = 25;
constexpr char SeparatorCaption[] = "-";

MENUINFO MenuInfoRecord() {
    MENUINFO info{};
    static_assert(sizeof(info) == (sizeof(void*) == 8 ? 40 : 28));
    info.cbSize = sizeof(info);
    info.fMask = MIM_STYLE | MIM_MENUDATA | MIM_APPLYTOSUBMENUS;
    return info;
}

// Owner-drawn entries carry their item as the data of measuring and drawing.
LPCWSTR AsItemData(const TMinMenuItem* item) {
    return reinterpret_cast<LPCWSTR>(item);
}

TMinMenuItem* FindInTree(TMinMenuItem* item, const void* candidate) {
    if (item == candidate) {
        return item;
    }
    for (TMinMenuItem* child : item->Items) {
        if (TMinMenuItem* found = FindInTree(child, candidate)) {
            return found;
        }
    }
    return nullptr;
}

// The item behind a pointer that came back from the system, if it still is an item of a
// registered menu. Only live items are dereferenced; the candidate is merely compared.
TMinMenuItem* FindLiveItem(ULONG_PTR candidate) {
    if (MinApplication == nullptr || MinApplication->Destroying || candidate == 0) {
        return nullptr;
    }
    for (TMinObject* object : MinApplication->Objects) {
        if (auto* menu = dynamic_cast<TMinMenu*>(object); menu != nullptr && menu->Items) {
            if (TMinMenuItem* found =
                    FindInTree(menu->Items.get(), reinterpret_cast<const void*>(candidate))) {
                return found;
            }
        }
    }
    return nullptr;
}

} // namespace

TMinMenuItem::~TMinMenuItem() {
    DestroyHandle();
    Clear();
}

TMinMenuItem* TMinMenuItem::Add(std::string caption, TMinNotifyEvent onClick,
                                TMinImageList* imageList, std::int32_t imageIndex,
                                std::int32_t tag) {
    auto item = std::make_unique<TMinMenuItem>();
    item->Caption = std::move(caption);
    item->OnClick = onClick;
    item->ImageList = imageList;
    item->ImageIndex = imageIndex;
    item->Tag = tag;
    item->Parent = this;
    ArrayAdd(Items, item.get());
    return item.release();
}

TMinMenuItem* TMinMenuItem::AddSeparator() {
    return Add(SeparatorCaption, TMinNotifyEvent(), nullptr, -1, 0);
}

void TMinMenuItem::Clear() {
    for (TMinMenuItem* child : Items) {
        delete child;
    }
    Items.clear();
}

std::int32_t TMinMenuItem::Count() const {
    return static_cast<std::int32_t>(Items.size());
}

HMENU TMinMenuItem::CreateHandle() {
    DestroyHandle();
    Handle = CreatePopupMenu();
    MENUINFO info = MenuInfoRecord();
    GetMenuInfo(Handle, &info);
    info.dwStyle |= MNS_NOTIFYBYPOS;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    SetMenuInfo(Handle, &info);
    return Handle;
}

// Appends exactly one entry per child, so position i of the Windows menu is child i.
void TMinMenuItem::BuildMenu() {
    if (Handle == nullptr) {
        return;
    }
    for (std::int32_t i = 0; i < Count(); ++i) {
        TMinMenuItem* child = Items[i];
        if (child->Count() > 0) {
            const auto submenu = reinterpret_cast<UINT_PTR>(child->CreateHandle());
            if (child->ImageList != nullptr) {
                AppendMenuW(Handle, MF_OWNERDRAW | MF_POPUP, submenu, AsItemData(child));
            } else {
                AppendMenuW(Handle, MF_POPUP, submenu, WStr(Utf8ToUtf16(child->Caption)));
            }
            child->BuildMenu();
        } else if (child->Caption == SeparatorCaption) {
            AppendMenuW(Handle, MF_SEPARATOR, 0, nullptr);
        } else if (child->ImageList != nullptr && child->ImageIndex != -1) {
            AppendMenuW(Handle, MF_OWNERDRAW, 0, AsItemData(child));
        } else {
            AppendMenuW(Handle, MF_STRING, 0, WStr(Utf8ToUtf16(child->Caption)));
            if (child->Checked) {
                CheckMenuItem(Handle, static_cast<UINT>(i), MF_BYPOSITION | MF_CHECKED);
            }
        }
    }
}

void TMinMenuItem::DestroyHandle() {
    if (Handle == nullptr) {
        return;
    }
    for (TMinMenuItem* child : Items) {
        child->DestroyHandle();
    }
    DestroyMenu(Handle);
    Handle = nullptr;
}

TMinMenu::TMinMenu() : Items(std::make_unique<TMinMenuItem>()) {}

TMinMenu::~TMinMenu() = default;

void TMinPopupMenu::Popup() {
    POINT cursor{};
    GetCursorPos(&cursor);
    PopupAt(cursor.x, cursor.y);
}

void TMinPopupMenu::PopupAt(int x, int y) {
    if (MinApplication == nullptr) {
        return;
    }
    const HWND window = MinApplication->Handle;
    TMinMenuItem* root = Items.get();
    // Posted however the popup ends, errors included, so that the Windows menus are destroyed
    // and timer ticks come back; a choice's WM_MENUCOMMAND is already queued before it.
    const auto postEndOfMenu = [window, root] {
        PostMessageW(window, WM_EXITMENULOOP, MINMENU_DONE, reinterpret_cast<LPARAM>(root));
    };
    try {
        root->CreateHandle();
        if (OnPopup) {
            OnPopup(this);
        }
        root->BuildMenu();
        // The menu of a background window does not close when the user clicks elsewhere
        // unless its owner is the foreground window.
        SetForegroundWindow(window);
        TrackPopupMenuEx(root->Handle, TPM_CENTERALIGN, x, y, window, nullptr);
    } catch (...) {
        postEndOfMenu();
        throw;
    }
    postEndOfMenu();
}

void MeasureMenuItem(MEASUREITEMSTRUCT& measure) {
    const TMinMenuItem* item = FindLiveItem(measure.itemData);
    if (item == nullptr) {
        return;
    }
    const Utf16String caption = Utf8ToUtf16(item->Caption);
    // Measured in the hidden window's default font; icon and indent are not added.
    const HWND window = MinApplication->Handle;
    const HDC dc = GetDC(window);
    SIZE size{};
    GetTextExtentPoint32W(dc, WStr(caption), static_cast<int>(caption.size()), &size);
    ReleaseDC(window, dc);
    measure.itemWidth = static_cast<UINT>(size.cx);
    measure.itemHeight = OwnerDrawnItemHeight;
}

void DrawMenuItem(const DRAWITEMSTRUCT& draw) {
    const TMinMenuItem* item = FindLiveItem(draw.itemData);
    if (item == nullptr) {
        return;
    }
    const Utf16String caption = Utf8ToUtf16(item->Caption);
    const HDC dc = draw.hDC;
    RECT area = draw.rcItem;
    if ((draw.itemState & ODS_SELECTED) != 0) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &area, GetSysColorBrush(COLOR_MENU));
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    }
    if ((draw.itemState & ODS_GRAYED) != 0) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    // Index 0 is the shell's "no specific icon": the column stays empty.
    if (item->ImageList != nullptr && item->ImageIndex > 0) {
        item->ImageList->Draw(item->ImageIndex, dc, area.left + IconLeft,
                              (area.top + area.bottom - IconHeight) / 2);
    }
    area.left += TextIndent;
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, WStr(caption), -1, &area, DT_SINGLELINE | DT_VCENTER);
}

void DispatchMenuCommand(HMENU menu, WPARAM position) {
    MENUINFO info = MenuInfoRecord();
    if (!GetMenuInfo(menu, &info)) {
        return;
    }
    // A menu of ours carries the item whose children it shows, and that item holds it.
    TMinMenuItem* item = FindLiveItem(info.dwMenuData);
    if (item == nullptr || item->Handle != menu || position >= item->Items.size()) {
        return;
    }
    TMinMenuItem* chosen = item->Items[position];
    if (chosen->OnClick) {
        chosen->OnClick(chosen);
    }
}

void EndPopupMenu(LPARAM rootItem) {
    InMenuLoop = false;
    if (TMinMenuItem* root = FindLiveItem(static_cast<ULONG_PTR>(rootItem))) {
        root->DestroyHandle();
    }
}
