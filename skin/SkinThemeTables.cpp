#include "skin/SkinThemeTables.h"

#include "framework/Strings.h"

const TEnumInfo TskUIStyleInfo{
    {"FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"}};

const char* const ElementKeys[ThemeElementCount + 1] = {
    "",
    "ButtonImage",                      // 1
    "ButtonTransparentBool",            // 2
    "CheckBoxImage",                    // 3
    "RadioButtonImage",                 // 4
    "TitleBarButtonImage",              // 5
    "TitleBarButtonTransparentBool",    // 6
    "TitleBarButtonLeftOffsetInt",      // 7
    "TitleBarButtonRightOffsetInt",     // 8
    "TitleBarButtonTopInt",             // 9
    "TitleBarLeftImage",                // 10
    "TitleBarClientImage",              // 11
    "TitleBarRightImage",               // 12
    "FormMinWidthInt",                  // 13
    "FormRoundCornerInt",               // 14
    "FormBackgroundColor",              // 15
    "FormBorderColor",                  // 16
    "FormBorderWidthInt",               // 17
    "MenuSelectedBorderColor",          // 18
    "MenuSelectedBackgroundColor",      // 19
    "MenuSelectedFontColor",            // 20
    "MenuBackgroundColor",              // 21
    "MenuFontColor",                    // 22
    "MenuBarColor",                     // 23
    "ProgressBarImage",                 // 24
    "ControlBorderColor",               // 25
    "ControlBackgroundColor",           // 26
    "ControlFontColor",                 // 27
    "TrackBarBarImage",                 // 28
    "TrackBarSliderImage",              // 29
    "TrackBarSliderVImage",             // 30
    "ScrollBarBackgroundColor",         // 31
    "ScrollBarButtonImage",             // 32
    "ScrollBarSliderImage",             // 33
    "CheckListBoxImage",                // 34
    "ToolBarButtonBorderColor",         // 35
    "ToolBarButtonBackgroundColor",     // 36
    "ToolBarButtonDownBackgroundColor", // 37
    "ScrollButtonImage",                // 38
    "TabControlTabImage",               // 39
    "TabControlBarImage",               // 40
    "SideChannelHandleImage",           // 41
    "SideChannelBarImage",              // 42
    "TitleBarMinimizedImage",           // 43
    "TitleBarFontColor",                // 44
    "FormLeftBorderImage",              // 45
    "FormBottomBorderImage",            // 46
    "FormBottomRoundCornerInt",         // 47
    "MenuMenuBarColor",                 // 48
};

namespace {
using K = ThemeValueKind;
constexpr ThemeTableValue Num(int32_t v) {
    return {v, nullptr};
}
constexpr ThemeTableValue Rgb(int r, int g, int b) {
    return {r | (g << 8) | (b << 16), nullptr};
}
constexpr ThemeTableValue Img(const char* name) {
    return {0, name};
}
constexpr ThemeTableValue Yes{1, nullptr};
constexpr ThemeTableValue No{0, nullptr};
constexpr ThemeTableValue Unused{-1, nullptr};
} // namespace

const ThemeValueKind ElementKinds[ThemeElementCount + 1] = {
    K::Integer,
    K::Image,   // 1
    K::Boolean, // 2
    K::Image,   // 3
    K::Image,   // 4
    K::Image,   // 5
    K::Boolean, // 6
    K::Integer, // 7
    K::Integer, // 8
    K::Integer, // 9
    K::Image,   // 10
    K::Image,   // 11
    K::Image,   // 12
    K::Integer, // 13
    K::Integer, // 14
    K::Color,   // 15
    K::Color,   // 16
    K::Integer, // 17
    K::Color,   // 18
    K::Color,   // 19
    K::Color,   // 20
    K::Color,   // 21
    K::Color,   // 22
    K::Color,   // 23
    K::Image,   // 24
    K::Color,   // 25
    K::Color,   // 26
    K::Color,   // 27
    K::Image,   // 28
    K::Image,   // 29
    K::Image,   // 30
    K::Color,   // 31
    K::Image,   // 32
    K::Image,   // 33
    K::Image,   // 34
    K::Color,   // 35
    K::Color,   // 36
    K::Color,   // 37
    K::Image,   // 38
    K::Image,   // 39
    K::Image,   // 40
    K::Image,   // 41
    K::Image,   // 42
    K::Image,   // 43
    K::Color,   // 44
    K::Image,   // 45
    K::Image,   // 46
    K::Integer, // 47
    K::Color,   // 48
};

// Colours are red, green, blue as the catalogue lists them.
const ThemeTableValue ThemeValues[6][ThemeElementCount + 1] = {
    {}, // FromThemeFile has no table
    {
        // MacOS
        Unused,
        Img("MACOS_BUTTON"),             // 1 ButtonImage
        Yes,                             // 2 ButtonTransparentBool
        Img("MACOS_CHECKBOX"),           // 3 CheckBoxImage
        Img("MACOS_RADIOBUTTON"),        // 4 RadioButtonImage
        Img("MACOS_TITLEBTN"),           // 5 TitleBarButtonImage
        No,                              // 6 TitleBarButtonTransparentBool
        Num(3),                          // 7 TitleBarButtonLeftOffsetInt
        Num(-2),                         // 8 TitleBarButtonRightOffsetInt
        Num(4),                          // 9 TitleBarButtonTopInt
        Img("MACOS_TITLE_LEFT"),         // 10 TitleBarLeftImage
        Img("MACOS_TITLE_CLIENT"),       // 11 TitleBarClientImage
        Img("MACOS_TITLE_RIGHT"),        // 12 TitleBarRightImage
        Num(130),                        // 13 FormMinWidthInt
        Num(0),                          // 14 FormRoundCornerInt
        Rgb(231, 231, 231),              // 15 FormBackgroundColor
        Rgb(127, 127, 127),              // 16 FormBorderColor
        Num(1),                          // 17 FormBorderWidthInt
        Rgb(57, 115, 196),               // 18 MenuSelectedBorderColor
        Rgb(57, 115, 196),               // 19 MenuSelectedBackgroundColor
        Rgb(255, 255, 255),              // 20 MenuSelectedFontColor
        Rgb(0, 0, 0),                    // 21 MenuBackgroundColor
        Rgb(0, 0, 0),                    // 22 MenuFontColor
        Rgb(0, 0, 0),                    // 23 MenuBarColor
        Img("MACOS_PROGRESSBAR"),        // 24 ProgressBarImage
        Rgb(127, 127, 127),              // 25 ControlBorderColor
        Rgb(231, 231, 231),              // 26 ControlBackgroundColor
        Rgb(0, 0, 0),                    // 27 ControlFontColor
        Img("MACOS_TRACKBAR_BAR"),       // 28 TrackBarBarImage
        Img("MACOS_TRACKBAR_SLIDER"),    // 29 TrackBarSliderImage
        Img("MACOS_TRACKBAR_SLIDER_V"),  // 30 TrackBarSliderVImage
        Rgb(201, 201, 201),              // 31 ScrollBarBackgroundColor
        Img("MACOS_SCROLLBAR_BUTTON"),   // 32 ScrollBarButtonImage
        Img("MACOS_SCROLLBAR_TRACK"),    // 33 ScrollBarSliderImage
        Img("MACOS_CHECKLIST"),          // 34 CheckListBoxImage
        Rgb(71, 71, 71),                 // 35 ToolBarButtonBorderColor
        Rgb(239, 239, 239),              // 36 ToolBarButtonBackgroundColor
        Rgb(216, 216, 216),              // 37 ToolBarButtonDownBackgroundColor
        Img("MACOS_SCROLLBUTTON"),       // 38 ScrollButtonImage
        Img("MACOS_TAB"),                // 39 TabControlTabImage
        Img("MACOS_TAB_LINE"),           // 40 TabControlBarImage
        Img("MACOS_SIDECHENNEL_HANDLE"), // 41 SideChannelHandleImage
        Img("MACOS_SIDECHENNEL_BAR"),    // 42 SideChannelBarImage
        Img(nullptr),                    // 43 TitleBarMinimizedImage
        Rgb(0, 0, 0),                    // 44 TitleBarFontColor
        Img(nullptr),                    // 45 FormLeftBorderImage
        Img(nullptr),                    // 46 FormBottomBorderImage
        Num(0),                          // 47 FormBottomRoundCornerInt
        Rgb(231, 231, 231),              // 48 MenuMenuBarColor
    },
    {
        // WinXP
        Unused,
        Img("WINXP_BUTTON"),             // 1 ButtonImage
        No,                              // 2 ButtonTransparentBool
        Img("WINXP_CHECKBOX"),           // 3 CheckBoxImage
        Img("WINXP_RADIOBUTTON"),        // 4 RadioButtonImage
        Img("WINXP_TITLEBTN"),           // 5 TitleBarButtonImage
        No,                              // 6 TitleBarButtonTransparentBool
        Num(2),                          // 7 TitleBarButtonLeftOffsetInt
        Num(-2),                         // 8 TitleBarButtonRightOffsetInt
        Num(5),                          // 9 TitleBarButtonTopInt
        Img("WINXP_TITLE_LEFT"),         // 10 TitleBarLeftImage
        Img("WINXP_TITLE_CLIENT"),       // 11 TitleBarClientImage
        Img("WINXP_TITLE_RIGHT"),        // 12 TitleBarRightImage
        Num(150),                        // 13 FormMinWidthInt
        Num(13),                         // 14 FormRoundCornerInt
        Rgb(239, 235, 222),              // 15 FormBackgroundColor
        Rgb(0, 44, 200),                 // 16 FormBorderColor
        Num(3),                          // 17 FormBorderWidthInt
        Rgb(49, 105, 198),               // 18 MenuSelectedBorderColor
        Rgb(198, 211, 239),              // 19 MenuSelectedBackgroundColor
        Rgb(0, 0, 0),                    // 20 MenuSelectedFontColor
        Rgb(255, 255, 255),              // 21 MenuBackgroundColor
        Rgb(0, 0, 0),                    // 22 MenuFontColor
        Rgb(214, 211, 206),              // 23 MenuBarColor
        Img("WINXP_PROGRESSBAR"),        // 24 ProgressBarImage
        Rgb(104, 104, 104),              // 25 ControlBorderColor
        Rgb(239, 235, 222),              // 26 ControlBackgroundColor
        Rgb(2, 70, 207),                 // 27 ControlFontColor
        Img("WINXP_TRACKBAR_BAR"),       // 28 TrackBarBarImage
        Img("WINXP_TRACKBAR_SLIDER"),    // 29 TrackBarSliderImage
        Img("WINXP_TRACKBAR_SLIDER_V"),  // 30 TrackBarSliderVImage
        Rgb(249, 249, 249),              // 31 ScrollBarBackgroundColor
        Img("WINXP_SCROLLBAR_BUTTON"),   // 32 ScrollBarButtonImage
        Img("WINXP_SCROLLBAR_TRACK"),    // 33 ScrollBarSliderImage
        Img("WINXP_CHECKLIST"),          // 34 CheckListBoxImage
        Rgb(49, 105, 198),               // 35 ToolBarButtonBorderColor
        Rgb(198, 211, 239),              // 36 ToolBarButtonBackgroundColor
        Rgb(147, 172, 225),              // 37 ToolBarButtonDownBackgroundColor
        Img("WINXP_SCROLLBUTTON"),       // 38 ScrollButtonImage
        Img("WINXP_TAB"),                // 39 TabControlTabImage
        Img("WINXP_TAB_LINE"),           // 40 TabControlBarImage
        Img("WINXP_SIDECHENNEL_HANDLE"), // 41 SideChannelHandleImage
        Img("WINXP_SIDECHENNEL_BAR"),    // 42 SideChannelBarImage
        Img(nullptr),                    // 43 TitleBarMinimizedImage
        Rgb(255, 255, 255),              // 44 TitleBarFontColor
        Img(nullptr),                    // 45 FormLeftBorderImage
        Img(nullptr),                    // 46 FormBottomBorderImage
        Num(0),                          // 47 FormBottomRoundCornerInt
        Rgb(239, 235, 222),              // 48 MenuMenuBarColor
    },
    {
        // DeepBlue
        Unused,
        Img("DEEPBLUE_BUTTON"),             // 1 ButtonImage
        No,                                 // 2 ButtonTransparentBool
        Img("DEEPBLUE_CHECKBOX"),           // 3 CheckBoxImage
        Img("DEEPBLUE_RADIOBUTTON"),        // 4 RadioButtonImage
        Img("DEEPBLUE_TITLEBTN"),           // 5 TitleBarButtonImage
        No,                                 // 6 TitleBarButtonTransparentBool
        Num(0),                             // 7 TitleBarButtonLeftOffsetInt
        Num(0),                             // 8 TitleBarButtonRightOffsetInt
        Num(2),                             // 9 TitleBarButtonTopInt
        Img("DEEPBLUE_TITLE_LEFT"),         // 10 TitleBarLeftImage
        Img("DEEPBLUE_TITLE_CLIENT"),       // 11 TitleBarClientImage
        Img("DEEPBLUE_TITLE_RIGHT"),        // 12 TitleBarRightImage
        Num(130),                           // 13 FormMinWidthInt
        Num(0),                             // 14 FormRoundCornerInt
        Rgb(232, 232, 232),                 // 15 FormBackgroundColor
        Rgb(0, 0, 0),                       // 16 FormBorderColor
        Num(1),                             // 17 FormBorderWidthInt
        Rgb(68, 74, 160),                   // 18 MenuSelectedBorderColor
        Rgb(68, 74, 160),                   // 19 MenuSelectedBackgroundColor
        Rgb(255, 255, 255),                 // 20 MenuSelectedFontColor
        Rgb(255, 255, 255),                 // 21 MenuBackgroundColor
        Rgb(0, 0, 0),                       // 22 MenuFontColor
        Rgb(214, 211, 206),                 // 23 MenuBarColor
        Img("DEEPBLUE_PROGRESSBAR"),        // 24 ProgressBarImage
        Rgb(0, 0, 0),                       // 25 ControlBorderColor
        Rgb(232, 232, 232),                 // 26 ControlBackgroundColor
        Rgb(0, 0, 0),                       // 27 ControlFontColor
        Img("DEEPBLUE_TRACKBAR_BAR"),       // 28 TrackBarBarImage
        Img("DEEPBLUE_TRACKBAR_SLIDER"),    // 29 TrackBarSliderImage
        Img("DEEPBLUE_TRACKBAR_SLIDER_V"),  // 30 TrackBarSliderVImage
        Rgb(245, 245, 245),                 // 31 ScrollBarBackgroundColor
        Img("DEEPBLUE_SCROLLBAR_BUTTON"),   // 32 ScrollBarButtonImage
        Img("DEEPBLUE_SCROLLBAR_TRACK"),    // 33 ScrollBarSliderImage
        Img("DEEPBLUE_CHECKLIST"),          // 34 CheckListBoxImage
        Rgb(71, 71, 71),                    // 35 ToolBarButtonBorderColor
        Rgb(239, 239, 239),                 // 36 ToolBarButtonBackgroundColor
        Rgb(216, 216, 216),                 // 37 ToolBarButtonDownBackgroundColor
        Img("MORE_SCROLLBUTTON"),           // 38 ScrollButtonImage
        Img("DEEPBLUE_TAB"),                // 39 TabControlTabImage
        Img("DEEPBLUE_TAB_LINE"),           // 40 TabControlBarImage
        Img("DEEPBLUE_SIDECHENNEL_HANDLE"), // 41 SideChannelHandleImage
        Img("DEEPBLUE_SIDECHENNEL_BAR"),    // 42 SideChannelBarImage
        Img(nullptr),                       // 43 TitleBarMinimizedImage
        Rgb(255, 255, 255),                 // 44 TitleBarFontColor
        Img(nullptr),                       // 45 FormLeftBorderImage
        Img(nullptr),                       // 46 FormBottomBorderImage
        Num(0),                             // 47 FormBottomRoundCornerInt
        Rgb(232, 232, 232),                 // 48 MenuMenuBarColor
    },
    {
        // Protein
        Unused,
        Img("PROTEIN_BUTTON"),             // 1 ButtonImage
        No,                                // 2 ButtonTransparentBool
        Img("PROTEIN_CHECKBOX"),           // 3 CheckBoxImage
        Img("PROTEIN_RADIOBUTTON"),        // 4 RadioButtonImage
        Img("PROTEIN_TITLEBTN"),           // 5 TitleBarButtonImage
        Yes,                               // 6 TitleBarButtonTransparentBool
        Num(0),                            // 7 TitleBarButtonLeftOffsetInt
        Num(0),                            // 8 TitleBarButtonRightOffsetInt
        Num(2),                            // 9 TitleBarButtonTopInt
        Img("PROTEIN_TITLE_LEFT"),         // 10 TitleBarLeftImage
        Img("PROTEIN_TITLE_CLIENT"),       // 11 TitleBarClientImage
        Img("PROTEIN_TITLE_RIGHT"),        // 12 TitleBarRightImage
        Num(130),                          // 13 FormMinWidthInt
        Num(0),                            // 14 FormRoundCornerInt
        Rgb(251, 251, 251),                // 15 FormBackgroundColor
        Rgb(0, 0, 0),                      // 16 FormBorderColor
        Num(1),                            // 17 FormBorderWidthInt
        Rgb(45, 48, 196),                  // 18 MenuSelectedBorderColor
        Rgb(45, 48, 196),                  // 19 MenuSelectedBackgroundColor
        Rgb(255, 255, 255),                // 20 MenuSelectedFontColor
        Rgb(255, 255, 255),                // 21 MenuBackgroundColor
        Rgb(0, 0, 0),                      // 22 MenuFontColor
        Rgb(214, 211, 206),                // 23 MenuBarColor
        Img("PROTEIN_PROGRESSBAR"),        // 24 ProgressBarImage
        Rgb(0, 0, 0),                      // 25 ControlBorderColor
        Rgb(251, 251, 251),                // 26 ControlBackgroundColor
        Rgb(0, 0, 0),                      // 27 ControlFontColor
        Img("PROTEIN_TRACKBAR_BAR"),       // 28 TrackBarBarImage
        Img("PROTEIN_TRACKBAR_SLIDER"),    // 29 TrackBarSliderImage
        Img("PROTEIN_TRACKBAR_SLIDER_V"),  // 30 TrackBarSliderVImage
        Rgb(245, 245, 245),                // 31 ScrollBarBackgroundColor
        Img("PROTEIN_SCROLLBAR_BUTTON"),   // 32 ScrollBarButtonImage
        Img("PROTEIN_SCROLLBAR_TRACK"),    // 33 ScrollBarSliderImage
        Img("PROTEIN_CHECKLIST"),          // 34 CheckListBoxImage
        Rgb(71, 71, 71),                   // 35 ToolBarButtonBorderColor
        Rgb(239, 239, 239),                // 36 ToolBarButtonBackgroundColor
        Rgb(216, 216, 216),                // 37 ToolBarButtonDownBackgroundColor
        Img("MORE_SCROLLBUTTON"),          // 38 ScrollButtonImage
        Img("PROTEIN_TAB"),                // 39 TabControlTabImage
        Img("PROTEIN_TAB_LINE"),           // 40 TabControlBarImage
        Img("PROTEIN_SIDECHENNEL_HANDLE"), // 41 SideChannelHandleImage
        Img("PROTEIN_SIDECHENNEL_BAR"),    // 42 SideChannelBarImage
        Img(nullptr),                      // 43 TitleBarMinimizedImage
        Rgb(255, 255, 255),                // 44 TitleBarFontColor
        Img(nullptr),                      // 45 FormLeftBorderImage
        Img(nullptr),                      // 46 FormBottomBorderImage
        Num(0),                            // 47 FormBottomRoundCornerInt
        Rgb(251, 251, 251),                // 48 MenuMenuBarColor
    },
    {
        // BlueGlass
        Unused,
        Img("BLUEGLASS_BUTTON"),             // 1 ButtonImage
        Yes,                                 // 2 ButtonTransparentBool
        Img("BLUEGLASS_CHECKBOX"),           // 3 CheckBoxImage
        Img("BLUEGLASS_RADIOBUTTON"),        // 4 RadioButtonImage
        Img("BLUEGLASS_TITLEBTN"),           // 5 TitleBarButtonImage
        Yes,                                 // 6 TitleBarButtonTransparentBool
        Num(4),                              // 7 TitleBarButtonLeftOffsetInt
        Num(-3),                             // 8 TitleBarButtonRightOffsetInt
        Num(6),                              // 9 TitleBarButtonTopInt
        Img("BLUEGLASS_TITLE_LEFT"),         // 10 TitleBarLeftImage
        Img("BLUEGLASS_TITLE_CLIENT"),       // 11 TitleBarClientImage
        Img("BLUEGLASS_TITLE_RIGHT"),        // 12 TitleBarRightImage
        Num(270),                            // 13 FormMinWidthInt
        Num(11),                             // 14 FormRoundCornerInt
        Rgb(231, 231, 231),                  // 15 FormBackgroundColor
        Rgb(0, 0, 0),                        // 16 FormBorderColor
        Num(1),                              // 17 FormBorderWidthInt
        Rgb(94, 94, 236),                    // 18 MenuSelectedBorderColor
        Rgb(94, 94, 236),                    // 19 MenuSelectedBackgroundColor
        Rgb(255, 255, 255),                  // 20 MenuSelectedFontColor
        Rgb(231, 231, 231),                  // 21 MenuBackgroundColor
        Rgb(0, 0, 0),                        // 22 MenuFontColor
        Rgb(214, 211, 206),                  // 23 MenuBarColor
        Img("BLUEGLASS_PROGRESSBAR"),        // 24 ProgressBarImage
        Rgb(0, 0, 0),                        // 25 ControlBorderColor
        Rgb(231, 231, 231),                  // 26 ControlBackgroundColor
        Rgb(0, 0, 0),                        // 27 ControlFontColor
        Img("BLUEGLASS_TRACKBAR_BAR"),       // 28 TrackBarBarImage
        Img("BLUEGLASS_TRACKBAR_SLIDER"),    // 29 TrackBarSliderImage
        Img("BLUEGLASS_TRACKBAR_SLIDER_V"),  // 30 TrackBarSliderVImage
        Rgb(244, 244, 244),                  // 31 ScrollBarBackgroundColor
        Img("BLUEGLASS_SCROLLBAR_BUTTON"),   // 32 ScrollBarButtonImage
        Img("BLUEGLASS_SCROLLBAR_TRACK"),    // 33 ScrollBarSliderImage
        Img("BLUEGLASS_CHECKLIST"),          // 34 CheckListBoxImage
        Rgb(71, 71, 71),                     // 35 ToolBarButtonBorderColor
        Rgb(239, 239, 239),                  // 36 ToolBarButtonBackgroundColor
        Rgb(216, 216, 216),                  // 37 ToolBarButtonDownBackgroundColor
        Img("MORE_SCROLLBUTTON"),            // 38 ScrollButtonImage
        Img("BLUEGLASS_TAB"),                // 39 TabControlTabImage
        Img("BLUEGLASS_TAB_LINE"),           // 40 TabControlBarImage
        Img("BLUEGLASS_SIDECHENNEL_HANDLE"), // 41 SideChannelHandleImage
        Img("BLUEGLASS_SIDECHENNEL_BAR"),    // 42 SideChannelBarImage
        Img(nullptr),                        // 43 TitleBarMinimizedImage
        Rgb(255, 255, 255),                  // 44 TitleBarFontColor
        Img(nullptr),                        // 45 FormLeftBorderImage
        Img(nullptr),                        // 46 FormBottomBorderImage
        Num(0),                              // 47 FormBottomRoundCornerInt
        Rgb(231, 231, 231),                  // 48 MenuMenuBarColor
    },
};

TThemeValue GetThemeValue(TskUIStyle style, int element) {
    const int index = static_cast<uint8_t>(style) & 0x7F;
    if (index < 1 || index > 5 || element < 1 || element > ThemeElementCount)
        return {ThemeValueKind::Integer, -1, nullptr};
    const ThemeTableValue& cell = ThemeValues[index][element];
    const ThemeValueKind kind = ElementKinds[element];
    if (kind == ThemeValueKind::Image) return {kind, 0, cell.ImageName ? cell.ImageName : ""};
    return {kind, cell.Value, nullptr};
}

bool GetThemeBool(TskUIStyle style, int element) {
    const TThemeValue v = GetThemeValue(style, element);
    return v.Kind == ThemeValueKind::Boolean && v.Value != 0;
}

TColor GetThemeColor(TskUIStyle style, int element) {
    const TThemeValue v = GetThemeValue(style, element);
    return v.Kind == ThemeValueKind::Color ? v.Value : 0;
}

int32_t GetThemeInt(TskUIStyle style, int element) {
    const TThemeValue v = GetThemeValue(style, element);
    return v.Kind == ThemeValueKind::Integer ? v.Value : -1;
}

const char* GetThemeImageName(TskUIStyle style, int element) {
    const TThemeValue v = GetThemeValue(style, element);
    return v.Kind == ThemeValueKind::Image ? v.ImageName : nullptr;
}

// Sizes as the controls expect them; the artwork generator draws to the same list.
const BuiltInBitmap BuiltInBitmaps[] = {
    {"MACOS_BUTTON", 252, 23, 3},
    {"WINXP_BUTTON", 54, 21, 3},
    {"DEEPBLUE_BUTTON", 222, 21, 3},
    {"PROTEIN_BUTTON", 222, 21, 3},
    {"BLUEGLASS_BUTTON", 231, 27, 3},
    {"MACOS_CHECKBOX", 60, 17, 4},
    {"WINXP_CHECKBOX", 52, 13, 4},
    {"DEEPBLUE_CHECKBOX", 52, 13, 4},
    {"PROTEIN_CHECKBOX", 52, 13, 4},
    {"BLUEGLASS_CHECKBOX", 52, 13, 4},
    {"MACOS_RADIOBUTTON", 64, 17, 4},
    {"WINXP_RADIOBUTTON", 52, 13, 4},
    {"DEEPBLUE_RADIOBUTTON", 52, 13, 4},
    {"PROTEIN_RADIOBUTTON", 52, 13, 4},
    {"BLUEGLASS_RADIOBUTTON", 52, 13, 4},
    {"MACOS_TITLEBTN", 306, 17, 18},
    {"WINXP_TITLEBTN", 378, 21, 18},
    {"DEEPBLUE_TITLEBTN", 342, 19, 18},
    {"PROTEIN_TITLEBTN", 342, 19, 18},
    {"BLUEGLASS_TITLEBTN", 342, 19, 18},
    {"MACOS_TITLE_LEFT", 48, 23, 1},
    {"WINXP_TITLE_LEFT", 35, 29, 1},
    {"DEEPBLUE_TITLE_LEFT", 97, 32, 1},
    {"PROTEIN_TITLE_LEFT", 441, 23, 1},
    {"BLUEGLASS_TITLE_LEFT", 162, 33, 1},
    {"MACOS_TITLE_CLIENT", 49, 23, 1},
    {"WINXP_TITLE_CLIENT", 37, 29, 1},
    {"DEEPBLUE_TITLE_CLIENT", 98, 32, 1},
    {"PROTEIN_TITLE_CLIENT", 1, 23, 1},
    {"BLUEGLASS_TITLE_CLIENT", 179, 33, 1},
    {"MACOS_TITLE_RIGHT", 48, 23, 1},
    {"WINXP_TITLE_RIGHT", 35, 29, 1},
    {"DEEPBLUE_TITLE_RIGHT", 97, 32, 1},
    {"PROTEIN_TITLE_RIGHT", 1, 23, 1},
    {"BLUEGLASS_TITLE_RIGHT", 101, 33, 1},
    {"MACOS_PROGRESSBAR", 13, 10, 1},
    {"WINXP_PROGRESSBAR", 6, 10, 1},
    {"DEEPBLUE_PROGRESSBAR", 1, 10, 1},
    {"PROTEIN_PROGRESSBAR", 1, 10, 1},
    {"BLUEGLASS_PROGRESSBAR", 1, 10, 1},
    {"MACOS_TRACKBAR_BAR", 45, 5, 1},
    {"WINXP_TRACKBAR_BAR", 45, 8, 1},
    {"DEEPBLUE_TRACKBAR_BAR", 45, 4, 1},
    {"PROTEIN_TRACKBAR_BAR", 45, 4, 1},
    {"BLUEGLASS_TRACKBAR_BAR", 45, 4, 1},
    {"MACOS_TRACKBAR_SLIDER", 11, 20, 1},
    {"WINXP_TRACKBAR_SLIDER", 11, 21, 1},
    {"DEEPBLUE_TRACKBAR_SLIDER", 11, 20, 1},
    {"PROTEIN_TRACKBAR_SLIDER", 11, 20, 1},
    {"BLUEGLASS_TRACKBAR_SLIDER", 11, 20, 1},
    {"MACOS_TRACKBAR_SLIDER_V", 19, 11, 1},
    {"WINXP_TRACKBAR_SLIDER_V", 22, 11, 1},
    {"DEEPBLUE_TRACKBAR_SLIDER_V", 18, 11, 1},
    {"PROTEIN_TRACKBAR_SLIDER_V", 18, 11, 1},
    {"BLUEGLASS_TRACKBAR_SLIDER_V", 18, 11, 1},
    {"MACOS_SCROLLBAR_BUTTON", 96, 22, 1},
    {"WINXP_SCROLLBAR_BUTTON", 96, 17, 1},
    {"DEEPBLUE_SCROLLBAR_BUTTON", 96, 16, 1},
    {"PROTEIN_SCROLLBAR_BUTTON", 96, 16, 1},
    {"BLUEGLASS_SCROLLBAR_BUTTON", 102, 16, 1},
    {"MACOS_SCROLLBAR_TRACK", 33, 16, 1},
    {"WINXP_SCROLLBAR_TRACK", 21, 16, 1},
    {"DEEPBLUE_SCROLLBAR_TRACK", 21, 16, 1},
    {"PROTEIN_SCROLLBAR_TRACK", 21, 16, 1},
    {"BLUEGLASS_SCROLLBAR_TRACK", 21, 16, 1},
    {"MACOS_CHECKLIST", 40, 11, 1},
    {"WINXP_CHECKLIST", 44, 11, 1},
    {"DEEPBLUE_CHECKLIST", 44, 11, 1},
    {"PROTEIN_CHECKLIST", 44, 11, 1},
    {"BLUEGLASS_CHECKLIST", 44, 11, 1},
    {"MACOS_SCROLLBUTTON", 72, 18, 1},
    {"WINXP_SCROLLBUTTON", 72, 18, 1},
    {"MORE_SCROLLBUTTON", 72, 17, 1},
    {"MACOS_TAB", 36, 27, 1},
    {"WINXP_TAB", 18, 18, 1},
    {"DEEPBLUE_TAB", 12, 17, 1},
    {"PROTEIN_TAB", 18, 17, 1},
    {"BLUEGLASS_TAB", 18, 17, 1},
    {"MACOS_TAB_LINE", 17, 7, 1},
    {"WINXP_TAB_LINE", 8, 1, 1},
    {"DEEPBLUE_TAB_LINE", 5, 5, 1},
    {"PROTEIN_TAB_LINE", 10, 5, 1},
    {"BLUEGLASS_TAB_LINE", 10, 5, 1},
    {"MACOS_SIDECHENNEL_HANDLE", 7, 84, 1},
    {"WINXP_SIDECHENNEL_HANDLE", 8, 86, 1},
    {"DEEPBLUE_SIDECHENNEL_HANDLE", 8, 83, 1},
    {"PROTEIN_SIDECHENNEL_HANDLE", 8, 83, 1},
    {"BLUEGLASS_SIDECHENNEL_HANDLE", 8, 86, 1},
    {"MACOS_SIDECHENNEL_BAR", 1, 21, 1},
    {"WINXP_SIDECHENNEL_BAR", 1, 21, 1},
    {"DEEPBLUE_SIDECHENNEL_BAR", 1, 20, 1},
    {"PROTEIN_SIDECHENNEL_BAR", 1, 21, 1},
    {"BLUEGLASS_SIDECHENNEL_BAR", 1, 21, 1},
    {"MACOS_MENU_BAR", 1, 22, 1},
    {"MACOS_MENU_SELECT", 1, 21, 1},
    {"MACOS_FORM_BACKGROUND", 8, 8, 1},
    {"PROTEIN_FORM_BACKGROUND", 8, 8, 1},
    {"MENU_CHECKED", 16, 16, 1},
};
const int BuiltInBitmapCount = static_cast<int>(sizeof(BuiltInBitmaps) / sizeof(BuiltInBitmaps[0]));

const BuiltInBitmap* FindBuiltInBitmap(const char* name) {
    if (!name) return nullptr;
    for (const BuiltInBitmap& b : BuiltInBitmaps)
        if (SameText(b.Name, name)) return &b;
    return nullptr;
}
