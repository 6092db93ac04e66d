#include "tray/TextTrayIcon.h"

#include "framework/Streams.h"

#include <algorithm>

const ClassInfo& TOffsetOptions::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TOffsetOptions>()
            .Int("OffsetX", &TOffsetOptions::OffsetX, &TOffsetOptions::SetOffsetX)
            .Int("OffsetY", &TOffsetOptions::OffsetY, &TOffsetOptions::SetOffsetY)
            .Int("LineDistance", &TOffsetOptions::LineDistance, &TOffsetOptions::SetLineDistance)
            .Build();
    return info;
}

void TOffsetOptions::Store(int& field, int value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
}

void TOffsetOptions::Assign(const TOffsetOptions& source) {
    offsetX_ = source.offsetX_;
    offsetY_ = source.offsetY_;
    lineDistance_ = source.lineDistance_;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', start)) {
        lines.push_back(text.substr(start, cr - start));
        start = cr + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

const ClassInfo& TTextTrayIcon::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TTextTrayIcon>()
            .Binary("BackgroundIcon", &TTextTrayIcon::SetBackgroundImage,
                    &TTextTrayIcon::SetBackgroundResource)
            .Str("Text", &TTextTrayIcon::Text, &TTextTrayIcon::SetText)
            .Object("Font", TPropKind::Object, &TTextTrayIcon::Font)
            .Color("Color", &TTextTrayIcon::Color, &TTextTrayIcon::SetColor)
            .Bool("Border", &TTextTrayIcon::Border, &TTextTrayIcon::SetBorder)
            .Color("BorderColor", &TTextTrayIcon::BorderColor, &TTextTrayIcon::SetBorderColor)
            .Object("Options", TPropKind::Object, &TTextTrayIcon::Options)
            .Build();
    return info;
}

TTextTrayIcon::TTextTrayIcon(TComponent* owner) : TTrayIcon(owner) {
    textBitmap_.OnChange = [this] { textBits_ = nullptr; };
    textBitmap_.SetSize(16, 16);
    backgroundIcon_.OnChange = [this] { ++backgroundGeneration_; };
    font_.OnChange = [this] { UpdateTextIcon(); };
    options_.OnChange = [this](TObject*) { UpdateTextIcon(); };
    if (Designing() && backgroundIcon_.Empty() && DefaultBackgroundWanted())
        backgroundIcon_.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_WINLOGO)));
}

TTextTrayIcon::~TTextTrayIcon() {
    BeginDestroy();
    font_.OnChange = nullptr;
    options_.OnChange = nullptr;
    backgroundIcon_.OnChange = nullptr;
    textBitmap_.OnChange = nullptr;
}

void TTextTrayIcon::SetBackgroundIcon(const TIcon& icon) {
    backgroundIcon_.Assign(icon);
    UpdateTextIcon();
}

void TTextTrayIcon::SetBackgroundImage(const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    backgroundIcon_.LoadFromStream(stream);
    UpdateTextIcon();
}

void TTextTrayIcon::SetBackgroundResource(const std::string& name) {
    backgroundIcon_.LoadFromResourceName(name);
    UpdateTextIcon();
}

void TTextTrayIcon::SetText(const std::string& text) {
    text_ = text;
    UpdateTextIcon();
}

void TTextTrayIcon::SetFont(const TFont& font) {
    // One redraw for the whole copy, not one per attribute.
    auto onChange = std::move(font_.OnChange);
    font_.OnChange = nullptr;
    font_.Assign(font);
    font_.OnChange = std::move(onChange);
    UpdateTextIcon();
}

void TTextTrayIcon::SetColor(TColor color) {
    color_ = color;
    UpdateTextIcon();
}

void TTextTrayIcon::SetBorder(bool value) {
    border_ = value;
    UpdateTextIcon();
}

void TTextTrayIcon::SetBorderColor(TColor color) {
    borderColor_ = color;
    UpdateTextIcon();
}

void TTextTrayIcon::SetOptions(const TOffsetOptions& options) {
    options_.Assign(options);
    UpdateTextIcon();
}

void TTextTrayIcon::UpdateTextIcon() {
    SetCycleIcons(false);
    RenderTextBitmap();
    // Every write renders, but a rendering that looks like the icon made last
    // time keeps that icon (the tray is then not asked again either).
    if (!IconShowsRendering()) {
        TIcon rendered;
        if (backgroundIcon_.Empty())
            BitmapToIcon(textBitmap_, rendered, clNone);
        else
            BlendOnBackground(textBitmap_, rendered, clNone);
        Icon()->SetHandle(rendered.ReleaseHandle());
        RememberRendering();
    }
    RefreshIcon();
}

const uint32_t* TTextTrayIcon::RenderedPixels() {
    if (!textBits_) {
        DIBSECTION section{};
        if (GetObjectA(textBitmap_.Handle(), sizeof section, &section) == sizeof section &&
            section.dsBm.bmBitsPixel == 32 && section.dsBm.bmWidthBytes == textBitmap_.Width() * 4)
            textBits_ = static_cast<const uint32_t*>(section.dsBm.bmBits);
    }
    GdiFlush();
    return textBits_;
}

bool TTextTrayIcon::IconShowsRendering() {
    const TIconSource& made = iconSource_;
    if (!made.Valid || made.IconGeneration != IconGeneration() ||
        made.BackgroundGeneration != backgroundGeneration_ || made.Color != color_)
        return false;
    const uint32_t* pixels = RenderedPixels();
    return pixels && made.Pixels.size() == size_t(textBitmap_.Width()) * textBitmap_.Height() &&
           std::equal(made.Pixels.begin(), made.Pixels.end(), pixels);
}

void TTextTrayIcon::RememberRendering() {
    const uint32_t* pixels = RenderedPixels();
    iconSource_.Valid = pixels != nullptr;
    if (!pixels) return;
    iconSource_.Pixels.assign(pixels, pixels + size_t(textBitmap_.Width()) * textBitmap_.Height());
    iconSource_.IconGeneration = IconGeneration();
    iconSource_.BackgroundGeneration = backgroundGeneration_;
    iconSource_.Color = color_;
}

void TTextTrayIcon::RenderTextBitmap() {
    // Drawn straight into TextBitmap: the same pixels as drawing into a fresh
    // bitmap and copying, without a new bitmap every 50 ms.
    TCanvas& canvas = textBitmap_.Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color_);
    canvas.FillRect(TRect{0, 0, 16, 16});
    // The colour is no part of the GDI font: a change of colour alone keeps it.
    canvas.Font().SetColor(font_.Color());
    canvas.Font().Assign(font_);
    const TOffsetOptions& o = options_;
    const size_t firstBreak = text_.find('\r');
    if (firstBreak != std::string::npos) {
        const std::vector<std::string> lines = SplitLines(text_);
        const int lineHeight = canvas.TextHeight(text_.substr(firstBreak)) + o.LineDistance();
        const int top = (15 - static_cast<int>(lines.size()) * lineHeight) / 2 + o.OffsetY();
        for (size_t i = 0; i < lines.size(); ++i) {
            const int x = (15 - canvas.TextWidth(lines[i])) / 2 + o.OffsetX();
            canvas.TextOut(x, top + static_cast<int>(i) * lineHeight, lines[i]);
        }
    } else if (!text_.empty()) {
        const TPoint extent = canvas.TextExtent(text_);
        const int x = (15 - extent.X) / 2 + o.OffsetX();
        const int y = (15 - extent.Y) / 2 + o.OffsetY();
        canvas.TextOut(x, y, text_);
    }
    if (border_) {
        // The frame's pixels with a pen of their own: the fill brush stays as
        // it is for the next rendering.
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(borderColor_);
        canvas.Polyline({{0, 0}, {15, 0}, {15, 15}, {0, 15}, {0, 0}});
    }
}

bool TTextTrayIcon::BlendOnBackground(TBitmap& bitmap, TIcon& icon, TColor maskColor) {
    TImageList list(16, 16);
    list.AddIcon(backgroundIcon_);
    TBitmap blended;
    list.GetBitmap(0, blended); // clBtnFace where the background icon is transparent
    // Only the text pixels (and the frame) cover the background icon.
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(color_);
    blended.Canvas().Draw(0, 0, bitmap);
    bitmap.SetTransparent(false);
    const int index = list.AddMasked(blended, maskColor);
    list.GetIcon(index, icon);
    return true;
}

void RegisterTrayClasses() {
    RegisterClasses<TTrayIcon, TTextTrayIcon>();
}
