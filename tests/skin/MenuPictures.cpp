// Opens a skinned popup menu under each of the five built-in styles, selects
// its second entry and writes a screenshot of the open menu to
// FOLDER\menu-<style>.bmp. tools/menu-pictures.sh runs it and combines the
// pictures for the README.
//
//   MenuPictures.exe FOLDER

#include "framework/Forms.h"
#include "framework/Streams.h"
#include "skin/SkinPopupMenu.h"

#include <memory>
#include <string>

namespace {

const char* const StyleNames[] = {"MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass"};
const TskUIStyle Styles[] = {TskUIStyle::MacOS, TskUIStyle::WinXP, TskUIStyle::DeepBlue,
                             TskUIStyle::Protein, TskUIStyle::BlueGlass};

std::string target;
int ticks = 0;

void SaveMenuWindow(HWND menu) {
    RECT r{};
    GetWindowRect(menu, &r);
    TBitmap shot(r.right - r.left, r.bottom - r.top);
    WindowDc screen(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen.Get(), r.left, r.top,
           SRCCOPY);
    TMemoryStream bytes;
    shot.SaveToStream(bytes);
    bytes.SaveToFile(target);
}

// Steps through the open menu from inside its own message loop.
void CALLBACK Step(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    switch (++ticks) {
    case 1:
    case 2:
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        break;
    case 4:
        SaveMenuWindow(menu);
        break;
    case 5:
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    }
}

TMenuItem* Add(TComponent* owner, TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string folder = argv[1];
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    form.HandleNeeded();
    for (int s = 0; s < 5; ++s) {
        auto menu = std::make_unique<TskPopupMenu>(&form);
        menu->SetUIStyle(Styles[s]);
        TMenuItem* root = menu->Items();
        Add(&form, root, "&Open")->SetDefault(true);
        Add(&form, root, "&Save")->SetShortCut(scCtrl | 'S');
        Add(&form, root, "-");
        Add(&form, root, "&Word wrap")->SetChecked(true);
        Add(&form, root, "&Read only")->SetEnabled(false);
        Add(&form, Add(&form, root, "Re&cent"), "notes.txt");
        Add(&form, root, "-");
        Add(&form, root, "E&xit")->SetShortCut(scAlt | VK_F4);
        target = folder + "\\menu-" + StyleNames[s] + ".bmp";
        ticks = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 150, &Step);
        menu->Popup(40, 40);
        KillTimer(nullptr, timer);
    }
    return 0;
}
