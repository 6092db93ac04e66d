// Paints the main window's title bar (control box, close and minimize, the
// caption) under each of the five built-in styles, active and inactive, and
// writes FOLDER\titlebar-<style>.bmp. tools/titlebar-pictures.sh runs it and
// combines the pictures for the README.
//
//   TitleBarPictures.exe FOLDER

#include "framework/Forms.h"
#include "framework/Streams.h"
#include "skin/SkinTitleBar.h"

#include <memory>
#include <string>

namespace {

const char* const StyleNames[] = {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
const TskUIStyle Styles[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                             TskUIStyle::Protein, TskUIStyle::BlueGlass};

void Paint(TskTitleBar& bar, TBitmap& into, int top) {
    TBitmap one(bar.Width(), bar.Height());
    SendMessageA(bar.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(one.Canvas().Handle()), 0);
    into.Canvas().Draw(0, top, one);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string folder = argv[1];
    for (int i = 0; i < 5; ++i) {
        auto form = std::make_unique<TForm>(nullptr);
        // Off the screen: the pointer is over no button.
        form->SetBounds(-4000, -4000, 400, 200);
        form->HandleNeeded();
        auto* bar = new TskTitleBar(form.get());
        bar->SetParent(form.get());
        bar->SetAlign(alNone);
        bar->SetWidth(270);
        bar->SetUIStyle(Styles[i]);
        bar->Buttons()->Items(2)->SetVisible(false);
        bar->SetCaption("MOXEL Utility V1.2 20080204");
        // The active title above the inactive one, 4 pixels apart.
        TBitmap shot(bar->Width(), 2 * bar->Height() + 4);
        shot.Canvas().Brush().SetColor(clWhite);
        shot.Canvas().FillRect(Rect(0, 0, shot.Width(), shot.Height()));
        Paint(*bar, shot, 0);
        bar->SetFormActive(false);
        Paint(*bar, shot, bar->Height() + 4);
        TMemoryStream bytes;
        shot.SaveToStream(bytes);
        bytes.SaveToFile(folder + "\\titlebar-" + StyleNames[i] + ".bmp");
    }
    return 0;
}
