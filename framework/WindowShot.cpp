#include "framework/WindowShot.h"

#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Handles.h"
#include "framework/Streams.h"

#include <cstring>
#include <vector>

void SettleWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Some controls paint again once their parent has (transparent ones take
    // its background), so the queue is emptied a few times over.
    for (int round = 0; round < 10; ++round) {
        if (Application) Application->ProcessMessages();
        Sleep(20);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (Application) Application->ProcessMessages();
}

namespace {

void WhitenOutsideRegion(HWND window, TBitmap& picture) {
    GdiObject region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, static_cast<HRGN>(region.Get())) == ERROR) return;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (!PtInRegion(static_cast<HRGN>(region.Get()), x, y))
                picture.SetPixel(x, y, 0xFFFFFF);
}

// A 24-bit bottom-up bitmap file: the form every picture viewer and loader
// takes (top-down and 32-bit files are not read everywhere).
std::vector<uint8_t> BitmapFileOf(const TBitmap& picture) {
    const int width = picture.Width(), height = picture.Height();
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<uint8_t> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bytes.data() + file.bfOffBits + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const TColor color = picture.Pixel(x, y);
            row[x * 3 + 0] = static_cast<uint8_t>(color >> 16);
            row[x * 3 + 1] = static_cast<uint8_t>(color >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(color);
        }
    }
    return bytes;
}

} // namespace

void WriteWindowShot(HWND window, const std::string& path) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    TBitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top);
    {
        WindowDc source(window, true);
        BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), source.Get(), 0,
               0, SRCCOPY);
    }
    WhitenOutsideRegion(window, picture);
    TMemoryStream(BitmapFileOf(picture)).SaveToFile(path);
}
