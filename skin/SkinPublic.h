#pragma once
// Drawing and layout steps every skinned control shares: cutting frames out
// of picture strips, nine-part and three-part stretching, tiling, painting a
// parent's background, and pushing a theme down to child controls.

#include "framework/Bitmap.h"
#include "framework/WinControl.h"
#include "framework/Forms.h"
#include "skin/SkinThemeTables.h"

// The key colour of skin pictures: magenta.
constexpr TColor SkinKeyColor = 0xFF00FF;

// Target becomes frame frameNumber (from 1) of frameCount equal columns of source;
// columns beyond frameCount * (width div frameCount) are never used.
void ExtractFrame(TBitmap& source, TBitmap& target, int frameCount, int frameNumber);
// Corners unscaled, edges stretched along, centre both ways; rect's top-left is
// the canvas origin. Corners keep key pixels out only when transparent; edges
// and centre always do.
void DrawStretchedSkin(TBitmap& picture, TCanvas& canvas, const TRect& rect, bool transparent);
// Left frame, stretched middle frame, right frame of a three-frame strip. The
// ends are masked by the strip's corner pixel (usePixelMask) or by the key.
void DrawThreePartBitmap(TBitmap& strip, TCanvas& canvas, const TRect& rect, bool usePixelMask,
                         bool pixelFromTop);
// Tiles from the canvas origin over rect's size, overrunning by up to a tile.
void TilePicture(TCanvas& canvas, TBitmap& picture, const TRect& rect);
// The control's parent paints its background and content into canvas.
void PaintParentBackground(TCanvas& canvas, TControl* control);
void RotateBitmap180(TBitmap& bitmap);
// All four edges inclusive.
bool PointInRect(const TPoint& point, const TRect& rect);
bool PointInRect(int x, int y, const TRect& rect);
// Work area of the monitor of the main form, else of the primary monitor.
void GetWorkArea(TRect& rect);
void PlaceControl(TControl* control, const TRect& rect);
bool HasPublishedProperty(const TObject* object, const std::string& name);
// Sets FileTheme, then UIStyle, on each child publishing both, in child order.
void ApplyThemeToChildren(TWinControl* container, TskUIStyle style, TComponent* theme);
bool IsFormActive(TCustomForm* form);
