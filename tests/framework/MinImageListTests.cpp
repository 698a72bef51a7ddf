#include "framework/MinImageList.h"
#include "tests/framework/FrameworkFixture.h"

#include <ole2.h>
#include <shellapi.h>

#include <thread>
#include <utility>

namespace {

using ImageListTest = FrameworkTest;

HIMAGELIST SystemList(UINT flags) {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | flags));
}

TEST_F(ImageListTest, SystemListGivesIconIndexesAndOutlivesTheObject) {
    auto* images = new TMinImageList();
    EXPECT_EQ(images->IconIndexOf("C:\\windows"), -1);

    ASSERT_TRUE(images->LoadSystemImageList(true));
    const HIMAGELIST system = images->Handle;
    EXPECT_EQ(system, SystemList(SHGFI_SMALLICON));
    EXPECT_TRUE(images->Shared);
    EXPECT_EQ(images->Width, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(images->Height, GetSystemMetrics(SM_CYSMICON));
    EXPECT_GT(OleInitCount, 0);

    // Folders have their own icon in the shell's list (Wine's prefix gives programs none).
    const TestFolder folder;
    EXPECT_GT(images->IconIndexOf("C:\\windows"), 0);
    EXPECT_GT(images->IconIndexOf(folder.Path()), 0);
    EXPECT_EQ(images->IconIndexOf("C:\\does not exist\\nothing.exe"), 0);

    // Attaching again finds the same list and changes nothing.
    EXPECT_TRUE(images->LoadSystemImageList(true));
    EXPECT_EQ(images->Handle, system);

    delete images;
    EXPECT_GT(ImageList_GetImageCount(system), 0);
    EXPECT_EQ(SystemList(SHGFI_SMALLICON), system);

    auto* large = new TMinImageList();
    ASSERT_TRUE(large->LoadSystemImageList(false));
    EXPECT_EQ(large->Handle, SystemList(0));
    EXPECT_EQ(large->Width, GetSystemMetrics(SM_CXICON));
}

TEST_F(ImageListTest, ListIsDestroyedWhenReplacedOrFreedOnlyIfOwned) {
    auto* images = new TMinImageList();
    const HIMAGELIST first = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    const HIMAGELIST second = ImageList_Create(24, 20, ILC_COLOR32, 1, 0);
    images->SetHandle(first);
    EXPECT_EQ(images->Width, 16);
    images->SetHandle(second);
    EXPECT_EQ(images->Width, 24);
    EXPECT_EQ(images->Height, 20);
    int width = 0;
    int height = 0;
    EXPECT_FALSE(ImageList_GetIconSize(first, &width, &height));
    EXPECT_TRUE(ImageList_GetIconSize(second, &width, &height));
    delete images;
    EXPECT_FALSE(ImageList_GetIconSize(second, &width, &height));

    // A list held while the object is marked shared outlives it.
    auto* sharing = new TMinImageList();
    const HIMAGELIST shared = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    sharing->SetHandle(shared);
    sharing->Shared = true;
    delete sharing;
    EXPECT_TRUE(ImageList_GetIconSize(shared, &width, &height));
    ImageList_Destroy(shared);
}

TEST_F(ImageListTest, DrawUsesTheDrawStyleAndNeedsAList) {
    struct Row {
        TMinDrawStyle style;
        UINT flags;
    };
    const Row rows[] = {
        {{}, ILD_NORMAL},
        {{dsFocus}, ILD_FOCUS},
        {{dsSelected}, ILD_SELECTED},
        {{dsMask}, ILD_MASK},
        {{dsTransparent}, ILD_TRANSPARENT},
        {{dsMask, dsTransparent}, ILD_TRANSPARENT},
        {{dsFocus, dsSelected, dsMask}, ILD_FOCUS | ILD_SELECTED | ILD_MASK},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ImageListDrawFlags(row.style), row.flags);
    }

    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const auto fill = [dc](COLORREF colour) {
        const HBRUSH brush = CreateSolidBrush(colour);
        const RECT all{0, 0, 16, 16};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    };
    constexpr COLORREF Before = RGB(10, 20, 30);
    constexpr COLORREF IconColour = RGB(250, 10, 200);

    auto* images = new TMinImageList();
    fill(Before);
    images->Draw(0, dc, 0, 0);
    EXPECT_EQ(GetPixel(dc, 8, 8), Before);

    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    const HICON icon = CreateSolidIcon(IconColour);
    ImageList_AddIcon(list, icon);
    DestroyIcon(icon);
    images->SetHandle(list);
    images->Draw(0, dc, 0, 0);
    EXPECT_EQ(GetPixel(dc, 8, 8), IconColour);
    // The mask of an opaque icon is black throughout.
    images->DrawStyle = {dsMask};
    fill(Before);
    images->Draw(0, dc, 0, 0);
    EXPECT_EQ(GetPixel(dc, 8, 8), RGB(0, 0, 0));

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(OleInitialization, CountsOnlyItsOwnSuccessesAndTriesAgainAfterAFailure) {
    // On a thread of its own, whose COM state this test controls.
    std::thread([] {
        const std::int32_t mainThreadCount = std::exchange(OleInitCount, 0);
        // Initialised by someone else already (S_FALSE), or for another apartment model.
        ASSERT_EQ(OleInitialize(nullptr), S_OK);
        EXPECT_FALSE(EnsureOleInitialized());
        EXPECT_EQ(OleInitCount, 0);
        OleUninitialize();
        OleUninitialize();
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        EXPECT_FALSE(EnsureOleInitialized());
        EXPECT_EQ(OleInitCount, 0);
        CoUninitialize();

        EXPECT_TRUE(EnsureOleInitialized());
        EXPECT_EQ(OleInitCount, 1);
        EXPECT_TRUE(EnsureOleInitialized());
        EXPECT_EQ(OleInitCount, 2);
        OleUninitialize();
        OleInitCount = mainThreadCount;
    }).join();
}

} // namespace
