// Menu handles built from the items: the default entry, shortcut texts, the
// image list reference, and accelerators that skip a literal "&&".

#include "framework/ImageList.h"
#include "framework/Menus.h"

#include <gtest/gtest.h>

namespace {

TEST(MenusTest, AnEntryWithSubItemsCanBeTheDefault) {
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    auto* plain = new TMenuItem(&owner);
    auto* more = new TMenuItem(&owner);
    auto* sub = new TMenuItem(&owner);
    menu->Items()->Add(plain);
    menu->Items()->Add(more);
    more->Add(sub);
    more->SetDefault(true);
    MenuHandle handle(CreatePopupMenu());
    menu->Items()->AppendTo(handle);
    EXPECT_EQ(GetMenuDefaultItem(handle.Get(), TRUE, 0), 1u);
}

TEST(MenusTest, ShortCutTextNamesModifiersThenTheKey) {
    EXPECT_EQ(ShortCutToText(scCtrl | 'S'), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(scShift | scCtrl | VK_F5), "Shift+Ctrl+F5");
    EXPECT_EQ(ShortCutToText(scAlt | VK_DELETE), "Alt+Del");
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(MenusTest, AMenuForgetsAnImageListThatGoes) {
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    auto* images = new TImageList(&owner);
    menu->SetImages(images);
    delete images;
    EXPECT_EQ(menu->Images(), nullptr);
}

TEST(MenusTest, MenuCharSkipsALiteralAmpersand) {
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    auto* item = new TMenuItem(&owner);
    item->SetCaption("Save && &Quit");
    item->OnDrawItem = [](TObject*, TCanvas&, TRect, bool) {};
    menu->Items()->Add(item);
    MenuHandle handle(CreatePopupMenu());
    menu->Items()->AppendTo(handle);
    LRESULT result = 0;
    const auto ask = [&](char key) {
        return TMenuItem::AnswerMenuChar(MAKEWPARAM(key, MF_POPUP),
                                         reinterpret_cast<LPARAM>(handle.Get()), result);
    };
    EXPECT_FALSE(ask('s'));
    EXPECT_TRUE(ask('q'));
    EXPECT_EQ(result, MAKELRESULT(0, MNC_EXECUTE));
}

} // namespace
