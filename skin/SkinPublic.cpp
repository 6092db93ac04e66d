#include "skin/SkinPublic.h"

#include "framework/Application.h"

#include <algorithm>

namespace {

// A copy of source's rectangle src, size dst (stretched when they differ).
void CopyPiece(TBitmap& source, const TRect& src, TBitmap& piece, int width, int height) {
    piece.SetSize(width, height);
    piece.Canvas().CopyRect(Rect(0, 0, width, height), source.Canvas(), src);
}

// Draws src of picture over dst, stretched, with key pixels left out.
void StretchPiece(TBitmap& picture, TCanvas& canvas, const TRect& src, const TRect& dst) {
    if (src.Width() <= 0 || src.Height() <= 0 || dst.Width() <= 0 || dst.Height() <= 0) return;
    TBitmap piece;
    CopyPiece(picture, src, piece, dst.Width(), dst.Height());
    piece.SetTransparentColor(SkinKeyColor);
    piece.SetTransparent(true);
    canvas.Draw(dst.Left, dst.Top, piece);
}

void CornerPiece(TBitmap& picture, TCanvas& canvas, const TRect& src, int x, int y, bool keyed) {
    if (src.Width() <= 0 || src.Height() <= 0) return;
    TBitmap piece;
    CopyPiece(picture, src, piece, src.Width(), src.Height());
    piece.SetTransparentColor(SkinKeyColor);
    piece.SetTransparent(keyed);
    canvas.Draw(x, y, piece);
}

} // namespace

void ExtractFrame(TBitmap& source, TBitmap& target, int frameCount, int frameNumber) {
    if (frameCount < 1) frameCount = 1;
    const int f = source.Width() / frameCount;
    const int h = source.Height();
    TBitmap frame;
    if (f > 0 && h > 0)
        CopyPiece(source, Rect(f * (frameNumber - 1), 0, f * frameNumber, h), frame, f, h);
    target.SetSize(frame.Width(), frame.Height());
    if (!frame.Empty())
        target.Canvas().CopyRect(Rect(0, 0, f, h), frame.Canvas(), Rect(0, 0, f, h));
}

void DrawStretchedSkin(TBitmap& p, TCanvas& c, const TRect& r, bool transparent) {
    const int pw = p.Width(), ph = p.Height();
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    const int hw = pw / 2, hh = ph / 2, dw = w / 2, dh = h / 2;
    // An empty corner counts as a zero-size rectangle at its own corner.
    auto nonNeg = [](int v) { return std::max(v, 0); };

    // 1. Top-left corner.
    int cw = nonNeg(std::min(hw, dw)), ch = nonNeg(std::min(hh, dh));
    CornerPiece(p, c, Rect(0, 0, cw, ch), 0, 0, transparent);
    const TRect tl = Rect(0, 0, cw, ch);
    // 2. Bottom-left corner: one row lower than the top ones.
    cw = nonNeg(std::min(hw, dw));
    ch = nonNeg(std::min(hh - 1, dh - 1));
    CornerPiece(p, c, Rect(0, ph - ch, cw, ph), 0, r.Bottom - ch, transparent);
    const TRect bl = Rect(0, r.Bottom - ch, cw, r.Bottom);
    // 3. Left edge.
    StretchPiece(p, c, Rect(0, hh, std::min(hw, tl.Right), ph - hh),
                 Rect(0, tl.Bottom, tl.Right, bl.Top));
    // 4. Top-right corner: one column narrower than the left ones.
    cw = nonNeg(std::min(hw - 1, dw - 1));
    ch = nonNeg(std::min(hh, dh));
    CornerPiece(p, c, Rect(pw - cw, 0, pw, ch), r.Right - cw, 0, transparent);
    const TRect tr = Rect(r.Right - cw, 0, r.Right, ch);
    // 5. Bottom-right corner.
    cw = nonNeg(std::min(hw - 1, dw - 1));
    ch = nonNeg(std::min(hh - 1, dh - 1));
    CornerPiece(p, c, Rect(pw - cw, ph - ch, pw, ph), r.Right - cw, r.Bottom - ch, transparent);
    const TRect br = Rect(r.Right - cw, r.Bottom - ch, r.Right, r.Bottom);
    // 6. Right edge, cut to its rightmost columns.
    {
        const TRect dst = Rect(tr.Left, tr.Bottom, tr.Right, br.Top);
        TRect src = Rect(pw - hw + 1, ph - hh, pw, hh + 2);
        if (src.Width() > dst.Width()) src.Left = src.Right - dst.Width();
        StretchPiece(p, c, src, dst);
    }
    // 7. Top edge, cut to its top rows.
    {
        const TRect dst = Rect(tl.Right, 0, tr.Left, tl.Bottom);
        TRect src = Rect(hw, 0, pw - hw + 1, hh);
        if (src.Height() > dst.Height()) src.Bottom = src.Top + dst.Height();
        StretchPiece(p, c, src, dst);
    }
    // 8. Centre.
    StretchPiece(p, c, Rect(hw, hh, pw - hw + 1, ph - hh),
                 Rect(tl.Right, tl.Bottom, tr.Left, br.Top - 1));
    // 9. Bottom edge, cut to its bottom rows; it overlaps by one pixel.
    {
        const TRect dst = Rect(tl.Right - 1, bl.Top - 1, br.Left, br.Bottom);
        TRect src = Rect(hw, ph - hh, pw - hw + 1, ph);
        if (src.Height() > dst.Height()) src.Top = src.Bottom - dst.Height();
        StretchPiece(p, c, src, dst);
    }
}

void DrawThreePartBitmap(TBitmap& s, TCanvas& c, const TRect& r, bool usePixelMask,
                         bool pixelFromTop) {
    const int fw = s.Width() / 3, h = s.Height();
    if (fw <= 0 || h <= 0) return;
    const TColor mask = usePixelMask ? s.Pixel(0, pixelFromTop ? 0 : h - 1) : SkinKeyColor;
    TBitmap piece;
    for (int frame : {0, 2}) {
        CopyPiece(s, Rect(frame * fw, 0, frame * fw + fw, h), piece, fw, h);
        piece.SetTransparentColor(mask);
        piece.SetTransparent(true);
        c.Draw(frame == 0 ? r.Left : r.Right - fw, r.Top, piece);
    }
    const TRect middle = Rect(r.Left + fw, r.Top, r.Right - fw, r.Bottom);
    if (middle.Width() <= 0 || middle.Height() <= 0) return;
    TBitmap centre;
    CopyPiece(s, Rect(fw, 0, 2 * fw, h), centre, fw, h);
    c.StretchDraw(middle, centre);
}

void TilePicture(TCanvas& canvas, TBitmap& picture, const TRect& rect) {
    const int pw = picture.Width(), ph = picture.Height();
    if (pw <= 0 || ph <= 0) return; // the loops would not advance
    for (int x = 0; x < pw + rect.Width(); x += pw)
        for (int y = 0; y < ph + rect.Height(); y += ph)
            canvas.Draw(x, y, picture);
}

void PaintParentBackground(TCanvas& canvas, TControl* control) {
    if (!control || !control->Parent()) return;
    TWinControl* parent = control->Parent();
    HDC dc = canvas.Handle();
    DcStateScope state(dc);
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    HWND window = parent->Handle();
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void RotateBitmap180(TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    TBitmap turned(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            turned.SetPixel(w - 1 - i, h - 1 - j, bitmap.Pixel(i, j));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            bitmap.SetPixel(i, j, turned.Pixel(i, j));
}

bool PointInRect(int x, int y, const TRect& r) {
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

bool PointInRect(const TPoint& p, const TRect& r) {
    return PointInRect(p.X, p.Y, r);
}

void GetWorkArea(TRect& rect) {
    RECT area{};
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoA(MonitorFromWindow(main->Handle(), MONITOR_DEFAULTTONEAREST), &info))
            area = info.rcWork;
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    rect = Rect(area.left, area.top, area.right, area.bottom);
}

void PlaceControl(TControl* control, const TRect& rect) {
    control->SetLeft(rect.Left);
    control->SetTop(rect.Top);
    control->SetWidth(rect.Right - rect.Left);
    control->SetHeight(rect.Bottom - rect.Top);
}

bool HasPublishedProperty(const TObject* object, const std::string& name) {
    return object && object->ClassType().FindProperty(name) != nullptr;
}

void ApplyThemeToChildren(TWinControl* container, TskUIStyle style, TComponent* theme) {
    if (!container) return;
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (!HasPublishedProperty(child, "FileTheme") || !HasPublishedProperty(child, "UIStyle"))
            continue;
        // The file theme first: the style's setter reads it.
        SetComponentProp(child, "FileTheme", theme);
        SetOrdProp(child, "UIStyle", static_cast<int64_t>(style));
    }
}

bool IsFormActive(TCustomForm* form) {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return form && form->Active();
    if (main->FormStyle() == fsMDIForm && main == form) return true;
    if (!Application->Active()) return false;
    if (!form || form == main) return true;
    // The framework has no MDI client window to ask; the form's own flag decides.
    return form->Active();
}
