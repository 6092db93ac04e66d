#include "preview/PreviewForm.h"

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "skin/SkinTitleBar.h"

const ClassInfo& TPreviewForm::StaticClassInfo() {
    using F = TPreviewForm;
    static const ClassInfo info = ClassBuilder<F>()
                                      .Field("skForm1", &F::skForm1)
                                      .Field("MultiShape1", &F::MultiShape1)
                                      .Field("MultiShape2", &F::MultiShape2)
                                      .Field("skButton1", &F::skButton1)
                                      .Field("skButton2", &F::skButton2)
                                      .Field("skCheckBox1", &F::skCheckBox1)
                                      .Field("skCheckBox2", &F::skCheckBox2)
                                      .Field("skCheckBox3", &F::skCheckBox3)
                                      .Field("skCheckBox4", &F::skCheckBox4)
                                      .Field("skRadioButton1", &F::skRadioButton1)
                                      .Field("skRadioGroup1", &F::skRadioGroup1)
                                      .Field("skCheckGroup1", &F::skCheckGroup1)
                                      .Field("skGroupBox1", &F::skGroupBox1)
                                      .Field("skPanel1", &F::skPanel1)
                                      .Field("skMainMenu1", &F::skMainMenu1)
                                      .Method("Exit1Click", &F::Exit1Click)
                                      .Method("MacOS1Click", &F::MacOS1Click)
                                      .Method("WinXP1Click", &F::WinXP1Click)
                                      .Method("DeepBlue1Click", &F::DeepBlue1Click)
                                      .Method("Protein1Click", &F::Protein1Click)
                                      .Method("BlueGlass1Click", &F::BlueGlass1Click)
                                      .Build();
    return info;
}

void RegisterPreviewClasses() {
    RegisterFrameworkClasses();
    RegisterSkinClasses();
    RegisterShapesClasses();
    // The skin library names no concrete group box or panel; the preview
    // shows the bases themselves.
    RegisterClasses<TskCustomGroupBox, TskCustomPanel, TPreviewForm>();
}

namespace {

// A 16 x 16 glyph on magenta, which the button leaves out (its corner pixel).
void DrawGlyph(TBitmap& glyph) {
    glyph.SetSize(16, 16);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(0xFF00FF);
    canvas.FillRect(TRect{0, 0, 16, 16});
    canvas.Pen().SetColor(0x206020);
    canvas.Brush().SetColor(0x40C040);
    canvas.Ellipse(1, 1, 15, 15);
    canvas.Pen().SetColor(0xFFFFFF);
    canvas.Polyline({TPoint{4, 8}, TPoint{7, 11}, TPoint{12, 5}});
}

// One state of the custom title button: a disc of the given colour, as tall
// as the theme's own buttons, with see-through magenta around it.
void DrawDisc(TBitmap& picture, int size, TColor color) {
    picture.SetSize(size, size);
    TCanvas& canvas = picture.Canvas();
    canvas.Brush().SetColor(0xFF00FF);
    canvas.FillRect(TRect{0, 0, size, size});
    canvas.Pen().SetColor(0x303030);
    canvas.Brush().SetColor(color);
    canvas.Ellipse(1, 1, size - 1, size - 1);
}

} // namespace

TPreviewForm::TPreviewForm(TComponent* owner) : TForm(owner) {
    LoadFormResource("SKINPREVIEW");
    TBitmap glyph;
    DrawGlyph(glyph);
    skButton2->SetGlyph(glyph);
    skCheckGroup1->SetItemChecked(0, true);
    skCheckGroup1->SetItemChecked(2, true);
    ShowLook(skForm1->UIStyle(), nullptr);
}

void TPreviewForm::ShowStyle(TskUIStyle style) {
    ShowLook(style, nullptr);
}

void TPreviewForm::ShowSkinFile(const std::string& path) {
    if (!fileTheme_) {
        fileTheme_ = new TskFileTheme(this);
        fileTheme_->SetName("skFileTheme1");
    }
    const std::string before = fileTheme_->ThemeFile();
    fileTheme_->SetThemeFile(path);
    // The theme looks beside the program and in the system folders too, and
    // ignores a name it finds nowhere.
    if (!fileTheme_->IsLoaded() || fileTheme_->ThemeFile() == before)
        throw EFOpenError(Format("Cannot open file \"%s\"", path));
    ShowLook(TskUIStyle::FromThemeFile, fileTheme_);
}

void TPreviewForm::ShowLook(TskUIStyle style, TskFileTheme* theme) {
    // The frame hands the look on to its title bar, menu and controls.
    skForm1->SetFileTheme(theme);
    skForm1->SetUIStyle(style);
    DrawCustomTitleButton();
    Invalidate();
}

void TPreviewForm::DrawCustomTitleButton() {
    TskTitleBarButtons& buttons = *skForm1->TitleBarButtons();
    int size = 17;
    for (int i = 0; i < buttons.Count(); ++i)
        if (buttons.Items(i)->ButtonType() == skClose && !buttons.Items(i)->PicNormal()->Empty())
            size = buttons.Items(i)->PicNormal()->Height();
    for (int i = 0; i < buttons.Count(); ++i) {
        TskTitleBarButton& button = *buttons.Items(i);
        if (button.ButtonType() != skCustom) continue;
        TBitmap picture;
        DrawDisc(picture, size, 0x30A0F0);
        button.SetPicNormal(picture);
        DrawDisc(picture, size, 0x60C8FF);
        button.SetPicMouseOn(picture);
        DrawDisc(picture, size, 0x1070C0);
        button.SetPicMouseDown(picture);
        button.SetTransparent(true);
    }
}

void TPreviewForm::Exit1Click(TObject*) {
    Close();
}
void TPreviewForm::MacOS1Click(TObject*) {
    ShowStyle(TskUIStyle::MacOS);
}
void TPreviewForm::WinXP1Click(TObject*) {
    ShowStyle(TskUIStyle::WinXP);
}
void TPreviewForm::DeepBlue1Click(TObject*) {
    ShowStyle(TskUIStyle::DeepBlue);
}
void TPreviewForm::Protein1Click(TObject*) {
    ShowStyle(TskUIStyle::Protein);
}
void TPreviewForm::BlueGlass1Click(TObject*) {
    ShowStyle(TskUIStyle::BlueGlass);
}
