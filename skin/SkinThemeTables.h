#pragma once
// The theme catalogue: the style enumeration, the 48 element keys and kinds,
// the values of the five built-in themes and the look-ups on them, plus the
// list of built-in bitmap resources with their sizes. Free of windows.h, so
// the catalogue also builds natively (unit tests, the skin-file tool).

#include "framework/Colors.h"
#include "framework/TypeInfo.h"

#include <cstdint>

// One byte; stored by name in form descriptions, so names and order are fixed.
enum class TskUIStyle : uint8_t { FromThemeFile, MacOS, WinXP, DeepBlue, Protein, BlueGlass };

// The names, ordinal = position, for published UIStyle properties.
extern const TEnumInfo TskUIStyleInfo;

enum class ThemeValueKind : uint8_t { Integer = 0, Color = 1, Image = 2, Boolean = 3 };

constexpr int ThemeElementCount = 48;

// Element numbers, for readable call sites: GetThemeInt(style, ThemeElement::FormBorderWidthInt).
namespace ThemeElement {
enum : int {
    ButtonImage = 1,
    ButtonTransparentBool,
    CheckBoxImage,
    RadioButtonImage,
    TitleBarButtonImage,
    TitleBarButtonTransparentBool,
    TitleBarButtonLeftOffsetInt,
    TitleBarButtonRightOffsetInt,
    TitleBarButtonTopInt,
    TitleBarLeftImage,
    TitleBarClientImage,
    TitleBarRightImage,
    FormMinWidthInt,
    FormRoundCornerInt,
    FormBackgroundColor,
    FormBorderColor,
    FormBorderWidthInt,
    MenuSelectedBorderColor,
    MenuSelectedBackgroundColor,
    MenuSelectedFontColor,
    MenuBackgroundColor,
    MenuFontColor,
    MenuBarColor,
    ProgressBarImage,
    ControlBorderColor,
    ControlBackgroundColor,
    ControlFontColor,
    TrackBarBarImage,
    TrackBarSliderImage,
    TrackBarSliderVImage,
    ScrollBarBackgroundColor,
    ScrollBarButtonImage,
    ScrollBarSliderImage,
    CheckListBoxImage,
    ToolBarButtonBorderColor,
    ToolBarButtonBackgroundColor,
    ToolBarButtonDownBackgroundColor,
    ScrollButtonImage,
    TabControlTabImage,
    TabControlBarImage,
    SideChannelHandleImage,
    SideChannelBarImage,
    TitleBarMinimizedImage,
    TitleBarFontColor,
    FormLeftBorderImage,
    FormBottomBorderImage,
    FormBottomRoundCornerInt,
    MenuMenuBarColor,
};
} // namespace ThemeElement

// Key names (the names a skin file stores elements under) and kinds; index n
// is element n, index 0 is unused.
extern const char* const ElementKeys[ThemeElementCount + 1];
extern const ThemeValueKind ElementKinds[ThemeElementCount + 1];

// One cell of a built-in table: a 32-bit value, or a resource name for images
// (nullptr where a built-in theme has no picture).
struct ThemeTableValue {
    int32_t Value;
    const char* ImageName;
};

// Tables of the five built-in styles, index 1..5 = MacOS..BlueGlass; each
// row is indexed by element number (index 0 unused).
extern const ThemeTableValue ThemeValues[6][ThemeElementCount + 1];

struct TThemeValue {
    ThemeValueKind Kind;
    int32_t Value;         // integers, colours (0x00BBGGRR), Booleans (0/1)
    const char* ImageName; // images; nullptr for the other kinds and for "(none)"
};

// The raw value and kind of an element. Only the low 7 bits of the style
// count; FromThemeFile and unknown styles, and element numbers outside
// 1..48, give -1 of kind Integer.
TThemeValue GetThemeValue(TskUIStyle style, int element);
// Kind-checked look-ups: the value when the element has the asked kind,
// else False / 0 (black) / -1.
bool GetThemeBool(TskUIStyle style, int element);
TColor GetThemeColor(TskUIStyle style, int element);
int32_t GetThemeInt(TskUIStyle style, int element);
// The resource name of an image element; nullptr when the element is not an
// image or the style is not a built-in one. "" for the images built-in themes lack.
const char* GetThemeImageName(TskUIStyle style, int element);

// Every bitmap resource the built-in themes and the skinned controls load by
// name, with its size and the number of equal frames it is cut into (1 for
// pictures taken whole or not used).
struct BuiltInBitmap {
    const char* Name;
    int Width;
    int Height;
    int Frames;
};
extern const BuiltInBitmap BuiltInBitmaps[];
extern const int BuiltInBitmapCount;
// nullptr when name is not a built-in bitmap (case-insensitive).
const BuiltInBitmap* FindBuiltInBitmap(const char* name);
