// Menus as trees of items, shown as Windows popup menus built anew for every popup. Every
// Windows menu carries the item whose children it shows as its menu data and reports choices by
// position, so entries need no command identifiers. Entries with an icon are owner-drawn.
#pragma once

#include "framework/MinApp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMinImageList;

// Not a framework object: items are owned by their parent item, not by the application.
class TMinMenuItem : public TObject {
  public:
    TMinMenuItem() = default;
    // Frees the children and the Windows menu the item still has.
    ~TMinMenuItem() override;
    TMinMenuItem(const TMinMenuItem&) = delete;
    TMinMenuItem& operator=(const TMinMenuItem&) = delete;

    std::string Caption; // "-" makes a separator
    bool Checked = false;
    std::int32_t ImageIndex = 0; // -1: no icon
    TMinImageList* ImageList = nullptr;
    std::vector<TMinMenuItem*> Items; // owned children
    HMENU Handle = nullptr;           // the Windows menu showing the children, while built
    TMinNotifyEvent OnClick;
    TMinMenuItem* Parent = nullptr;
    std::int32_t Tag = 0;

    TMinMenuItem* Add(std::string caption, TMinNotifyEvent onClick, TMinImageList* imageList,
                      std::int32_t imageIndex, std::int32_t tag);
    TMinMenuItem* AddSeparator();
    void Clear();
    std::int32_t Count() const;

    HMENU CreateHandle();
    void BuildMenu();
    void DestroyHandle();
};

class TMinMenu : public TMinObject {
  public:
    TMinMenu();
    ~TMinMenu() override;

    std::unique_ptr<TMinMenuItem> Items; // the root item
};

class TMinPopupMenu : public TMinMenu {
  public:
    TMinNotifyEvent OnPopup; // raised before the Windows menus are built

    void Popup();
    // Returns when the menu has closed; a chosen entry's OnClick runs afterwards, from the
    // message loop, before the end-of-menu message that this posts as its last step.
    void PopupAt(int x, int y);
};

// Used by MinWindowProc. Item data, menu data and the root item of an end-of-menu message
// come back from the system and are used only if they are items of a registered menu.
void MeasureMenuItem(MEASUREITEMSTRUCT& measure);
void DrawMenuItem(const DRAWITEMSTRUCT& draw);
void DispatchMenuCommand(HMENU menu, WPARAM position);
void EndPopupMenu(LPARAM rootItem);
