#pragma once
// Tool bars: a row of flat caption buttons that wraps onto further rows,
// drawn by the bar or by its custom-draw events. A button bound to a menu
// item shows the item's caption and enabled state; a press on it drops the
// item's sub-menu down through a popup menu the bar owns, or runs the item
// when it has none.

#include "framework/Menus.h"
#include "framework/WinControl.h"

class TToolBar;
class TToolButton;

enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
// A bit per TEdgeBorder.
using TEdgeBorders = unsigned;
const TEnumInfo& EdgeBorderNames();

// What a custom draw of a button is told about it.
enum : unsigned { cdsSelected = 1, cdsHot = 2, cdsDisabled = 4 };
using TCustomDrawState = unsigned;

using TToolBarCustomDrawEvent =
    std::function<void(TToolBar* sender, const TRect& rect, bool& defaultDraw)>;
using TToolBarCustomDrawButtonEvent = std::function<void(
    TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)>;

// A button of a tool bar; the bar lays it out, paints it and takes its clicks.
class TToolButton : public TGraphicControl {
    DECLARE_PUBLISHED(TToolButton, TGraphicControl)
  public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    bool Grouped() const { return grouped_; }
    void SetGrouped(bool value) { grouped_ = value; }
    // The width follows the caption.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // The button takes the item's caption and enabled state; told when the item goes.
    TMenuItem* MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem* item);
    // The bar the button sits on, or null.
    TToolBar* ToolBar() const;
    void SetParent(TWinControl* parent) override;

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    void TextChanged() override;
    void EnabledChanged() override;

  private:
    bool grouped_ = false;
    bool autoSize_ = false;
    TMenuItem* menuItem_ = nullptr;
};

// The popup menu a tool bar drops a button's sub-menu down with.
class TToolBarDropDown : public TPopupMenu {
    DECLARE_PUBLISHED(TToolBarDropDown, TPopupMenu)
  public:
    explicit TToolBarDropDown(TComponent* owner) : TPopupMenu(owner) {}
    // OnPopup, then item's sub-items at the screen point until the menu closes.
    void PopupItem(TMenuItem& item, int x, int y);
};

class TToolBar : public TCustomControl {
    DECLARE_PUBLISHED(TToolBar, TCustomControl)
  public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(index); }

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(TEdgeBorders value);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool value);
    // Buttons that do not fit go to the next row.
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool value);
    // The bar's height follows its rows of buttons.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);

    // From a press on a button until its drop-down has closed and its item
    // has run; the bar's buttons must not be freed meanwhile.
    bool Tracking() const { return tracking_; }
    // The button under the pointer, or null.
    TToolButton* HotButton() const { return hot_; }
    // Lays the buttons out again (after a caption, size or order change).
    void ArrangeButtons();
    // The drop-down menu, made on first use; the bar owns it.
    TToolBarDropDown* DropDownMenu();

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;
    // After the drop-down of a press has closed and its item has run.
    TNotifyEvent OnTrackingEnded;

  protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged() override;
    void FontChanged() override;
    // A press on an enabled button: the drop-down, or the item's click.
    virtual void ButtonPressed(TToolButton* button);
    virtual void DrawButton(TToolButton* button, TCustomDrawState state);
    // The drop-down menu has just been made (its owner is the bar).
    virtual void DropDownMenuCreated(TToolBarDropDown&) {}

  private:
    friend class TToolButton;
    void AddButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    TRect ButtonArea() const;
    int MeasureCaption(const std::string& caption);
    TToolButton* ButtonAt(int x, int y) const;
    void SetHot(TToolButton* button);
    TCustomDrawState StateOf(TToolButton* button) const;
    void DropDown(TToolButton* button);

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    TEdgeBorders edgeBorders_ = 1u << ebTop;
    bool showCaptions_ = false;
    bool wrapable_ = true;
    bool autoSize_ = false;
    int buttonHeight_ = 22;
    bool arranging_ = false;
    bool tracking_ = false;
    TToolButton* hot_ = nullptr;
    TToolButton* pressed_ = nullptr;
    TToolBarDropDown* dropDown_ = nullptr;
};
