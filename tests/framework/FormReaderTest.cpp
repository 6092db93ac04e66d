// The form-description reader: what it creates, in which order it applies
// properties, how it binds handlers and references, and how it reports errors.

#include "framework/Colors.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/FormReader.h"
#include "framework/StringList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Every property write and loading step lands in one journal.
std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

class TOptions : public TPersistent {
    DECLARE_PUBLISHED(TOptions, TPersistent)
  public:
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int v) {
        offsetX_ = v;
        Journal().push_back("Options.OffsetX=" + std::to_string(v));
    }

  private:
    int offsetX_ = 0;
};

const ClassInfo& TOptions::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TOptions>().Int("OffsetX", &TOptions::OffsetX, &TOptions::SetOffsetX).Build();
    return info;
}

class TButtonItem : public TCollectionItem {
    DECLARE_PUBLISHED(TButtonItem, TCollectionItem)
  public:
    using TCollectionItem::TCollectionItem;
    int Top() const { return top_; }
    void SetTop(int v) { top_ = v; }

  private:
    int top_ = 0;
};

const ClassInfo& TButtonItem::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TButtonItem>().Int("Top", &TButtonItem::Top, &TButtonItem::SetTop).Build();
    return info;
}

enum TStyle { stPlain, stFancy };
enum TFlag { flA, flB, flC };
const TEnumInfo kStyles{{"stPlain", "stFancy"}};
const TEnumInfo kFlags{{"flA", "flB", "flC"}};

class TWidget : public TComponent {
    DECLARE_PUBLISHED(TWidget, TComponent)
  public:
    explicit TWidget(TComponent* owner)
        : TComponent(owner),
          buttons_([](TCollection* c) { return std::make_unique<TButtonItem>(c); }) {
        items_.OnChange = [this] {
            Journal().push_back(Name() + ".Items(" + std::to_string(items_.Count()) + ")");
        };
    }
    int Size() const { return size_; }
    void SetSize(int v) {
        size_ = v;
        Journal().push_back(Name() + ".Size=" + std::to_string(v));
    }
    TStyle Style() const { return style_; }
    void SetStyle(TStyle v) {
        style_ = v;
        Journal().push_back(Name() + ".Style=" + std::to_string(v));
    }
    unsigned Flags() const { return flags_; }
    void SetFlags(unsigned v) { flags_ = v; }
    bool Checked() const { return checked_; }
    void SetChecked(bool v) { checked_ = v; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& v) { text_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TOptions* Options() { return &options_; }
    TStringList* Items() { return &items_; }
    TCollection* Buttons() { return &buttons_; }
    TWidget* Partner() const { return partner_; }
    void SetPartner(TWidget* v) {
        partner_ = v;
        Journal().push_back(Name() + ".Partner=" + (v ? v->Name() : "nil"));
    }
    void SetData(const std::vector<uint8_t>& bytes) { data_ = bytes; }
    void SetDataResource(const std::string& name) { dataResource_ = name; }
    void Loaded() override {
        TComponent::Loaded();
        Journal().push_back(Name() + ".Loaded");
    }
    void AddStreamedChild(TComponent* child) override { children_.push_back(child); }

    std::function<void(TObject*)> OnChange;
    std::vector<uint8_t> data_;
    std::string dataResource_;
    std::vector<TComponent*> children_;

  private:
    int size_ = 0;
    TStyle style_ = stPlain;
    unsigned flags_ = 0;
    bool checked_ = false;
    std::string text_;
    TColor color_ = 0;
    TOptions options_;
    TStringList items_;
    TCollection buttons_;
    TWidget* partner_ = nullptr;
};

const ClassInfo& TWidget::StaticClassInfo() {
    static const ClassInfo info =
        ClassBuilder<TWidget>()
            .Bool("Checked", &TWidget::Checked, &TWidget::SetChecked)
            .Color("Color", &TWidget::Color, &TWidget::SetColor)
            .Binary("Data", &TWidget::SetData, &TWidget::SetDataResource)
            .Set("Flags", kFlags, &TWidget::Flags, &TWidget::SetFlags)
            .Object("Buttons", TPropKind::Collection, &TWidget::Buttons)
            .Object("Items", TPropKind::Strings, &TWidget::Items)
            .Object("Options", TPropKind::Object, &TWidget::Options)
            .template Reference<TWidget>("Partner", &TWidget::Partner, &TWidget::SetPartner)
            .Int("Size", &TWidget::Size, &TWidget::SetSize)
            .Enum("Style", kStyles, &TWidget::Style, &TWidget::SetStyle)
            .Str("Text", &TWidget::Text, &TWidget::SetText)
            .Event("OnChange", &TWidget::OnChange)
            .Build();
    return info;
}

class TTestForm : public TComponent {
    DECLARE_PUBLISHED(TTestForm, TComponent)
  public:
    TTestForm() : TComponent(nullptr) {}
    TWidget* First = nullptr;
    TWidget* Second = nullptr;
    int changes = 0;
    void WidgetChange(TObject*) { ++changes; }
    void WrongShape(TObject*, int) {}
    void Loaded() override {
        TComponent::Loaded();
        Journal().push_back("root.Loaded");
    }
};

const ClassInfo& TTestForm::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TTestForm>()
                                      .Field("First", &TTestForm::First)
                                      .Field("Second", &TTestForm::Second)
                                      .Method("WidgetChange", &TTestForm::WidgetChange)
                                      .Method("WrongShape", &TTestForm::WrongShape)
                                      .Build();
    return info;
}

class FormReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterPublishedClass(TWidget::StaticClassInfo());
        Journal().clear();
    }
    std::string ErrorOf(const std::string& text) {
        TTestForm form;
        try {
            ReadComponentFromText(&form, text);
        } catch (const EFormReadError& e) {
            return e.Message();
        }
        return "(no error)";
    }
    TTestForm form;
};

TEST_F(FormReaderTest, CreatesChildrenInOrderAndFillsFields) {
    ReadComponentFromText(&form, "object Root: TTestForm\n"
                                 "  object First: TWidget\n  end\n"
                                 "  object Second: TWidget\n  end\n"
                                 "end\n");
    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(0)->Name(), "First");
    EXPECT_EQ(form.Components(1)->Name(), "Second");
    EXPECT_EQ(form.First, form.Components(0));
    EXPECT_EQ(form.Second, form.Components(1));
    EXPECT_EQ(form.Name(), "Root");
    EXPECT_FALSE(form.Loading());
}

TEST_F(FormReaderTest, AppliesPropertiesInStoredOrder) {
    // A class may depend on the order: Items after Style must see the style.
    ReadComponentFromText(&form, "object Root: TTestForm\n"
                                 "  object First: TWidget\n"
                                 "    Style = stFancy\n"
                                 "    Items = ( 'a' 'b' )\n"
                                 "    Size = 3\n"
                                 "    Options.OffsetX = -4\n"
                                 "  end\n"
                                 "end\n");
    const std::vector<std::string> expected{"First.Style=1",      "First.Items(2)", "First.Size=3",
                                            "Options.OffsetX=-4", "First.Loaded",   "root.Loaded"};
    EXPECT_EQ(Journal(), expected);
}

TEST_F(FormReaderTest, ReadsEveryKindOfValue) {
    ReadComponentFromText(&form, "object Root: TTestForm\n"
                                 "  object First: TWidget\n"
                                 "    Checked = True\n"
                                 "    Color = clBtnFace\n"
                                 "    Flags = [flA, flC]\n"
                                 "    Text = 'It''s ' + 'one'#13'line'\n"
                                 "    Data = {0A0b FF}\n"
                                 "    Buttons = <\n"
                                 "      item\n        Top = 4\n      end\n"
                                 "      item\n        Top = 5\n      end>\n"
                                 "  end\n"
                                 "  object Second: TWidget\n"
                                 "    Color = 8355711\n"
                                 "    Data = 'MAINICON'\n"
                                 "    Size = $10\n"
                                 "  end\n"
                                 "end\n");
    EXPECT_TRUE(form.First->Checked());
    EXPECT_EQ(form.First->Color(), static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(form.First->Flags(), 0b101u);
    EXPECT_EQ(form.First->Text(), "It's one\rline");
    EXPECT_EQ(form.First->data_, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF}));
    ASSERT_EQ(form.First->Buttons()->Count(), 2);
    EXPECT_EQ(static_cast<TButtonItem*>(form.First->Buttons()->Items(1))->Top(), 5);
    EXPECT_EQ(form.Second->Color(), 0x7F7F7F);
    EXPECT_EQ(form.Second->dataResource_, "MAINICON");
    EXPECT_EQ(form.Second->Size(), 16);
}

TEST_F(FormReaderTest, ResolvesReferencesAfterAllComponentsExistAndBeforeLoaded) {
    ReadComponentFromText(&form, "object Root: TTestForm\n"
                                 "  object First: TWidget\n    Partner = Second\n  end\n"
                                 "  object Second: TWidget\n    Size = 1\n  end\n"
                                 "end\n");
    EXPECT_EQ(form.First->Partner(), form.Second);
    const std::vector<std::string> expected{"Second.Size=1", "First.Partner=Second", "First.Loaded",
                                            "Second.Loaded", "root.Loaded"};
    EXPECT_EQ(Journal(), expected);
}

TEST_F(FormReaderTest, BindsHandlersToTheRootsPublishedMethods) {
    ReadComponentFromText(&form, "object Root: TTestForm\n"
                                 "  object First: TWidget\n    OnChange = WidgetChange\n  end\n"
                                 "end\n");
    ASSERT_TRUE(form.First->OnChange);
    form.First->OnChange(form.First);
    EXPECT_EQ(form.changes, 1);
}

TEST_F(FormReaderTest, HandsNestedObjectsToTheirContainer) {
    ReadComponentFromText(&form, "object Root: TTestForm\n"
                                 "  object First: TWidget\n"
                                 "    object Second: TWidget\n    end\n"
                                 "  end\n"
                                 "end\n");
    ASSERT_EQ(form.First->children_.size(), 1u);
    EXPECT_EQ(form.First->children_[0], form.Second);
    EXPECT_EQ(form.Second->Owner(), &form); // the root owns everything
}

TEST_F(FormReaderTest, ReportsUnknownNamesWithTheirLine) {
    EXPECT_EQ(ErrorOf("object Root: TTestForm\n  object X: TNoSuchClass\n  end\nend\n"),
              "Error reading form description, line 2: unknown class TNoSuchClass");
    EXPECT_EQ(ErrorOf("object Root: TTestForm\n  object X: TWidget\n\n    Sise = 1\n  end\nend\n"),
              "Error reading form description, line 4: unknown property Sise of class TWidget");
    EXPECT_EQ(
        ErrorOf(
            "object Root: TTestForm\n  object X: TWidget\n    Options.OffsetY = 1\n  end\nend\n"),
        "Error reading form description, line 3: unknown property OffsetY of class TOptions");
    EXPECT_EQ(
        ErrorOf("object Root: TTestForm\n  object X: TWidget\n    Style = stUgly\n  end\nend\n"),
        "Error reading form description, line 3: invalid value stUgly for property Style");
    EXPECT_EQ(
        ErrorOf("object Root: TTestForm\n  object X: TWidget\n    Color = clMauve\n  end\nend\n"),
        "Error reading form description, line 3: invalid value clMauve for property Color");
    EXPECT_EQ(
        ErrorOf(
            "object Root: TTestForm\n  object X: TWidget\n    OnChange = NoHandler\n  end\nend\n"),
        "Error reading form description, line 3: unknown handler NoHandler of class TTestForm");
    EXPECT_EQ(
        ErrorOf("object Root: TTestForm\n  object X: TWidget\n    Partner = Nobody\n  end\nend\n"),
        "Error reading form description, line 3: unknown component Nobody");
}

TEST_F(FormReaderTest, RejectsMalformedText) {
    EXPECT_EQ(
        ErrorOf(
            "object Root: TTestForm\n  object X: TWidget\n    OnChange = WrongShape\n  end\nend\n"),
        "Error reading form description, line 3: handler WrongShape does not fit event OnChange");
    EXPECT_EQ(ErrorOf("object Root: TOther\nend\n"),
              "Error reading form description, line 1: the description is of class TOther, not "
              "TTestForm");
    EXPECT_EQ(
        ErrorOf("object Root: TTestForm\n  object X: TWidget\n    Text = 'open\n  end\nend\n"),
        "Error reading form description, line 3: unterminated string");
    EXPECT_EQ(
        ErrorOf(
            "object Root: TTestForm\n  object X: TWidget\n    Size = 99999999999\n  end\nend\n"),
        "Error reading form description, line 3: invalid number 99999999999");
    EXPECT_EQ(
        ErrorOf("object Root: TTestForm\n  object X: TWidget\n    Data = {ABC}\n  end\nend\n"),
        "Error reading form description, line 3: picture data of odd length");
    EXPECT_EQ(ErrorOf("object Root: TTestForm\n  object X: TWidget\n"),
              "Error reading form description, line 3: end expected");
    EXPECT_EQ(ErrorOf("object Root: TTestForm\nend\nend\n"),
              "Error reading form description, line 3: text after the final end");
}

} // namespace

namespace {

TEST(PropertyAccessTest, EveryMisuseRaisesThePropertyError) {
    TWidget widget(nullptr);
    // An event is no string, number, reference or object: each by-name access
    // of the wrong kind is refused before it reaches an accessor.
    EXPECT_THROW(GetStrProp(&widget, "OnChange"), EPropertyError);
    EXPECT_THROW(SetStrProp(&widget, "OnChange", "x"), EPropertyError);
    EXPECT_THROW(GetOrdProp(&widget, "OnChange"), EPropertyError);
    EXPECT_THROW(SetOrdProp(&widget, "OnChange", 1), EPropertyError);
    EXPECT_THROW(GetComponentProp(&widget, "OnChange"), EPropertyError);
    EXPECT_THROW(GetObjectProp(&widget, "OnChange"), EPropertyError);
    EXPECT_THROW(GetStrProp(&widget, "Size"), EPropertyError);
    EXPECT_THROW(GetOrdProp(&widget, "Text"), EPropertyError);
    EXPECT_THROW(GetOrdProp(&widget, "Data"), EPropertyError); // write-only picture data
    EXPECT_THROW(GetOrdProp(&widget, "NoSuchProperty"), EPropertyError);
    TTestForm other; // a component of another class than the reference takes
    EXPECT_THROW(SetComponentProp(&widget, "Partner", &other), EPropertyError);
    SetOrdProp(&widget, "Size", 7);
    EXPECT_EQ(GetOrdProp(&widget, "Size"), 7);
}

} // namespace
