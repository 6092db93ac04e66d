#include "skin/SkinTitleBarLayout.h"

namespace {

bool Inside(TPoint p, const TRect& r) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

// The control box and the caption keep this far from the left edge when
// nothing else puts them anywhere.
constexpr int CaptionFallbackLeft = 6;
constexpr int ControlBoxGap = 5;

} // namespace

TskTitleBarLayout LayoutTitleBar(const TskTitleBarMetrics& m,
                                 const std::vector<TskTitleButtonSlot>& slots, TPoint pointer) {
    TskTitleBarLayout layout;
    layout.At.resize(slots.size());
    layout.Hit.resize(slots.size());
    int x = m.BufferWidth + m.RightBtnXOffset + m.SideBorder;
    for (size_t i = 0; i < slots.size(); ++i) {
        const TskTitleButtonSlot& slot = slots[i];
        if (!slot.Visible) continue;
        if (slot.ControlBox) {
            layout.ControlBox = static_cast<int>(i);
            continue;
        }
        x -= slot.Width + m.ButtonInterval + 1;
        if (m.BufferWidth < slot.Width + x + 1) x = m.BufferWidth - slot.Width - 1;
        layout.At[i] = TPoint{x, m.ButtonTop};
        layout.Hit[i] = Rect(x, m.ButtonTop, x + slot.Width, m.ButtonTop + slot.Height);
        if (Inside(pointer, layout.Hit[i])) layout.HotButton = static_cast<int>(i);
    }
    layout.RowLeft = x;

    int left = m.LeftBtnXOffset - (m.SideBorder - 1);
    if (left < 0) left = 0;
    if (layout.ControlBox >= 0) {
        const size_t c = static_cast<size_t>(layout.ControlBox);
        const TskTitleButtonSlot& box = slots[c];
        layout.Hit[c] = Rect(left, m.ButtonTop, left + box.Width, m.ButtonTop + box.Height);
        if (Inside(pointer, layout.Hit[c])) layout.HotButton = layout.ControlBox;
        if (m.DrawAppIcon) {
            layout.At[c] = TPoint{left + TitleBarAppIconInset, m.ButtonTop};
            left += TitleBarAppIconAdvance;
        } else {
            // One pixel higher than the right-hand buttons.
            layout.At[c] = TPoint{left, m.ButtonTop - 1};
            left += box.Width + ControlBoxGap;
        }
    }
    if (left == 0) left = CaptionFallbackLeft;
    layout.CaptionLeft = left;
    return layout;
}

std::string FitCaption(const std::string& caption, int room,
                       const std::function<int(const std::string&)>& width,
                       const std::function<bool(unsigned char)>& leadByte) {
    if (width(caption) <= room) return caption;
    // Where each character ends; a double-byte character is removed whole.
    std::vector<size_t> ends;
    for (size_t i = 0; i < caption.size();) {
        i += leadByte(static_cast<unsigned char>(caption[i])) && i + 1 < caption.size() ? 2 : 1;
        ends.push_back(i);
    }
    static const std::string ellipsis = "...";
    // Drop the last character until the rest fits with the ellipsis; when
    // nothing is left and even the ellipsis alone is too wide, no caption.
    for (size_t n = ends.size(); n-- > 0;) {
        const std::string shortened = caption.substr(0, n ? ends[n - 1] : 0) + ellipsis;
        if (width(shortened) <= room) return shortened;
    }
    return std::string();
}
