#include "skin/SkinTitleBar.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "skin/SkinTitleBarLayout.h"

#include <algorithm>
#include <utility>

namespace {

// The system menu's captions.
const char* const SMinimize = "Mi&nimize";
const char* const SMaximizeRestore = "Ma&ximize/Restore";
const char* const SSeparator = "-";
const char* const SClose = "&Close";

// Menus of a right-to-left title bar open this far right of its left edge.
constexpr int RightToLeftMenuShift = 176;
// How far a skinned form's frame reaches over the title pictures.
constexpr int FrameOverlap = 3;
// How far a right-to-left caption keeps from the leftmost right-hand button.
constexpr int RightToLeftCaptionGap = 10;

bool RightToLeft(const TControl& control) {
    return control.BiDiMode() == bdRightToLeft && SystemLocaleRightToLeft();
}

// The main form minimizes the whole application, any other form only itself.
void MinimizeForm(TCustomForm& form) {
    if (Application && Application->MainForm() == &form)
        SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else
        form.SetWindowState(wsMinimized);
}

void LoadBitmapBytes(TBitmap& picture, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    picture.LoadFromStream(stream);
}

// The picture with its bottom-left pixel's colour left out when transparent.
void DrawButtonPicture(TCanvas& canvas, TPoint at, TBitmap& picture, bool transparent) {
    if (picture.Empty()) return;
    const int w = picture.Width(), h = picture.Height();
    HDC source = picture.Canvas().Handle();
    if (transparent)
        TransparentBlt(canvas.Handle(), at.X, at.Y, w, h, source, 0, 0, w, h,
                       ColorToRGB(picture.Pixel(0, h - 1)));
    else
        BitBlt(canvas.Handle(), at.X, at.Y, w, h, source, 0, 0, SRCCOPY);
}

} // namespace

const TEnumInfo& TskTitleBarBtnTypeNames() {
    static const TEnumInfo names{
        {"skMax", "skMin", "skClose", "skHelp", "skControlBox", "skCustom"}};
    return names;
}

const TEnumInfo& TskTitleBarAlignNames() {
    static const TEnumInfo names{{"skLeft", "skRight", "skClient"}};
    return names;
}

int FirstTitleButtonPicture(TskTitleBarBtnType type) {
    switch (type) {
    case skControlBox:
        return 1;
    case skHelp:
        return 4;
    case skMax:
        return 7;
    case skMin:
        return 13;
    case skClose:
        return 16;
    case skCustom:
        break;
    }
    return 0;
}

// ---------------------------------------------------------------------------- the collections

template <class Item>
TskTitleBarItems<Item>::TskTitleBarItems(TskTitleBar* titleBar)
    : TCollection([](TCollection* c) { return std::make_unique<Item>(c); }), titleBar_(titleBar) {
    if (titleBar) OnChange = [titleBar] { titleBar->Invalidate(); };
}

template class TskTitleBarItems<TskTitleBarButton>;
template class TskTitleBarItems<TskTitleBarSection>;

// ---------------------------------------------------------------------------- TskTitleBarButton

const ClassInfo& TskTitleBarButton::StaticClassInfo() {
    using B = TskTitleBarButton;
    static const ClassInfo info =
        ClassBuilder<B>()
            .Enum("UIStyle", TskUIStyleInfo, &B::UIStyle, &B::SetUIStyle)
            .Enum("ButtonType", TskTitleBarBtnTypeNames(), &B::ButtonType, &B::SetButtonType)
            .Bool("Transparent", &B::Transparent, &B::SetTransparent)
            .Int("Top", &B::Top, &B::SetTop)
            .Reference<TPopupMenu>("ControlBoxMenu", &B::ControlBoxMenu, &B::SetControlBoxMenu)
            .Bool("Visible", &B::Visible, &B::SetVisible)
            .Binary("PicNormal", &B::LoadStoredPicture<&B::picNormal_>,
                    &B::LoadPictureResource<&B::picNormal_>)
            .Binary("PicMouseOn", &B::LoadStoredPicture<&B::picMouseOn_>,
                    &B::LoadPictureResource<&B::picMouseOn_>)
            .Binary("PicMouseDown", &B::LoadStoredPicture<&B::picMouseDown_>,
                    &B::LoadPictureResource<&B::picMouseDown_>)
            .Build();
    return info;
}

TskTitleBarButton::TskTitleBarButton(TCollection* collection) : TCollectionItem(collection) {
    SetUIStyle(TskUIStyle::DeepBlue);
}

TskTitleBar* TskTitleBarButton::TitleBar() const {
    auto* buttons = dynamic_cast<TskTitleBarButtons*>(Collection());
    return buttons ? buttons->TitleBar() : nullptr;
}

void TskTitleBarButton::SetUIStyle(TskUIStyle style) {
    uiStyle_ = style;
    UpdatePictures();
    Changed();
}

void TskTitleBarButton::SetButtonType(TskTitleBarBtnType type) {
    if (type == skControlBox) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            auto* other = static_cast<TskTitleBarButton*>(Collection()->Items(i));
            if (other->buttonType_ == skControlBox) {
                ShowSkinRefusal(
                    "Sorry, only one button's ButtonType property can be \"skControlBox\"");
                return;
            }
        }
    }
    buttonType_ = type;
    UpdatePictures();
    Changed();
}

void TskTitleBarButton::SetTransparent(bool value) {
    transparent_ = value;
    Changed();
}

void TskTitleBarButton::SetTop(int value) {
    top_ = value;
    Changed();
}

void TskTitleBarButton::SetControlBoxMenu(TPopupMenu* menu) {
    TPopupMenu* previous = controlBoxMenu_;
    controlBoxMenu_ = menu;
    if (TskTitleBar* bar = TitleBar()) bar->ReferTo(previous, menu);
}

void TskTitleBarButton::SetVisible(bool value) {
    visible_ = value;
    Changed();
}

void TskTitleBarButton::SetPicNormal(const TBitmap& picture) {
    picNormal_.Assign(picture);
    Changed();
}

void TskTitleBarButton::SetPicMouseOn(const TBitmap& picture) {
    picMouseOn_.Assign(picture);
    Changed();
}

void TskTitleBarButton::SetPicMouseDown(const TBitmap& picture) {
    picMouseDown_.Assign(picture);
    Changed();
}

template <TBitmap TskTitleBarButton::*Picture>
void TskTitleBarButton::LoadStoredPicture(const std::vector<uint8_t>& bytes) {
    LoadBitmapBytes(this->*Picture, bytes);
    Changed();
}

template <TBitmap TskTitleBarButton::*Picture>
void TskTitleBarButton::LoadPictureResource(const std::string& name) {
    (this->*Picture).LoadFromResourceName(name);
    Changed();
}

TskThemeSource TskTitleBarButton::Source() const {
    const TskTitleBar* bar = TitleBar();
    return TskThemeSource(bar ? bar->FileTheme() : nullptr, uiStyle_);
}

void TskTitleBarButton::LoadPictures(int first) {
    TskTitleBar* bar = TitleBar();
    const TskThemeSource source = Source();
    TBitmap* const pictures[] = {&picNormal_, &picMouseOn_, &picMouseDown_};
    for (int k = 0; k < 3; ++k) {
        if (bar)
            bar->GetTitleButtonPicture(source, first + k, *pictures[k]);
        else
            source.GetImage(ThemeElement::TitleBarButtonImage, *pictures[k],
                            TitleButtonPictureCount, first + k);
    }
}

void TskTitleBarButton::UpdatePictures() {
    const TskThemeSource source = Source();
    transparent_ = source.GetBool(ThemeElement::TitleBarButtonTransparentBool);
    const int first = FirstTitleButtonPicture(buttonType_);
    if (first == 0) return;
    LoadPictures(first);
    top_ = source.GetInt(ThemeElement::TitleBarButtonTopInt);
    if (buttonType_ == skMax) UpdateMaxRestorePictures();
}

void TskTitleBarButton::UpdateMaxRestorePictures() {
    if (buttonType_ != skMax) return;
    const TskTitleBar* bar = TitleBar();
    if (bar && bar->Custom()) return;
    const TCustomForm* form = bar ? bar->ParentForm() : nullptr;
    const bool maximized = form && form->WindowState() == wsMaximized;
    LoadPictures(maximized ? RestorePictures : FirstTitleButtonPicture(skMax));
}

void TskTitleBarButton::DoAction() {
    TskTitleBar* bar = TitleBar();
    TCustomForm* form = bar ? bar->ParentForm() : nullptr;
    if (!form) return;
    switch (buttonType_) {
    case skMax:
        if (form->WindowState() == wsMaximized) {
            form->SetWindowState(wsNormal);
        } else {
            form->SetWindowState(wsMaximized);
            // On a frame the frame does this when the window's size changes.
            if (!bar->IsOnSkinnedForm()) {
                TRect area;
                GetWorkArea(area);
                form->SetBounds(area.Left - 2, area.Top - 2, area.Width() + 4, area.Height() + 1);
            }
        }
        UpdateMaxRestorePictures();
        break;
    case skMin:
        MinimizeForm(*form);
        break;
    case skClose:
        form->Close();
        break;
    case skControlBox:
        if (controlBoxMenu_) {
            TPoint at = bar->ClientToScreen(
                TPoint{RightToLeft(*bar) ? RightToLeftMenuShift : 0, bar->Height()});
            controlBoxMenu_->Popup(std::max(at.X, 0), at.Y);
        }
        break;
    case skHelp:
    case skCustom:
        break;
    }
}

void TskTitleBarButton::Assign(const TskTitleBarButton& source) {
    SetVisible(source.visible_);
    SetButtonType(source.buttonType_);
    // The style reloads Transparent and Top from the theme, so it goes before them.
    SetUIStyle(source.uiStyle_);
    SetTransparent(source.transparent_);
    SetTop(source.top_);
    SetPicNormal(source.picNormal_);
    SetPicMouseOn(source.picMouseOn_);
    SetPicMouseDown(source.picMouseDown_);
    SetControlBoxMenu(source.controlBoxMenu_);
}

// ---------------------------------------------------------------------------- TskTitleBarButtons

const ClassInfo& TskTitleBarButtons::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskTitleBarButtons>().Build();
    return info;
}

// ---------------------------------------------------------------------------- TskTitleBarSection

const ClassInfo& TskTitleBarSection::StaticClassInfo() {
    using S = TskTitleBarSection;
    static const ClassInfo info =
        ClassBuilder<S>()
            .Bool("AutoSize", &S::AutoSize, &S::SetAutoSize)
            .Int("Width", &S::Width, &S::SetWidth)
            .Enum("Align", TskTitleBarAlignNames(), &S::Align, &S::SetAlign)
            .Binary("Picture", &S::LoadStoredPicture, &S::LoadPictureResource)
            .Bool("Stretch", &S::Stretch, &S::SetStretch)
            .Build();
    return info;
}

TskTitleBarSection::TskTitleBarSection(TCollection* collection) : TCollectionItem(collection) {}

void TskTitleBarSection::SetAutoSize(bool value) {
    autoSize_ = value;
    if (!picture_.Empty()) width_ = picture_.Width();
    Changed();
}

void TskTitleBarSection::SetWidth(int value) {
    width_ = value;
    Changed();
}

void TskTitleBarSection::SetAlign(TskTitleBarAlign align) {
    if (align == skClient) {
        for (int i = 0; i < Collection()->Count(); ++i) {
            if (static_cast<TskTitleBarSection*>(Collection()->Items(i))->align_ == skClient) {
                ShowSkinRefusal("Sorry, only one section's Align property can be \"skClient\"");
                return;
            }
        }
        stretch_ = true;
    }
    align_ = align;
    Changed();
}

void TskTitleBarSection::SetPicture(const TBitmap& picture) {
    picture_.Assign(picture);
    PictureLoaded();
}

void TskTitleBarSection::LoadStoredPicture(const std::vector<uint8_t>& bytes) {
    LoadBitmapBytes(picture_, bytes);
    PictureLoaded();
}

void TskTitleBarSection::LoadPictureResource(const std::string& name) {
    picture_.LoadFromResourceName(name);
    PictureLoaded();
}

void TskTitleBarSection::PictureLoaded() {
    if (autoSize_) width_ = picture_.Width();
    Changed();
}

void TskTitleBarSection::SetStretch(bool value) {
    stretch_ = value || align_ == skClient;
    Changed();
}

void TskTitleBarSection::Assign(const TskTitleBarSection& source) {
    SetWidth(source.width_);
    SetAlign(source.align_);
    SetPicture(source.picture_);
    SetStretch(source.stretch_);
    SetAutoSize(source.autoSize_);
}

// ---------------------------------------------------------------------------- TskTitleBarSections

const ClassInfo& TskTitleBarSections::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskTitleBarSections>().Build();
    return info;
}

// ---------------------------------------------------------------------------- TskTitleBarPopupMenu

const ClassInfo& TskTitleBarPopupMenu::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TskTitleBarPopupMenu>().Build();
    return info;
}

TskTitleBarPopupMenu::TskTitleBarPopupMenu(TComponent* owner) : TskPopupMenu(owner) {
    AddItem(SMinimize, &TskTitleBarPopupMenu::MinimizeClick);
    AddItem(SMaximizeRestore, &TskTitleBarPopupMenu::MaximizeRestoreClick);
    AddItem(SSeparator, nullptr);
    AddItem(SClose, &TskTitleBarPopupMenu::CloseClick);
    AssignDrawHandlers();
}

TMenuItem* TskTitleBarPopupMenu::AddItem(const char* caption,
                                         void (TskTitleBarPopupMenu::*click)(TObject*)) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    if (click) item->OnClick = [this, click](TObject* sender) { (this->*click)(sender); };
    Items()->Add(item);
    return item;
}

bool TskTitleBarPopupMenu::ShowsButton(TskTitleBarBtnType type) const {
    if (!titleBar_) return false;
    for (int i = 0; i < titleBar_->Buttons()->Count(); ++i) {
        const TskTitleBarButton* b = titleBar_->Buttons()->Items(i);
        if (b->ButtonType() == type && b->Visible()) return true;
    }
    return false;
}

void TskTitleBarPopupMenu::Popup(int x, int y) {
    if (titleBar_ && RightToLeft(*titleBar_)) x += RightToLeftMenuShift;
    Items()->Items(0)->SetEnabled(ShowsButton(skMin));
    Items()->Items(1)->SetEnabled(ShowsButton(skMax));
    Items()->Items(3)->SetEnabled(ShowsButton(skClose));
    TskPopupMenu::Popup(x, y);
}

void TskTitleBarPopupMenu::MinimizeClick(TObject*) {
    TCustomForm* form = titleBar_ ? titleBar_->ParentForm() : nullptr;
    if (form && Application) MinimizeForm(*form);
}

void TskTitleBarPopupMenu::MaximizeRestoreClick(TObject*) {
    if (!titleBar_) return;
    for (int i = 0; i < titleBar_->Buttons()->Count(); ++i) {
        TskTitleBarButton* b = titleBar_->Buttons()->Items(i);
        if (b->ButtonType() == skMax && b->Visible()) b->DoAction();
    }
}

void TskTitleBarPopupMenu::CloseClick(TObject*) {
    if (TCustomForm* form = titleBar_ ? titleBar_->ParentForm() : nullptr) form->Close();
}

// ---------------------------------------------------------------------------- TskTitleBar

const ClassInfo& TskTitleBar::StaticClassInfo() {
    using T = TskTitleBar;
    static const ClassInfo info =
        ClassBuilder<T>()
            .Bool("Custom", &T::Custom, &T::SetCustom)
            .Reference<TskFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme)
            .Enum("UIStyle", TskUIStyleInfo, &T::UIStyle, &T::SetUIStyle)
            .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize)
            .Object("Sections", TPropKind::Collection, &T::Sections)
            .Object("Buttons", TPropKind::Collection, &T::Buttons)
            .Int("ButtonInterval", &T::ButtonInterval, &T::SetButtonInterval)
            .Bool("FormActive", &T::FormActive, &T::SetFormActive)
            .Int("LeftBtnXOffset", &T::LeftBtnXOffset, &T::SetLeftBtnXOffset)
            .Int("RightBtnXOffset", &T::RightBtnXOffset, &T::SetRightBtnXOffset)
            .Bool("DrawAppIcon", &T::DrawAppIcon, &T::SetDrawAppIcon)
            .Int("RoundCorner", &T::RoundCorner, &T::SetRoundCorner)
            .Int("RoundCornerBottom", &T::RoundCornerBottom, &T::SetRoundCornerBottom)
            .Event("OnCustomBtnsClick", &T::OnCustomBtnsClick)
            .Event("OnHelpBtnClick", &T::OnHelpBtnClick)
            .Build();
    return info;
}

TskTitleBar::TskTitleBar(TComponent* owner)
    : TCustomPanel(owner), theme_(*this, [this] { ApplyUIStyle(); }), sections_(this),
      buttons_(this) {
    SetDoubleBuffered(true);
    systemMenu_ = new TskTitleBarPopupMenu(this);
    systemMenu_->SetTitleBar(this);
    for (TskTitleBarBtnType type : {skControlBox, skClose, skMax, skMin})
        buttons_.Add()->SetButtonType(type);
    SetAlign(alTop);
    Font()->SetColor(clWhite);
    Font()->SetName("Tahoma");
    Font()->SetStyle(FontStyle(fsBold));
    SetUIStyle(GetFormUIStyle(owner));
}

TskTitleBar::~TskTitleBar() {
    BeginDestroy();
    delete std::exchange(systemMenu_, nullptr);
}

void TskTitleBar::SetParent(TWinControl* parent) {
    TCustomPanel::SetParent(parent);
    if (parent) SetBiDiMode(parent->BiDiMode());
}

bool TskTitleBar::IsOnSkinnedForm() const {
    return Parent() && IsSkinFormClass(Parent());
}

void TskTitleBar::SetFileTheme(TskFileTheme* theme) {
    keepFontColor_ = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{keepFontColor_};
    theme_.SetFileTheme(theme);
}

void TskTitleBar::ApplyUIStyle() {
    strips_.clear();
    // The system menu always reads the title bar's skin file, also while
    // Custom keeps everything else as it is.
    if (systemMenu_ && systemMenu_->FileTheme() != FileTheme())
        systemMenu_->SetFileTheme(FileTheme());
    if (custom_) return;
    sections_.Clear();
    const TskThemeSource source = theme_.Source();
    BuildSections(source);
    leftBtnXOffset_ = source.GetInt(ThemeElement::TitleBarButtonLeftOffsetInt);
    rightBtnXOffset_ = source.GetInt(ThemeElement::TitleBarButtonRightOffsetInt);
    captionBandHeight_ = TitleButtonStrip(source).Height();
    buttonTop_ =
        source.GetInt(ThemeElement::TitleBarButtonTopInt) - (IsOnSkinnedForm() ? FrameOverlap : 0);
    if (TCustomForm* form = ParentForm())
        form->Constraints()->SetMinWidth(source.GetInt(ThemeElement::FormMinWidthInt));
    roundCorner_ = source.GetInt(ThemeElement::FormRoundCornerInt);
    roundCornerBottom_ =
        source.UsesFile() ? source.GetInt(ThemeElement::FormBottomRoundCornerInt) : 0;
    for (int i = 0; i < buttons_.Count(); ++i)
        buttons_.Items(i)->SetUIStyle(source.Effective());
    if (systemMenu_) systemMenu_->SetUIStyle(source.Effective());
    if (!keepFontColor_) ApplyFontColor(source);
    SetAutoSize(true);
    Invalidate();
}

void TskTitleBar::BuildSections(const TskThemeSource& source) {
    TskTitleBarSection* left = sections_.Add();
    source.GetBitmap(ThemeElement::TitleBarLeftImage, *left->Picture());
    left->SetAutoSize(true);
    TskTitleBarSection* right = sections_.Add();
    source.GetBitmap(ThemeElement::TitleBarRightImage, *right->Picture());
    right->SetAutoSize(true);
    right->SetAlign(skRight);
    TskTitleBarSection* client = sections_.Add();
    source.GetBitmap(ThemeElement::TitleBarClientImage, *client->Picture());
    client->SetAlign(skClient);
}

void TskTitleBar::ApplyFontColor(const TskThemeSource& source) {
    TColor color = clWhite;
    if (UIStyle() == TskUIStyle::MacOS) {
        color = clBlack;
    } else if (source.UsesFile()) {
        color = source.GetColor(ThemeElement::TitleBarFontColor);
        if (color == -1) {
            switch (source.GetColor(ThemeElement::ControlFontColor)) {
            case 0x10000:
            case 0x30000:
            case 0x40000:
            case 0x50000:
                color = clBlack;
                break;
            default:
                color = clWhite;
            }
        }
    }
    Font()->SetColor(color);
}

TBitmap& TskTitleBar::TitleButtonStrip(const TskThemeSource& source) {
    auto [entry, fresh] = strips_.try_emplace(source.Effective());
    if (fresh) {
        try {
            source.GetBitmap(ThemeElement::TitleBarButtonImage, entry->second);
        } catch (...) {
            strips_.erase(entry);
            throw;
        }
    }
    return entry->second;
}

void TskTitleBar::GetTitleButtonPicture(const TskThemeSource& source, int picture,
                                        TBitmap& target) {
    ExtractFrame(TitleButtonStrip(source), target, TitleButtonPictureCount, picture);
}

void TskTitleBar::SetAutoSize(bool value) {
    autoSize_ = value;
    if (sections_.Count() == 0) {
        autoSize_ = false;
        return;
    }
    const int height =
        sections_.Items(0)->Picture()->Height() - (IsOnSkinnedForm() ? FrameOverlap : 0);
    SetHeight(std::max(height, 0));
}

void TskTitleBar::SetButtonInterval(int value) {
    buttonInterval_ = value;
    Invalidate();
}

void TskTitleBar::SetFormActive(bool value) {
    formActive_ = value;
    Invalidate();
}

void TskTitleBar::SetLeftBtnXOffset(int value) {
    leftBtnXOffset_ = value;
    Invalidate();
}

void TskTitleBar::SetRightBtnXOffset(int value) {
    rightBtnXOffset_ = value;
    Invalidate();
}

void TskTitleBar::SetDrawAppIcon(bool value) {
    drawAppIcon_ = value;
    Invalidate();
}

void TskTitleBar::RefreshMaxButtons() {
    for (int i = 0; i < buttons_.Count(); ++i)
        buttons_.Items(i)->UpdateMaxRestorePictures();
    Invalidate();
}

void TskTitleBar::ReferTo(TComponent* previous, TComponent* component) {
    if (previous && previous != component) {
        bool stillUsed = false;
        for (int i = 0; i < buttons_.Count(); ++i)
            stillUsed = stillUsed || buttons_.Items(i)->ControlBoxMenu() == previous;
        if (!stillUsed) {
            RemoveFreeNotification(previous);
            previous->RemoveFreeNotification(this);
        }
    }
    if (component) FreeNotification(component);
}

void TskTitleBar::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    // Nothing may keep pointing at a component that is gone.
    for (int i = 0; i < buttons_.Count(); ++i)
        if (buttons_.Items(i)->ControlBoxMenu() == component)
            buttons_.Items(i)->ForgetControlBoxMenu();
    if (component == systemMenu_) systemMenu_ = nullptr;
    theme_.Removed(component, operation);
}

int TskTitleBar::SideBorderWidth() {
    TCustomForm* form = ParentForm();
    if (!form || !form->HandleAllocated()) return 0;
    return static_cast<int>(SendMessageA(form->Handle(), SKM_SIDEBORDERWIDTH, 0, 0));
}

void TskTitleBar::Paint() {
    TBitmap* buffer = PaintBuffer();
    if (!buffer) return;
    buffer->Canvas().Brush().SetStyle(bsClear);
    buffer->Canvas().Font().Assign(*Font());
    PaintSections(*buffer);
    PaintButtonsAndCaption(*buffer);
}

void TskTitleBar::PaintSections(TBitmap& buffer) {
    TPoint origin{0, 0};
    if (IsOnSkinnedForm()) {
        // The pictures start at the window's outer corner, under the frame border.
        const int side = SideBorderWidth();
        origin = TPoint{side > 0 ? -side : -FrameOverlap, -FrameOverlap};
    }
    TCanvas& canvas = buffer.Canvas();
    const int count = sections_.Count();
    int left = origin.X, right = buffer.Width() - origin.X;
    if (count >= 1) {
        TBitmap& picture = *sections_.Items(0)->Picture();
        canvas.Draw(origin.X, origin.Y, picture);
        left = origin.X + picture.Width();
    }
    if (count >= 2) {
        TBitmap& picture = *sections_.Items(1)->Picture();
        right = buffer.Width() - picture.Width() - origin.X;
        canvas.Draw(right, origin.Y, picture);
    }
    if (count >= 3) {
        TBitmap& picture = *sections_.Items(2)->Picture();
        canvas.StretchDraw(Rect(left, origin.Y, right, origin.Y + picture.Height()), picture);
    }
}

TIcon* TskTitleBar::AppIcon() {
    HICON source =
        Application && !Application->Icon().Empty() ? Application->Icon().Handle() : nullptr;
    if (appIconLoaded_ && source == appIconSource_) return &appIcon_;
    // One copy, made again only when the application's icon changes.
    appIconLoaded_ = true;
    appIconSource_ = source;
    if (source) {
        appIcon_.SetHandle(static_cast<HICON>(CopyImage(source, IMAGE_ICON, TitleBarAppIconSize,
                                                        TitleBarAppIconSize, LR_COPYFROMRESOURCE)));
    } else {
        try {
            appIcon_.LoadFromResourceName("MAINICON", TitleBarAppIconSize);
        } catch (const EResNotFound&) {
            appIcon_.Clear();
        }
    }
    return &appIcon_;
}

void TskTitleBar::PaintButtonsAndCaption(TBitmap& buffer) {
    TskTitleBarMetrics metrics;
    metrics.BufferWidth = buffer.Width();
    metrics.SideBorder = SideBorderWidth();
    metrics.LeftBtnXOffset = leftBtnXOffset_;
    metrics.RightBtnXOffset = rightBtnXOffset_;
    metrics.ButtonInterval = buttonInterval_;
    metrics.ButtonTop = buttonTop_;
    metrics.DrawAppIcon = drawAppIcon_;
    std::vector<TskTitleButtonSlot> slots;
    for (int i = 0; i < buttons_.Count(); ++i) {
        TskTitleBarButton* b = buttons_.Items(i);
        slots.push_back(TskTitleButtonSlot{b->Visible(), b->ButtonType() == skControlBox,
                                           b->PicNormal()->Width(), b->PicNormal()->Height()});
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint pointer = ScreenToClient(TPoint{cursor.x, cursor.y});
    const TskTitleBarLayout layout = LayoutTitleBar(metrics, slots, pointer);
    hotButton_ = layout.HotButton;

    TCanvas& canvas = buffer.Canvas();
    for (int i = 0; i < buttons_.Count(); ++i) {
        TskTitleBarButton* b = buttons_.Items(i);
        if (!b->Visible()) continue;
        if (i == layout.ControlBox && drawAppIcon_) {
            canvas.Draw(layout.At[i].X, layout.At[i].Y, *AppIcon());
            continue;
        }
        TBitmap* picture = b->PicNormal();
        if (PointInRect(pointer, layout.Hit[i]))
            picture = mouseIsDown_ ? b->PicMouseDown() : b->PicMouseOn();
        DrawButtonPicture(canvas, layout.At[i], *picture, b->Transparent());
    }

    if (!formActive_) canvas.Font().SetColor(clInactiveCaption);
    const std::string text = FitCaption(
        Caption(), layout.RowLeft - layout.CaptionLeft,
        [&](const std::string& s) { return canvas.TextWidth(s); },
        [](unsigned char c) { return IsDBCSLeadByte(c) != 0; });
    if (text.empty()) return;
    const TPoint extent = canvas.TextExtent(text);
    const int y = CaptionTop(buttonTop_, captionBandHeight_, extent.Y);
    if (RightToLeft(*this))
        canvas.TextOut(layout.RowLeft - extent.X - RightToLeftCaptionGap, y, text);
    else
        canvas.TextOut(layout.CaptionLeft, y, text);
}

TskTitleBarButton* TskTitleBar::UsableHotButton() const {
    // The collection may have changed since the paint that found it.
    if (hotButton_ < 0 || hotButton_ >= buttons_.Count()) return nullptr;
    TskTitleBarButton* button = buttons_.Items(hotButton_);
    return button->Visible() ? button : nullptr;
}

void TskTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    mouseIsDown_ = true;
    // Painted at once, so HotButton is the button under the pointer.
    Repaint();
    TCustomForm* form = ParentForm();
    // The system moves the window only while the button is really down; a
    // press that is not would leave the window stuck to the pointer.
    if (form && hotButton_ == -1 && form->WindowState() != wsMaximized &&
        GetKeyState(VK_LBUTTON) < 0) {
        ReleaseCapture();
        SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        mouseIsDown_ = false;
    }
}

void TskTitleBar::MouseMove(TShiftState shift, int x, int y) {
    TCustomPanel::MouseMove(shift, x, y);
    Repaint();
}

void TskTitleBar::MouseLeave() {
    TCustomPanel::MouseLeave();
    Repaint();
}

void TskTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanel::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    // Only a release that ends a press on the title bar acts: a posted
    // button-up alone must not close the window.
    if (mouseIsDown_) {
        Repaint();
        if (TskTitleBarButton* hot = UsableHotButton()) ButtonClicked(*hot);
    }
    mouseIsDown_ = false;
    Repaint();
}

void TskTitleBar::ButtonClicked(TskTitleBarButton& button) {
    const TskTitleBarBtnType type = button.ButtonType();
    const int index = button.Index();
    if (type == skControlBox && !button.ControlBoxMenu()) {
        if (systemMenu_) {
            const TPoint at = ClientToScreen(TPoint{0, Height()});
            systemMenu_->Popup(at.X, at.Y);
        }
        return;
    }
    button.DoAction();
    if (OnCustomBtnsClick && type == skCustom)
        OnCustomBtnsClick(this, index);
    else if (OnHelpBtnClick && type == skHelp)
        OnHelpBtnClick(this, index);
}

void TskTitleBar::DblClick() {
    TCustomPanel::DblClick();
    if (hotButton_ == -1) {
        for (int i = 0; i < buttons_.Count(); ++i) {
            TskTitleBarButton* b = buttons_.Items(i);
            if (b->ButtonType() == skMax && b->Visible()) {
                b->DoAction();
                return;
            }
        }
        return;
    }
    TskTitleBarButton* hot = UsableHotButton();
    if (hot && hot->ButtonType() == skControlBox)
        if (TCustomForm* form = ParentForm()) form->Close();
}

void TskTitleBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        if (TCustomForm* form = ParentForm(); form && form->HandleAllocated()) {
            message.Result =
                SendMessageA(form->Handle(), message.Msg, message.WParam, message.LParam);
            return;
        }
        break;
    }
    TCustomPanel::WndProc(message);
}
