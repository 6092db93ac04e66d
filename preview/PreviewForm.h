#pragma once
// The preview window: read from its form description, it shows one of every
// skinned control in a built-in style or in the look of a skin file.

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "shapes/MShape.h"
#include "skin/SkinButton.h"
#include "skin/SkinForm.h"
#include "skin/SkinMainMenu.h"
#include "skin/SkinMgr.h"
#include "skin/SkinRadioGroup.h"

#include <string>

class TPreviewForm : public TForm {
    DECLARE_PUBLISHED(TPreviewForm, TForm)
  public:
    explicit TPreviewForm(TComponent* owner);

    // Published fields, filled by the form description.
    TskForm* skForm1 = nullptr;
    TMultiShape* MultiShape1 = nullptr;
    TMultiShape* MultiShape2 = nullptr;
    TskButton* skButton1 = nullptr;
    TskButton* skButton2 = nullptr;
    TskCheckBox* skCheckBox1 = nullptr;
    TskCheckBox* skCheckBox2 = nullptr;
    TskCheckBox* skCheckBox3 = nullptr;
    TskCheckBox* skCheckBox4 = nullptr;
    TskRadioButton* skRadioButton1 = nullptr;
    TskRadioGroup* skRadioGroup1 = nullptr;
    TskCheckGroup* skCheckGroup1 = nullptr;
    TskCustomGroupBox* skGroupBox1 = nullptr;
    TskCustomPanel* skPanel1 = nullptr;
    TskMainMenu* skMainMenu1 = nullptr;

    // Published methods, bound by name from the form description.
    void Exit1Click(TObject* sender);
    void MacOS1Click(TObject* sender);
    void WinXP1Click(TObject* sender);
    void DeepBlue1Click(TObject* sender);
    void Protein1Click(TObject* sender);
    void BlueGlass1Click(TObject* sender);

    // Every control takes the built-in style.
    void ShowStyle(TskUIStyle style);
    // Every control takes the skin file's look. A file that cannot be found
    // raises EFOpenError; one the reader refuses raises the reader's error.
    // Either way the look shown before stays.
    void ShowSkinFile(const std::string& path);
    TskFileTheme* FileTheme() const { return fileTheme_; }

  private:
    void ShowLook(TskUIStyle style, TskFileTheme* theme);
    void DrawCustomTitleButton();
    TskFileTheme* fileTheme_ = nullptr;
};

// Makes the classes of the preview's form description known to the reader.
void RegisterPreviewClasses();
