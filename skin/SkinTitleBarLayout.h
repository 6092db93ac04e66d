#pragma once
// Where a skinned title bar puts its buttons and its caption, which button
// the pointer is over, and how a caption too wide for its room is shortened.
// Free of windows.h, so the arithmetic is also checked natively.

#include "framework/Types.h"

#include <functional>
#include <string>
#include <vector>

// A title bar button as the layout sees it: its normal picture's size.
struct TskTitleButtonSlot {
    bool Visible = true;
    bool ControlBox = false;
    int Width = 0;
    int Height = 0;
};

struct TskTitleBarMetrics {
    int BufferWidth = 0;
    // The frame's side border width; 0 on an ordinary form.
    int SideBorder = 0;
    int LeftBtnXOffset = 0;
    int RightBtnXOffset = 0;
    int ButtonInterval = 0;
    int ButtonTop = 0;
    bool DrawAppIcon = false;
};

// The application icon goes this far right of the control box's place, and
// the caption this far right of the control box's place after it.
constexpr int TitleBarAppIconInset = 3;
constexpr int TitleBarAppIconAdvance = 21;
constexpr int TitleBarAppIconSize = 16;

struct TskTitleBarLayout {
    // Per slot, where its picture is drawn and the area the pointer hits
    // (all four edges count); both empty for hidden slots.
    std::vector<TPoint> At;
    std::vector<TRect> Hit;
    // The last visible control box, drawn at the left; -1 for none.
    int ControlBox = -1;
    // The visible button under the pointer; -1 for none.
    int HotButton = -1;
    // The left edge of the right-hand row: the caption ends before it.
    int RowLeft = 0;
    // Where the caption starts.
    int CaptionLeft = 0;
};

// Right-hand buttons go leftwards from the right edge in slot order, each
// pulled back to one pixel inside the buffer when it would stick out; the
// control box (or the application icon) goes at the left, the caption after it.
TskTitleBarLayout LayoutTitleBar(const TskTitleBarMetrics& metrics,
                                 const std::vector<TskTitleButtonSlot>& slots, TPoint pointer);

// The caption in room pixels: whole when it fits, else the longest prefix of
// whole characters that fits together with "...", followed by "..."; empty
// when not even "..." fits (it would run under the buttons). width measures a
// text, leadByte tells the first byte of a double-byte character.
std::string FitCaption(const std::string& caption, int room,
                       const std::function<int(const std::string&)>& width,
                       const std::function<bool(unsigned char)>& leadByte);

// The caption's top: centred on the band of the button pictures' height,
// halved towards zero.
inline int CaptionTop(int buttonTop, int bandHeight, int textHeight) {
    return buttonTop + (bandHeight - textHeight) / 2;
}
