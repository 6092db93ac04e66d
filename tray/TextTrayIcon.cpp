#include "tray/TextTrayIcon.h"

#include "framework/Streams.h"

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
    textBitmap_.SetSize(16, 16);
    font_.OnChange = [this] { UpdateTextIcon(); };
    options_.OnChange = [this](TObject*) { UpdateTextIcon(); };
    if (Designing() && backgroundIcon_.Empty() && DefaultBackgroundWanted())
        backgroundIcon_.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_WINLOGO)));
}

TTextTrayIcon::~TTextTrayIcon() {
    BeginDestroy();
    font_.OnChange = nullptr;
    options_.OnChange = nullptr;
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
    TIcon rendered;
    if (backgroundIcon_.Empty())
        BitmapToIcon(textBitmap_, rendered, clNone);
    else
        BlendOnBackground(textBitmap_, rendered, clNone);
    Icon()->SetHandle(rendered.ReleaseHandle());
    RefreshIcon();
}

void TTextTrayIcon::RenderTextBitmap() {
    // Drawn straight into TextBitmap: the same pixels as drawing into a fresh
    // bitmap and copying, without a new bitmap every 50 ms.
    TCanvas& canvas = textBitmap_.Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color_);
    canvas.FillRect(TRect{0, 0, 16, 16});
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
    } else {
        const int x = (15 - canvas.TextWidth(text_)) / 2 + o.OffsetX();
        const int y = (15 - canvas.TextHeight(text_)) / 2 + o.OffsetY();
        canvas.TextOut(x, y, text_);
    }
    if (border_) {
        canvas.Brush().SetColor(borderColor_);
        canvas.FrameRect(TRect{0, 0, 16, 16});
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
