#include "framework/Bitmap.h"

#include "framework/BitmapFile.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <cstring>

class TBitmap::BitmapCanvas : public TCanvas {
  public:
    explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}

  protected:
    void RequireHandle() override {
        if (HandleAllocated()) return;
        if (!owner_.dc_) owner_.dc_.Reset(CreateCompatibleDC(nullptr));
        Attach(owner_.dc_.Get());
        // Selected after the state was saved, so Detach deselects it again.
        if (owner_.bitmap_) SelectObject(owner_.dc_.Get(), owner_.bitmap_.Get());
    }

  private:
    TBitmap& owner_;
};

const ClassInfo& TBitmap::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TBitmap>().Build();
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    ReleaseCanvas();
}

namespace {
HBITMAP CreateDib(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// DIB pixels are 0x00RRGGBB; colours are 0x00BBGGRR.
uint32_t SwapRedBlue(uint32_t v) {
    return (v & 0x0000FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
}
} // namespace

void TBitmap::ReleaseCanvas() {
    if (canvas_) canvas_->Detach();
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (width == width_ && height == height_) return;
    void* bits = nullptr;
    GdiObject fresh;
    if (width > 0 && height > 0) {
        fresh.Reset(CreateDib(width, height, &bits));
        if (!fresh) throw EInvalidGraphic("Out of system resources");
        std::memset(bits, 0xFF, size_t(width) * height * 4); // new area starts white
        if (bits_) {
            GdiFlush();
            const int rows = std::min(height, height_), cols = std::min(width, width_);
            for (int y = 0; y < rows; ++y)
                std::memcpy(static_cast<uint32_t*>(bits) + size_t(y) * width,
                            static_cast<uint32_t*>(bits_) + size_t(y) * width_, size_t(cols) * 4);
        }
    }
    ReleaseCanvas();
    bitmap_ = std::move(fresh);
    bits_ = bits;
    width_ = width;
    height_ = height;
    Changed();
}

void TBitmap::Assign(const TBitmap& source) {
    ReleaseCanvas();
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    SetSize(source.width_, source.height_);
    if (bits_ && source.bits_) {
        GdiFlush();
        std::memcpy(bits_, source.bits_, size_t(width_) * height_ * 4);
    }
    transparent_ = source.transparent_;
    fixedTransparentColor_ = source.fixedTransparentColor_;
    transparentColor_ = source.transparentColor_;
    Changed();
}

void TBitmap::Changed() {
    if (OnChange) OnChange();
}

uint32_t* TBitmap::Bits() const {
    GdiFlush();
    return static_cast<uint32_t*>(bits_);
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    return static_cast<TColor>(SwapRedBlue(Bits()[size_t(y) * width_ + x] & 0xFFFFFFu));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Bits()[size_t(y) * width_ + x] = SwapRedBlue(ColorToRGB(color));
}

TColor TBitmap::TransparentColor() const {
    if (fixedTransparentColor_) return transparentColor_;
    if (Empty()) return clNone;
    return Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    fixedTransparentColor_ = true;
    transparentColor_ = color;
}

void TBitmap::LoadFromHandle(HBITMAP source) {
    BITMAP info{};
    if (!GetObjectA(source, sizeof info, &info)) throw EInvalidGraphic("Bitmap image is not valid");
    ReleaseCanvas();
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    SetSize(info.bmWidth, std::abs(info.bmHeight));
    if (Empty()) return;
    MemoryDc from(CreateCompatibleDC(nullptr));
    SelectionScope selected(from.Get(), source);
    BitBlt(Canvas().Handle(), 0, 0, width_, height_, from.Get(), 0, 0, SRCCOPY);
    Changed();
}

void TBitmap::LoadFromResourceName(const std::string& name) {
    GdiObject loaded(LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION));
    if (!loaded) throw EResNotFound(Format("Resource %s not found", name));
    LoadFromHandle(static_cast<HBITMAP>(loaded.Get()));
}

namespace {

// The picture as GDI is to read it: a plain info header with its masks or a
// palette of at most 256 entries, whatever header the file used. GDI then never
// reads past what this holds (a core header's palette has 3-byte entries, and
// an info header's colour count may claim a palette the file does not have).
struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

void FillDibHeader(const uint8_t* image, const BitmapFile::Layout& layout, DibHeader& dib) {
    dib = DibHeader{};
    BITMAPINFOHEADER& h = dib.header;
    h.biSize = sizeof h;
    h.biWidth = layout.Width;
    h.biHeight = layout.TopDown ? -layout.Height : layout.Height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(layout.BitCount);
    h.biCompression = layout.Compression;
    h.biSizeImage = static_cast<DWORD>(layout.PixelBytes); // bounds run-length decoding
    if (layout.Compression == BitmapFile::bcBitFields)
        std::memcpy(dib.colors, image + layout.MasksOffset, 3 * sizeof(DWORD));
    h.biClrUsed = static_cast<DWORD>(layout.PaletteCount);
    const uint8_t* palette = image + layout.PaletteOffset;
    for (int i = 0; i < layout.PaletteCount; ++i, palette += layout.PaletteEntrySize)
        dib.colors[i] = RGBQUAD{palette[0], palette[1], palette[2], 0};
}

} // namespace

void TBitmap::LoadFromStream(TStream& stream) {
    // The picture runs to the end of the stream; its headers say where its
    // parts lie, and the file header's size field is not trusted.
    std::vector<uint8_t> image(BitmapFile::FileHeaderSize);
    stream.ReadBuffer(image.data(), image.size());
    const int64_t rest = std::min(stream.Size() - stream.Position(),
                                  BitmapFile::MaxImageSize - int64_t(image.size()));
    if (rest > 0) {
        image.resize(image.size() + static_cast<size_t>(rest));
        stream.ReadBuffer(image.data() + BitmapFile::FileHeaderSize, static_cast<size_t>(rest));
    }
    BitmapFile::Layout layout;
    if (!BitmapFile::Parse(image.data(), image.size(), layout).empty())
        throw EInvalidGraphic("Bitmap image is not valid");
    DibHeader dib;
    FillDibHeader(image.data(), layout, dib);
    WindowDc screen(nullptr);
    GdiObject made(CreateDIBitmap(screen.Get(), &dib.header, CBM_INIT,
                                  image.data() + layout.PixelOffset,
                                  reinterpret_cast<const BITMAPINFO*>(&dib), DIB_RGB_COLORS));
    if (!made) throw EInvalidGraphic("Bitmap image is not valid");
    LoadFromHandle(static_cast<HBITMAP>(made.Get()));
}

void TBitmap::SaveToStream(TStream& stream) const {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const uint32_t pixels = uint32_t(width_) * height_ * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixels;
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(&header, sizeof header);
    if (pixels) stream.WriteBuffer(Bits(), pixels);
}
