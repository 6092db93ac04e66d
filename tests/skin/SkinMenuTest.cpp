// The skinned menus: item measures and off-screen draws checked pixel by
// pixel against positions computed here, the handlers reaching the menu's own
// items only, the owner-draw messages by item data, WM_MENUCHAR answers, the
// main menu's requests to its form, and handle counts over many draws.

#include "framework/Forms.h"
#include "framework/FormReader.h"
#include "skin/SkinMainMenu.h"
#include "skin/SkinPopupMenu.h"
#include "skin/SkinThemes.h"
#include "tests/support/GdiCount.h"
#include "tools/skinfile/SkinFileWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

namespace {

constexpr TColor Sentinel = 0x123456;
const TRect R = Rect(10, 5, 210, 26); // an item away from the canvas origin

TColor ThemeColor(TskUIStyle style, int element) {
    return GetThemeColor(style, element);
}

class MenuForm : public TForm {
    DECLARE_PUBLISHED(MenuForm, TForm)
  public:
    using TForm::TForm;
};

const ClassInfo& MenuForm::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<MenuForm>().Build();
    return info;
}

// A form read from a description of its components.
std::unique_ptr<MenuForm> ReadMenuForm(const std::string& components) {
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    auto form = std::make_unique<MenuForm>(nullptr);
    ReadComponentFromText(form.get(), "object Form: MenuForm\n" + components + "end\n");
    return form;
}

class SkinMenu : public testing::Test {
  protected:
    void SetUp() override {
        root = std::make_unique<TForm>(nullptr);
        menu = new TskPopupMenu(root.get());
    }
    TMenuItem* Add(const std::string& caption, TMenuItem* parent = nullptr) {
        auto* item = new TMenuItem(root.get());
        item->SetCaption(caption);
        (parent ? parent : menu->Items())->Add(item);
        return item;
    }
    // The item drawn through its own handler onto a fresh canvas.
    void Draw(TMenuItem* item, bool selected = false, TRect rect = R) {
        target.SetSize(rect.Right + 10, rect.Bottom + 10);
        target.Canvas().Brush().SetColor(Sentinel);
        target.Canvas().FillRect(Rect(0, 0, target.Width(), target.Height()));
        ASSERT_TRUE(item->OnDrawItem);
        item->OnDrawItem(item, target.Canvas(), rect, selected);
    }
    TPoint Measure(TMenuItem* item) {
        TBitmap scratch(1, 1);
        int width = 0, height = 0;
        EXPECT_TRUE(item->OnMeasureItem);
        item->OnMeasureItem(item, scratch.Canvas(), width, height);
        return TPoint{width, height};
    }
    // Pixels of the drawn item that differ from a copy drawn without caption.
    std::vector<TPoint> Ink(TMenuItem* item, bool selected = false) {
        const std::string caption = item->Caption();
        item->SetCaption("");
        Draw(item, selected);
        TBitmap blank;
        blank.Assign(target);
        item->SetCaption(caption);
        Draw(item, selected);
        std::vector<TPoint> ink;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (target.Pixel(x, y) != blank.Pixel(x, y)) ink.push_back({x, y});
        return ink;
    }
    static int LeftmostX(const std::vector<TPoint>& points) {
        int left = 1 << 30;
        for (const TPoint& p : points)
            left = std::min(left, p.X);
        return left;
    }
    std::unique_ptr<TForm> root;
    TskPopupMenu* menu = nullptr;
    TBitmap target;
};

// ------------------------------------------------------------------ sizes

TEST_F(SkinMenu, MacOSKeepsItsItemHeightWhileWinXPTakesOneUntilTheStyleIsSetAgain) {
    TMenuItem* item = Add("Item");
    menu->SetUIStyle(TskUIStyle::MacOS);
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(30);
    EXPECT_EQ(Measure(item).Y, 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);

    menu->SetUIStyle(TskUIStyle::WinXP);
    menu->SetMenuItemHeight(30);
    EXPECT_EQ(Measure(item).Y, 30);
    menu->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(Measure(item).Y, 21);
}

TEST_F(SkinMenu, OnlyASingleHyphenIsASeparator) {
    TMenuItem* line = Add("-");
    TMenuItem* dashes = Add("--");
    menu->SetUIStyle(TskUIStyle::DeepBlue);
    EXPECT_EQ(Measure(line).Y, 5);
    EXPECT_EQ(Measure(dashes).Y, 21);

    const TColor separator = menu->SeparatorColor(), body = menu->Color();
    Draw(line);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), menu->BarColor());
    EXPECT_EQ(target.Pixel(R.Left + 26 + 3, R.Top + 2), body);
    EXPECT_EQ(target.Pixel(R.Left + 26 + 4, R.Top + 2), separator);
    EXPECT_EQ(target.Pixel(R.Right - 3, R.Top + 2), separator);
    EXPECT_EQ(target.Pixel(R.Right - 2, R.Top + 2), body);
    EXPECT_EQ(target.Pixel(R.Left + 100, R.Top + 3), body);

    Draw(dashes);
    EXPECT_EQ(target.Pixel(R.Left + 100, R.Top + 2), body) << "no separator line";
    EXPECT_FALSE(Ink(dashes).empty()) << "its caption is drawn";
}

TEST_F(SkinMenu, NegativeSizesCountAsNoneInsteadOfWrapping) {
    TMenuItem* item = Add("Item");
    TMenuItem* line = Add("-");
    menu->SetUIStyle(TskUIStyle::WinXP);
    menu->SetMenuItemHeight(-5);
    menu->SetSeparatorHeight(-1);
    menu->SetBarWidth(-30);
    EXPECT_EQ(Measure(item).Y, 0);
    EXPECT_EQ(Measure(line).Y, 0);
    EXPECT_EQ(menu->MenuItemHeight(), -5) << "the stored value stays";
    menu->SetBarWidth(0);
    const int plain = Measure(item).X;
    menu->SetBarWidth(-30);
    EXPECT_EQ(Measure(item).X, plain);
    Draw(line);
    EXPECT_EQ(target.Pixel(R.Left + 4, R.Top + 2), menu->SeparatorColor());
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Top), menu->Color()) << "no bar on the right either";
}

// ------------------------------------------------------------------ drawing

TEST_F(SkinMenu, BarWidthZeroDrawsNoBarAndStartsTheCaptionFourPixelsIn) {
    menu->SetUIStyle(TskUIStyle::Protein);
    menu->SetUseSystemFont(false);
    menu->SetFontName("Arial");
    menu->SetFontSize(10);
    TMenuItem* item = Add("Wide");
    // Where the same text starts when drawn 4 pixels into the item.
    TBitmap reference(R.Right + 10, R.Bottom + 10);
    reference.Canvas().Brush().SetColor(clWhite);
    reference.Canvas().FillRect(Rect(0, 0, reference.Width(), reference.Height()));
    reference.Canvas().Font().SetName("Arial");
    reference.Canvas().Font().SetSize(10);
    reference.Canvas().Font().SetColor(clBlack);
    TRect at = Rect(R.Left + 4, R.Top + 4, R.Right, R.Bottom);
    reference.Canvas().DrawText("Wide", at, DT_SINGLELINE | DT_LEFT);
    int expected = 1 << 30;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (reference.Pixel(x, y) != clWhite) expected = std::min(expected, x);

    EXPECT_EQ(LeftmostX(Ink(item)), expected + 26) << "beside the default bar";
    menu->SetBarWidth(0);
    EXPECT_EQ(LeftmostX(Ink(item)), expected);
    Draw(item);
    EXPECT_EQ(target.Pixel(R.Left, R.Top + 10), menu->Color());
}

TEST_F(SkinMenu, CheckedItemWithoutImageShowsTheCheckMarkAtLeftPlusFour) {
    TMenuItem* item = Add("Checked");
    item->SetChecked(true);
    menu->SetUIStyle(TskUIStyle::WinXP);
    Draw(item);
    TBitmap mark;
    mark.LoadFromResourceName("MENU_CHECKED");
    int black = 0;
    for (int y = 0; y < mark.Height(); ++y)
        for (int x = 0; x < mark.Width(); ++x) {
            const TColor expected =
                mark.Pixel(x, y) == clWhite ? menu->BarColor() : mark.Pixel(x, y);
            EXPECT_EQ(target.Pixel(R.Left + 4 + x, R.Top + 3 + y), expected) << x << "," << y;
            black += mark.Pixel(x, y) == clBlack;
        }
    EXPECT_GT(black, 0);
}

class ImageItems : public SkinMenu {
  protected:
    void SetUp() override {
        SkinMenu::SetUp();
        TBitmap green(16, 16);
        green.Canvas().Brush().SetColor(clLime);
        green.Canvas().FillRect(Rect(0, 0, 16, 16));
        images = new TImageList(root.get());
        images->AddMasked(green, clFuchsia);
        menu->SetImages(images);
        menu->SetUIStyle(TskUIStyle::DeepBlue);
    }
    TImageList* images = nullptr;
};

TEST_F(ImageItems, CheckedItemWithAnImageSitsOnAFramedFilledSquare) {
    TMenuItem* item = Add("Image");
    item->SetChecked(true);
    item->SetImageIndex(0);
    Draw(item);
    const int x = R.Left + 4;
    EXPECT_EQ(target.Pixel(x - 2, R.Top + 10), clBlack);
    EXPECT_EQ(target.Pixel(x + 16, R.Top + 10), clBlack);
    EXPECT_EQ(target.Pixel(x + 5, R.Top + 1), clBlack);
    EXPECT_EQ(target.Pixel(x + 5, R.Top + 19), clBlack);
    EXPECT_EQ(target.Pixel(x - 1, R.Top + 10), menu->SelectedColor());
    EXPECT_EQ(target.Pixel(x + 5, R.Top + 2), menu->SelectedColor());
    EXPECT_EQ(target.Pixel(x, R.Top + 3), clLime);
    EXPECT_EQ(target.Pixel(x + 15, R.Top + 18), clLime);
    EXPECT_EQ(target.Pixel(x - 3, R.Top + 10), menu->BarColor());
}

TEST_F(ImageItems, AnIndexOutsideTheListIsNoImageAndKeepsTheCheckMark) {
    TMenuItem* item = Add("Odd index");
    item->SetChecked(true);
    for (int index : {-2, 1}) {
        item->SetImageIndex(index);
        Draw(item);
        EXPECT_EQ(target.Pixel(R.Left + 2, R.Top + 10), menu->BarColor()) << "no frame, " << index;
        int black = 0;
        for (int y = R.Top + 3; y < R.Top + 19; ++y)
            for (int x = R.Left + 4; x < R.Left + 20; ++x)
                black += target.Pixel(x, y) == clBlack;
        EXPECT_GT(black, 0) << "the check mark, " << index;
    }
}

TEST_F(SkinMenu, SelectedItemIsFilledAndFramedButADisabledOneLooksUnselectedInGrey) {
    TMenuItem* item = Add("Selected");
    menu->SetUIStyle(TskUIStyle::WinXP);
    Draw(item, true);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), menu->SelectedBorderColor());
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Bottom - 1), menu->SelectedBorderColor());
    EXPECT_EQ(target.Pixel(R.Left + 1, R.Top + 1), menu->SelectedColor());

    item->SetEnabled(false);
    Draw(item, true);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), menu->BarColor());
    EXPECT_EQ(target.Pixel(R.Left + 100, R.Top + 1), menu->Color());
    int grey = 0;
    for (const TPoint& p : Ink(item, true)) {
        EXPECT_NE(target.Pixel(p.X, p.Y), menu->SelectedColor());
        grey += target.Pixel(p.X, p.Y) == 0x808080;
    }
    EXPECT_GT(grey, 0);
}

TEST_F(SkinMenu, MacOSItemsAreDrawnFromTheMenuPictures) {
    menu->SetUIStyle(TskUIStyle::MacOS);
    TMenuItem* item = Add("Mac");
    TMenuItem* line = Add("-");
    TBitmap bar, select;
    bar.LoadFromResourceName("MACOS_MENU_BAR");
    select.LoadFromResourceName("MACOS_MENU_SELECT");
    Draw(item);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), bar.Pixel(0, 0));
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Bottom - 1), bar.Pixel(0, 19)) << "20 rows of 22";
    Draw(item, true);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), select.Pixel(0, 0));
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Bottom - 1), select.Pixel(0, 19));
    Draw(line, false, Rect(10, 5, 210, 17));
    EXPECT_EQ(target.Pixel(R.Left, 5), bar.Pixel(0, 0));
    EXPECT_EQ(target.Pixel(R.Left, 16), bar.Pixel(0, 11)) << "12 rows";
}

TEST_F(SkinMenu, DefaultItemIsBoldInEveryStyleAndMeasuredSo) {
    TMenuItem* plain = Add("Default item");
    TMenuItem* bold = Add("Default item");
    bold->SetDefault(true);
    for (TskUIStyle style : {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                             TskUIStyle::Protein, TskUIStyle::BlueGlass}) {
        menu->SetUIStyle(style);
        for (bool system : {true, false}) {
            menu->SetUseSystemFont(system);
            EXPECT_GT(Ink(bold).size(), Ink(plain).size()) << static_cast<int>(style);
            EXPECT_GT(Measure(bold).X, Measure(plain).X) << static_cast<int>(style);
        }
    }
}

TEST_F(SkinMenu, ShortCutTextEndsSixteenPixelsBeforeTheRightEdge) {
    menu->SetUIStyle(TskUIStyle::DeepBlue);
    TMenuItem* item = Add("");
    Draw(item);
    TBitmap blank;
    blank.Assign(target);
    item->SetShortCut(scCtrl | 'S');
    EXPECT_EQ(ShortCutToText(item->ShortCut()), "Ctrl+S");
    Draw(item);
    int left = R.Right, right = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (target.Pixel(x, y) != blank.Pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const int width = target.Canvas().TextWidth("Ctrl+S");
    EXPECT_LE(right, R.Right - 16);
    EXPECT_GE(left, R.Right - 16 - width);
    EXPECT_LE(left, R.Right - 16 - width + 2);
}

// ------------------------------------------------------------------ handlers

TEST(SkinMenuHandlers, ReachOnlyTheSkinnedMenusOwnItemsAlsoThoseAddedLater) {
    const std::unique_ptr<MenuForm> read =
        ReadMenuForm("  object Plain: TPopupMenu\n"
                     "    object Row: TMenuItem\n      Caption = '------'\n    end\n"
                     "    object Line: TMenuItem\n      Caption = '-'\n    end\n"
                     "  end\n"
                     "  object Skinned: TskPopupMenu\n"
                     "    object Open: TMenuItem\n      Caption = '&Open'\n"
                     "      object Sub: TMenuItem\n        Caption = 'Sub'\n      end\n"
                     "    end\n"
                     "  end\n");
    MenuForm& form = *read;
    auto* plain = static_cast<TPopupMenu*>(form.FindComponent("Plain"));
    auto* skinned = static_cast<TskPopupMenu*>(form.FindComponent("Skinned"));
    for (const char* name : {"Row", "Line"}) {
        auto* item = static_cast<TMenuItem*>(form.FindComponent(name));
        EXPECT_FALSE(item->OnDrawItem) << name;
        EXPECT_FALSE(item->OnMeasureItem) << name;
    }
    EXPECT_TRUE(static_cast<TMenuItem*>(form.FindComponent("Open"))->OnDrawItem);
    EXPECT_TRUE(static_cast<TMenuItem*>(form.FindComponent("Sub"))->OnMeasureItem);

    auto* later = new TMenuItem(&form);
    later->SetCaption("Later");
    skinned->Items()->Items(0)->Add(later);
    EXPECT_TRUE(later->OnDrawItem);
    auto* plainLater = new TMenuItem(&form);
    plain->Items()->Add(plainLater);
    EXPECT_FALSE(plainLater->OnDrawItem);

    // The plain menu stays text: its hyphen row is a row, its line a line.
    MenuHandle handle(CreatePopupMenu());
    plain->Items()->AppendTo(handle);
    char text[32] = {};
    GetMenuStringA(handle.Get(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "------");
    EXPECT_EQ(GetMenuState(handle.Get(), 1, MF_BYPOSITION) & (MF_SEPARATOR | MF_OWNERDRAW),
              static_cast<UINT>(MF_SEPARATOR));

    // An item leaving the skinned menu leaves its handlers behind.
    plain->Items()->Add(later);
    EXPECT_FALSE(later->OnDrawItem);
}

TEST(SkinMenuHandlers, ItemsKeepNoHandlerOfAMenuThatIsGone) {
    TForm form(nullptr);
    auto* item = new TMenuItem(&form);
    auto* menu = new TskPopupMenu(&form);
    menu->Items()->Add(item);
    ASSERT_TRUE(item->OnDrawItem);
    delete menu;
    EXPECT_FALSE(item->OnDrawItem);
    EXPECT_FALSE(item->OnMeasureItem);
}

// ------------------------------------------------------------------ owner-draw messages

class OwnerDrawMessages : public SkinMenu {
  protected:
    void SetUp() override {
        SkinMenu::SetUp();
        menu->SetUIStyle(TskUIStyle::DeepBlue);
        open = Add("&Open");
        sub = Add("&Recent");
        Add("Sub item", sub);
        line = Add("-");
        other = Add("&Other");
        handle.Reset(CreatePopupMenu());
        menu->Items()->AppendTo(handle);
    }
    MENUITEMINFOA Info(int position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
        GetMenuItemInfoA(handle.Get(), static_cast<UINT>(position), TRUE, &info);
        return info;
    }
    LRESULT MenuChar(char key) {
        return SendMessageA(menu->Window(), WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP),
                            reinterpret_cast<LPARAM>(handle.Get()));
    }
    TMenuItem *open = nullptr, *sub = nullptr, *line = nullptr, *other = nullptr;
    MenuHandle handle;
};

TEST_F(OwnerDrawMessages, SubMenuEntriesAndSeparatorsAreOwnerDrawnAndFoundByItemData) {
    const MENUITEMINFOA popup = Info(1);
    ASSERT_TRUE(popup.hSubMenu);
    EXPECT_TRUE(popup.fType & MFT_OWNERDRAW);
    const MENUITEMINFOA separator = Info(2);
    EXPECT_EQ(separator.fType & (MFT_OWNERDRAW | MFT_SEPARATOR),
              static_cast<UINT>(MFT_OWNERDRAW | MFT_SEPARATOR));

    // The system names an entry with a sub-menu by the sub-menu's handle.
    const auto subMenuId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup.hSubMenu));
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, subMenuId, 0, 0, popup.dwItemData};
    ASSERT_TRUE(
        SendMessageA(menu->Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemHeight, 21u);
    MEASUREITEMSTRUCT measureLine{ODT_MENU, 0, separator.wID, 0, 0, separator.dwItemData};
    SendMessageA(menu->Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measureLine));
    EXPECT_EQ(measureLine.itemHeight, 5u);

    target.SetSize(R.Right, R.Bottom);
    DRAWITEMSTRUCT draw{ODT_MENU,
                        0,
                        subMenuId,
                        ODA_DRAWENTIRE,
                        ODS_SELECTED,
                        nullptr,
                        target.Canvas().Handle(),
                        {R.Left, R.Top, R.Right, R.Bottom},
                        popup.dwItemData};
    ASSERT_TRUE(SendMessageA(menu->Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    EXPECT_EQ(target.Pixel(R.Left + 1, R.Top + 1), menu->SelectedColor());
}

TEST_F(OwnerDrawMessages, ItemDataThatNamesNoLiveItemIsLeftAlone) {
    static char notAnItem[64];
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, 123, 0, 7, reinterpret_cast<ULONG_PTR>(notAnItem)};
    EXPECT_FALSE(TMenuItem::DispatchOwnerDraw(WM_MEASUREITEM, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemHeight, 7u);
    const ULONG_PTR gone = Info(0).dwItemData;
    delete open;
    MEASUREITEMSTRUCT stale{ODT_MENU, 0, 0, 0, 7, gone};
    EXPECT_FALSE(TMenuItem::DispatchOwnerDraw(WM_MEASUREITEM, reinterpret_cast<LPARAM>(&stale)));
}

TEST_F(OwnerDrawMessages, MenuCharRunsTheOnlyItemOfThatLetterAndSelectsAmongSeveral) {
    EXPECT_EQ(MenuChar('r'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_LT(HIWORD(MenuChar('x')), MNC_EXECUTE) << "no match: the system's own answer";
    // Two items share O: the first, then the one after the highlighted one.
    EXPECT_EQ(MenuChar('o'), MAKELRESULT(0, MNC_SELECT));
    MENUITEMINFOA hilite{};
    hilite.cbSize = sizeof hilite;
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE;
    SetMenuItemInfoA(handle.Get(), 0, TRUE, &hilite);
    EXPECT_EQ(MenuChar('O'), MAKELRESULT(3, MNC_SELECT));
}

TEST_F(OwnerDrawMessages, AFormAnswersMenuCharForTheMenusItShows) {
    root->HandleNeeded();
    EXPECT_EQ(SendMessageA(root->Handle(), WM_MENUCHAR, MAKEWPARAM('r', MF_POPUP),
                           reinterpret_cast<LPARAM>(handle.Get())),
              MAKELRESULT(1, MNC_EXECUTE));
}

// ------------------------------------------------------------------ main menu

class RecordingHost : public TComponent, public TskMenuBarHost {
  public:
    using TComponent::TComponent;
    void RebuildMenuBar() override { calls.push_back("Rebuild"); }
    void RefreshMenuBar() override { calls.push_back("Refresh"); }
    void UpdateMenuBarFont() override { calls.push_back("Font"); }
    std::vector<std::string> calls;
};

TEST(SkinMainMenuForm, AsksItsFormToRebuildAfterLoadingAndToRefreshOnEveryChange) {
    TForm form(nullptr);
    auto* menu = new TskMainMenu(&form);
    auto* host = new RecordingHost(&form);
    auto* item = new TMenuItem(&form);
    menu->SetLoading(true);
    menu->Items()->Add(item);
    menu->SetSkinForm(host);
    item->OnDrawItem = nullptr;
    host->calls.clear();
    menu->Loaded();
    EXPECT_TRUE(item->OnDrawItem) << "handlers first";
    EXPECT_EQ(host->calls, std::vector<std::string>{"Rebuild"});

    host->calls.clear();
    item->SetCaption("&File");
    item->SetEnabled(false);
    menu->SetUseSystemFont(false);
    EXPECT_EQ(host->calls, (std::vector<std::string>{"Refresh", "Refresh", "Font"}));

    delete host;
    EXPECT_EQ(menu->SkinForm(), nullptr);
    item->SetCaption("Edit"); // nobody left to ask
}

TEST(SkinMainMenuForm, OffAFormChangesAreNotReported) {
    TComponent owner(nullptr);
    auto* menu = new TskMainMenu(&owner);
    RecordingHost host(nullptr);
    menu->SetSkinForm(&host);
    auto* item = new TMenuItem(&owner);
    menu->Items()->Add(item);
    item->SetCaption("File");
    EXPECT_TRUE(host.calls.empty());
    menu->SetSkinForm(nullptr);
}

TEST(SkinMainMenuForm, TakesTheFormsNativeMenuAndDrawsCheckMarksFromItsOwnList) {
    TForm form(nullptr);
    auto* native = new TMainMenu(&form);
    form.SetMenu(native);
    auto* menu = new TskMainMenu(&form);
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_TRUE(menu->OwnerDraw());
    auto* item = new TMenuItem(&form);
    item->SetChecked(true);
    menu->Items()->Add(item);
    TBitmap target(R.Right, R.Bottom);
    item->OnDrawItem(item, target.Canvas(), R, false);
    int black = 0;
    for (int y = R.Top + 3; y < R.Top + 19; ++y)
        for (int x = R.Left + 4; x < R.Left + 20; ++x)
            black += target.Pixel(x, y) == clBlack;
    EXPECT_GT(black, 0);
}

// ------------------------------------------------------------------ styles from descriptions and
// files

TEST(SkinMenuStyle, StoredValuesOverrideTheThemeExceptTheMacOSHeights) {
    const std::unique_ptr<MenuForm> read =
        ReadMenuForm("  object Mac: TskPopupMenu\n    UIStyle = MacOS\n"
                     "    MenuItemHeight = 30\n    Color = clRed\n  end\n"
                     "  object Xp: TskMainMenu\n    UIStyle = WinXP\n"
                     "    MenuItemHeight = 30\n    BarWidth = 0\n  end\n");
    MenuForm& form = *read;
    auto* mac = static_cast<TskPopupMenu*>(form.FindComponent("Mac"));
    auto* xp = static_cast<TskMainMenu*>(form.FindComponent("Xp"));
    EXPECT_EQ(mac->MenuItemHeight(), 20);
    EXPECT_EQ(mac->Color(), clRed);
    EXPECT_EQ(xp->MenuItemHeight(), 30);
    EXPECT_EQ(xp->BarWidth(), 0);
    EXPECT_EQ(xp->SelectedColor(),
              ThemeColor(TskUIStyle::WinXP, ThemeElement::MenuSelectedBackgroundColor));
}

TEST(SkinMenuStyle, FromThemeFileTakesTheFilesColoursAndTurnsDeepBlueWhenTheThemeGoes) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "menu-colours.skin";
    {
        const std::vector<uint8_t> bytes = BuildSkinImage(
            {IntItem("MenuBarColor", 0x0000FF), IntItem("MenuBackgroundColor", 0x00FF00)});
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    TForm form(nullptr);
    auto* theme = new TskFileTheme(&form);
    theme->SetThemeFile(path);
    auto* menu = new TskPopupMenu(&form);
    menu->SetFileTheme(theme);
    menu->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(menu->BarColor(), 0x0000FF);
    EXPECT_EQ(menu->Color(), 0x00FF00);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    delete theme;
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(menu->Color(), ThemeColor(TskUIStyle::DeepBlue, ThemeElement::MenuBackgroundColor));
    std::remove(path.c_str());
}

// ------------------------------------------------------------------ handles

TEST_F(SkinMenu, TenThousandItemDrawsLeaveTheGdiObjectCountFlat) {
    TBitmap green(16, 16);
    auto* images = new TImageList(root.get());
    images->AddMasked(green, clFuchsia);
    menu->SetImages(images);
    std::vector<TMenuItem*> items{Add("&Plain"), Add("-"), Add("Default"), Add("Checked"),
                                  Add("Image")};
    items[2]->SetDefault(true);
    items[3]->SetChecked(true);
    items[4]->SetImageIndex(0);
    items[4]->SetEnabled(false);
    target.SetSize(R.Right, R.Bottom);
    const TskUIStyle styles[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue};
    const auto drawRound = [&](int i) {
        menu->SetUIStyle(styles[i % 3]);
        menu->SetUseSystemFont(i % 2 == 0);
        for (TMenuItem* item : items)
            item->OnDrawItem(item, target.Canvas(), R, i % 4 == 0);
    };
    for (int i = 0; i < 6; ++i)
        drawRound(i); // every cached picture and list is made
    const int before = LiveGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 2000; ++i)
        drawRound(i);
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace
