// What the skinned button, check box and radio button paint in each of their
// looks, read back from an off-screen paint and compared with the theme's
// pictures at positions worked out here; and that painting leaks nothing.

#include "framework/Forms.h"
#include "skin/SkinButton.h"
#include "skin/SkinThemes.h"
#include "tests/support/GdiCount.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr TColor kGrey = 0x808080;

class SkinPaint : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(10, 10, 400, 300);
        form->SetColor(clBtnFace);
        form->HandleNeeded();
        form->Show();
        SetForegroundWindow(form->Handle());
    }
    template <class C> C* Make(int width, int height) {
        auto* control = new C(form.get());
        control->SetParent(form.get());
        control->SetBounds(8, 8, width, height);
        return control;
    }
    // The control's own paint, taken off screen.
    static std::unique_ptr<TBitmap> Painted(TWinControl* control) {
        auto shot = std::make_unique<TBitmap>(control->Width(), control->Height());
        SendMessageA(control->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(shot->Canvas().Handle()),
                     0);
        return shot;
    }
    static std::unique_ptr<TBitmap> Frame(TskUIStyle style, int element, int count, int n) {
        auto picture = std::make_unique<TBitmap>();
        GetThemeImage(style, element, picture.get(), count, n);
        return picture;
    }
    // Pixels of colour in shot, and the columns and rows they span.
    struct Ink {
        int count = 0;
        int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    };
    static Ink InkOf(const TBitmap& shot, TColor colour) {
        Ink ink;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (shot.Pixel(x, y) == colour) {
                    ++ink.count;
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                }
        return ink;
    }
    std::unique_ptr<TForm> form;
};

// ------------------------------------------------------------------ push button

TEST_F(SkinPaint, ButtonShowsTheThemeFrameOfEachState) {
    // An 84 x 23 MacOS frame stretched over 200 x 40 keeps its corners: the
    // top-left 42 x 11 corner is the frame pixel for pixel, and the centre
    // (42, 11)-(159, 29) is frame pixel (42, 11) stretched.
    auto* button = Make<TskButton>(200, 40);
    button->SetUIStyle(TskUIStyle::MacOS);
    button->SetTransparent(false);
    const auto expectFrame = [&](int n, const char* look) {
        const auto shot = Painted(button);
        const auto frame = Frame(TskUIStyle::MacOS, ThemeElement::ButtonImage, 3, n);
        EXPECT_EQ(shot->Pixel(20, 5), frame->Pixel(20, 5)) << look << ": top-left corner";
        EXPECT_EQ(shot->Pixel(100, 20), frame->Pixel(42, 11)) << look << ": stretched centre";
    };
    expectFrame(1, "normal");
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(button->MouseOn());
    expectFrame(2, "mouse over");
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(button->Pressed());
    expectFrame(3, "pressed");
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    button->SetEnabled(false);
    expectFrame(1, "disabled"); // the normal frame; only the caption and glyph change
}

TEST_F(SkinPaint, ButtonCaptionMovesWhenPressedAndIsEmbossedWhenDisabled) {
    auto* button = Make<TskButton>(81, 25);
    button->SetUIStyle(TskUIStyle::WinXP);
    button->SetCaption("Apply");
    button->Font()->SetColor(clBlue);
    const Ink normal = InkOf(*Painted(button), clBlue);
    ASSERT_GT(normal.count, 0);
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    const Ink pressed = InkOf(*Painted(button), clBlue);
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    button->SetEnabled(false);
    const auto disabled = Painted(button);
    EXPECT_EQ(InkOf(*disabled, clBlue).count, 0);
    const Ink grey = InkOf(*disabled, kGrey);
    EXPECT_EQ(grey.left, normal.left);
    EXPECT_EQ(grey.top, normal.top);
    EXPECT_EQ(disabled->Pixel(grey.right + 1, grey.bottom + 1), clWhite)
        << "the white copy lies one pixel lower right";
}

TEST_F(SkinPaint, FocusIsABoldCaptionUnderMacOSAndADottedFrameOtherwise) {
    auto* button = Make<TskButton>(81, 25);
    button->SetCaption("Apply");
    button->Font()->SetColor(clBlue);
    auto* other = Make<TskButton>(81, 25);
    other->SetLeft(120);
    for (TskUIStyle style : {TskUIStyle::MacOS, TskUIStyle::BlueGlass}) {
        button->SetUIStyle(style);
        other->SetFocus();
        const Ink plain = InkOf(*Painted(button), clBlue);
        button->SetFocus();
        ASSERT_TRUE(button->Focused());
        const Ink bold = InkOf(*Painted(button), clBlue);
        EXPECT_GT(bold.count, plain.count) << "bold strokes are wider";
        EXPECT_GE(bold.right - bold.left, plain.right - plain.left);
    }
    button->SetUIStyle(TskUIStyle::DeepBlue);
    button->SetFocusedRectMargin(3);
    other->SetFocus();
    const auto unfocused = Painted(button);
    button->SetFocus();
    const auto focused = Painted(button);
    // DrawFocusRect inverts every other pixel of the frame inset by the margin.
    int changed = 0;
    for (int x = 3; x < 81 - 3; ++x)
        changed += focused->Pixel(x, 3) != unfocused->Pixel(x, 3);
    EXPECT_GT(changed, 30);
    EXPECT_EQ(focused->Pixel(40, 1), unfocused->Pixel(40, 1)) << "nothing outside the margin";
}

TEST_F(SkinPaint, ALongCaptionWrapsOntoSeveralCentredLines) {
    auto* button = Make<TskButton>(70, 60);
    button->SetUIStyle(TskUIStyle::WinXP);
    button->SetCaption("Apply all these settings");
    button->Font()->SetColor(clBlue);
    const Ink ink = InkOf(*Painted(button), clBlue);
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(*button->Font());
    const int lineHeight = scratch.Canvas().TextHeight("W");
    EXPECT_GT(ink.bottom - ink.top + 1, lineHeight) << "more than one line";
    EXPECT_LE(ink.right - ink.left + 1, 70);
    const int leftGap = ink.left, rightGap = 70 - 1 - ink.right;
    EXPECT_LE(std::abs(leftGap - rightGap), 2) << "the block is centred";
}

TEST_F(SkinPaint, AOneFrameGlyphIsGreyedAndATwoFrameGlyphShowsItsSecondFrameWhenDisabled) {
    auto* button = Make<TskButton>(81, 25);
    button->SetUIStyle(TskUIStyle::WinXP);
    TBitmap glyph(12, 12); // magenta corner: the masked colour
    glyph.Canvas().Brush().SetColor(clRed);
    glyph.Canvas().FillRect(TRect{0, 0, 12, 12});
    glyph.SetPixel(0, 0, clFuchsia);
    button->SetGlyph(glyph);
    EXPECT_GT(InkOf(*Painted(button), clRed).count, 100);
    button->SetEnabled(false);
    EXPECT_EQ(InkOf(*Painted(button), clRed).count, 0) << "greyed, not red";

    TBitmap twoFrames(24, 12);
    twoFrames.Canvas().Brush().SetColor(clRed);
    twoFrames.Canvas().FillRect(TRect{0, 0, 12, 12});
    twoFrames.Canvas().Brush().SetColor(clLime);
    twoFrames.Canvas().FillRect(TRect{12, 0, 24, 12});
    twoFrames.SetPixel(0, 0, clFuchsia);
    twoFrames.SetPixel(12, 0, clFuchsia);
    button->SetGlyph(twoFrames);
    const auto disabled = Painted(button);
    EXPECT_EQ(InkOf(*disabled, clRed).count, 0);
    EXPECT_GT(InkOf(*disabled, clLime).count, 100) << "the disabled frame, not greyed";
    button->SetEnabled(true);
    EXPECT_EQ(InkOf(*Painted(button), clLime).count, 0);
}

// ------------------------------------------------------------------ check box and radio button

// The picture drawn at (1, py) must be frame n of the theme's strip.
void ExpectPictureFrame(const TBitmap& shot, const TBitmap& frame, bool keyedOut,
                        const char* look) {
    const int py = (shot.Height() - frame.Height()) / 2;
    const TColor key = frame.Pixel(0, frame.Height() - 1);
    int compared = 0, wrong = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            if (keyedOut && frame.Pixel(x, y) == key) continue;
            ++compared;
            wrong += shot.Pixel(1 + x, py + y) != frame.Pixel(x, y);
        }
    EXPECT_GT(compared, 50) << look;
    EXPECT_EQ(wrong, 0) << look;
}

TEST_F(SkinPaint, CheckBoxShowsTheFrameOfEachState) {
    auto* box = Make<TskCheckBox>(94, 21);
    box->SetUIStyle(TskUIStyle::MacOS);
    box->SetCaption("Enable Scaling");
    const int element = ThemeElement::CheckBoxImage;
    ExpectPictureFrame(*Painted(box), *Frame(TskUIStyle::MacOS, element, 4, 2), false, "unchecked");
    box->SetChecked(true);
    ExpectPictureFrame(*Painted(box), *Frame(TskUIStyle::MacOS, element, 4, 1), false, "checked");
    box->SetEnabled(false);
    ExpectPictureFrame(*Painted(box), *Frame(TskUIStyle::MacOS, element, 4, 3), false,
                       "checked, disabled");
    box->SetState(cbGrayed); // unchecks: there is no grey state
    ExpectPictureFrame(*Painted(box), *Frame(TskUIStyle::MacOS, element, 4, 4), false,
                       "grayed, disabled");
}

TEST_F(SkinPaint, DisabledCheckBoxKeepsItsCaptionColourAndFocusFramesTheCaption) {
    auto* box = Make<TskCheckBox>(94, 21);
    box->SetUIStyle(TskUIStyle::MacOS);
    box->SetCaption("Enable Scaling");
    box->Font()->SetColor(clBlue);
    const Ink enabled = InkOf(*Painted(box), clBlue);
    box->SetEnabled(false);
    const Ink disabled = InkOf(*Painted(box), clBlue);
    EXPECT_EQ(disabled.count, enabled.count);
    box->SetEnabled(true);
    auto* other = Make<TskCheckBox>(94, 21);
    other->SetLeft(150);
    other->SetFocus();
    const auto plain = Painted(box);
    box->SetFocus();
    const auto focused = Painted(box);
    // The dotted frame starts 3 pixels right of the 15-pixel picture.
    int changed = 0;
    for (int x = 0; x < box->Width(); ++x)
        changed += focused->Pixel(x, box->Height() / 2) != plain->Pixel(x, box->Height() / 2);
    EXPECT_GT(changed, 0);
    for (int y = 0; y < box->Height(); ++y)
        EXPECT_EQ(focused->Pixel(17, y), plain->Pixel(17, y)) << "nothing left of the frame";
}

TEST_F(SkinPaint, RadioButtonLeavesItsKeyColourOutAndShowsEachState) {
    auto* radio = Make<TskRadioButton>(94, 21);
    radio->SetUIStyle(TskUIStyle::MacOS);
    radio->SetCaption("800x480x32");
    const int element = ThemeElement::RadioButtonImage;
    ExpectPictureFrame(*Painted(radio), *Frame(TskUIStyle::MacOS, element, 4, 2), true,
                       "unchecked");
    radio->SetChecked(true);
    const auto checked = Painted(radio);
    ExpectPictureFrame(*checked, *Frame(TskUIStyle::MacOS, element, 4, 1), true, "checked");
    EXPECT_EQ(InkOf(*checked, clFuchsia).count, 0) << "the magenta corners are see-through";
    radio->SetEnabled(false);
    ExpectPictureFrame(*Painted(radio), *Frame(TskUIStyle::MacOS, element, 4, 3), true,
                       "checked, disabled");
}

TEST_F(SkinPaint, APropertyWriteRepaintsAtOnce) {
    auto* box = Make<TskCheckBox>(94, 21);
    box->SetUIStyle(TskUIStyle::MacOS);
    UpdateWindow(box->Handle());
    box->SetChecked(true);
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(box->Handle(), &pending, FALSE)) << "nothing left to paint later";
    auto* button = Make<TskButton>(81, 25);
    UpdateWindow(button->Handle());
    button->SetCaption("Now");
    EXPECT_FALSE(GetUpdateRect(button->Handle(), &pending, FALSE));
}

TEST_F(SkinPaint, TenThousandPaintsLeaveTheGdiObjectsAsTheyWere) {
    auto* button = Make<TskButton>(81, 25);
    button->SetUIStyle(TskUIStyle::MacOS);
    button->SetCaption("Apply");
    TBitmap glyph(12, 12);
    button->SetGlyph(glyph);
    auto* box = Make<TskCheckBox>(94, 21);
    box->SetUIStyle(TskUIStyle::MacOS);
    box->SetCaption("Enable Scaling");
    auto* radio = Make<TskRadioButton>(94, 21);
    radio->SetUIStyle(TskUIStyle::MacOS);
    TBitmap shot(100, 30);
    HDC dc = shot.Canvas().Handle();
    std::vector<TWinControl*> controls{button, box, radio};
    for (TWinControl* c : controls) // warm up
        SendMessageA(c->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    const int before = LiveGdiObjects();
    for (int i = 0; i < 10000; ++i) {
        if (i == 5000) button->SetEnabled(false); // the greyed paths too
        SendMessageA(controls[i % 3]->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace
