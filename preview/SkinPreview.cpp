// SkinPreview: shows the skinned controls in a built-in style or a skin
// file's look, and with --shot writes a picture of its window and ends.
//
//   SkinPreview.exe --style WinXP
//   SkinPreview.exe my.skin --shot my.bmp
//
// Exit codes: 0 shown (and written), 1 the skin file or the picture failed
// (the window then shows DeepBlue), 2 a command line it cannot follow.

#include "framework/Application.h"
#include "framework/WindowShot.h"
#include "preview/PreviewForm.h"
#include "preview/PreviewOptions.h"

#include <vector>

namespace {

const char* const kTitle = "Skin Preview";

std::vector<std::string> ProgramArguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}

// The pointer would light up whatever button it rests on; the picture shows
// every control at rest, so the window keeps out of the pointer's way.
void PlaceAwayFromPointer(TPreviewForm& form) {
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const bool pointerLeft = pointer.x < (work.left + work.right) / 2;
    const bool pointerTop = pointer.y < (work.top + work.bottom) / 2;
    form.SetLeft(pointerLeft ? work.right - form.Width() : work.left);
    form.SetTop(pointerTop ? work.bottom - form.Height() : work.top);
}

int WriteShot(TApplication& application, TPreviewForm& form, const std::string& path) {
    PlaceAwayFromPointer(form);
    form.Show();
    // Painted active, as a user sees the window they work in.
    SetForegroundWindow(form.Handle());
    SettleWindow(form.Handle());
    try {
        WriteWindowShot(form.Handle(), path);
    } catch (const std::exception& error) {
        application.ShowException(error);
        return 1;
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegisterPreviewClasses();
    TApplication application;
    application.SetTitle(kTitle);
    TPreviewOptions options;
    try {
        options = ParsePreviewArguments(ProgramArguments());
    } catch (const EPreviewUsage& usage) {
        MessageBoxA(nullptr, usage.Message().c_str(), kTitle, MB_OK | MB_ICONINFORMATION);
        return 2;
    }

    TPreviewForm* form = nullptr;
    try {
        form = application.CreateForm<TPreviewForm>();
    } catch (const std::exception& error) {
        application.ShowException(error);
        return 1;
    }
    int result = 0;
    if (options.Style == TskUIStyle::FromThemeFile) {
        try {
            form->ShowSkinFile(options.SkinFile);
        } catch (const std::exception& error) {
            application.ShowException(error);
            form->ShowStyle(TskUIStyle::DeepBlue);
            result = 1;
        }
    } else {
        form->ShowStyle(options.Style);
    }

    if (!options.ShotFile.empty()) return WriteShot(application, *form, options.ShotFile) | result;
    application.Run();
    return result;
}
