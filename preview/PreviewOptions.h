#pragma once
// The preview's command line: a built-in style or a skin file to show, and
// optionally a picture of the window to write before ending. Free of
// windows.h, so it is tested natively.

#include "framework/Exceptions.h"
#include "skin/SkinThemeTables.h"

#include <string>
#include <vector>

struct TPreviewOptions {
    // FromThemeFile when SkinFile is to be shown.
    TskUIStyle Style = TskUIStyle::DeepBlue;
    std::string SkinFile;
    // Empty: the window stays open until it is closed.
    std::string ShotFile;
};

// A command line the preview cannot follow; the message ends with the usage.
class EPreviewUsage : public Exception {
    using Exception::Exception;
};

//   SkinPreview [--style NAME | SKINFILE] [--shot OUT.bmp]
// Style names compare without regard to case. Raises EPreviewUsage for an
// unknown option or style, a missing value, or a style and a file together.
TPreviewOptions ParsePreviewArguments(const std::vector<std::string>& arguments);

extern const char* const PreviewUsageText;
