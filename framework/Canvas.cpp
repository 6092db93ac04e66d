#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/Icon.h"

namespace {
RECT ToRECT(const TRect& r) {
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}
std::vector<POINT> ToPOINTs(const std::vector<TPoint>& points) {
    std::vector<POINT> result;
    result.reserve(points.size());
    for (const auto& p : points)
        result.push_back(POINT{p.X, p.Y});
    return result;
}
} // namespace

TCanvas::TCanvas() {
    brush_.SetColor(clWhite);
}

TCanvas::~TCanvas() {
    Detach();
}

void TCanvas::Attach(HDC dc) {
    Detach();
    dc_ = dc;
    if (dc_) savedState_ = SaveDC(dc_);
}

void TCanvas::Detach() {
    if (dc_ && savedState_) RestoreDC(dc_, savedState_);
    dc_ = nullptr;
    savedState_ = 0;
}

void TCanvas::FillRect(const TRect& rect) {
    RequireHandle();
    if (brush_.Style() == bsClear) return;
    const RECT r = ToRECT(rect);
    ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const TRect& rect) {
    RequireHandle();
    const RECT r = ToRECT(rect);
    ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    SelectionScope brush(dc_, brush_.Handle());
    ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    SelectionScope brush(dc_, brush_.Handle());
    ::RoundRect(dc_, x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    SelectionScope brush(dc_, brush_.Handle());
    ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    SelectionScope brush(dc_, brush_.Handle());
    const auto pts = ToPOINTs(points);
    ::Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    const auto pts = ToPOINTs(points);
    ::Polyline(dc_, pts.data(), static_cast<int>(pts.size()));
    if (!points.empty()) penPos_ = points.back();
}

void TCanvas::MoveTo(int x, int y) {
    penPos_ = TPoint{x, y};
}

void TCanvas::LineTo(int x, int y) {
    RequireHandle();
    SelectionScope pen(dc_, pen_.Handle());
    MoveToEx(dc_, penPos_.X, penPos_.Y, nullptr);
    ::LineTo(dc_, x, y);
    penPos_ = TPoint{x, y};
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    RequireHandle();
    const RECT r = ToRECT(rect);
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkColor(dc_, RGB(255, 255, 255));
    ::DrawFocusRect(dc_, &r);
}

void TCanvas::PrepareText() {
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    if (brush_.Style() == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    RequireHandle();
    SelectionScope font(dc_, font_.Handle());
    PrepareText();
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
    penPos_.X = x + TextWidth(text);
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    RequireHandle();
    SelectionScope font(dc_, font_.Handle());
    PrepareText();
    const RECT r = ToRECT(rect);
    const UINT options = ETO_CLIPPED | (brush_.Style() == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutA(dc_, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, TRect& rect, unsigned format) {
    RequireHandle();
    SelectionScope font(dc_, font_.Handle());
    PrepareText();
    RECT r = ToRECT(rect);
    const int height = ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, format);
    rect = TRect{r.left, r.top, r.right, r.bottom};
    return height;
}

TPoint TCanvas::TextExtent(const std::string& text) {
    RequireHandle();
    SelectionScope font(dc_, font_.Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return TPoint{size.cx, size.cy};
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& rect, TBitmap& bitmap) {
    RequireHandle();
    if (bitmap.Empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
    HDC source = bitmap.Canvas().Handle();
    if (bitmap.Transparent()) {
        ::TransparentBlt(dc_, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0,
                         bitmap.Width(), bitmap.Height(), ColorToRGB(bitmap.TransparentColor()));
    } else {
        SetStretchBltMode(dc_, COLORONCOLOR);
        ::StretchBlt(dc_, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0,
                     bitmap.Width(), bitmap.Height(), SRCCOPY);
    }
}

void TCanvas::Draw(int x, int y, TIcon& icon) {
    RequireHandle();
    if (icon.Empty()) return;
    DrawIconEx(dc_, x, y, icon.Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    RequireHandle();
    source.RequireHandle();
    SetStretchBltMode(dc_, COLORONCOLOR);
    ::StretchBlt(dc_, dest.Left, dest.Top, dest.Width(), dest.Height(), source.dc_, sourceRect.Left,
                 sourceRect.Top, sourceRect.Width(), sourceRect.Height(), SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) const {
    const_cast<TCanvas*>(this)->RequireHandle();
    return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    RequireHandle();
    ::SetPixel(dc_, x, y, ColorToRGB(color));
}
