#include "framework/ImageList.h"

#include "framework/Exceptions.h"

const ClassInfo& TImageList::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TImageList>()
                                      .Int("Height", &TImageList::Height, &TImageList::SetHeight)
                                      .Int("Width", &TImageList::Width, &TImageList::SetWidth)
                                      .Build();
    return info;
}

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {
    Recreate();
}

void TImageList::Recreate() {
    list_.Reset(ImageList_Create(width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1,
                                 ILC_COLOR24 | ILC_MASK, 4, 4));
}

void TImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Recreate();
}

int TImageList::Count() const {
    return ImageList_GetImageCount(list_.Get());
}

int TImageList::Add(TBitmap& image, TBitmap* mask) {
    if (image.Empty()) return -1;
    HBITMAP maskHandle = mask && !mask->Empty() ? mask->Handle() : nullptr;
    return ImageList_Add(list_.Get(), image.Handle(), maskHandle);
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor) {
    if (image.Empty()) return -1;
    if (maskColor == clNone) return Add(image, nullptr);
    return ImageList_AddMasked(list_.Get(), image.Handle(), ColorToRGB(maskColor));
}

int TImageList::AddIcon(TIcon& icon) {
    if (icon.Empty()) return -1;
    return ImageList_AddIcon(list_.Get(), icon.Handle());
}

void TImageList::Clear() {
    ImageList_RemoveAll(list_.Get());
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_Draw(list_.Get(), index, canvas.Handle(), x, y, ILD_TRANSPARENT);
        return;
    }
    // Greyed: the system's disabled-state rendering of the image as an icon.
    IconHandle icon(ImageList_GetIcon(list_.Get(), index, ILD_TRANSPARENT));
    DrawStateA(canvas.Handle(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, 0,
               0, DST_ICON | DSS_DISABLED);
}

void TImageList::GetIcon(int index, TIcon& icon) {
    if (index < 0 || index >= Count()) throw EInvalidGraphic("Invalid image list index");
    icon.SetHandle(ImageList_GetIcon(list_.Get(), index, ILD_NORMAL));
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) {
    bitmap.SetSize(width_, height_);
    bitmap.Canvas().Brush().SetColor(clBtnFace);
    bitmap.Canvas().FillRect(TRect{0, 0, width_, height_});
    ImageList_Draw(list_.Get(), index, bitmap.Canvas().Handle(), 0, 0, ILD_TRANSPARENT);
}
