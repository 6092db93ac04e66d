#pragma once
// Fonts, pens and brushes: published drawing attributes that create their GDI
// handle on demand and drop it when an attribute changes.

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Handles.h"

#include <functional>
#include <string>

// The colour as plain RGB: system colours are looked up.
COLORREF ColorToRGB(TColor color);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = unsigned; // bit mask over TFontStyle
constexpr TFontStyles FontStyle(TFontStyle style) {
    return 1u << style;
}
const TEnumInfo& FontStyleNames();

// Base of the drawing attributes: a change notification the owner listens to.
class TGraphicsObject : public TPersistent {
    DECLARE_PUBLISHED(TGraphicsObject, TPersistent)
  public:
    std::function<void()> OnChange;

  protected:
    void Changed();
    // Dropped on every change and created again by the next Handle().
    GdiObject handle_;
};

class TFont : public TGraphicsObject {
    DECLARE_PUBLISHED(TFont, TGraphicsObject)
  public:
    TFont();
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const; // points at 96 pixels per inch
    void SetSize(int size);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    HFONT Handle();
    // Takes over a font made elsewhere (the system's menu font); attributes are read back.
    void SetHandle(HFONT font);

  private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int charset_ = DEFAULT_CHARSET;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
    DECLARE_PUBLISHED(TPen, TGraphicsObject)
  public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    HPEN Handle();

  private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
    DECLARE_PUBLISHED(TBrush, TGraphicsObject)
  public:
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern brush made from a bitmap handle (not owned); nullptr for none.
    void SetPattern(HBITMAP pattern);
    HBRUSH Handle();

  private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    HBITMAP pattern_ = nullptr;
};
