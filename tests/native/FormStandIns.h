#pragma once
// Stand-ins for the program's components, for reading form descriptions
// natively: one class with a published property of every kind, registered
// under the class names of the program's main window, and a root named TForm1
// with its handlers. The program's own form description and its variants
// then reach every part of the form reader.

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/StringList.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace FormStandIns {

using TNotifyEvent = std::function<void(TObject*)>;
using TCloseQueryEvent = std::function<void(TObject*, bool&)>;
using TMouseEvent = std::function<void(TObject*, int, int, int)>;

// Every enumeration name the program's forms use, in one list; and a list
// longer than a set's 64 bits.
inline const TEnumInfo kNames{{"bsDialog", "bsNone", "bsSingle", "FromThemeFile", "MacOS", "WinXP",
                               "DeepBlue", "Protein", "BlueGlass", "cbUnchecked", "cbChecked",
                               "cbGrayed", "blGlyphLeft", "blGlyphRight", "blGlyphTop", "fsBold",
                               "fsItalic", "fsUnderline", "fsStrikeOut"}};
inline const TEnumInfo& WideNames() {
    static const TEnumInfo names = [] {
        TEnumInfo info;
        for (int i = 0; i < 70; ++i)
            info.Names.push_back("w" + std::to_string(i));
        return info;
    }();
    return names;
}

class TFuzzFont : public TPersistent {
    DECLARE_PUBLISHED(TFuzzFont, TPersistent)
  public:
    int Charset() const { return charset; }
    void SetCharset(int v) { charset = v; }
    TColor Color() const { return color; }
    void SetColor(TColor v) { color = v; }
    int Height() const { return height; }
    void SetHeight(int v) { height = v; }
    const std::string& Name() const { return name; }
    void SetName(const std::string& v) { name = v; }
    int64_t Style() const { return style; }
    void SetStyle(int64_t v) { style = v; }
    int charset = 0, height = 0;
    TColor color = 0;
    std::string name;
    int64_t style = 0;
};

inline const ClassInfo& TFuzzFont::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TFuzzFont>()
                                      .Int("Charset", &TFuzzFont::Charset, &TFuzzFont::SetCharset)
                                      .Color("Color", &TFuzzFont::Color, &TFuzzFont::SetColor)
                                      .Int("Height", &TFuzzFont::Height, &TFuzzFont::SetHeight)
                                      .Str("Name", &TFuzzFont::Name, &TFuzzFont::SetName)
                                      .Set("Style", kNames, &TFuzzFont::Style, &TFuzzFont::SetStyle)
                                      .Build();
    return info;
}

// Constraints, the text tray icon's Options: a nested object of integers.
class TFuzzBox : public TPersistent {
    DECLARE_PUBLISHED(TFuzzBox, TPersistent)
  public:
    int Get() const { return value; }
    void Set(int v) { value = v; }
    int value = 0;
};

inline const ClassInfo& TFuzzBox::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TFuzzBox>()
                                      .Int("MinHeight", &TFuzzBox::Get, &TFuzzBox::Set)
                                      .Int("MinWidth", &TFuzzBox::Get, &TFuzzBox::Set)
                                      .Int("OffsetX", &TFuzzBox::Get, &TFuzzBox::Set)
                                      .Int("OffsetY", &TFuzzBox::Get, &TFuzzBox::Set)
                                      .Int("LineDistance", &TFuzzBox::Get, &TFuzzBox::Set)
                                      .Build();
    return info;
}

class TFuzzItem : public TCollectionItem {
    DECLARE_PUBLISHED(TFuzzItem, TCollectionItem)
  public:
    explicit TFuzzItem(TCollection* collection)
        : TCollectionItem(collection),
          children([](TCollection* c) { return std::make_unique<TFuzzItem>(c); }) {}
    int Top() const { return top; }
    void SetTop(int v) { top = v; }
    const std::string& Caption() const { return caption; }
    void SetCaption(const std::string& v) { caption = v; }
    TCollection* Children() { return &children; }
    int top = 0;
    std::string caption;
    TCollection children;
};

inline const ClassInfo& TFuzzItem::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TFuzzItem>()
            .Int("Top", &TFuzzItem::Top, &TFuzzItem::SetTop)
            .Str("Caption", &TFuzzItem::Caption, &TFuzzItem::SetCaption)
            .Object("Children", TPropKind::Collection, &TFuzzItem::Children)
            .Build();
    return info;
}

class TStandIn : public TComponent {
    DECLARE_PUBLISHED(TStandIn, TComponent)
  public:
    explicit TStandIn(TComponent* owner)
        : TComponent(owner), items([](TCollection* c) { return std::make_unique<TFuzzItem>(c); }) {}

    int GetInt() const { return number; }
    void SetInt(int v) { number = v; }
    bool GetBool() const { return flag; }
    void SetBool(bool v) { flag = v; }
    const std::string& GetStr() const { return text; }
    void SetStr(const std::string& v) { text = v; }
    TColor GetColor() const { return color; }
    void SetColor(TColor v) { color = v; }
    int GetEnum() const { return ordinal; }
    void SetEnum(int v) { ordinal = v; }
    int64_t GetSet() const { return set; }
    void SetSet(int64_t v) { set = v; }
    TFuzzFont* Font() { return &font; }
    TFuzzBox* Box() { return &box; }
    TStringList* Lines() { return &lines; }
    TCollection* Items() { return &items; }
    TStandIn* GetRef() const { return ref; }
    void SetRef(TStandIn* v) { ref = v; }
    void SetData(const std::vector<uint8_t>& v) { data = v; }
    void SetResource(const std::string& v) { text = v; }
    void AddStreamedChild(TComponent* child) override { children.push_back(child); }

    TNotifyEvent OnClick, OnDblClick, OnTimer, OnCreate, OnResize, OnChange;
    TCloseQueryEvent OnCloseQuery;
    TMouseEvent OnMouseDown;

    int number = 0, ordinal = 0;
    bool flag = false;
    std::string text;
    TColor color = 0;
    int64_t set = 0;
    TFuzzFont font;
    TFuzzBox box;
    TStringList lines;
    TCollection items;
    TStandIn* ref = nullptr;
    std::vector<uint8_t> data;
    std::vector<TComponent*> children;
};

inline const ClassInfo& TStandIn::StaticClassInfo() {
    static const ClassInfo info = [] {
        ClassBuilder<TStandIn> b;
        for (const char* name : {"Left",          "Top",
                                 "Width",         "Height",
                                 "ClientHeight",  "ClientWidth",
                                 "PixelsPerInch", "TextHeight",
                                 "TabOrder",      "Columns",
                                 "TopMargin",     "ItemIndex",
                                 "ModalResult",   "FocusedRectMargin",
                                 "Spacing",       "MouseContinuouslyDownInterval",
                                 "ResHandle",     "Interval",
                                 "CycleInterval", "IconIndex"})
            b.Int(name, &TStandIn::GetInt, &TStandIn::SetInt);
        for (const char* name :
             {"AutoSize", "Checked", "Transparent", "TabStop", "ParentColor", "ParentFont",
              "Visible", "Enabled", "Scaled", "IconVisible", "Border"})
            b.Bool(name, &TStandIn::GetBool, &TStandIn::SetBool);
        for (const char* name : {"Caption", "Text", "Hint", "ThemeFile"})
            b.Str(name, &TStandIn::GetStr, &TStandIn::SetStr);
        for (const char* name : {"Color", "FontColor", "BorderColor"})
            b.Color(name, &TStandIn::GetColor, &TStandIn::SetColor);
        for (const char* name : {"BorderStyle", "UIStyle", "State", "Layout"})
            b.Enum(name, kNames, &TStandIn::GetEnum, &TStandIn::SetEnum);
        b.Set("BorderIcons", kNames, &TStandIn::GetSet, &TStandIn::SetSet);
        b.Set("Wide", WideNames(), &TStandIn::GetSet, &TStandIn::SetSet);
        b.Object("Font", TPropKind::Object, &TStandIn::Font);
        b.Object("Constraints", TPropKind::Object, &TStandIn::Box);
        b.Object("Options", TPropKind::Object, &TStandIn::Box);
        b.Object("Items", TPropKind::Strings, &TStandIn::Lines);
        b.Object("Buttons", TPropKind::Collection, &TStandIn::Items);
        for (const char* name : {"PopupMenu", "FileTheme", "Images"})
            b.template Reference<TStandIn>(name, &TStandIn::GetRef, &TStandIn::SetRef);
        for (const char* name : {"Icon", "Glyph", "Picture"})
            b.Binary(name, &TStandIn::SetData, &TStandIn::SetResource);
        b.Event("OnClick", &TStandIn::OnClick);
        b.Event("OnDblClick", &TStandIn::OnDblClick);
        b.Event("OnTimer", &TStandIn::OnTimer);
        b.Event("OnCreate", &TStandIn::OnCreate);
        b.Event("OnResize", &TStandIn::OnResize);
        b.Event("OnChange", &TStandIn::OnChange);
        b.Event("OnCloseQuery", &TStandIn::OnCloseQuery);
        b.Event("OnMouseDown", &TStandIn::OnMouseDown);
        return b.Build();
    }();
    return info;
}

class TForm1 : public TStandIn {
    DECLARE_PUBLISHED(TForm1, TStandIn)
  public:
    TForm1() : TStandIn(nullptr) {}
    void Handler(TObject*) {}
    void CloseQuery(TObject*, bool&) {}
    void MouseDown(TObject*, int, int, int) {}
    TStandIn *skCheckBox1 = nullptr, *skRadioGroup1 = nullptr, *skButton1 = nullptr,
             *Timer1 = nullptr, *TrayIcon1 = nullptr, *PopupMenu1 = nullptr;
};

inline const ClassInfo& TForm1::StaticClassInfo() {
    static const ClassInfo info = [] {
        ClassBuilder<TForm1> b;
        for (const char* name :
             {"FormCreate", "FormResize", "skButton1Click", "Button1Click", "Timer1Timer",
              "Timer2Timer", "TrayIcon1DblClick", "N1024x7681Click", "N800x6001Click",
              "N800x4801Click", "N1024x7682Click", "N800x6002Click", "N800x4802Click",
              "Exit1Click"})
            b.Method(name, &TForm1::Handler);
        b.Method("FormCloseQuery", &TForm1::CloseQuery);
        b.Method("FormMouseDown", &TForm1::MouseDown);
        b.Field("skCheckBox1", &TForm1::skCheckBox1);
        b.Field("skRadioGroup1", &TForm1::skRadioGroup1);
        b.Field("skButton1", &TForm1::skButton1);
        b.Field("Timer1", &TForm1::Timer1);
        b.Field("TrayIcon1", &TForm1::TrayIcon1);
        b.Field("PopupMenu1", &TForm1::PopupMenu1);
        return b.Build();
    }();
    return info;
}

inline void RegisterStandIns() {
    static std::deque<ClassInfo> aliases;
    for (const char* name :
         {"TskCheckBox", "TskRadioGroup", "TskCheckGroup", "TskButton", "TButton", "TTimer",
          "TTrayIcon", "TTextTrayIcon", "TPopupMenu", "TMenuItem", "TskForm", "TskFileTheme",
          "TskGroupBox", "TskPanel", "TMultiShape", "TImageList"}) {
        aliases.push_back(TStandIn::StaticClassInfo());
        aliases.back().Name = name;
        RegisterPublishedClass(aliases.back());
    }
    RegisterPublishedClass(TForm1::StaticClassInfo());
}

} // namespace FormStandIns
