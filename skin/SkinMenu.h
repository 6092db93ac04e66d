#pragma once
// Canvas routines of the skinned menus: colour frames and fills, separators,
// the MacOS menu pictures, the flat border around a popup menu window and the
// system menu font.

#include "framework/Canvas.h"
#include "framework/Menus.h"

// Sets both handlers on item and on all its sub-items, depth first.
void AssignMenuDrawHandlers(TMenuItem* item, const TMenuDrawItemEvent& onDrawItem,
                            const TMenuMeasureItemEvent& onMeasureItem);
void FrameRectColor(TCanvas& canvas, const TRect& rect, TColor color);
void FillRectColor(TCanvas& canvas, const TRect& rect, TColor color);
// A line at Top + 2, leaving room for the side bar (left, or right when mirrored).
void DrawMenuSeparator(TCanvas& canvas, const TRect& rect, TColor color, int barWidth,
                       bool leftToRight);
// MACOS_MENU_BAR cut to 12 rows / 20 rows, MACOS_MENU_SELECT cut to 20 rows,
// stretched over rect; each cut is loaded once and shared. Raise EResNotFound
// when the picture is missing.
void DrawMacMenuBar(TCanvas& canvas, const TRect& rect);
void DrawMacMenuItem(TCanvas& canvas, const TRect& rect);
void DrawMacMenuSelection(TCanvas& canvas, const TRect& rect);
// Draws on the desktop around the popup menu window: outer frame, white
// inner frame, and lines in lineColor along bottom, right and top.
void DrawMenuWindowFrame(HWND window, TColor outerColor, TColor lineColor);
// The system's menu font in clMenuText; unchanged when the system says nothing.
void GetMenuFont(TFont& font);
