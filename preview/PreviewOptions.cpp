#include "preview/PreviewOptions.h"

#include "framework/Strings.h"

const char* const PreviewUsageText =
    "Usage: SkinPreview [--style NAME | SKINFILE] [--shot OUT.bmp]\n"
    "NAME is one of MacOS, WinXP, DeepBlue, Protein, BlueGlass (DeepBlue when none is "
    "given).\n"
    "--shot writes a picture of the window and ends.";

namespace {

[[noreturn]] void Refuse(const std::string& fault) {
    throw EPreviewUsage(fault + "\n\n" + PreviewUsageText);
}

TskUIStyle BuiltInStyleNamed(const std::string& name) {
    // FromThemeFile is no built-in look; a file is named by its path instead.
    for (size_t i = 1; i < TskUIStyleInfo.Names.size(); ++i)
        if (SameText(TskUIStyleInfo.Names[i], name)) return static_cast<TskUIStyle>(i);
    Refuse("Unknown style \"" + name + "\".");
}

const std::string& ValueOf(const std::vector<std::string>& arguments, size_t& i) {
    if (i + 1 >= arguments.size()) Refuse(arguments[i] + " needs a value.");
    return arguments[++i];
}

} // namespace

TPreviewOptions ParsePreviewArguments(const std::vector<std::string>& arguments) {
    TPreviewOptions options;
    bool styleGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--style") {
            if (styleGiven) Refuse("Give one style or one skin file.");
            options.Style = BuiltInStyleNamed(ValueOf(arguments, i));
            styleGiven = true;
        } else if (argument == "--shot") {
            if (!options.ShotFile.empty()) Refuse("Give --shot once.");
            options.ShotFile = ValueOf(arguments, i);
            if (options.ShotFile.empty()) Refuse("--shot needs a file name.");
        } else if (argument.size() > 1 && argument[0] == '-' && argument[1] == '-') {
            Refuse("Unknown option \"" + argument + "\".");
        } else {
            if (styleGiven || argument.empty()) Refuse("Give one style or one skin file.");
            options.Style = TskUIStyle::FromThemeFile;
            options.SkinFile = argument;
            styleGiven = true;
        }
    }
    return options;
}
