// State and events of the skinned button, check box, radio button and the
// check and radio groups, on real windows.

#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "skin/SkinButton.h"
#include "skin/SkinRadioGroup.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void PumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

TPoint TextExtentIn(const TFont& font, const std::string& text) {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(font);
    return scratch.Canvas().TextExtent(text);
}

class SkinControls : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(10, 10, 400, 300);
        form->HandleNeeded();
        form->Show();
        SetForegroundWindow(form->Handle());
    }
    template <class C> C* Make(TWinControl* parent = nullptr) {
        auto* control = new C(form.get());
        control->SetParent(parent ? parent : form.get());
        return control;
    }
    void LeftClick(TWinControl* control, int x = 3, int y = 3) {
        SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    std::unique_ptr<TForm> form;
};

// ------------------------------------------------------------------ check box

TEST_F(SkinControls, CheckBoxFiresOnClickOnlyWhenCheckedChanges) {
    auto* box = Make<TskCheckBox>();
    int clicks = 0;
    box->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, box);
        ++clicks;
    };
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinControls, CheckBoxStateIsAViewOfCheckedAndGrayedUnchecks) {
    auto* box = Make<TskCheckBox>();
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetState(cbChecked);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->State(), cbChecked);
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinControls, NoOnClickWhileTheFormIsLoading) {
    auto* box = Make<TskCheckBox>();
    auto* group = Make<TskRadioGroup>();
    group->Items()->SetStrings({"a", "b"});
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    group->OnClick = [&](TObject*) { ++clicks; };
    form->SetLoading(true);
    box->SetChecked(true);
    group->SetItemIndex(1);
    form->SetLoading(false);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SkinControls, MouseClickTogglesCheckBoxAndFiresOnce) {
    auto* box = Make<TskCheckBox>();
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    LeftClick(box);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    LeftClick(box);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(SkinControls, SpaceTogglesAFocusedCheckBoxButNotARadioButton) {
    auto* box = Make<TskCheckBox>();
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    SendMessageA(box->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(box->Checked());
    auto* radio = Make<TskRadioButton>();
    radio->SetFocus();
    ASSERT_TRUE(radio->Focused());
    SendMessageA(radio->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(radio->Checked());
}

TEST_F(SkinControls, AcceleratorFocusesAndClicksCheckBox) {
    auto* box = Make<TskCheckBox>();
    box->SetCaption("Enable &Scaling");
    EXPECT_FALSE(box->DialogChar('x'));
    EXPECT_TRUE(box->DialogChar('s'));
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused());
}

TEST_F(SkinControls, AutoSizeFitsPictureAndCaption) {
    auto* box = Make<TskCheckBox>();
    EXPECT_EQ(box->Width(), 93); // the size at creation, until the first paint
    EXPECT_EQ(box->Height(), 17);
    box->SetUIStyle(TskUIStyle::MacOS); // a write that repaints at once
    box->SetCaption("Enable Scaling");
    auto* radio = Make<TskRadioButton>();
    radio->SetUIStyle(TskUIStyle::MacOS);
    radio->SetCaption("800x600x32");
    box->Repaint();
    radio->Repaint();
    const TPoint text = TextExtentIn(*box->Font(), "Enable Scaling");
    const int lineHeight = TextExtentIn(*box->Font(), "W").Y;
    ASSERT_LE(lineHeight, 15);
    EXPECT_EQ(box->Width(), 15 + text.X + 8); // MacOS check box picture: 15 x 17
    EXPECT_EQ(box->Height(), 21);
    EXPECT_EQ(radio->Width(), 16 + TextExtentIn(*radio->Font(), "800x600x32").X + 8);
    EXPECT_EQ(radio->Height(), 21);
}

// ------------------------------------------------------------------ radio button

TEST_F(SkinControls, RadioButtonUnchecksOnlySiblingsOfItsGroupIndex) {
    auto* a = Make<TskRadioButton>();
    auto* b = Make<TskRadioButton>();
    auto* other = Make<TskRadioButton>();
    other->SetGroupIndex(1);
    auto* panel = Make<TskCheckGroup>();
    auto* elsewhere = Make<TskRadioButton>(panel);
    b->SetChecked(true);
    other->SetChecked(true);
    elsewhere->SetChecked(true);
    a->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(elsewhere->Checked());
}

TEST_F(SkinControls, ClickOnACheckedRadioButtonKeepsItAndFiresNothing) {
    auto* radio = Make<TskRadioButton>();
    int clicks = 0;
    radio->OnClick = [&](TObject*) { ++clicks; };
    LeftClick(radio);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 1);
    LeftClick(radio);
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 1);
}

// ------------------------------------------------------------------ push button

TEST_F(SkinControls, ButtonTakesItsSizeAndTransparencyFromTheTheme) {
    auto* button = Make<TskButton>();
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 27);
    button->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_TRUE(button->Transparent());
    button->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_FALSE(button->Transparent());
    button->SetUIStyle(TskUIStyle::MacOS);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 84); // a third of the 252 x 23 strip
    EXPECT_EQ(button->Height(), 23);
    button->SetUIStyle(TskUIStyle::FromThemeFile);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 21);
}

TEST_F(SkinControls, ButtonClickEndsThePressAndHandsItsModalResultToTheForm) {
    auto* button = Make<TskButton>();
    button->SetModalResult(7);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->Repeating());
    EXPECT_TRUE(button->Focused());
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->Repeating());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), 7);
}

TEST_F(SkinControls, ButtonDraggedOutLooksNormalAndReleasesWithoutClick) {
    auto* button = Make<TskButton>();
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_FALSE(button->Pressed());
    EXPECT_TRUE(button->Repeating()); // until the pointer leaves
    SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button->Repeating());
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(clicks, 0);
}

TEST_F(SkinControls, HeldButtonRepeatsAtItsInterval) {
    auto* button = Make<TskButton>();
    button->SetMouseContinuouslyDownInterval(50);
    int repeats = 0;
    button->OnMouseContinuouslyDown = [&](TObject*) { ++repeats; };
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpMessages(520);
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_GE(repeats, 5);
    EXPECT_LE(repeats, 11);
    const int afterRelease = repeats;
    PumpMessages(150);
    EXPECT_EQ(repeats, afterRelease);
}

TEST_F(SkinControls, EnterClicksTheDefaultButtonUnlessAnotherSkinnedButtonHasFocus) {
    auto* ok = Make<TskButton>();
    auto* other = Make<TskButton>();
    auto* box = Make<TskCheckBox>();
    ok->SetDefault(true);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    box->SetFocus();
    EXPECT_TRUE(form->DialogKey(VK_RETURN, 0));
    EXPECT_EQ(okClicks, 1);
    EXPECT_FALSE(form->DialogKey(VK_RETURN, ssCtrl));
    EXPECT_EQ(okClicks, 1);
    other->SetFocus();
    EXPECT_FALSE(ok->ActiveDefault());
    EXPECT_TRUE(other->ActiveDefault());
    form->DialogKey(VK_RETURN, 0);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(SkinControls, EscapeClicksTheCancelButtonAndAcceleratorClicksItsButton) {
    auto* cancel = Make<TskButton>();
    auto* apply = Make<TskButton>();
    apply->SetCaption("&Apply");
    int cancelClicks = 0, applyClicks = 0;
    cancel->OnClick = [&](TObject*) { ++cancelClicks; };
    apply->OnClick = [&](TObject*) { ++applyClicks; };
    EXPECT_FALSE(form->DialogKey(VK_ESCAPE, 0));
    cancel->SetCancel(true);
    EXPECT_TRUE(form->DialogKey(VK_ESCAPE, 0));
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_TRUE(form->DialogChar('a'));
    EXPECT_EQ(applyClicks, 1);
}

TEST(GlyphLayout, PlacesGlyphAndCaptionForEveryLayout) {
    // 81 x 25 button, caption 40 x 16, glyph 16 x 16, spacing 4.
    TGlyphLayout left = LayoutGlyph(blGlyphLeft, 81, 25, 40, 16, 16, 16, 4);
    EXPECT_EQ(left.Glyph.X, 10);
    EXPECT_EQ(left.Glyph.Y, 4);
    EXPECT_EQ(left.Text.X, 30);
    EXPECT_EQ(left.Text.Y, 4);
    TGlyphLayout right = LayoutGlyph(blGlyphRight, 81, 25, 40, 16, 16, 16, 4);
    EXPECT_EQ(right.Glyph.X, 54);
    EXPECT_EQ(right.Text.X, 10);
    TGlyphLayout top = LayoutGlyph(blGlyphTop, 81, 60, 40, 16, 16, 16, 4);
    EXPECT_EQ(top.Glyph.Y, 12);
    EXPECT_EQ(top.Text.Y, 32);
    EXPECT_EQ(top.Text.X, 20);
    TGlyphLayout bottom = LayoutGlyph(blGlyphBottom, 81, 60, 40, 16, 16, 16, 4);
    EXPECT_EQ(bottom.Glyph.Y, 32);
    EXPECT_EQ(bottom.Text.Y, 12);
    // Halving truncates toward zero when the content is wider than the button.
    EXPECT_EQ(LayoutGlyph(blGlyphLeft, 10, 25, 40, 16, 16, 16, 5).Glyph.X, -25);
}

// ------------------------------------------------------------------ groups

class Groups : public SkinControls {
  protected:
    TskRadioGroup* Resolution() {
        auto* group = Make<TskRadioGroup>();
        group->SetBounds(8, 48, 105, 161);
        group->Items()->SetStrings(
            {"1024x768x32", "800x600x32", "800x480x32", "1024x768x16", "800x600x16", "800x480x16"});
        return group;
    }
};

TEST_F(Groups, RadioGroupOfTheMainWindowPlacesItsSixItems) {
    TskRadioGroup* group = Resolution();
    ASSERT_EQ(group->ItemCount(), 6);
    const int tops[] = {20, 43, 66, 89, 112, 135};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(group->ItemButton(i)->Left(), 8) << i;
        EXPECT_EQ(group->ItemButton(i)->Top(), tops[i]) << i;
        EXPECT_EQ(group->ItemButton(i)->Parent(), group);
        EXPECT_FALSE(group->ItemButton(i)->TabStop());
        EXPECT_EQ(group->ItemButton(i)->ClassName(), "TskRadioGroupButton");
    }
}

TEST_F(Groups, CheckGroupOfTheMainWindowPlacesItsThreeItems) {
    auto* group = Make<TskCheckGroup>();
    group->SetBounds(120, 56, 137, 105);
    group->Items()->SetStrings({"Show Cap Lock", "Show Num Lock", "Show Scroll Lock"});
    const int tops[] = {19, 47, 75};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(group->ItemButton(i)->Left(), 8);
        EXPECT_EQ(group->ItemButton(i)->Top(), tops[i]);
        EXPECT_EQ(group->ItemButton(i)->Caption(), group->Items()->Strings(i));
    }
}

TEST_F(Groups, SevenItemsInTwoColumnsFillTheFirstColumnFirst) {
    auto* group = Make<TskCheckGroup>();
    group->SetBounds(0, 0, 200, 161);
    group->SetColumns(2);
    group->Items()->SetStrings({"a", "b", "c", "d", "e", "f", "g"});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(group->ItemButton(i)->Left(), 8);
    for (int i = 4; i < 7; ++i)
        EXPECT_EQ(group->ItemButton(i)->Left(), (200 - 10) / 2 + 8);
    EXPECT_EQ(group->ItemButton(4)->Top(), group->ItemButton(0)->Top());
    group->SetColumns(-1);
    group->SetTopMargin(-3);
    EXPECT_EQ(group->Columns(), 2);
    EXPECT_EQ(group->TopMargin(), 8);
}

TEST_F(Groups, ItemIndexReadsFirstCheckedAndIgnoresWritesOutOfRange) {
    TskRadioGroup* group = Resolution();
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(2);
    EXPECT_EQ(group->ItemIndex(), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(group->ItemChecked(i), i == 2) << i;
    group->SetItemIndex(4);
    EXPECT_EQ(group->ItemIndex(), 4);
    EXPECT_FALSE(group->ItemChecked(2));
    group->SetItemIndex(6);
    group->SetItemIndex(-2);
    EXPECT_EQ(group->ItemIndex(), 4);
    group->SetItemIndex(-1);
    EXPECT_EQ(group->ItemIndex(), -1);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(group->ItemChecked(i));
}

TEST_F(Groups, RadioGroupReportsEachNewSelectionOnce) {
    TskRadioGroup* group = Resolution();
    int clicks = 0;
    group->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, group);
        ++clicks;
    };
    group->SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    group->SetItemIndex(3); // item 1 unchecks silently
    EXPECT_EQ(clicks, 2);
    group->SetItemIndex(3);
    EXPECT_EQ(clicks, 2);
    LeftClick(group->ItemButton(5));
    EXPECT_EQ(group->ItemIndex(), 5);
    EXPECT_EQ(clicks, 3);
    group->SetItemIndex(-1);
    EXPECT_EQ(clicks, 3);
}

TEST_F(Groups, CheckGroupReportsEveryItemChange) {
    auto* group = Make<TskCheckGroup>();
    group->Items()->SetStrings({"Show Cap Lock", "Show Num Lock", "Show Scroll Lock"});
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->SetItemChecked(0, true);
    group->SetItemChecked(2, true);
    group->SetItemChecked(2, true);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(group->ItemChecked(0));
    EXPECT_FALSE(group->ItemChecked(1));
    EXPECT_TRUE(group->ItemChecked(2));
    LeftClick(group->ItemButton(1));
    EXPECT_TRUE(group->ItemChecked(1));
    group->SetItemChecked(0, false);
    EXPECT_EQ(clicks, 4);
}

TEST_F(Groups, ItemCheckedOutOfRangeReadsFalseAndRaisesOnWrite) {
    auto* group = Make<TskCheckGroup>();
    group->Items()->SetStrings({"a", "b", "c"});
    EXPECT_FALSE(group->ItemChecked(-1));
    EXPECT_FALSE(group->ItemChecked(3));
    try {
        group->SetItemChecked(3, true);
        FAIL() << "no error";
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (3)");
    }
    EXPECT_THROW(group->SetItemChecked(-1, true), EListError);
}

TEST_F(Groups, RemovingStringsFreesTheLastButtonsAndKeepsTheRest) {
    auto* group = Make<TskCheckGroup>();
    group->Items()->SetStrings({"a", "b", "c", "d"});
    group->SetItemChecked(0, true);
    group->SetItemChecked(3, true);
    TskCheckBox* first = group->ItemButton(0);
    group->Items()->SetStrings({"x", "y"});
    ASSERT_EQ(group->ItemCount(), 2);
    EXPECT_EQ(group->ItemButton(0), first);
    EXPECT_TRUE(group->ItemChecked(0));
    EXPECT_EQ(group->ItemButton(0)->Caption(), "x");
    EXPECT_EQ(group->ItemButton(1)->Caption(), "y");
    EXPECT_EQ(group->ControlCount(), 2);
}

TEST_F(Groups, UIStyleRecoloursTheGroupAndRestylesItsItems) {
    TskRadioGroup* group = Resolution();
    group->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(group->BorderColor(), TColor(0x686868));
    EXPECT_EQ(group->Font()->Color(), TColor(0xCF4602)); // 2,70,207
    for (int i = 0; i < group->ItemCount(); ++i)
        EXPECT_EQ(group->ItemButton(i)->UIStyle(), TskUIStyle::WinXP);
    group->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(group->BorderColor(), TColor(0x7F7F7F));
    EXPECT_EQ(group->Font()->Color(), clBlack);
}

TEST_F(Groups, TransparencyReachesEveryItem) {
    TskRadioGroup* group = Resolution();
    group->SetTransparent(true);
    for (int i = 0; i < group->ItemCount(); ++i)
        EXPECT_TRUE(group->ItemButton(i)->Transparent());
    group->Items()->Add("extra");
    EXPECT_TRUE(group->ItemButton(6)->Transparent());
}

} // namespace
