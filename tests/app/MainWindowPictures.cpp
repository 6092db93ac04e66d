// Paints the program's main window, made from its own form description,
// under each of the five built-in styles and under a skin file, and writes
// FOLDER\main-<look>.bmp (the skin file's look is named after the file).
// tools/gallery.sh runs it for the README's theme gallery; the program itself
// has no style setting, so only a painter can show it in another look.
//
//   MainWindowPictures.exe FOLDER SKINFILE

#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/WindowShot.h"
#include "skin/SkinMgr.h"
#include "tests/support/MainWindow.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

struct Look {
    const char* Name;
    TskUIStyle Style;
};

const Look BuiltInLooks[] = {{"MacOS", TskUIStyle::MacOS},
                             {"WinXP", TskUIStyle::WinXP},
                             {"DeepBlue", TskUIStyle::DeepBlue},
                             {"Protein", TskUIStyle::Protein},
                             {"BlueGlass", TskUIStyle::BlueGlass}};

// What a user of the skin library does to restyle a window: the frame hands
// the look on to its title bar and to the skinned controls on it.
void ShowLook(TForm1& form, TskUIStyle style, TskFileTheme* theme) {
    form.skForm1->SetUIStyleAutoUpdateSub(true);
    form.skForm1->SetFileTheme(theme);
    form.skForm1->SetUIStyle(style);
    form.Invalidate();
}

void Shoot(TForm1& form, const std::string& path) {
    // Painted active, as the program's window shows at start.
    SetForegroundWindow(form.Handle());
    SettleWindow(form.Handle());
    WriteWindowShot(form.Handle(), path);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: MainWindowPictures FOLDER SKINFILE\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string skinFile = argv[2];
    try {
        TApplication application;
        TForm1* form = MakeMainWindow(application);
        form->Show();
        for (const Look& look : BuiltInLooks) {
            ShowLook(*form, look.Style, nullptr);
            Shoot(*form, folder + "\\main-" + look.Name + ".bmp");
        }
        // Owned by the form, as a theme dropped on it would be.
        auto* theme = new TskFileTheme(form);
        theme->SetThemeFile(skinFile);
        if (!theme->IsLoaded()) {
            std::fprintf(stderr, "cannot load %s\n", skinFile.c_str());
            return 1;
        }
        ShowLook(*form, TskUIStyle::FromThemeFile, theme);
        Shoot(*form, folder + "\\main-" + FileNameOf(skinFile) + ".bmp");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
