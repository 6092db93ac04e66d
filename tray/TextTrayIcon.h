#pragma once
// TTextTrayIcon: a tray icon drawn from a short text, a 16 x 16 square in a
// background colour with the text centred on it, optionally framed and laid
// over a background icon. Every drawing-property change redraws at once.

#include "framework/Bitmap.h"
#include "tray/TrayIcon.h"

// The fine position of the text; each change is reported through OnChange.
class TOffsetOptions : public TPersistent {
    DECLARE_PUBLISHED(TOffsetOptions, TPersistent)
  public:
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value) { Store(offsetX_, value); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value) { Store(offsetY_, value); }
    int LineDistance() const { return lineDistance_; }
    void SetLineDistance(int value) { Store(lineDistance_, value); }
    // Copies the three values without reporting a change.
    void Assign(const TOffsetOptions& source);

    TNotifyEvent OnChange;

  private:
    void Store(int& field, int value);
    int offsetX_ = 0;
    int offsetY_ = 0;
    int lineDistance_ = 0;
};

class TTextTrayIcon : public TTrayIcon {
    DECLARE_PUBLISHED(TTextTrayIcon, TTrayIcon)
  public:
    explicit TTextTrayIcon(TComponent* owner);
    ~TTextTrayIcon() override;

    TIcon* BackgroundIcon() { return &backgroundIcon_; }
    void SetBackgroundIcon(const TIcon& icon);
    const std::string& Text() const { return text_; }
    // A carriage return starts a new line.
    void SetText(const std::string& text);
    TFont* Font() { return &font_; }
    void SetFont(const TFont& font);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool Border() const { return border_; }
    void SetBorder(bool value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor color);
    TOffsetOptions* Options() { return &options_; }
    void SetOptions(const TOffsetOptions& options);

    // The last rendered 16 x 16 picture.
    TBitmap& TextBitmap() { return textBitmap_; }

  protected:
    bool DefaultIconWanted() override { return false; }
    virtual bool DefaultBackgroundWanted() { return false; }
    virtual void RenderTextBitmap();

  private:
    void UpdateTextIcon();
    bool IconShowsRendering();
    void RememberRendering();
    const uint32_t* RenderedPixels();
    bool BlendOnBackground(TBitmap& bitmap, TIcon& icon, TColor maskColor);
    void SetBackgroundImage(const std::vector<uint8_t>& bytes);
    void SetBackgroundResource(const std::string& name);

    TIcon backgroundIcon_;
    std::string text_;
    TFont font_;
    TColor color_ = clBtnFace;
    bool border_ = false;
    TColor borderColor_ = clBlack;
    TOffsetOptions options_;
    TBitmap textBitmap_;
    // TextBitmap's pixels in memory; found again after the bitmap changed.
    const uint32_t* textBits_ = nullptr;
    unsigned backgroundGeneration_ = 0;
    // What the current Icon was made from: rendered pixels that equal these
    // need no new icon.
    struct TIconSource {
        bool Valid = false;
        unsigned IconGeneration = 0;
        unsigned BackgroundGeneration = 0;
        TColor Color = clNone;
        std::vector<uint32_t> Pixels;
    };
    TIconSource iconSource_;
};

// The lines of text, split at each carriage return; the last may be empty.
std::vector<std::string> SplitLines(const std::string& text);

// Makes the tray icon classes known to the form reader.
void RegisterTrayClasses();
