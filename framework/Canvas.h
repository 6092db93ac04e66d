#pragma once
// A drawing surface over a device context. Attaching saves the context's state
// and detaching restores it; every drawing call selects the pen, brush or font
// it needs only for its own duration, so nothing stays selected.

#include "framework/Graphics.h"
#include "framework/Types.h"

#include <string>
#include <vector>

class TBitmap;
class TIcon;

class TCanvas {
  public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas();

    // Borrows dc until Detach (or another Attach); the dc's state is restored then.
    void Attach(HDC dc);
    void Detach();
    HDC Handle() {
        RequireHandle();
        return dc_;
    }
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TPoint PenPos() const { return penPos_; }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void DrawFocusRect(const TRect& rect);

    // Text in the canvas font; the background cell is the brush colour unless
    // the brush is clear.
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    // DrawTextA with the canvas font and colours; returns the text height.
    int DrawText(const std::string& text, TRect& rect, unsigned format);
    TPoint TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).X; }
    int TextHeight(const std::string& text) { return TextExtent(text).Y; }

    // Bitmaps honour their Transparent flag (the transparent colour is left out).
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const TRect& rect, TBitmap& bitmap);
    void Draw(int x, int y, TIcon& icon);
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

  protected:
    // Lets a canvas that owns its context (a bitmap's) supply it on demand.
    virtual void RequireHandle() {}

  private:
    void PrepareText();
    HDC dc_ = nullptr;
    int savedState_ = 0;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    TPoint penPos_;
};

// A canvas attached to a device context for one scope; the context's state
// is restored when the scope ends, also when painting throws.
class CanvasScope {
  public:
    CanvasScope(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Attach(dc); }
    ~CanvasScope() { canvas_.Detach(); }
    CanvasScope(const CanvasScope&) = delete;
    CanvasScope& operator=(const CanvasScope&) = delete;

  private:
    TCanvas& canvas_;
};
