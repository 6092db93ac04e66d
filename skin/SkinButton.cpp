#include "skin/SkinButton.h"

#include "framework/Exceptions.h"
#include "framework/ImageList.h"
#include "framework/Strings.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"

#include <algorithm>
#include <cctype>

namespace {
TPoint MeasureText(const TFont& font, const std::string& text) {
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(font);
    return scratch.Canvas().TextExtent(text);
}

// The character after a single '&', upper-cased; 0 when there is none.
char Accelerator(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

bool IsAccelerator(char key, const std::string& caption) {
    const char accel = Accelerator(caption);
    return accel != 0 && accel == static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
}

// Transparent controls show their parent's colour until the skin helpers
// paint the parent's real background into the buffer.
TColor BackgroundColor(TControl& control, bool transparent) {
    if (transparent && control.Parent()) return control.Parent()->Color();
    return control.Color();
}
} // namespace

const TEnumInfo& ButtonLayoutNames() {
    static const TEnumInfo names{{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
    return names;
}

const TEnumInfo& CheckBoxStateNames() {
    static const TEnumInfo names{{"cbUnchecked", "cbChecked", "cbGrayed"}};
    return names;
}

TGlyphLayout LayoutGlyph(TButtonLayout layout, int w, int h, int tw, int th, int gw, int gh,
                         int s) {
    TGlyphLayout r;
    switch (layout) {
    case blGlyphLeft:
        r.Glyph = {(w - (tw + gw + s)) / 2, (h - gh) / 2};
        r.Text = {r.Glyph.X + gw + s, (h - th) / 2};
        break;
    case blGlyphRight:
        r.Glyph = {(w + tw + s - gw) / 2, (h - gh) / 2};
        r.Text = {r.Glyph.X - tw - s, (h - th) / 2};
        break;
    case blGlyphTop:
        r.Glyph = {(w - gw) / 2, (h - (th + gh + s)) / 2};
        r.Text = {(w - tw) / 2, r.Glyph.Y + gh + s};
        break;
    case blGlyphBottom:
        r.Glyph = {(w - gw) / 2, (h + th + s - gh) / 2};
        r.Text = {(w - tw) / 2, r.Glyph.Y - th - s};
        break;
    }
    return r;
}

bool ComponentLoading(const TComponent* component) {
    for (; component; component = component->Owner())
        if (component->Loading()) return true;
    return false;
}

// ---------------------------------------------------------------------------- TskCustomButton

const ClassInfo& TskCustomButton::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskCustomButton>()
            .Bool("AutoSize", &TskCustomButton::AutoSize, &TskCustomButton::SetAutoSize)
            .Bool("Cancel", &TskCustomButton::Cancel, &TskCustomButton::SetCancel)
            .Bool("Default", &TskCustomButton::Default, &TskCustomButton::SetDefault)
            .Int("FocusedRectMargin", &TskCustomButton::FocusedRectMargin,
                 &TskCustomButton::SetFocusedRectMargin)
            .Int("ModalResult", &TskCustomButton::ModalResult, &TskCustomButton::SetModalResult)
            .Int("MouseContinuouslyDownInterval", &TskCustomButton::MouseContinuouslyDownInterval,
                 &TskCustomButton::SetMouseContinuouslyDownInterval)
            .Bool("Transparent", &TskCustomButton::Transparent, &TskCustomButton::SetTransparent)
            .Reference<TskFileTheme>("FileTheme", &TskCustomButton::FileTheme,
                                     &TskCustomButton::SetFileTheme)
            .Enum("UIStyle", TskUIStyleInfo, &TskCustomButton::UIStyle,
                  &TskCustomButton::SetUIStyle)
            .Event("OnMouseContinuouslyDown", &TskCustomButton::OnMouseContinuouslyDown)
            .Event("OnMouseEnter", &TskCustomButton::OnMouseEnter)
            .Event("OnMouseExit", &TskCustomButton::OnMouseExit)
            .Build();
    return info;
}

TskCustomButton::TskCustomButton(TComponent* owner)
    : TCustomControl(owner), theme_(*this, [this] {
          UIStyleChanged();
          Repaint();
      }) {
    SetTabStop(true);
    SetDoubleBuffered(true);
    theme_.InitStyle(GetFormUIStyle(owner));
}

TskCustomButton::~TskCustomButton() {
    StopRepeat();
}

void TskCustomButton::SetAutoSize(bool value) {
    autoSize_ = value;
    UpdateAutoSize();
    Repaint();
}

void TskCustomButton::SetDefault(bool value) {
    default_ = value;
    if (!HandleAllocated()) return;
    // Every button works out again whether Enter belongs to it.
    if (TCustomForm* form = ParentForm()) form->FocusChanged(form->ActiveControl());
}

void TskCustomButton::SetTransparent(bool value) {
    transparent_ = value;
    TransparentChanged();
}

void TskCustomButton::TransparentChanged() {
    picTransparent_ = transparent_;
    Repaint();
}

void TskCustomButton::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    theme_.Removed(component, operation);
}

void TskCustomButton::SetFocusedRectMargin(int value) {
    focusedRectMargin_ = value;
    Repaint();
}

void TskCustomButton::UpdateAutoSize() {
    if (!autoSize_) return;
    // The built-in strip of the named style only: a skin file takes no part
    // here, and FromThemeFile gives an empty strip.
    TBitmap strip;
    GetThemeImage(UIStyle(), ThemeElement::ButtonImage, &strip, 0, 0);
    const int height = strip.Height() == 0 ? 21 : strip.Height();
    const int width = strip.Width() == 0 ? 74 : strip.Width();
    SetBounds(Left(), Top(), width / 3, height);
}

void TskCustomButton::FontChanged() {
    TCustomControl::FontChanged();
    Canvas().Font().Assign(*Font());
    Repaint();
}

void TskCustomButton::EnabledChanged() {
    Repaint();
}

void TskCustomButton::TextChanged() {
    Repaint();
    CaptionChanged();
}

void TskCustomButton::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.ClassStyle &= ~CS_DBLCLKS; // a double click is two clicks
}

void TskCustomButton::CreateWnd() {
    TCustomControl::CreateWnd();
    activeDefault_ = default_;
}

void TskCustomButton::StartRepeat() {
    if (repeatTimer_) return;
    repeatTimer_ = new TTimer(this);
    // A zero interval gives a timer that never fires.
    repeatTimer_->SetInterval(static_cast<unsigned>(std::max(repeatInterval_, 0)));
    repeatTimer_->OnTimer = [this](TObject*) {
        if (OnMouseContinuouslyDown) OnMouseContinuouslyDown(this);
    };
    repeatTimer_->SetEnabled(true);
}

void TskCustomButton::StopRepeat() {
    delete repeatTimer_;
    repeatTimer_ = nullptr;
}

void TskCustomButton::MouseEnter() {
    if (Designing()) return;
    mouseOn_ = true;
    Repaint();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TskCustomButton::MouseLeave() {
    mouseOn_ = false;
    pressed_ = false;
    StopRepeat();
    Repaint();
    if (OnMouseExit) OnMouseExit(this);
}

void TskCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft) {
        pressed_ = true;
        StartRepeat();
        if (TabStop() && CanFocus() && Enabled() && Visible()) SetFocus();
        Repaint();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TskCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (x < 0 || y < 0 || x > Width() || y > Height()) {
        // Dragged out: look normal at once; the repeat runs on until the leave.
        mouseOn_ = false;
        pressed_ = false;
        Repaint();
    }
}

void TskCustomButton::Click() {
    if (pressed_) {
        StopRepeat();
        pressed_ = false;
        Repaint();
    }
    if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TCustomControl::Click();
}

void TskCustomButton::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled()) {
        pressed_ = true;
        Repaint();
    }
}

void TskCustomButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && pressed_ && Enabled()) {
        pressed_ = false;
        Repaint();
        Click();
    }
}

bool TskCustomButton::DialogChar(char key) {
    if (IsAccelerator(key, Caption()) && Enabled()) {
        Click();
        return true;
    }
    return false;
}

bool TskCustomButton::DialogKey(WORD key, TShiftState shift) {
    const bool ours = (key == VK_RETURN && activeDefault_) || (key == VK_ESCAPE && cancel_);
    if (ours && (shift & (ssShift | ssCtrl | ssAlt)) == 0 && CanFocus()) {
        Click();
        return true;
    }
    return TCustomControl::DialogKey(key, shift);
}

void TskCustomButton::FocusChanged(TWinControl* focused) {
    // Enter belongs to the focused skinned button, else to the default one.
    if (dynamic_cast<TskButton*>(focused))
        activeDefault_ = focused == this;
    else
        activeDefault_ = default_;
    Repaint();
    TCustomControl::FocusChanged(focused);
}

void TskCustomButton::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    // The framework sets the text when an action changes it.
    if (message.Msg == WM_SETTEXT && HandleAllocated() && message.LParam) {
        const std::string text = reinterpret_cast<const char*>(message.LParam);
        if (text != Caption()) SetCaption(text);
    }
}

void TskCustomButton::GetButtonFrame(TBitmap& picture, int frame) {
    theme_.Source().GetImage(ThemeElement::ButtonImage, picture, 3, frame);
}

void TskCustomButton::Paint() {
    TBitmap picture;
    try {
        if (!Enabled())
            GetPicDisabled(picture);
        else if (pressed_)
            GetPicMouseDown(picture);
        else if (mouseOn_)
            GetPicMouseOn(picture);
        else
            GetPicNormal(picture);
    } catch (const Exception&) {
        picture.SetSize(74, 21); // a picture that cannot be loaded
    }
    picture.SetTransparent(picTransparent_);
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(BackgroundColor(*this, transparent_));
    canvas.FillRect(ClientRect());
    PaintPic(canvas, picture);
    if (Focused() && TabStop()) PaintFocus(canvas);
    canvas.Font().Assign(*Font());
    if (!Trim(Caption()).empty()) PaintText(canvas, Caption());
}

void TskCustomButton::PaintPic(TCanvas& canvas, TBitmap& picture) {
    if (picture.Empty()) return;
    // Unscaled, through an image list, which greys it on a disabled button; a
    // transparent picture leaves out the colour of its top-left pixel.
    TImageList list(picture.Width(), picture.Height());
    list.AddMasked(picture, picTransparent_ ? picture.Pixel(0, 0) : clNone);
    list.Draw(canvas, 0, 0, 0, Enabled());
}

void TskCustomButton::PaintText(TCanvas& canvas, const std::string& text) {
    canvas.Brush().SetStyle(bsClear);
    TRect r = ClientRect();
    canvas.Font().Assign(*Font());
    if (boldCaption_) canvas.Font().SetStyle(canvas.Font().Style() | FontStyle(fsBold));
    const auto centred = [&](TRect area) {
        TRect t = area;
        canvas.DrawText(text, t, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        const int dx = (area.Width() - t.Width()) / 2, dy = (area.Height() - t.Height()) / 2;
        t = TRect{t.Left + dx, t.Top + dy, t.Right + dx, t.Bottom + dy};
        canvas.DrawText(text, t, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
    };
    if (!Enabled()) {
        const TColor color = canvas.Font().Color();
        canvas.Font().SetColor(clWhite);
        centred(TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1});
        canvas.Font().SetColor(TColor(0x808080));
        (void)color;
    } else if (pressed_) {
        r = TRect{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    }
    centred(r);
    boldCaption_ = false;
}

void TskCustomButton::PaintFocus(TCanvas& canvas) {
    const int m = focusedRectMargin_;
    canvas.Brush().SetStyle(bsSolid);
    canvas.DrawFocusRect(TRect{m, m, ClientWidth() - m, ClientHeight() - m});
}

// ---------------------------------------------------------------------------- TskButton

const ClassInfo& TskButton::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskButton>()
            .Binary("Glyph", &TskButton::LoadGlyph, &TskButton::LoadGlyphResource)
            .Enum("Layout", ButtonLayoutNames(), &TskButton::Layout, &TskButton::SetLayout)
            .Int("ResHandle", &TskButton::ResHandle, &TskButton::SetResHandle)
            .Int("Spacing", &TskButton::Spacing, &TskButton::SetSpacing)
            .Build();
    return info;
}

TskButton::TskButton(TComponent* owner) : TskCustomButton(owner) {
    SetBounds(Left(), Top(), 80, 27);
    UIStyleChanged();
}

void TskButton::UIStyleChanged() {
    SetTransparent(
        TskThemeSource(FileTheme(), UIStyle()).GetBool(ThemeElement::ButtonTransparentBool));
}

void TskButton::SetGlyph(const TBitmap& glyph) {
    glyph_.Assign(glyph);
    Repaint();
}

void TskButton::LoadGlyph(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    glyph_.LoadFromStream(stream);
    Repaint();
}

void TskButton::LoadGlyphResource(const std::string& name) {
    glyph_.LoadFromResourceName(name);
    Repaint();
}

void TskButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Repaint();
}

void TskButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    Repaint();
}

void TskButton::PaintPic(TCanvas& canvas, TBitmap& picture) {
    canvas.Font().Assign(*Font());
    // The skin is stretched over the whole button.
    if (!picture.Empty()) DrawStretchedSkin(picture, canvas, ClientRect(), picTransparent_);
    if (glyph_.Empty()) return;
    const TPoint text = canvas.TextExtent(Caption());
    int gw = glyph_.Width();
    const int gh = glyph_.Height();
    const bool twoFrames = gw == 2 * gh;
    if (twoFrames) gw = gh;
    const TGlyphLayout at =
        LayoutGlyph(layout_, Width(), Height(), text.X, text.Y, gw, gh, spacing_);
    textPos_ = at.Text;
    TPoint g = at.Glyph;
    if (Pressed()) g = TPoint{g.X + 1, g.Y + 1};
    // The second frame of a two-frame glyph is its own disabled look; a
    // one-frame glyph is greyed instead.
    TImageList list(gw, gh);
    list.AddMasked(glyph_, glyph_.Pixel(0, 0));
    const bool disabledFrame = twoFrames && !Enabled();
    list.Draw(canvas, g.X, g.Y, disabledFrame ? 1 : 0, Enabled() || twoFrames);
}

void TskButton::PaintText(TCanvas& canvas, const std::string& text) {
    if (glyph_.Empty()) {
        TskCustomButton::PaintText(canvas, text);
        return;
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(*Font());
    if (!Enabled()) {
        canvas.Font().SetColor(clWhite);
        TRect shadow{textPos_.X + 1, textPos_.Y + 1, Width(), Height()};
        canvas.DrawText(text, shadow, DT_SINGLELINE);
        canvas.Font().SetColor(TColor(0x808080));
    } else if (Pressed()) {
        textPos_ = TPoint{textPos_.X + 1, textPos_.Y + 1};
    }
    TRect r{textPos_.X, textPos_.Y, Width(), Height()};
    canvas.DrawText(text, r, DT_SINGLELINE);
}

void TskButton::PaintFocus(TCanvas& canvas) {
    // These two themes show focus as a bold caption instead of a dotted frame.
    if (UIStyle() == TskUIStyle::MacOS || UIStyle() == TskUIStyle::BlueGlass)
        boldCaption_ = true;
    else
        TskCustomButton::PaintFocus(canvas);
}

// ---------------------------------------------------------------------------- TskCheckBox

const ClassInfo& TskCheckBox::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskCheckBox>()
            .Bool("AutoSize", &TskCheckBox::AutoSize, &TskCheckBox::SetAutoSize)
            .Bool("Checked", &TskCheckBox::Checked, &TskCheckBox::SetChecked)
            .Enum("State", CheckBoxStateNames(), &TskCheckBox::State, &TskCheckBox::SetState)
            .Bool("Transparent", &TskCheckBox::Transparent, &TskCheckBox::SetTransparent)
            .Reference<TskFileTheme>("FileTheme", &TskCheckBox::FileTheme,
                                     &TskCheckBox::SetFileTheme)
            .Enum("UIStyle", TskUIStyleInfo, &TskCheckBox::UIStyle, &TskCheckBox::SetUIStyle)
            .Build();
    return info;
}

TskCheckBox::TskCheckBox(TComponent* owner)
    : TCustomControl(owner), theme_(*this, [this] { Repaint(); }) {
    SetTabStop(true);
    SetDoubleBuffered(true);
    SetBounds(Left(), Top(), 93, 17);
    theme_.InitStyle(GetFormUIStyle(owner));
}

void TskCheckBox::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    Repaint();
    CheckedChanged();
}

void TskCheckBox::SetAutoSize(bool value) {
    autoSize_ = value;
    Repaint();
}

void TskCheckBox::SetTransparent(bool value) {
    transparent_ = value;
    Repaint();
}

void TskCheckBox::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    theme_.Removed(component, operation);
}

void TskCheckBox::GetPicture(TBitmap& picture) {
    const int frame = (checked_ ? 1 : 2) + (Enabled() ? 0 : 2);
    theme_.Source().GetImage(ThemeItem(), picture, 4, frame);
}

bool TskCheckBox::FocusVisible() {
    return TabStop() && Focused();
}

void TskCheckBox::NotifyClick() {
    if (!ComponentLoading(this) && OnClick) OnClick(this);
}

void TskCheckBox::CheckedChanged() {
    NotifyClick();
}

void TskCheckBox::Toggle() {
    BeforeToggle();
    SetChecked(!checked_);
}

// OnClick comes from the change of Checked, so a click fires it at most once.
void TskCheckBox::Click() {
    Toggle();
}

void TskCheckBox::TakeFocus() {
    if (CanFocus() && Enabled() && Visible()) SetFocus();
}

void TskCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft) TakeFocus();
}

void TskCheckBox::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled() && WantKeyClick()) {
        Repaint();
        Click();
    }
}

bool TskCheckBox::DialogChar(char key) {
    if (!IsAccelerator(key, Caption()) || !Enabled()) return false;
    TakeFocus();
    Click();
    return true;
}

void TskCheckBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.ClassStyle &= ~CS_DBLCLKS;
}

void TskCheckBox::GetPictureOrNone(TBitmap& picture) {
    // A picture that cannot be loaded leaves none: the caption still shows.
    try {
        GetPicture(picture);
    } catch (const Exception&) {
        picture.Clear();
    }
}

TPoint TskCheckBox::ExtentWith(const TBitmap& picture) {
    const int textHeight = MeasureText(*Font(), "W").Y;
    const int textWidth = MeasureText(*Font(), Caption()).X;
    return TPoint{picture.Width() + textWidth + 8, std::max(textHeight + 2, picture.Height()) + 4};
}

TPoint TskCheckBox::AutoSizeExtent() {
    TBitmap picture;
    GetPictureOrNone(picture);
    return ExtentWith(picture);
}

void TskCheckBox::Paint() {
    TBitmap pictureBitmap;
    GetPictureOrNone(pictureBitmap);
    if (IsPicTransparent()) {
        pictureBitmap.SetTransparentColorAuto(); // its bottom-left pixel
        pictureBitmap.SetTransparent(true);
    }
    if (autoSize_) {
        const TPoint size = ExtentWith(pictureBitmap);
        SetBounds(Left(), Top(), size.X, size.Y);
    }
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(*Font());
    canvas.Brush().SetColor(BackgroundColor(*this, transparent_));
    canvas.FillRect(ClientRect());

    const TPoint picture{pictureBitmap.Width(), pictureBitmap.Height()};
    const int textHeight = canvas.TextHeight("W");
    const int ty = (ClientHeight() - textHeight) / 2;
    const int py = (ClientHeight() - picture.Y) / 2;
    const bool rightToLeft = BiDiMode() == bdRightToLeft && GetSystemMetrics(SM_MIDEASTENABLED);
    const int px = rightToLeft ? Width() - picture.X - 1 : 1;

    if (!pictureBitmap.Empty()) canvas.Draw(px, py, pictureBitmap);

    canvas.Brush().SetStyle(bsClear);
    if (rightToLeft) {
        TRect r{0, ty, Width() - picture.X - 4, Height()};
        canvas.DrawText(Caption(), r, DT_SINGLELINE | DT_RIGHT);
    } else {
        TRect r{picture.X + 4, ty, Width(), Height()};
        canvas.DrawText(Caption(), r, DT_SINGLELINE | DT_LEFT);
    }
    if (FocusVisible()) {
        canvas.Brush().SetStyle(bsSolid);
        const TRect focus = rightToLeft ? TRect{0, ty, Width() - picture.X - 2, ty + textHeight + 2}
                                        : TRect{picture.X + 3, ty, Width(), ty + textHeight + 2};
        canvas.DrawFocusRect(focus);
    }
}

// ---------------------------------------------------------------------------- TskRadioButton

const ClassInfo& TskRadioButton::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TskRadioButton>()
            .Int("GroupIndex", &TskRadioButton::GroupIndex, &TskRadioButton::SetGroupIndex)
            .Build();
    return info;
}

void TskRadioButton::CreateParams(TCreateParams& params) {
    TskCheckBox::CreateParams(params);
    params.ClassStyle |= CS_DBLCLKS;
}

void TskRadioButton::CheckedChanged() {
    if (!Checked()) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TskRadioButton*>(parent->Controls(i));
            if (sibling && sibling != this && sibling->GroupIndex() == groupIndex_)
                sibling->SetChecked(false);
        }
    }
    NotifyClick();
}

void TskRadioButton::Toggle() {
    if (!Checked()) SetChecked(true);
}

void TskRadioButton::WndProc(TMessage& message) {
    TskCheckBox::WndProc(message);
    if (message.Msg != WM_SETFOCUS) return;
    // Arrow keys moving between the items of a radio group select as they go.
    HWND previous = reinterpret_cast<HWND>(message.WParam);
    char className[64] = {};
    if (previous && previous != Handle() && GetClassNameA(previous, className, sizeof className) &&
        std::string(className) == "TskRadioGroupButton")
        Click();
}
