#pragma once
// The skinned title bar: a panel at the top of its window drawn from the
// theme's title pictures, with a row of title bar buttons, a control box that
// opens the system menu, and the caption; it drags, maximizes, minimizes and
// closes its form. Its buttons and picture sections are collections that are
// stored with the window's description.

#include "framework/Bitmap.h"
#include "framework/Component.h"
#include "framework/Icon.h"
#include "framework/Panel.h"
#include "skin/SkinPopupMenu.h"
#include "skin/SkinThemeLink.h"

#include <functional>
#include <map>

class TPopupMenu;
class TCustomForm;
class TskTitleBar;

// Asked of the title bar's form: the frame's side border width (0 for none).
constexpr UINT SKM_SIDEBORDERWIDTH = 9923;

enum TskTitleBarBtnType { skMax, skMin, skClose, skHelp, skControlBox, skCustom };
const TEnumInfo& TskTitleBarBtnTypeNames();
enum TskTitleBarAlign { skLeft, skRight, skClient };
const TEnumInfo& TskTitleBarAlignNames();

using TskTitleBarButtonClickEvent = std::function<void(TObject* sender, int ButtonIndex)>;

// The theme's title button strip holds 18 pictures: normal, mouse-on and
// pressed for each kind of button.
constexpr int TitleButtonPictureCount = 18;
// The first of a type's three pictures (1-based); 0 for skCustom, which takes none.
int FirstTitleButtonPicture(TskTitleBarBtnType type);
// skMax while its window is maximized shows the restore pictures.
constexpr int RestorePictures = 10;

// A collection of the title bar's items of one class: typed access, copies
// made item by item through the items' assignment, and a repaint of the
// title bar on every change. The title bar owns it; a free-standing one (no
// title bar) serves as a source to copy from.
template <class Item> class TskTitleBarItems : public TCollection {
  public:
    explicit TskTitleBarItems(TskTitleBar* titleBar);
    TskTitleBar* TitleBar() const { return titleBar_; }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }
    void Assign(const TskTitleBarItems& source) {
        if (&source == this) return;
        Clear();
        for (int i = 0; i < source.Count(); ++i)
            Add()->Assign(*source.Items(i));
    }

  private:
    TskTitleBar* titleBar_;
};

class TskTitleBarButton : public TCollectionItem {
    DECLARE_PUBLISHED(TskTitleBarButton, TCollectionItem)
  public:
    explicit TskTitleBarButton(TCollection* collection);

    TskUIStyle UIStyle() const { return uiStyle_; }
    void SetUIStyle(TskUIStyle style);
    TskTitleBarBtnType ButtonType() const { return buttonType_; }
    // A second control box is refused with a "Sorry" dialog.
    void SetButtonType(TskTitleBarBtnType type);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    int Top() const { return top_; }
    void SetTop(int value);
    TPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
    void SetControlBoxMenu(TPopupMenu* menu);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TBitmap* PicNormal() { return &picNormal_; }
    TBitmap* PicMouseOn() { return &picMouseOn_; }
    TBitmap* PicMouseDown() { return &picMouseDown_; }
    void SetPicNormal(const TBitmap& picture);
    void SetPicMouseOn(const TBitmap& picture);
    void SetPicMouseDown(const TBitmap& picture);

    // The title bar of the collection; nullptr for a free-standing collection.
    TskTitleBar* TitleBar() const;
    // Reloads the three pictures, Transparent and Top from the theme.
    void UpdatePictures();
    // skMax only: the maximize or restore pictures for the form's state.
    void UpdateMaxRestorePictures();
    // What a click on the button (or a menu command) does to the form.
    void DoAction();
    // Writers first (so the theme's pictures load), then the pictures.
    void Assign(const TskTitleBarButton& source);

  private:
    void ForgetControlBoxMenu() { controlBoxMenu_ = nullptr; }
    // Resolved from the title bar's skin file and this button's style.
    TskThemeSource Source() const;
    // Pictures first, first + 1 and first + 2 of the strip.
    void LoadPictures(int first);
    template <TBitmap TskTitleBarButton::*Picture>
    void LoadStoredPicture(const std::vector<uint8_t>& bytes);
    template <TBitmap TskTitleBarButton::*Picture>
    void LoadPictureResource(const std::string& name);
    TskUIStyle uiStyle_ = TskUIStyle::DeepBlue;
    TskTitleBarBtnType buttonType_ = skCustom;
    bool transparent_ = false;
    int top_ = 2;
    TPopupMenu* controlBoxMenu_ = nullptr;
    bool visible_ = true;
    TBitmap picNormal_;
    TBitmap picMouseOn_;
    TBitmap picMouseDown_;
    friend class TskTitleBar;
};

class TskTitleBarButtons : public TskTitleBarItems<TskTitleBarButton> {
    DECLARE_PUBLISHED(TskTitleBarButtons, TCollection)
  public:
    using TskTitleBarItems::TskTitleBarItems;
};

class TskTitleBarSection : public TCollectionItem {
    DECLARE_PUBLISHED(TskTitleBarSection, TCollectionItem)
  public:
    explicit TskTitleBarSection(TCollection* collection);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TskTitleBarAlign Align() const { return align_; }
    // A second client section is refused with a "Sorry" dialog.
    void SetAlign(TskTitleBarAlign align);
    TBitmap* Picture() { return &picture_; }
    void SetPicture(const TBitmap& picture);
    bool Stretch() const { return stretch_; }
    // Always True while Align is skClient.
    void SetStretch(bool value);

    void Assign(const TskTitleBarSection& source);

  private:
    void LoadStoredPicture(const std::vector<uint8_t>& bytes);
    void LoadPictureResource(const std::string& name);
    void PictureLoaded();
    bool autoSize_ = false;
    int width_ = 10;
    TskTitleBarAlign align_ = skLeft;
    TBitmap picture_;
    bool stretch_ = false;
};

class TskTitleBarSections : public TskTitleBarItems<TskTitleBarSection> {
    DECLARE_PUBLISHED(TskTitleBarSections, TCollection)
  public:
    using TskTitleBarItems::TskTitleBarItems;
};

// The system menu: Minimize, Maximize/Restore, a separator and Close, each
// enabled while the title bar shows a button that does the same.
class TskTitleBarPopupMenu : public TskPopupMenu {
    DECLARE_PUBLISHED(TskTitleBarPopupMenu, TskPopupMenu)
  public:
    explicit TskTitleBarPopupMenu(TComponent* owner);
    TskTitleBar* TitleBar() const { return titleBar_; }
    void SetTitleBar(TskTitleBar* titleBar) { titleBar_ = titleBar; }
    void Popup(int x, int y) override;

    void MinimizeClick(TObject* sender);
    void MaximizeRestoreClick(TObject* sender);
    void CloseClick(TObject* sender);

  private:
    TMenuItem* AddItem(const char* caption, void (TskTitleBarPopupMenu::*click)(TObject*));
    // Whether a visible button of the type is on the title bar.
    bool ShowsButton(TskTitleBarBtnType type) const;
    TskTitleBar* titleBar_ = nullptr;
};

class TskTitleBar : public TCustomPanel {
    DECLARE_PUBLISHED(TskTitleBar, TCustomPanel)
  public:
    explicit TskTitleBar(TComponent* owner);
    ~TskTitleBar() override;

    bool Custom() const { return custom_; }
    void SetCustom(bool value) { custom_ = value; }
    TskFileTheme* FileTheme() const { return theme_.FileTheme(); }
    // Re-applies the style, keeping the caption's font colour.
    void SetFileTheme(TskFileTheme* theme);
    TskUIStyle UIStyle() const { return theme_.Style(); }
    void SetUIStyle(TskUIStyle style) { theme_.SetStyle(style); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TskTitleBarSections* Sections() { return &sections_; }
    void SetSections(const TskTitleBarSections& sections) { sections_.Assign(sections); }
    TskTitleBarButtons* Buttons() { return &buttons_; }
    void SetButtons(const TskTitleBarButtons& buttons) { buttons_.Assign(buttons); }
    int ButtonInterval() const { return buttonInterval_; }
    void SetButtonInterval(int value);
    bool FormActive() const { return formActive_; }
    void SetFormActive(bool value);
    int LeftBtnXOffset() const { return leftBtnXOffset_; }
    void SetLeftBtnXOffset(int value);
    int RightBtnXOffset() const { return rightBtnXOffset_; }
    void SetRightBtnXOffset(int value);
    bool DrawAppIcon() const { return drawAppIcon_; }
    void SetDrawAppIcon(bool value);
    int RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int value) { roundCorner_ = value; }
    int RoundCornerBottom() const { return roundCornerBottom_; }
    void SetRoundCornerBottom(int value) { roundCornerBottom_ = value; }

    TskTitleBarButtonClickEvent OnCustomBtnsClick;
    TskTitleBarButtonClickEvent OnHelpBtnClick;

    // Every skMax button takes the maximize or restore pictures.
    void RefreshMaxButtons();
    // Three sections, each with its picture: the frame paints its top from them.
    bool SectionsComplete() const { return sections_.Count() == 3; }
    bool IsOnSkinnedForm() const;
    TskTitleBarPopupMenu* SystemMenu() const { return systemMenu_; }
    // The bidi mode follows the parent's.
    void SetParent(TWinControl* parent) override;
    // On the empty title: maximize or restore; on the control box: close.
    void DblClick() override;

    // The state the paint and the mouse work on.
    int HotButton() const { return hotButton_; }
    bool MouseIsDown() const { return mouseIsDown_; }
    int CaptionBandHeight() const { return captionBandHeight_; }
    int ButtonTop() const { return buttonTop_; }
    bool KeepFontColor() const { return keepFontColor_; }

    // Picture k (from 1) of 18 of the title button strip of source, decoded
    // once per style application and shared by the buttons.
    void GetTitleButtonPicture(const TskThemeSource& source, int picture, TBitmap& target);
    // The buttons are no components, so the title bar takes the removal
    // notices of what they refer to: it asks for component's and lets go of
    // previous once no button refers to it.
    void ReferTo(TComponent* previous, TComponent* component);

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    virtual void PaintSections(TBitmap& buffer);
    virtual void PaintButtonsAndCaption(TBitmap& buffer);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void WndProc(TMessage& message) override;

  private:
    void ApplyUIStyle();
    void BuildSections(const TskThemeSource& source);
    void ApplyFontColor(const TskThemeSource& source);
    TBitmap& TitleButtonStrip(const TskThemeSource& source);
    int SideBorderWidth();
    TskTitleBarButton* UsableHotButton() const;
    TIcon* AppIcon();
    void ButtonClicked(TskTitleBarButton& button);

    bool custom_ = false;
    TskThemeLink theme_;
    bool autoSize_ = false;
    TskTitleBarSections sections_;
    TskTitleBarButtons buttons_;
    int buttonInterval_ = 0;
    bool formActive_ = true;
    int leftBtnXOffset_ = 0;
    int rightBtnXOffset_ = 0;
    bool drawAppIcon_ = false;
    int roundCorner_ = 0;
    int roundCornerBottom_ = 0;
    TskTitleBarPopupMenu* systemMenu_ = nullptr;
    int hotButton_ = -1;
    bool mouseIsDown_ = false;
    int captionBandHeight_ = 0;
    int buttonTop_ = 0;
    bool keepFontColor_ = false;
    // The decoded title button strips by effective style (the skin file's
    // under FromThemeFile); emptied by every style application, which every
    // change of the style or the skin file runs.
    std::map<TskUIStyle, TBitmap> strips_;
    // One 16 x 16 copy of the application's icon, made again when that changes.
    TIcon appIcon_;
    HICON appIconSource_ = nullptr;
    bool appIconLoaded_ = false;
};
