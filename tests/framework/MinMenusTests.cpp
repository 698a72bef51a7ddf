#include "framework/MinImageList.h"
#include "framework/MinMenus.h"
#include "tests/framework/FrameworkFixture.h"
#include "utility/WinText.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The handlers of a test's menu entries and what they saw.
class MenuHandlers {
  public:
    void Click(TObject* sender) {
        auto* item = static_cast<TMinMenuItem*>(sender);
        clicks.push_back(item);
        inMenuLoopAtClick = InMenuLoop;
        menusBuiltAtClick = item->Parent->Handle != nullptr && IsMenu(item->Parent->Handle);
    }
    // Builds the whole tree anew, as a program whose menu changes between popups would.
    void Rebuild(TObject* sender) {
        popupSender = sender;
        TMinMenuItem* root = static_cast<TMinPopupMenu*>(sender)->Items.get();
        root->Clear();
        ++popups;
        added = root->Add("Added " + std::to_string(popups), ClickEvent(), nullptr, -1, popups);
    }
    void Fail(TObject*) { throw std::runtime_error("from OnPopup"); }
    TMinNotifyEvent ClickEvent() { return TMinNotifyEvent::Bind<&MenuHandlers::Click>(this); }

    std::vector<TObject*> clicks;
    bool inMenuLoopAtClick = false;
    bool menusBuiltAtClick = false;
    TObject* popupSender = nullptr;
    TMinMenuItem* added = nullptr;
    int popups = 0;
};

// The user of an open popup: types the given keys once its modal loop waits for input, and
// notes the end-of-loop notifications the hidden window gets.
class KeyboardUser {
  public:
    explicit KeyboardUser(std::vector<WORD> keys) : keys_(std::move(keys)) {}

    LRESULT Hook(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_ENTERMENULOOP) {
            typed_ = false;
        } else if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !typed_) {
            typed_ = true;
            PressKeys(keys_);
        } else if (message == WM_EXITMENULOOP) {
            exitMenuLoops.emplace_back(wParam, lParam);
        }
        return 0;
    }

    std::vector<std::pair<WPARAM, LPARAM>> exitMenuLoops;

  private:
    std::vector<WORD> keys_;
    bool typed_ = false;
};

class MenuTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        menu = new TMinPopupMenu();
        root = menu->Items.get();
    }
    void UseKeyboard(KeyboardUser& user) {
        app->OnMessage = TMinMessageEvent::Bind<&KeyboardUser::Hook>(&user);
    }

    TMinPopupMenu* menu = nullptr;
    TMinMenuItem* root = nullptr;
    MenuHandlers handlers;
};

TEST_F(MenuTest, KeyboardChoiceInASubmenuRaisesOnClickBeforeTheMenusAreDestroyed) {
    TMinMenuItem* sub = root->Add("Sub", TMinNotifyEvent(), nullptr, -1, 0);
    sub->Add("Inner A", handlers.ClickEvent(), nullptr, -1, 1);
    TMinMenuItem* innerB = sub->Add("Inner B", handlers.ClickEvent(), nullptr, -1, 2);
    root->Add("Plain", handlers.ClickEvent(), nullptr, -1, 3);
    KeyboardUser user({VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    UseKeyboard(user);
    MenuWatchdog watchdog;

    menu->PopupAt(400, 300);

    // The choice is delivered from the message loop after the popup has returned; the
    // system's own end-of-loop notification has come and left InMenuLoop set.
    EXPECT_TRUE(handlers.clicks.empty());
    EXPECT_TRUE(InMenuLoop);
    ASSERT_TRUE(WaitUntil([] { return !InMenuLoop; }));
    ASSERT_EQ(handlers.clicks, std::vector<TObject*>{innerB});
    EXPECT_EQ(innerB->Parent, sub);
    EXPECT_TRUE(handlers.inMenuLoopAtClick);
    EXPECT_TRUE(handlers.menusBuiltAtClick);
    EXPECT_EQ(root->Handle, nullptr);
    EXPECT_EQ(sub->Handle, nullptr);
    ASSERT_EQ(user.exitMenuLoops.size(), 2u);
    EXPECT_NE(user.exitMenuLoops[0].first, MINMENU_DONE);
    EXPECT_EQ(user.exitMenuLoops[1], std::make_pair(MINMENU_DONE, reinterpret_cast<LPARAM>(root)));
}

TEST_F(MenuTest, EntriesAddedByOnPopupAreShownByThatPopup) {
    root->Add("Replaced by OnPopup", handlers.ClickEvent(), nullptr, -1, 0);
    menu->OnPopup = TMinNotifyEvent::Bind<&MenuHandlers::Rebuild>(&handlers);
    KeyboardUser user({VK_DOWN, VK_RETURN});
    UseKeyboard(user);
    MenuWatchdog watchdog;

    for (int popup = 1; popup <= 2; ++popup) {
        SCOPED_TRACE(popup);
        menu->PopupAt(400, 300);
        ASSERT_TRUE(WaitUntil([] { return !InMenuLoop; }));
        EXPECT_EQ(handlers.popupSender, menu);
        ASSERT_EQ(handlers.clicks.size(), static_cast<std::size_t>(popup));
        EXPECT_EQ(handlers.clicks.back(), handlers.added);
        EXPECT_EQ(static_cast<TMinMenuItem*>(handlers.clicks.back())->Tag, popup);
    }
}

TEST_F(MenuTest, EmptyOrDismissedPopupStillEndsWithItsEndOfMenuMessage) {
    KeyboardUser user({VK_ESCAPE});
    UseKeyboard(user);
    MenuWatchdog watchdog;
    for (bool withEntries : {false, true}) {
        SCOPED_TRACE(withEntries);
        if (withEntries) {
            root->Add("Left alone", handlers.ClickEvent(), nullptr, -1, 0);
        }
        user.exitMenuLoops.clear();
        menu->PopupAt(400, 300);
        ASSERT_TRUE(WaitUntil([&] { return root->Handle == nullptr; }));
        ASSERT_FALSE(user.exitMenuLoops.empty());
        EXPECT_EQ(user.exitMenuLoops.back(),
                  std::make_pair(MINMENU_DONE, reinterpret_cast<LPARAM>(root)));
        EXPECT_FALSE(InMenuLoop);
    }
    EXPECT_TRUE(handlers.clicks.empty());
}

TEST_F(MenuTest, ErrorInOnPopupGoesToTheCallerAndTheMenusAreStillDestroyed) {
    root->Add("Entry", handlers.ClickEvent(), nullptr, -1, 0);
    menu->OnPopup = TMinNotifyEvent::Bind<&MenuHandlers::Fail>(&handlers);

    EXPECT_THROW(menu->PopupAt(400, 300), std::runtime_error);
    EXPECT_NE(root->Handle, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return root->Handle == nullptr; }));
}

struct EntryInfo {
    UINT type = 0;
    bool checked = false;
    HMENU submenu = nullptr;
    ULONG_PTR data = 0;
    std::string text;
};

EntryInfo ReadEntry(HMENU menu, UINT position) {
    Utf16String text(256, u'\0');
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = WBuf(text);
    info.cch = static_cast<UINT>(text.size() - 1);
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    EntryInfo entry;
    entry.type = info.fType & (MFT_OWNERDRAW | MFT_SEPARATOR);
    entry.checked = (info.fState & MFS_CHECKED) != 0;
    entry.submenu = info.hSubMenu;
    entry.data = info.dwItemData;
    if (entry.type == MFT_STRING) {
        text.resize(info.cch);
        entry.text = Utf16ToUtf8(text);
    }
    return entry;
}

void ExpectMenuCarries(HMENU menu, const TMinMenuItem* item) {
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_STYLE | MIM_MENUDATA;
    ASSERT_TRUE(GetMenuInfo(menu, &info));
    EXPECT_NE(info.dwStyle & MNS_NOTIFYBYPOS, 0u);
    EXPECT_EQ(info.dwMenuData, reinterpret_cast<ULONG_PTR>(item));
}

TEST_F(MenuTest, BuildMenuAppendsOneEntryPerChildByKind) {
    TMinImageList images;
    const auto add = [&](TMinMenuItem* parent, const std::string& caption, TMinImageList* imageList,
                         std::int32_t imageIndex, bool checked) {
        TMinMenuItem* item = parent->Add(caption, handlers.ClickEvent(), imageList, imageIndex, 0);
        item->Checked = checked;
        return item;
    };
    TMinMenuItem* drawnSub = add(root, "Drawn sub", &images, -1, true);
    add(drawnSub, "in drawn sub", nullptr, -1, false);
    TMinMenuItem* textSub = add(root, "Text sub", nullptr, -1, true);
    add(textSub, "in text sub", nullptr, -1, false);
    TMinMenuItem* separator = add(root, "-", &images, 4, true);
    TMinMenuItem* dashSub = add(root, "-", nullptr, -1, false);
    add(dashSub, "in dash sub", nullptr, -1, false);
    TMinMenuItem* drawn = add(root, "Drawn", &images, 4, true);
    TMinMenuItem* drawnNoIcon = add(root, "Drawn without icon", &images, 0, false);
    TMinMenuItem* textWithList =
        add(root, "\xC3\x9Cml\xC3\xA4ut & \xF0\x9D\x84\x9E", &images, -1, false);
    TMinMenuItem* checkedText = add(root, "Checked", nullptr, 7, true);
    TMinMenuItem* plainText = add(root, "Plain", nullptr, 7, false);

    root->CreateHandle();
    root->BuildMenu();

    struct Row {
        const char* what;
        TMinMenuItem* item;
        UINT type;
        bool submenu;
        bool checked;
    };
    const Row rows[] = {
        {"submenu with image list", drawnSub, MFT_OWNERDRAW, true, false},
        {"submenu without image list", textSub, MFT_STRING, true, false},
        {"separator", separator, MFT_SEPARATOR, false, false},
        {"submenu captioned -", dashSub, MFT_STRING, true, false},
        {"owner-drawn", drawn, MFT_OWNERDRAW, false, false},
        {"owner-drawn, index 0", drawnNoIcon, MFT_OWNERDRAW, false, false},
        {"image list, index -1", textWithList, MFT_STRING, false, false},
        {"checked text", checkedText, MFT_STRING, false, true},
        {"plain text", plainText, MFT_STRING, false, false},
    };
    ASSERT_EQ(GetMenuItemCount(root->Handle), static_cast<int>(std::size(rows)));
    ExpectMenuCarries(root->Handle, root);
    for (UINT i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.what);
        const EntryInfo entry = ReadEntry(root->Handle, i);
        EXPECT_EQ(entry.type, row.type);
        EXPECT_EQ(entry.checked, row.checked);
        if (row.type == MFT_OWNERDRAW) {
            EXPECT_EQ(entry.data, reinterpret_cast<ULONG_PTR>(row.item));
        }
        if (row.type == MFT_STRING) {
            EXPECT_EQ(entry.text, row.item->Caption);
        }
        if (row.submenu) {
            ASSERT_NE(row.item->Handle, nullptr);
            EXPECT_EQ(entry.submenu, row.item->Handle);
            ExpectMenuCarries(row.item->Handle, row.item);
            EXPECT_EQ(GetMenuItemCount(row.item->Handle), 1);
        } else {
            EXPECT_EQ(entry.submenu, nullptr);
        }
    }

    const HMENU rootMenu = root->Handle;
    const HMENU textSubMenu = textSub->Handle;
    root->DestroyHandle();
    EXPECT_EQ(root->Handle, nullptr);
    EXPECT_EQ(textSub->Handle, nullptr);
    EXPECT_FALSE(IsMenu(rootMenu));
    EXPECT_FALSE(IsMenu(textSubMenu));

    // Built again from the tree as it is now: a submenu without children is a plain entry.
    textSub->Clear();
    root->CreateHandle();
    root->BuildMenu();
    const EntryInfo rebuilt = ReadEntry(root->Handle, 1);
    EXPECT_EQ(rebuilt.type, MFT_STRING);
    EXPECT_EQ(rebuilt.submenu, nullptr);
    EXPECT_TRUE(rebuilt.checked);
    root->DestroyHandle();
}

TEST_F(MenuTest, MenuDataThatIsNotALiveItemOfOursIsIgnored) {
    TMinMenuItem* gone = root->Add("Gone", TMinNotifyEvent(), nullptr, -1, 0);
    gone->Add("Child of gone", handlers.ClickEvent(), nullptr, -1, 0);
    TMinMenuItem* live = root->Add("Live", TMinNotifyEvent(), nullptr, -1, 0);
    live->Add("Child of live", handlers.ClickEvent(), nullptr, -1, 0);
    const auto goneData = reinterpret_cast<ULONG_PTR>(gone);
    root->Clear();
    live = root->Add("Live", TMinNotifyEvent(), nullptr, -1, 0);
    live->Add("Child of live", handlers.ClickEvent(), nullptr, -1, 0);
    live->CreateHandle();

    // A menu that is not ours, carrying a freed item, a live item it does not belong to, or
    // anything at all.
    const HMENU foreign = CreatePopupMenu();
    AppendMenuW(foreign, MF_STRING, 0, L"foreign");
    for (ULONG_PTR data : {goneData, reinterpret_cast<ULONG_PTR>(live), ULONG_PTR{0x1234}}) {
        MENUINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIM_STYLE | MIM_MENUDATA;
        info.dwStyle = MNS_NOTIFYBYPOS;
        info.dwMenuData = data;
        SetMenuInfo(foreign, &info);
        SendMessageW(window, WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(foreign));
    }
    // A position beyond the children of a live menu.
    SendMessageW(window, WM_MENUCOMMAND, 5, reinterpret_cast<LPARAM>(live->Handle));
    EXPECT_TRUE(handlers.clicks.empty());
    DestroyMenu(foreign);

    SendMessageW(window, WM_MENUCOMMAND, 0, reinterpret_cast<LPARAM>(live->Handle));
    EXPECT_EQ(handlers.clicks, std::vector<TObject*>{live->Items[0]});

    // An end-of-menu message for something that is not an item still ends the menu state.
    InMenuLoop = true;
    int notAnItem = 0;
    EXPECT_EQ(
        SendMessageW(window, WM_EXITMENULOOP, MINMENU_DONE, reinterpret_cast<LPARAM>(&notAnItem)),
        0);
    EXPECT_FALSE(InMenuLoop);
    EXPECT_NE(live->Handle, nullptr);
    live->DestroyHandle();
}

TEST_F(MenuTest, MeasureGivesTheCaptionWidthInTheWindowFontAndTheFixedHeight) {
    const std::string caption = "\xC3\x9Cn\xC3\xAF\x63\xC3\xB8\x64\xC3\xA9 \xF0\x9D\x84\x9E menu";
    TMinMenuItem* item = root->Add(caption, TMinNotifyEvent(), nullptr, 1, 0);
    const Utf16String text = Utf8ToUtf16(caption);
    const HDC dc = GetDC(window);
    SIZE expected{};
    GetTextExtentPoint32W(dc, WStr(text), static_cast<int>(text.size()), &expected);
    ReleaseDC(window, dc);
    ASSERT_GT(expected.cx, 0);

    struct Row {
        const char* what;
        UINT controlType;
        ULONG_PTR data;
        UINT width;
        UINT height;
    };
    TMinMenuItem gone;
    const Row rows[] = {
        {"menu entry", ODT_MENU, reinterpret_cast<ULONG_PTR>(item), static_cast<UINT>(expected.cx),
         22},
        {"not a menu", ODT_BUTTON, reinterpret_cast<ULONG_PTR>(item), 0, 0},
        {"item of no menu", ODT_MENU, reinterpret_cast<ULONG_PTR>(&gone), 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = row.controlType;
        measure.itemData = row.data;
        SendMessageW(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        EXPECT_EQ(measure.itemWidth, row.width);
        EXPECT_EQ(measure.itemHeight, row.height);
    }
}

// A 32-bit memory bitmap to draw into, filled with a colour nothing else uses.
class Canvas {
  public:
    static constexpr int Width = 200;
    static constexpr int Height = 40;
    static constexpr COLORREF Untouched = RGB(1, 2, 3);

    Canvas() {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(format.bmiHeader);
        format.bmiHeader.biWidth = Width;
        format.bmiHeader.biHeight = -Height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_),
                                   nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < Width * Height; ++i) {
            pixels_[i] = 0x010203;
        }
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD pixel = pixels_[y * Width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // The leftmost column holding this colour inside the box, or -1.
    int FirstColumnOf(COLORREF colour, const RECT& box) const {
        for (int x = box.left; x < box.right; ++x) {
            for (int y = box.top; y < box.bottom; ++y) {
                if (At(x, y) == colour) {
                    return x;
                }
            }
        }
        return -1;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* pixels_ = nullptr;
};

TEST_F(MenuTest, DrawPaintsIconColumnCaptionAndStateColours) {
    constexpr COLORREF IconColour = RGB(250, 10, 200);
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    const HICON unused = CreateSolidIcon(RGB(10, 200, 10));
    const HICON shown = CreateSolidIcon(IconColour);
    ImageList_AddIcon(list, unused);
    ImageList_AddIcon(list, shown);
    DestroyIcon(unused);
    DestroyIcon(shown);
    auto* images = new TMinImageList();
    images->SetHandle(list);
    TMinMenuItem* item = root->Add("WWW", TMinNotifyEvent(), images, 1, 0);

    const RECT area{10, 4, 190, 26};
    // Icon at left + 3, centred on a 16-pixel icon: (4 + 26 - 16) / 2 = 7.
    const RECT iconBox{13, 7, 29, 23};
    struct Row {
        const char* what;
        UINT state;
        std::int32_t index;
        int background;
        int text;
    };
    const Row rows[] = {
        {"normal", 0, 1, COLOR_MENU, COLOR_MENUTEXT},
        {"selected", ODS_SELECTED, 1, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT},
        {"grey", ODS_GRAYED, 1, COLOR_MENU, COLOR_GRAYTEXT},
        {"selected and grey", ODS_SELECTED | ODS_GRAYED, 1, COLOR_HIGHLIGHT, COLOR_GRAYTEXT},
        {"index 0, no icon", 0, 0, COLOR_MENU, COLOR_MENUTEXT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        item->ImageIndex = row.index;
        Canvas canvas;
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_MENU;
        draw.itemState = row.state;
        draw.hDC = canvas.Dc();
        draw.rcItem = area;
        draw.itemData = reinterpret_cast<ULONG_PTR>(item);
        SendMessageW(window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));

        const COLORREF background = GetSysColor(row.background);
        EXPECT_EQ(canvas.At(area.left, area.top), background);
        EXPECT_EQ(canvas.At(area.right - 1, area.bottom - 1), background);
        EXPECT_EQ(canvas.At(area.left - 1, area.top), Canvas::Untouched);
        EXPECT_EQ(canvas.At(area.left, area.bottom), Canvas::Untouched);
        if (row.index > 0) {
            EXPECT_EQ(canvas.At(iconBox.left, iconBox.top), IconColour);
            EXPECT_EQ(canvas.At(iconBox.right - 1, iconBox.bottom - 1), IconColour);
            EXPECT_EQ(canvas.At(iconBox.left - 1, iconBox.top), background);
            EXPECT_EQ(canvas.At(iconBox.left, iconBox.top - 1), background);
            EXPECT_EQ(canvas.At(iconBox.right, iconBox.bottom - 1), background);
            EXPECT_EQ(canvas.At(iconBox.right - 1, iconBox.bottom), background);
        } else {
            EXPECT_EQ(canvas.FirstColumnOf(IconColour, area), -1);
        }
        // The caption starts at left + 25, in the colour of the state.
        const int firstText = canvas.FirstColumnOf(GetSysColor(row.text), area);
        EXPECT_GE(firstText, area.left + 25);
        EXPECT_LE(firstText, area.left + 28);
    }
}

} // namespace
