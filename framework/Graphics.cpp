#include "framework/Graphics.h"

#include <cstring>

COLORREF ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

const TEnumInfo& FontStyleNames() {
    static const TEnumInfo names{{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return names;
}

const ClassInfo& TGraphicsObject::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TGraphicsObject>().Build();
    return info;
}

void TGraphicsObject::Changed() {
    handle_.Reset();
    if (OnChange) OnChange();
}

const ClassInfo& TFont::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TFont>()
            .Int("Charset", &TFont::Charset, &TFont::SetCharset)
            .Color("Color", &TFont::Color, &TFont::SetColor)
            .Int("Height", &TFont::Height, &TFont::SetHeight)
            .Str("Name", &TFont::Name, &TFont::SetName)
            .Int("Size", &TFont::Size, &TFont::SetSize)
            .Set("Style", FontStyleNames(), &TFont::Style, &TFont::SetStyle)
            .Build();
    return info;
}

TFont::TFont() = default;

void TFont::Assign(const TFont& source) {
    if (SameAs(source)) return;
    name_ = source.name_;
    height_ = source.height_;
    color_ = source.color_;
    style_ = source.style_;
    charset_ = source.charset_;
    Changed();
}

bool TFont::SameAs(const TFont& o) const {
    return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
           charset_ == o.charset_;
}

void TFont::SetName(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(height_, 72, 96);
}

void TFont::SetSize(int size) {
    SetHeight(-MulDiv(size, 96, 72));
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    // The colour is not part of the GDI font: keep the handle.
    if (OnChange) OnChange();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

HFONT TFont::Handle() {
    if (!handle_) {
        handle_.Reset(CreateFontA(
            height_, 0, 0, 0, (style_ & FontStyle(fsBold)) ? FW_BOLD : FW_NORMAL,
            (style_ & FontStyle(fsItalic)) != 0, (style_ & FontStyle(fsUnderline)) != 0,
            (style_ & FontStyle(fsStrikeOut)) != 0, static_cast<BYTE>(charset_), OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name_.c_str()));
    }
    return static_cast<HFONT>(handle_.Get());
}

void TFont::SetHandle(HFONT font) {
    LOGFONTA log{};
    if (!GetObjectA(font, sizeof log, &log)) return;
    name_ = log.lfFaceName;
    height_ = log.lfHeight;
    charset_ = log.lfCharSet;
    style_ = (log.lfWeight >= FW_BOLD ? FontStyle(fsBold) : 0) |
             (log.lfItalic ? FontStyle(fsItalic) : 0) |
             (log.lfUnderline ? FontStyle(fsUnderline) : 0) |
             (log.lfStrikeOut ? FontStyle(fsStrikeOut) : 0);
    handle_.Reset(font);
    if (OnChange) OnChange();
}

const ClassInfo& TPen::StaticClassInfo() {
    static const TEnumInfo styles{
        {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
    static const ClassInfo info = ClassBuilder<TPen>()
                                      .Color("Color", &TPen::Color, &TPen::SetColor)
                                      .Enum("Style", styles, &TPen::Style, &TPen::SetStyle)
                                      .Int("Width", &TPen::Width, &TPen::SetWidth)
                                      .Build();
    return info;
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

HPEN TPen::Handle() {
    if (!handle_) {
        static constexpr int kStyles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                          PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
    }
    return static_cast<HPEN>(handle_.Get());
}

const ClassInfo& TBrush::StaticClassInfo() {
    static const TEnumInfo styles{{"bsSolid", "bsClear"}};
    static const ClassInfo info = ClassBuilder<TBrush>()
                                      .Color("Color", &TBrush::Color, &TBrush::SetColor)
                                      .Enum("Style", styles, &TBrush::Style, &TBrush::SetStyle)
                                      .Build();
    return info;
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ == bsSolid && !pattern_) return;
    color_ = color;
    style_ = bsSolid;
    pattern_ = nullptr;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TBrush::SetPattern(HBITMAP pattern) {
    pattern_ = pattern;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (!handle_) {
        if (pattern_)
            handle_.Reset(CreatePatternBrush(pattern_));
        else if (style_ == bsClear)
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        else
            handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
    }
    return static_cast<HBRUSH>(handle_.Get());
}
