#include "bench/PopupBench.h"

#include "bench/Stopwatch.h"
#include "framework/MinMenus.h"
#include "utility/WinText.h"

#include <memory>
#include <vector>

namespace {

struct BareMenu;

// One AppendMenuW call, prepared: flags, and the caption or the owner-draw data.
struct BareEntry {
    UINT flags = 0;
    Utf16String caption;
    const void* data = nullptr;
    std::unique_ptr<BareMenu> submenu;
};

struct BareMenu {
    std::vector<BareEntry> entries;
};

// The calls the framework makes for the tree, decided once, before any timing.
std::unique_ptr<BareMenu> BareCopy(const TMinMenuItem& item) {
    auto menu = std::make_unique<BareMenu>();
    for (const TMinMenuItem* child : item.Items) {
        BareEntry entry;
        const bool ownerDrawn = child->ImageList != nullptr;
        if (child->Count() > 0) {
            entry.flags = MF_POPUP | (ownerDrawn ? MF_OWNERDRAW : 0);
            entry.submenu = BareCopy(*child);
        } else if (child->Caption == "-") {
            entry.flags = MF_SEPARATOR;
        } else {
            entry.flags = ownerDrawn && child->ImageIndex != -1 ? MF_OWNERDRAW : MF_STRING;
        }
        if ((entry.flags & MF_OWNERDRAW) != 0) {
            entry.data = child;
        } else if (entry.flags != MF_SEPARATOR) {
            entry.caption = Utf8ToUtf16(child->Caption);
        }
        menu->entries.push_back(std::move(entry));
    }
    return menu;
}

HMENU BuildBare(const BareMenu& menu) {
    const HMENU handle = CreatePopupMenu();
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_STYLE | MIM_MENUDATA | MIM_APPLYTOSUBMENUS;
    info.dwStyle = MNS_NOTIFYBYPOS;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(&menu);
    SetMenuInfo(handle, &info);
    for (const BareEntry& entry : menu.entries) {
        const UINT_PTR id =
            entry.submenu ? reinterpret_cast<UINT_PTR>(BuildBare(*entry.submenu)) : 0;
        LPCWSTR text = nullptr;
        if (entry.data != nullptr) {
            text = static_cast<LPCWSTR>(entry.data);
        } else if (entry.flags != MF_SEPARATOR) {
            text = WStr(entry.caption);
        }
        AppendMenuW(handle, entry.flags, id, text);
    }
    return handle;
}

} // namespace

PopupTimes MeasurePopup(TMinMenuItem& root, int repeats) {
    const std::unique_ptr<BareMenu> bare = BareCopy(root);
    // Only the building is timed; the menus are destroyed after each run.
    const auto build = [&root] {
        const Stopwatch watch;
        root.CreateHandle();
        root.BuildMenu();
        const double elapsed = watch.ElapsedMs();
        root.DestroyHandle();
        return elapsed;
    };
    const auto floor = [&bare] {
        const Stopwatch watch;
        const HMENU handle = BuildBare(*bare);
        const double elapsed = watch.ElapsedMs();
        DestroyMenu(handle);
        return elapsed;
    };
    const std::vector<double> medians = MedianTimes({build, floor}, repeats);
    return {medians[0], medians[1]};
}
