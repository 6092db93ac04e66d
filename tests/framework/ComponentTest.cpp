// Ownership and notifications of components, text conversion and lists.

#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/StringList.h"
#include "framework/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

class TProbe : public TComponent {
  public:
    TProbe(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
    ~TProbe() override { Events().push_back("destroy " + Name()); }
    TComponent* watched = nullptr;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove && component == watched) {
            watched = nullptr;
            Events().push_back(Name() + " lost " + component->Name());
        }
    }
};

TEST(ComponentTest, OwnedComponentsAreDestroyedInReverseOrderOfCreation) {
    Events().clear();
    {
        TProbe owner(nullptr, "owner");
        new TProbe(&owner, "a");
        new TProbe(&owner, "b");
        new TProbe(&owner, "c");
    }
    const std::vector<std::string> expected{"destroy owner", "destroy c", "destroy b", "destroy a"};
    EXPECT_EQ(Events(), expected);
}

TEST(ComponentTest, SiblingsAndFreeNotificationClientsHearOfARemoval) {
    Events().clear();
    TProbe owner(nullptr, "owner");
    auto* menu = new TProbe(&owner, "menu");
    auto* icon = new TProbe(&owner, "icon");
    icon->watched = menu;
    TProbe outsider(nullptr, "outsider");
    outsider.watched = menu;
    outsider.FreeNotification(menu);
    delete menu;
    EXPECT_EQ(icon->watched, nullptr);
    EXPECT_EQ(outsider.watched, nullptr);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.FindComponent("ICON"), icon); // names compare case-insensitively
}

TEST(StringsTest, IntegerConversionNamesTheBadText) {
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("$FF"), 255);
    for (const char* bad : {"abc", "", " 1", "1 ", "2147483648", "12a", "-"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(StringListTest, NameValueLookupIsCaseInsensitiveAndFirstMatchWins) {
    TStringList list;
    list.Add("ButtonImage=1");
    list.Add("buttonimage=2");
    EXPECT_EQ(list.Values("BUTTONIMAGE"), "1");
    EXPECT_EQ(list.Values("Missing"), "");
    try {
        list.Strings(2);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (2)");
    }
}

TEST(StringListTest, AssigningLinesNotifiesOnce) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SetStrings({"a", "b", "c"});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Count(), 3);
}

} // namespace
