// The main window as the program's form description makes it, table by
// table: the window, the frame with its title bar buttons and sections, the
// controls on the frame and the non-visual components in creation order, the
// tray menu and its accelerators, the handlers each event is bound to, the
// published fields of TForm1 and the state at load.
//
// The description is read onto a stand-in root named TForm1 whose handlers
// only record their names: every component is the real one, but no handler
// changes the display or the registry, and FormCreate does not start Timer1.

#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/StringList.h"
#include "tests/app/MenuWatchdog.h"
#include "tests/tray/ShellRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace recorded {

std::vector<std::string>& Fired() {
    static std::vector<std::string> fired;
    return fired;
}

class TForm1 : public TForm {
    DECLARE_PUBLISHED(TForm1, TForm)
  public:
    explicit TForm1(TComponent* owner) : TForm(owner) { LoadFormResource("TFORM1"); }
};

const char* const NotifyHandlers[] = {
    "FormCreate",     "FormResize",      "Timer1Timer",    "TrayIcon1DblClick", "Exit1Click",
    "skButton1Click", "N1024x7681Click", "N800x6001Click", "N800x4801Click",    "N1024x7682Click",
    "N800x6002Click", "N800x4802Click",  "Button1Click",   "Timer2Timer"};

const ClassInfo& TForm1::StaticClassInfo() {
    static const ClassInfo info = [] {
        ClassInfo built = ClassBuilder<TForm1>().Build();
        for (const char* name : NotifyHandlers)
            built.Methods.push_back(TMethodInfo{
                name, [name](TObject*) {
                    return std::any(TNotifyEvent([name](TObject*) { Fired().push_back(name); }));
                }});
        built.Methods.push_back(
            TMethodInfo{"FormCloseQuery", [](TObject*) {
                            return std::any(TCloseQueryEvent(
                                [](TObject*, bool&) { Fired().push_back("FormCloseQuery"); }));
                        }});
        return built;
    }();
    return info;
}

} // namespace recorded

namespace {

using recorded::Fired;

struct Property {
    const char* Path; // "Font.Height"
    std::string Value;
};

std::string ColorText(TColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(color));
    return text;
}

// The property at path ("Font.Height") of object, and the object that holds it.
std::pair<TObject*, const TPropertyInfo*> Resolve(TObject* object, std::string path) {
    for (auto dot = path.find('.'); dot != std::string::npos; dot = path.find('.')) {
        object = GetPropInfo(object, path.substr(0, dot))->GetObj(object);
        path = path.substr(dot + 1);
    }
    return {object, GetPropInfo(object, path)};
}

// A property's value as the description writes it: numbers, True/False,
// enumeration names, [set], text without quotes, string lists joined by |,
// references by name; colours as hexadecimal numbers.
std::string ValueText(TObject* object, const TPropertyInfo& p) {
    switch (p.Kind) {
    case TPropKind::Boolean:
        return p.GetOrd(object) ? "True" : "False";
    case TPropKind::Enum:
        return p.Enum->Names.at(p.GetOrd(object));
    case TPropKind::Set: {
        std::string names;
        const int64_t mask = p.GetOrd(object);
        for (size_t i = 0; i < p.Enum->Names.size() && i < 64; ++i)
            if ((mask >> i) & 1) names += (names.empty() ? "" : ", ") + p.Enum->Names[i];
        return "[" + names + "]";
    }
    case TPropKind::String:
        return p.GetStr(object);
    case TPropKind::Strings: {
        auto* list = dynamic_cast<TStringList*>(p.GetObj(object));
        std::string lines;
        for (int i = 0; list && i < list->Count(); ++i)
            lines += (i ? "|" : "") + list->Strings(i);
        return lines;
    }
    case TPropKind::Component: {
        TComponent* referent = p.GetRef(object);
        return referent ? referent->Name() : "nil";
    }
    case TPropKind::Color:
        return ColorText(static_cast<TColor>(p.GetOrd(object)));
    default:
        return std::to_string(p.GetOrd(object));
    }
}

// Colours may be given by name or number, as in the description.
std::string ExpectedText(const TPropertyInfo& p, const std::string& value) {
    if (p.Kind != TPropKind::Color) return value;
    TColor color = 0;
    if (!ColorFromName(value, color)) color = static_cast<TColor>(std::stoll(value));
    return ColorText(color);
}

void ExpectProperties(TObject* object, const std::string& name,
                      const std::vector<Property>& properties) {
    for (const Property& expected : properties) {
        SCOPED_TRACE(name + "." + expected.Path);
        try {
            const auto [holder, p] = Resolve(object, expected.Path);
            EXPECT_EQ(ExpectedText(*p, expected.Value), ValueText(holder, *p));
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
        }
    }
}

// A row's own properties followed by those it shares with others.
std::vector<Property> With(const std::vector<Property>& shared, std::vector<Property> own) {
    own.insert(own.end(), shared.begin(), shared.end());
    return own;
}

struct ControlRow {
    const char* Name;
    const char* Class;
    TRect Bounds; // Left, Top, Left + Width, Top + Height
    std::vector<Property> Properties;
};

struct ComponentRow {
    const char* Name;
    const char* Class;
    std::vector<Property> Properties;
};

// The program's icon as the executable holds it: sizes and depths of its images.
std::vector<std::pair<int, int>> ProgramIconImages() {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE Width, Height, Colors, Reserved;
        WORD Planes, BitCount;
        DWORD Bytes;
        WORD Id;
    };
    struct GroupHeader {
        WORD Reserved, Type, Count;
    };
#pragma pack(pop)
    std::vector<std::pair<int, int>> images;
    HRSRC found = FindResourceA(nullptr, "MAINICON", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    if (!found) return images;
    const auto* header =
        static_cast<const GroupHeader*>(LockResource(LoadResource(nullptr, found)));
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    for (int i = 0; i < header->Count; ++i)
        images.push_back({entries[i].Width ? entries[i].Width : 256, entries[i].BitCount});
    return images;
}

// The form description the program carries.
std::string DescriptionText() {
    HRSRC found = FindResourceA(nullptr, "TFORM1", MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!found) return {};
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                       SizeofResource(nullptr, found));
}

struct Picture {
    std::string Property;
    int Width, Height, BitsPerPixel;
    bool operator==(const Picture& o) const {
        return Property == o.Property && Width == o.Width && Height == o.Height &&
               BitsPerPixel == o.BitsPerPixel;
    }
};

std::ostream& operator<<(std::ostream& out, const Picture& p) {
    return out << p.Property << " " << p.Width << " x " << p.Height << " x " << p.BitsPerPixel;
}

// The pictures embedded in the description as { hex } data, in order, as
// their file headers give them: bitmap files, or icon files by their first image.
std::vector<Picture> EmbeddedPictures(const std::string& text) {
    std::vector<Picture> pictures;
    for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
        const size_t equals = text.rfind(" = ", open);
        const size_t nameStart = text.find_last_of(" \n", equals - 1) + 1;
        std::vector<uint8_t> bytes;
        std::string digits;
        for (size_t i = open + 1; i < text.size() && text[i] != '}' && bytes.size() < 64; ++i)
            if (std::isxdigit(static_cast<unsigned char>(text[i]))) {
                digits += text[i];
                if (digits.size() == 2) {
                    bytes.push_back(static_cast<uint8_t>(std::stoi(digits, nullptr, 16)));
                    digits.clear();
                }
            }
        const auto u16 = [&](size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; };
        const auto i32 = [&](size_t at) { return static_cast<int>(u16(at) | u16(at + 2) << 16); };
        Picture picture{text.substr(nameStart, equals - nameStart), 0, 0, 0};
        if (bytes.size() >= 30 && bytes[0] == 'B' && bytes[1] == 'M')
            picture = {picture.Property, i32(18), i32(22), u16(28)};
        else if (bytes.size() >= 64 && u16(0) == 0 && u16(2) == 1) // icon: header at its offset
            picture = {picture.Property, i32(i32(18) + 4), i32(i32(18) + 8) / 2, u16(i32(18) + 14)};
        pictures.push_back(picture);
    }
    return pictures;
}

class MainWindowLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterFormClasses();
        Fired().clear();
        form = application.CreateForm<recorded::TForm1>();
    }

    TComponent* Component(const std::string& name) const {
        TComponent* found = form->FindComponent(name);
        EXPECT_NE(nullptr, found) << name;
        return found;
    }
    template <class T> T* Find(const std::string& name) const {
        return dynamic_cast<T*>(Component(name));
    }
    // The items of one of the frame's collections, in order.
    std::vector<TCollectionItem*> FrameItems(const std::string& property) const {
        std::vector<TCollectionItem*> items;
        auto* frame = Find<TskForm>("skForm1");
        auto* collection =
            frame ? dynamic_cast<TCollection*>(GetObjectProp(frame, property)) : nullptr;
        for (int i = 0; collection && i < collection->Count(); ++i)
            items.push_back(collection->Items(i));
        return items;
    }
    // Those of names that the form owns, in the order they were created.
    std::vector<std::string> CreationOrder(const std::vector<std::string>& names) const {
        std::vector<std::string> order;
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (std::find(names.begin(), names.end(), form->Components(i)->Name()) != names.end())
                order.push_back(form->Components(i)->Name());
        return order;
    }

    ShellRecorder shell;
    TApplication application;
    recorded::TForm1* form = nullptr;
};

TEST_F(MainWindowLayout, WindowHasItsCaptionBorderSizeColourConstraintsAndFont) {
    EXPECT_EQ("Form1", form->Name());
    EXPECT_EQ(479, form->Left()) << "the description's place, before FormCreate centres it";
    EXPECT_EQ(204, form->Top());
    ExpectProperties(form, "Form1",
                     {{"Caption", "MOXEL Utility V1.2 20080204"},
                      {"BorderStyle", "bsDialog"},
                      {"Color", "clBtnFace"},
                      {"Constraints.MinHeight", "50"},
                      {"Constraints.MinWidth", "130"},
                      {"Font.Name", "MS Sans Serif"},
                      {"Font.Height", "-11"},
                      {"Font.Color", "clWindowText"},
                      {"Font.Style", "[]"},
                      {"Font.Charset", "1"},
                      {"Scaled", "False"},
                      {"PixelsPerInch", "96"},
                      {"TextHeight", "13"}});
}

// The frame takes the system caption's rows into the client area; the outer
// size stays that of a dialog window with a client area of 270 x 217.
TEST_F(MainWindowLayout, FrameFillsTheClientAreaOfA270By217DialogWithTheMacOSLook) {
    auto* dialog = application.CreateForm<TForm>();
    SetOrdProp(dialog, "BorderStyle", GetOrdProp(form, "BorderStyle"));
    SetOrdProp(dialog, "ClientWidth", 270);
    SetOrdProp(dialog, "ClientHeight", 217);
    EXPECT_EQ(dialog->Width(), form->Width());
    EXPECT_EQ(dialog->Height(), form->Height());
    EXPECT_EQ(270, form->ClientWidth());

    auto* frame = Find<TskForm>("skForm1");
    ASSERT_NE(nullptr, frame);
    EXPECT_EQ((TRect{0, 0, form->ClientWidth(), form->ClientHeight()}), frame->BoundsRect());
    ExpectProperties(frame, "skForm1",
                     {{"TitleBarCustom", "False"},
                      {"UIStyle", "MacOS"},
                      {"UIStyleAutoUpdateSub", "False"},
                      {"BorderColor", "8355711"},
                      {"BorderWidth", "1"},
                      {"Color", "15198183"},
                      {"Caption", "MOXEL Utility V1.2 20080204"},
                      {"TitleBarDrawAppIcon", "False"},
                      {"Font.Name", "Tahoma"},
                      {"Font.Height", "-11"},
                      {"Font.Style", "[fsBold]"},
                      {"Font.Color", "clBlack"},
                      {"MenuBarColor", "15198183"},
                      {"MenuBarHeight", "22"},
                      {"RoundCorner", "0"},
                      {"RoundCornerBottom", "0"},
                      {"Version", "5.8"}});
}

TEST_F(MainWindowLayout, TitleBarButtonsInOrderEachWithThreeSeventeenPixelPictures) {
    const std::vector<std::vector<Property>> rows = {
        {{"ButtonType", "skControlBox"},
         {"Transparent", "False"},
         {"Top", "4"},
         {"Visible", "True"}},
        {{"ButtonType", "skClose"}, {"Transparent", "True"}, {"Top", "4"}, {"Visible", "True"}},
        {{"ButtonType", "skMax"}, {"Transparent", "False"}, {"Top", "4"}, {"Visible", "False"}},
        {{"ButtonType", "skMin"}, {"Transparent", "True"}, {"Top", "4"}, {"Visible", "True"}}};
    const std::vector<TCollectionItem*> buttons = FrameItems("TitleBarButtons");
    ASSERT_EQ(rows.size(), buttons.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* button = dynamic_cast<TskTitleBarButton*>(buttons[i]);
        ASSERT_NE(nullptr, button);
        std::vector<Property> row = rows[i];
        row.push_back({"UIStyle", "MacOS"});
        ExpectProperties(button, "button " + std::to_string(i), row);
        for (TBitmap* picture :
             {button->PicNormal(), button->PicMouseOn(), button->PicMouseDown()}) {
            EXPECT_EQ(17, picture->Width()) << "button " << i;
            EXPECT_EQ(17, picture->Height()) << "button " << i;
        }
    }
}

TEST_F(MainWindowLayout, TitleBarSectionsLeftRightAndClientWithTheirPictures) {
    struct SectionRow {
        std::vector<Property> Properties;
        int PictureWidth;
    };
    const std::vector<SectionRow> rows = {
        {{{"Align", "skLeft"}, {"AutoSize", "True"}, {"Width", "48"}, {"Stretch", "False"}}, 48},
        {{{"Align", "skRight"}, {"AutoSize", "True"}, {"Width", "48"}, {"Stretch", "False"}}, 48},
        {{{"Align", "skClient"}, {"AutoSize", "False"}, {"Width", "10"}, {"Stretch", "True"}}, 49}};
    const std::vector<TCollectionItem*> sections = FrameItems("TitleBarSections");
    ASSERT_EQ(rows.size(), sections.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* section = dynamic_cast<TskTitleBarSection*>(sections[i]);
        ASSERT_NE(nullptr, section);
        ExpectProperties(section, "section " + std::to_string(i), rows[i].Properties);
        EXPECT_EQ(rows[i].PictureWidth, section->Picture()->Width()) << "section " << i;
        EXPECT_EQ(23, section->Picture()->Height()) << "section " << i;
    }
}

// Title bar buttons 17 x 17 at 32 bits per pixel, sections 23 high at 8, the
// text icons' placeholders 16 x 16 in 16 colours.
TEST(MainWindowDescription, EmbeddedPicturesHaveTheirSizesAndDepths) {
    std::vector<Picture> expected;
    for (int button = 0; button < 4; ++button)
        for (const char* state : {"PicNormal", "PicMouseOn", "PicMouseDown"})
            expected.push_back({state, 17, 17, 32});
    expected.push_back({"Picture", 48, 23, 8});
    expected.push_back({"Picture", 48, 23, 8});
    expected.push_back({"Picture", 49, 23, 8});
    for (int icon = 0; icon < 3; ++icon)
        expected.push_back({"Icon", 16, 16, 4});
    EXPECT_EQ(expected, EmbeddedPictures(DescriptionText()));
}

TEST_F(MainWindowLayout, ControlsOnTheFrameInCreationOrderWithTheirPlacesAndProperties) {
    const std::vector<Property> shapeLabel = {
        {"ShapeType", "msText"},    {"Font.Name", "Tahoma"}, {"Font.Height", "-16"},
        {"Font.Style", "[fsBold]"}, {"Font.Charset", "0"},   {"Angle", "0"},
        {"RepeatMode", "rpNone"},   {"ShapeH", "30"},        {"XMargin", "0"},
        {"YMargin", "0"},           {"Border", "False"},     {"Shadow", "False"},
        {"ParentColor", "False"},   {"ParentFont", "False"}};
    const std::vector<Property> checkBox = {{"UIStyle", "MacOS"},    {"AutoSize", "True"},
                                            {"Checked", "False"},    {"State", "cbUnchecked"},
                                            {"Transparent", "True"}, {"TabStop", "True"}};
    const std::vector<Property> group = {{"Columns", "1"},
                                         {"TopMargin", "8"},
                                         {"FontColor", "clBlack"},
                                         {"BorderColor", "8355711"},
                                         {"Font.Name", "MS Sans Serif"},
                                         {"Font.Height", "-11"},
                                         {"Font.Color", "clBlack"},
                                         {"Transparent", "True"},
                                         {"ParentColor", "True"},
                                         {"ParentFont", "False"},
                                         {"UIStyle", "MacOS"},
                                         {"TabStop", "True"}};
    const std::vector<ControlRow> rows = {
        {"MultiShape2",
         "TMultiShape",
         {0, 16, 57, 46},
         With(shapeLabel,
              {{"Text", "V1.2"}, {"Color", "clRed"}, {"Font.Color", "clRed"}, {"ShapeW", "57"}})},
        {"MultiShape3",
         "TMultiShape",
         {48, 16, 177, 46},
         With(shapeLabel, {{"Text", "by MOXEL"},
                           {"Color", "clBlue"},
                           {"Font.Color", "clBlue"},
                           {"ShapeW", "129"}})},
        {"skCheckBox1",
         "TskCheckBox",
         {120, 192, 214, 213},
         With(checkBox, {{"Caption", "Enable Scaling"}, {"TabOrder", "1"}})},
        {"skRadioGroup1",
         "TskRadioGroup",
         {8, 48, 113, 209},
         With(group, {{"Caption", "Resolution"},
                      {"Items", "1024x768x32|800x600x32|800x480x32|1024x768x16|800x600x16|"
                                "800x480x16"},
                      {"ItemIndex", "-1"},
                      {"TabOrder", "2"}})},
        {"skButton1",
         "TskButton",
         {184, 24, 265, 49},
         {{"Caption", "Apply"},
          {"Font.Name", "Tahoma"},
          {"Font.Height", "-16"},
          {"Font.Style", "[fsBold]"},
          {"Font.Color", "clBlue"},
          {"Font.Charset", "0"},
          {"ParentFont", "False"},
          {"AutoSize", "False"},
          {"UIStyle", "MacOS"},
          {"Transparent", "True"},
          {"ModalResult", "0"},
          {"FocusedRectMargin", "2"},
          {"Layout", "blGlyphLeft"},
          {"Spacing", "4"},
          {"MouseContinuouslyDownInterval", "100"},
          {"ResHandle", "0"},
          {"TabOrder", "3"}}},
        {"Button1",
         "TButton",
         {512, 16, 587, 41},
         {{"Caption", "Button1"}, {"Visible", "False"}, {"TabOrder", "4"}}},
        {"skCheckBox2",
         "TskCheckBox",
         {120, 168, 246, 189},
         With(checkBox, {{"Caption", "Startup with Windows"}, {"TabOrder", "5"}})},
        {"skCheckGroup1",
         "TskCheckGroup",
         {120, 56, 257, 161},
         With(group, {{"Caption", "Keyboard indicator"},
                      {"Items", "Show Cap Lock|Show Num Lock|Show Scroll Lock"},
                      {"TabOrder", "6"}})}};

    std::vector<std::string> expected{"skForm1"};
    for (const ControlRow& row : rows)
        expected.push_back(row.Name);
    EXPECT_EQ(expected, CreationOrder(expected));

    auto* frame = Find<TskForm>("skForm1");
    for (const ControlRow& row : rows) {
        SCOPED_TRACE(row.Name);
        auto* control = Find<TControl>(row.Name);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(row.Class, control->ClassName());
        EXPECT_EQ(static_cast<TControl*>(frame), static_cast<TControl*>(control->Parent()));
        EXPECT_EQ(row.Bounds, control->BoundsRect());
        ExpectProperties(control, row.Name, row.Properties);
    }
}

// Each label painted alone over a plain background: its text lies wholly
// inside its box (nothing cut off), centred across it, in its colour.
TEST_F(MainWindowLayout, LabelsShowTheirWholeTextCentredInTheirBoxes) {
    constexpr TColor Background = 0x3C6E28;
    struct LabelRow {
        const char* Name;
        TColor Ink;
    };
    for (const LabelRow& row : {LabelRow{"MultiShape2", clRed}, LabelRow{"MultiShape3", clBlue}}) {
        SCOPED_TRACE(row.Name);
        auto* label = Find<TMultiShape>(row.Name);
        ASSERT_NE(nullptr, label);
        TBitmap client(270, 60);
        client.Canvas().Brush().SetColor(Background);
        client.Canvas().FillRect(TRect{0, 0, client.Width(), client.Height()});
        label->PaintOn(client.Canvas().Handle());
        TRect ink{client.Width(), client.Height(), 0, 0};
        int inked = 0;
        for (int y = 0; y < client.Height(); ++y)
            for (int x = 0; x < client.Width(); ++x) {
                const TColor pixel = client.Pixel(x, y);
                if (pixel == Background) continue;
                inked += pixel == row.Ink;
                ink = TRect{std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                            std::max(ink.Bottom, y + 1)};
            }
        const TRect box = label->BoundsRect();
        EXPECT_GT(inked, 30) << "text in its colour";
        EXPECT_GT(ink.Left, box.Left) << "not cut at the left";
        EXPECT_LT(ink.Right, box.Right) << "not cut at the right";
        EXPECT_GT(ink.Top, box.Top);
        EXPECT_LT(ink.Bottom, box.Bottom);
        EXPECT_NEAR(box.Left + box.Width() / 2.0, (ink.Left + ink.Right) / 2.0, 2.0);
    }
}

TEST_F(MainWindowLayout, NonVisualComponentsAfterTheControlsInCreationOrder) {
    const std::vector<Property> textIcon = {
        {"IconVisible", "False"}, {"Font.Name", "MS Sans Serif"},
        {"Font.Height", "-11"},   {"Font.Color", "clWindowText"},
        {"Font.Style", "[]"},     {"Font.Charset", "1"},
        {"Border", "False"},      {"Options.OffsetX", "0"},
        {"Options.OffsetY", "0"}, {"Options.LineDistance", "0"},
        {"CycleInterval", "0"},   {"IconIndex", "0"}};
    const std::vector<ComponentRow> rows = {
        {"Timer1", "TTimer", {{"Enabled", "False"}, {"Interval", "3000"}}},
        {"TrayIcon1",
         "TTrayIcon",
         {{"IconIndex", "0"},
          {"CycleInterval", "0"},
          {"PopupMenu", "PopupMenu1"},
          {"IconVisible", "True"},
          {"ShowHint", "True"},
          {"Hint", ""},
          {"MinimizeToTray", "False"}}},
        {"PopupMenu1", "TPopupMenu", {{"AutoPopup", "True"}}},
        {"TextTrayIcon1", "TTextTrayIcon", With(textIcon, {{"Text", "N"}, {"Color", "clLime"}})},
        {"Timer2", "TTimer", {{"Enabled", "True"}, {"Interval", "50"}}},
        {"TextTrayIcon2", "TTextTrayIcon", With(textIcon, {{"Text", "A"}, {"Color", "clAqua"}})},
        {"TextTrayIcon3", "TTextTrayIcon",
         With(textIcon, {{"Text", "S"}, {"Color", "clFuchsia"}})}};

    // After the last control on the frame.
    std::vector<std::string> expected{"skCheckGroup1"};
    for (const ComponentRow& row : rows)
        expected.push_back(row.Name);
    EXPECT_EQ(expected, CreationOrder(expected));

    for (const ComponentRow& row : rows) {
        TComponent* component = Component(row.Name);
        ASSERT_NE(nullptr, component);
        EXPECT_EQ(row.Class, component->ClassName());
        ExpectProperties(component, row.Name, row.Properties);
    }
    const std::vector<std::pair<int, int>> eightSizesOf32Bits = {
        {256, 32}, {128, 32}, {64, 32}, {48, 32}, {32, 32}, {24, 32}, {22, 32}, {16, 32}};
    EXPECT_EQ(eightSizesOf32Bits, ProgramIconImages()) << "the program icon";
}

TEST_F(MainWindowLayout, TrayMenuRowsWithTwoSpacesAfterTheDigitAndSixteenHyphens) {
    const std::string hyphens(16, '-');
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"N1024x7681", "&1  1024x768x32"},
        {"N800x6001", "&2  800x600x32"},
        {"N800x4801", "&3  800x480x32"},
        {"N2", hyphens},
        {"N1024x7682", "&4  1024x768x16"},
        {"N800x6002", "&5  800x600x16"},
        {"N800x4802", "&6  800x480x16"},
        {"N1", hyphens},
        {"Exit1", "&Exit"}};
    auto* menu = Find<TPopupMenu>("PopupMenu1");
    ASSERT_NE(nullptr, menu);
    ASSERT_EQ(static_cast<int>(rows.size()), menu->Items()->Count());
    for (size_t i = 0; i < rows.size(); ++i) {
        TMenuItem* item = menu->Items()->Items(static_cast<int>(i));
        EXPECT_EQ(rows[i].first, item->Name());
        EXPECT_EQ(rows[i].second, item->Caption());
        EXPECT_FALSE(item->IsLine()) << item->Name() << " is a row, not a separator";
        EXPECT_FALSE(item->Default()) << item->Name();
    }
}

// Each event fired by hand runs the handler the description names; the
// components the tables give no handler have none.
TEST_F(MainWindowLayout, EventsRunTheHandlersTheDescriptionNames) {
    struct HandlerRow {
        const char* Component;
        const char* Event;
        const char* Handler; // "" when none is bound
    };
    const std::vector<HandlerRow> rows = {{"Form1", "OnCreate", "FormCreate"},
                                          {"Form1", "OnResize", "FormResize"},
                                          {"Form1", "OnCloseQuery", "FormCloseQuery"},
                                          {"skButton1", "OnClick", "skButton1Click"},
                                          {"Button1", "OnClick", "Button1Click"},
                                          {"Timer1", "OnTimer", "Timer1Timer"},
                                          {"TrayIcon1", "OnDblClick", "TrayIcon1DblClick"},
                                          {"Timer2", "OnTimer", "Timer2Timer"},
                                          {"N1024x7681", "OnClick", "N1024x7681Click"},
                                          {"N800x6001", "OnClick", "N800x6001Click"},
                                          {"N800x4801", "OnClick", "N800x4801Click"},
                                          {"N2", "OnClick", ""},
                                          {"N1024x7682", "OnClick", "N1024x7682Click"},
                                          {"N800x6002", "OnClick", "N800x6002Click"},
                                          {"N800x4802", "OnClick", "N800x4802Click"},
                                          {"N1", "OnClick", ""},
                                          {"Exit1", "OnClick", "Exit1Click"},
                                          {"MultiShape2", "OnClick", ""},
                                          {"MultiShape3", "OnClick", ""},
                                          {"skCheckBox1", "OnClick", ""},
                                          {"skRadioGroup1", "OnClick", ""},
                                          {"skCheckBox2", "OnClick", ""},
                                          {"skCheckGroup1", "OnClick", ""},
                                          {"TrayIcon1", "OnClick", ""}};
    const auto notifyEvent = [this](const std::string& name,
                                    const std::string& event) -> TNotifyEvent* {
        TComponent* component = name == "Form1" ? form : Component(name);
        if (event == "OnCreate") return &form->OnCreate;
        if (event == "OnTimer") return &dynamic_cast<TTimer&>(*component).OnTimer;
        if (auto* item = dynamic_cast<TMenuItem*>(component)) return &item->OnClick;
        if (auto* icon = dynamic_cast<TTrayIcon*>(component))
            return event == "OnClick" ? &icon->OnClick : &icon->OnDblClick;
        auto& control = dynamic_cast<TControl&>(*component);
        return event == "OnResize" ? &control.OnResize : &control.OnClick;
    };
    for (const HandlerRow& row : rows) {
        SCOPED_TRACE(std::string(row.Component) + "." + row.Event);
        Fired().clear();
        if (std::string(row.Event) == "OnCloseQuery") {
            bool canClose = true;
            ASSERT_TRUE(form->OnCloseQuery);
            form->OnCloseQuery(form, canClose);
        } else {
            TNotifyEvent* event = notifyEvent(row.Component, row.Event);
            if (*event) (*event)(form);
        }
        const std::vector<std::string> none, handler{row.Handler};
        EXPECT_EQ(*row.Handler ? handler : none, Fired());
    }
}

// The keys wait in the queue and reach the menu once its loop runs.
TEST_F(MainWindowLayout, AcceleratorsOneToSixAndEChooseTheirRowsHyphenRowsNothing) {
    struct KeyRow {
        std::vector<WORD> Keys;
        const char* Handler; // "" when choosing the row runs nothing
    };
    const std::vector<WORD> toFirstHyphens(4, VK_DOWN), toSecondHyphens(8, VK_DOWN);
    const std::vector<KeyRow> rows = {{{'1'}, "N1024x7681Click"}, {{'2'}, "N800x6001Click"},
                                      {{'3'}, "N800x4801Click"},  {{'4'}, "N1024x7682Click"},
                                      {{'5'}, "N800x6002Click"},  {{'6'}, "N800x4802Click"},
                                      {{'E'}, "Exit1Click"}};
    std::vector<KeyRow> all = rows;
    all.push_back({toFirstHyphens, ""});
    all.back().Keys.push_back(VK_RETURN);
    all.push_back({toSecondHyphens, ""});
    all.back().Keys.push_back(VK_RETURN);

    Find<TTimer>("Timer2")->SetEnabled(false);
    auto* menu = Find<TPopupMenu>("PopupMenu1");
    ASSERT_NE(nullptr, menu);
    for (const KeyRow& row : all) {
        SCOPED_TRACE(row.Handler);
        for (WORD key : row.Keys)
            PostMessageA(form->Handle(), WM_KEYDOWN, key,
                         MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16 | 1);
        Fired().clear();
        MenuWatchdog watchdog(3000);
        menu->Popup(100, 100);
        EXPECT_FALSE(MenuWatchdog::Fired()) << "the keys closed the menu";
        const std::vector<std::string> none, handler{row.Handler};
        EXPECT_EQ(*row.Handler ? handler : none, Fired());
    }
}

TEST_F(MainWindowLayout, AtLoadNothingIsChosenOnlyTheProgramIconIsInTheTray) {
    EXPECT_EQ(-1, Find<TskRadioGroup>("skRadioGroup1")->ItemIndex());
    EXPECT_FALSE(Find<TskCheckBox>("skCheckBox1")->Checked());
    EXPECT_FALSE(Find<TskCheckBox>("skCheckBox2")->Checked());
    auto* indicators = Find<TskCheckGroup>("skCheckGroup1");
    for (int item = 0; item < 3; ++item)
        EXPECT_FALSE(indicators->ItemChecked(item)) << item;
    EXPECT_FALSE(Find<TTimer>("Timer1")->Enabled());
    EXPECT_TRUE(Find<TTimer>("Timer2")->Enabled());

    auto* programIcon = Find<TTrayIcon>("TrayIcon1");
    EXPECT_TRUE(TrayHolds(programIcon->IconWindow()));
    const ShellCall* shown = shell.Shown(programIcon->IconWindow());
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ("", std::string(shown->Data.szTip));
    for (const char* name : {"TextTrayIcon1", "TextTrayIcon2", "TextTrayIcon3"}) {
        auto* icon = Find<TTextTrayIcon>(name);
        EXPECT_FALSE(icon->IconVisible()) << name;
        EXPECT_FALSE(TrayHolds(icon->IconWindow())) << name;
    }
}

TEST(MainWindowFields, PublishedInDeclarationOrderAndFilledByTheRealWindow) {
    const std::vector<std::string> expected = {"skForm1",
                                               "MultiShape2",
                                               "MultiShape3",
                                               "Timer1",
                                               "TrayIcon1",
                                               "PopupMenu1",
                                               "N1024x7681",
                                               "N800x6001",
                                               "N800x4801",
                                               "Exit1",
                                               "N1",
                                               "TextTrayIcon1",
                                               "Timer2",
                                               "TextTrayIcon2",
                                               "TextTrayIcon3",
                                               "skCheckBox1",
                                               "skRadioGroup1",
                                               "skButton1",
                                               "Button1",
                                               "skCheckBox2",
                                               "skCheckGroup1",
                                               "N1024x7682",
                                               "N800x6002",
                                               "N800x4802",
                                               "N2"};
    std::vector<std::string> declared;
    for (const TFieldInfo& field : TForm1::StaticClassInfo().Fields)
        declared.push_back(field.Name);
    EXPECT_EQ(expected, declared);

    RegisterFormClasses();
    TApplication application;
    TForm1* form = application.CreateForm<TForm1>();
    form->Timer1->SetEnabled(false);
    for (const TFieldInfo& field : TForm1::StaticClassInfo().Fields) {
        TComponent* component = form->FindComponent(field.Name);
        ASSERT_NE(nullptr, component) << field.Name;
        EXPECT_TRUE(field.Assign(form, component)) << field.Name << " is of its field's class";
    }
    EXPECT_EQ(form->MultiShape2, form->FindComponent("MultiShape2"));
    EXPECT_EQ(form->N2, form->FindComponent("N2"));
}

} // namespace
