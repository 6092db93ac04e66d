#pragma once
// A list of equal-sized images with masks, drawn by index and copied out as
// icons or bitmaps.

#include "framework/Bitmap.h"
#include "framework/Icon.h"

class TImageList : public TComponent {
    DECLARE_PUBLISHED(TImageList, TComponent)
  public:
    explicit TImageList(TComponent* owner, int width = 16, int height = 16);
    TImageList(int width, int height) : TImageList(nullptr, width, height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Drops all images.
    void SetSize(int width, int height);
    int Count() const;
    HIMAGELIST Handle() const { return list_.Get(); }

    // A bitmap wider than Width adds one image per Width-wide column.
    int Add(TBitmap& image, TBitmap* mask);
    // maskColor clNone: every pixel opaque.
    int AddMasked(TBitmap& image, TColor maskColor);
    int AddIcon(TIcon& icon);
    void Clear();
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    void GetIcon(int index, TIcon& icon);
    void GetBitmap(int index, TBitmap& bitmap);

  private:
    void Recreate();
    int width_;
    int height_;
    ImageListHandle list_;
};
