#pragma once
// Where the parts of a skinned menu item go: the side bar and the item
// background, the caption, the shortcut text, and the column for the check
// mark or the item's image, left to right or mirrored (side bar on the
// right). Free of windows.h, so the arithmetic is checked natively too.

#include "framework/Types.h"

struct TskMenuItemLayout {
    TRect Bar;     // the side bar strip; empty without a bar
    TRect Body;    // the rest of the item
    TRect Caption; // left-aligned text, right-aligned when mirrored
    TPoint ShortCut;
    int ImageX = 0;
    TRect CheckFrame; // the black square behind a checked item's image
    TRect CheckFill;  // inside it, in the selection colour
    TPoint Image;     // the check mark picture or the item's image
};

// A negative size in the system's unsigned measure fields would wrap into a
// huge one: sizes below 0 count as 0 wherever they are used.
inline int MenuSize(int value) {
    return value < 0 ? 0 : value;
}

TskMenuItemLayout LayoutMenuItem(const TRect& item, int barWidth, bool leftToRight,
                                 int shortCutWidth);

// Width and height the measure handler reports.
TPoint MenuItemExtent(bool separator, int captionWidth, int shortCutWidth, int barWidth,
                      int itemHeight, int separatorHeight);
