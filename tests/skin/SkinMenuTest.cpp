// The skinned menus: measures and off-screen draws checked against positions
// computed here, handlers on the menu's own items only, the owner-draw and
// WM_MENUCHAR messages by item data, the main menu's requests to its form,
// and flat handle counts over many draws.

#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "skin/SkinMainMenu.h"
#include "skin/SkinPopupMenu.h"
#include "tests/support/GdiCount.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const TRect R = Rect(10, 5, 210, 26); // an item away from the canvas origin

class SkinMenu : public testing::Test {
  protected:
    void SetUp() override { menu = new TskPopupMenu(&root); }
    TMenuItem* Add(const std::string& caption, TMenuItem* parent = nullptr) {
        auto* item = new TMenuItem(&root);
        item->SetCaption(caption);
        (parent ? parent : menu->Items())->Add(item);
        return item;
    }
    void Draw(TMenuItem* item, bool selected = false) {
        target.SetSize(R.Right + 10, R.Bottom + 10);
        ASSERT_TRUE(item->OnDrawItem);
        item->OnDrawItem(item, target.Canvas(), R, selected);
    }
    int Height(TMenuItem* item) { return Measure(item).Y; }
    TPoint Measure(TMenuItem* item) {
        TBitmap scratch(1, 1);
        int width = 0, height = 0;
        item->OnMeasureItem(item, scratch.Canvas(), width, height);
        return {width, height};
    }
    // Pixels that differ from the item drawn without its caption.
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
    int Count(TColor color, int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += target.Pixel(x, y) == color;
        return n;
    }
    TForm root{nullptr};
    TskPopupMenu* menu = nullptr;
    TBitmap target;
};

TEST_F(SkinMenu, HeightsFollowTheStyleAndOnlyASingleHyphenIsASeparator) {
    TMenuItem* item = Add("--");
    TMenuItem* line = Add("-");
    menu->SetUIStyle(TskUIStyle::MacOS);
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(30);
    EXPECT_EQ(Height(item), 20);
    EXPECT_EQ(Height(line), 12);
    menu->SetUIStyle(TskUIStyle::WinXP);
    menu->SetMenuItemHeight(30);
    EXPECT_EQ(Height(item), 30);
    menu->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(Height(item), 21);
    EXPECT_EQ(Height(line), 5);
    // Negative sizes would wrap in the system's unsigned fields.
    menu->SetMenuItemHeight(-5);
    menu->SetSeparatorHeight(-1);
    EXPECT_EQ(Height(item), 0);
    EXPECT_EQ(Height(line), 0);
    EXPECT_EQ(menu->MenuItemHeight(), -5);
}

TEST_F(SkinMenu, SeparatorLineStartsFourPixelsPastTheBarAndANegativeBarIsNone) {
    TMenuItem* line = Add("-");
    TMenuItem* dashes = Add("--");
    menu->SetUIStyle(TskUIStyle::DeepBlue);
    const TColor body = menu->Color(), separator = menu->SeparatorColor();
    Draw(line);
    EXPECT_EQ(target.Pixel(R.Left + 25, R.Top), menu->BarColor());
    EXPECT_EQ(target.Pixel(R.Left + 29, R.Top + 2), body);
    EXPECT_EQ(target.Pixel(R.Left + 30, R.Top + 2), separator);
    EXPECT_EQ(target.Pixel(R.Right - 3, R.Top + 2), separator);
    EXPECT_EQ(target.Pixel(R.Right - 2, R.Top + 2), body);
    Draw(dashes);
    EXPECT_EQ(target.Pixel(R.Left + 100, R.Top + 2), body) << "\"--\" has no line";
    menu->SetBarWidth(-30);
    Draw(line);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), body);
    EXPECT_EQ(target.Pixel(R.Left + 4, R.Top + 2), separator);
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Top), body);
    const int negative = Measure(line).X;
    menu->SetBarWidth(0);
    EXPECT_EQ(Measure(line).X, negative);
}

TEST_F(SkinMenu, CaptionStartsFourPixelsAfterTheBarOrTheEdgeWithoutOne) {
    menu->SetUIStyle(TskUIStyle::Protein);
    menu->SetUseSystemFont(false);
    menu->SetFontName("Arial");
    menu->SetFontSize(10);
    TMenuItem* item = Add("Wide");
    // Where the text's first ink falls when drawn 4 pixels into the item.
    TBitmap reference(R.Right, R.Bottom);
    reference.Canvas().FillRect(Rect(0, 0, R.Right, R.Bottom));
    reference.Canvas().Font().SetName("Arial");
    reference.Canvas().Font().SetSize(10);
    TRect at = Rect(R.Left + 4, R.Top + 4, R.Right, R.Bottom);
    reference.Canvas().DrawText("Wide", at, DT_SINGLELINE);
    int expected = R.Right;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (reference.Pixel(x, y) != clWhite) expected = std::min(expected, x);
    const auto leftmost = [&] {
        int left = R.Right;
        for (const TPoint& p : Ink(item))
            left = std::min(left, p.X);
        return left;
    };
    EXPECT_EQ(leftmost(), expected + 26);
    menu->SetBarWidth(0);
    EXPECT_EQ(leftmost(), expected);
    EXPECT_EQ(target.Pixel(R.Left, R.Top + 10), menu->Color()) << "no bar";
}

TEST_F(SkinMenu, CheckMarkAtLeftPlusFourOrTheImageOnAFramedFilledSquare) {
    menu->SetUIStyle(TskUIStyle::WinXP);
    TMenuItem* item = Add("Checked");
    item->SetChecked(true);
    TBitmap mark;
    mark.LoadFromResourceName("MENU_CHECKED");
    Draw(item);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(target.Pixel(R.Left + 4 + x, R.Top + 3 + y),
                      mark.Pixel(x, y) == clWhite ? menu->BarColor() : mark.Pixel(x, y));

    TBitmap green(16, 16);
    green.Canvas().Brush().SetColor(clLime);
    green.Canvas().FillRect(Rect(0, 0, 16, 16));
    auto* images = new TImageList(&root);
    images->AddMasked(green, clFuchsia);
    menu->SetImages(images);
    item->SetImageIndex(0);
    Draw(item);
    const int x = R.Left + 4, y = R.Top;
    EXPECT_EQ(target.Pixel(x - 2, y + 10), clBlack);
    EXPECT_EQ(target.Pixel(x + 16, y + 10), clBlack);
    EXPECT_EQ(target.Pixel(x + 5, y + 1), clBlack);
    EXPECT_EQ(target.Pixel(x + 5, y + 19), clBlack);
    EXPECT_EQ(target.Pixel(x - 1, y + 10), menu->SelectedColor());
    EXPECT_EQ(target.Pixel(x + 5, y + 2), menu->SelectedColor());
    EXPECT_EQ(Count(clLime, x, y + 3, x + 16, y + 19), 256);
    // Only an index inside the list names an image.
    for (int index : {-2, 1}) {
        item->SetImageIndex(index);
        Draw(item);
        EXPECT_EQ(target.Pixel(x - 2, y + 10), menu->BarColor()) << index;
        EXPECT_GT(Count(clBlack, x, y + 3, x + 16, y + 19), 0) << index;
    }
}

TEST_F(SkinMenu, SelectedItemIsFramedButADisabledOneLooksUnselectedInGrey) {
    menu->SetUIStyle(TskUIStyle::WinXP);
    TMenuItem* item = Add("Selected");
    Draw(item, true);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), menu->SelectedBorderColor());
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Bottom - 1), menu->SelectedBorderColor());
    EXPECT_EQ(target.Pixel(R.Left + 1, R.Top + 1), menu->SelectedColor());
    item->SetEnabled(false);
    const std::vector<TPoint> ink = Ink(item, true);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), menu->BarColor());
    EXPECT_EQ(Count(menu->SelectedColor(), R.Left, R.Top, R.Right, R.Bottom), 0);
    int grey = 0;
    for (const TPoint& p : ink)
        grey += target.Pixel(p.X, p.Y) == 0x808080;
    EXPECT_GT(grey, 0);
}

TEST_F(SkinMenu, MacOSDrawsItsMenuPicturesCutToTwentyRows) {
    menu->SetUIStyle(TskUIStyle::MacOS);
    TMenuItem* item = Add("Mac");
    TBitmap bar, select;
    bar.LoadFromResourceName("MACOS_MENU_BAR");
    select.LoadFromResourceName("MACOS_MENU_SELECT");
    Draw(item);
    EXPECT_EQ(target.Pixel(R.Left, R.Top), bar.Pixel(0, 0));
    EXPECT_EQ(target.Pixel(R.Left, R.Bottom - 1), bar.Pixel(0, 19));
    Draw(item, true);
    EXPECT_EQ(target.Pixel(R.Right - 1, R.Bottom - 1), select.Pixel(0, 19));
}

TEST_F(SkinMenu, DefaultItemIsBoldInEveryStyleAndMeasuredSo) {
    TMenuItem* plain = Add("Default item");
    TMenuItem* bold = Add("Default item");
    bold->SetDefault(true);
    for (int style = 1; style <= 5; ++style) {
        menu->SetUIStyle(static_cast<TskUIStyle>(style));
        for (bool system : {true, false}) {
            menu->SetUseSystemFont(system);
            EXPECT_GT(Ink(bold).size(), Ink(plain).size()) << style;
            EXPECT_GT(Measure(bold).X, Measure(plain).X) << style;
        }
    }
}

TEST_F(SkinMenu, TenThousandItemDrawsLeaveTheGdiObjectCountFlat) {
    auto* images = new TImageList(&root);
    TBitmap picture(16, 16);
    images->AddMasked(picture, clFuchsia);
    menu->SetImages(images);
    std::vector<TMenuItem*> items{Add("&Plain"), Add("-"), Add("Default"), Add("Checked"),
                                  Add("Image")};
    items[2]->SetDefault(true);
    items[3]->SetChecked(true);
    items[4]->SetImageIndex(0);
    items[4]->SetEnabled(false);
    target.SetSize(R.Right, R.Bottom);
    const auto round = [&](int i) {
        menu->SetUIStyle(i % 3 == 0 ? TskUIStyle::MacOS : TskUIStyle::WinXP);
        menu->SetUseSystemFont(i % 2 == 0);
        for (TMenuItem* item : items)
            item->OnDrawItem(item, target.Canvas(), R, i % 4 == 0);
    };
    for (int i = 0; i < 12; ++i)
        round(i); // the shared pictures and lists are made now
    const int before = LiveGdiObjects();
    for (int i = 0; i < 2000; ++i)
        round(i);
    EXPECT_EQ(LiveGdiObjects(), before);
}

// Wine cannot be made right to left, so the mirrored layout is checked as arithmetic.
TEST(SkinMenuLayout, MirroredLayoutPutsTheBarRightAndTheTextBeforeIt) {
    const TskMenuItemLayout l = LayoutMenuItem(R, 26, false, 30);
    EXPECT_EQ(l.Bar, Rect(R.Right - 26, R.Top, R.Right, R.Bottom));
    EXPECT_EQ(l.Caption, Rect(R.Left, R.Top + 4, R.Right - 30, R.Bottom));
    EXPECT_EQ(l.ShortCut.X, R.Left + 16);
    EXPECT_EQ(l.CheckFrame, Rect(R.Right - 22, R.Top + 1, R.Right - 3, R.Top + 20));
}

// ------------------------------------------------------------------ whose items

class MenuForm : public TForm {
    DECLARE_PUBLISHED(MenuForm, TForm)
  public:
    using TForm::TForm;
};

const ClassInfo& MenuForm::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<MenuForm>().Build();
    return info;
}

TEST(SkinMenuHandlers, ReachOnlyTheSkinnedMenusOwnItemsAlsoThoseAddedLater) {
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    MenuForm form(nullptr);
    ReadComponentFromText(&form, "object Form: MenuForm\n"
                                 "  object Plain: TPopupMenu\n"
                                 "    object Row: TMenuItem\n      Caption = '------'\n    end\n"
                                 "  end\n"
                                 "  object Skinned: TskPopupMenu\n"
                                 "    object Open: TMenuItem\n"
                                 "      object Sub: TMenuItem\n      end\n"
                                 "    end\n"
                                 "  end\n"
                                 "end\n");
    const auto item = [&](const char* name) {
        return static_cast<TMenuItem*>(form.FindComponent(name));
    };
    auto* plain = static_cast<TPopupMenu*>(form.FindComponent("Plain"));
    EXPECT_FALSE(item("Row")->OnDrawItem);
    EXPECT_TRUE(item("Open")->OnDrawItem);
    EXPECT_TRUE(item("Sub")->OnMeasureItem);
    auto* later = new TMenuItem(&form);
    item("Open")->Add(later);
    EXPECT_TRUE(later->OnDrawItem);
    // The plain menu's hyphen row stays a text row.
    MenuHandle handle(CreatePopupMenu());
    plain->Items()->AppendTo(handle);
    char text[32] = {};
    GetMenuStringA(handle.Get(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "------");
    // Items that leave the menu, or outlive it, keep none of its handlers.
    plain->Items()->Add(later);
    EXPECT_FALSE(later->OnDrawItem);
    delete form.FindComponent("Skinned");
    EXPECT_FALSE(item("Open")->OnDrawItem);
}

class OwnerDrawMessages : public SkinMenu {
  protected:
    void SetUp() override {
        SkinMenu::SetUp();
        Add("&Open");
        TMenuItem* recent = Add("&Recent");
        Add("Sub item", recent);
        recent->SetDefault(true);
        Add("-");
        Add("&Other");
        menu->Items()->AppendTo(handle);
    }
    MENUITEMINFOA Info(int position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        GetMenuItemInfoA(handle.Get(), static_cast<UINT>(position), TRUE, &info);
        return info;
    }
    UINT MeasuredHeight(UINT id, ULONG_PTR data) {
        MEASUREITEMSTRUCT measure{ODT_MENU, 0, id, 0, 7, data};
        SendMessageA(menu->Window(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        return measure.itemHeight;
    }
    LRESULT MenuChar(HWND window, char key) {
        return SendMessageA(window, WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP),
                            reinterpret_cast<LPARAM>(handle.Get()));
    }
    MenuHandle handle{CreatePopupMenu()};
};

TEST_F(OwnerDrawMessages, EntriesAreFoundByItemDataAndOneWithSubItemsCanBeTheDefault) {
    const MENUITEMINFOA popup = Info(1), line = Info(2);
    ASSERT_TRUE(popup.hSubMenu);
    EXPECT_TRUE(popup.fType & MFT_OWNERDRAW);
    EXPECT_EQ(line.fType & (MFT_OWNERDRAW | MFT_SEPARATOR), UINT(MFT_OWNERDRAW | MFT_SEPARATOR));
    // The system names an entry with a sub-menu by the sub-menu's handle.
    const auto subMenuId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup.hSubMenu));
    EXPECT_EQ(MeasuredHeight(subMenuId, popup.dwItemData), 21u);
    EXPECT_EQ(MeasuredHeight(0, line.dwItemData), 5u);
    EXPECT_EQ(GetMenuDefaultItem(handle.Get(), TRUE, 0), 1u);
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
    SendMessageA(menu->Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(target.Pixel(R.Left + 1, R.Top + 1), menu->SelectedColor());
    // Data that names no live item is looked up, never followed.
    static char notAnItem[64];
    EXPECT_EQ(MeasuredHeight(0, reinterpret_cast<ULONG_PTR>(notAnItem)), 7u);
    const ULONG_PTR first = Info(0).dwItemData;
    delete menu->Items()->Items(0);
    EXPECT_EQ(MeasuredHeight(0, first), 7u);
}

TEST_F(OwnerDrawMessages, MenuCharRunsTheOnlyItemOfThatLetterAndSelectsAmongSeveral) {
    EXPECT_EQ(MenuChar(menu->Window(), 'r'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_LT(HIWORD(MenuChar(menu->Window(), 'x')), MNC_EXECUTE);
    EXPECT_EQ(MenuChar(menu->Window(), 'o'), MAKELRESULT(0, MNC_SELECT));
    MENUITEMINFOA hilite{};
    hilite.cbSize = sizeof hilite;
    hilite.fMask = MIIM_STATE;
    hilite.fState = MFS_HILITE;
    SetMenuItemInfoA(handle.Get(), 0, TRUE, &hilite);
    EXPECT_EQ(MenuChar(menu->Window(), 'O'), MAKELRESULT(3, MNC_SELECT));
    root.HandleNeeded(); // a form answers for the menus it shows
    EXPECT_EQ(MenuChar(root.Handle(), 'r'), MAKELRESULT(1, MNC_EXECUTE));
}

// ------------------------------------------------------------------ main menu

class RecordingHost : public TComponent, public TskMenuBarHost {
  public:
    using TComponent::TComponent;
    void RebuildMenuBar() override { calls += "Rebuild "; }
    void RefreshMenuBar() override { calls += "Refresh "; }
    void UpdateMenuBarFont() override { calls += "Font "; }
    std::string calls;
};

TEST(SkinMainMenuForm, AsksItsFormToRebuildAfterLoadingAndToRefreshOnEveryChange) {
    TForm form(nullptr);
    form.SetMenu(new TMainMenu(&form));
    auto* menu = new TskMainMenu(&form);
    EXPECT_EQ(form.Menu(), nullptr) << "the native menu bar never shows";
    auto* host = new RecordingHost(&form);
    auto* item = new TMenuItem(&form);
    menu->Items()->Add(item);
    item->OnDrawItem = nullptr;
    menu->SetSkinForm(host);
    menu->Loaded();
    EXPECT_TRUE(item->OnDrawItem);
    item->SetCaption("&File");
    menu->SetUseSystemFont(false);
    EXPECT_EQ(host->calls, "Rebuild Refresh Font ");
    delete host;
    EXPECT_EQ(menu->SkinForm(), nullptr);
    item->SetChecked(true);
    TBitmap target(R.Right, R.Bottom); // drawn from its own check-mark list
    item->OnDrawItem(item, target.Canvas(), R, false);
    int black = 0;
    for (int y = R.Top + 3; y < R.Top + 19; ++y)
        for (int x = R.Left + 4; x < R.Left + 20; ++x)
            black += target.Pixel(x, y) == clBlack;
    EXPECT_GT(black, 0);
}

} // namespace
