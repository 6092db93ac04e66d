#pragma once
// A 32-bit top-down device-independent bitmap with its own canvas. Resizing
// keeps the pixels that still fit. Loads from a named BITMAP resource of the
// executable or from a stream that holds a bitmap file image.

#include "framework/Canvas.h"
#include "framework/Streams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap : public TPersistent {
    DECLARE_PUBLISHED(TBitmap, TPersistent)
  public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    void SetSize(int width, int height);
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Frees the picture: 0 x 0.
    void Clear() { SetSize(0, 0); }
    void Assign(const TBitmap& source);

    TCanvas& Canvas();
    // Deselects the bitmap from its canvas first, so the handle can be selected
    // elsewhere; the canvas takes it back on its next use.
    HBITMAP Handle() {
        ReleaseCanvas();
        return static_cast<HBITMAP>(bitmap_.Get());
    }

    // Drawn with TransparentColor left out when set.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    // Automatic (the default) means the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    void SetTransparentColorAuto() { fixedTransparentColor_ = false; }

    // Pixel access without a device context; colours are 0x00BBGGRR.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Raises EResNotFound "Resource %s not found".
    void LoadFromResourceName(const std::string& name);
    // Raises EInvalidGraphic "Bitmap image is not valid" for anything but a
    // bitmap file image, EReadError when the stream ends early.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // Takes over a bitmap made elsewhere (copied into this bitmap's format).
    void LoadFromHandle(HBITMAP bitmap);

    std::function<void()> OnChange;

  private:
    class BitmapCanvas;
    void Changed();
    void ReleaseCanvas();
    uint32_t* Bits() const;
    GdiObject bitmap_;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool transparent_ = false;
    bool fixedTransparentColor_ = false;
    TColor transparentColor_ = clNone;
    MemoryDc dc_;
    std::unique_ptr<BitmapCanvas> canvas_;
};
