// Ownership and notifications of components, text conversion and lists.

#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/StringList.h"
#include "framework/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// Refers to one other component, as a tray icon refers to its image list or
// popup menu: a new target lets the old one go.
class TReferrer : public TComponent {
  public:
    using TComponent::TComponent;
    void Refer(TComponent* target) {
        if (target_ && target_ != target) target_->RemoveFreeNotification(this);
        target_ = target;
        if (target_) target_->FreeNotification(this);
    }
    TComponent* target_ = nullptr;
    std::vector<TComponent*> removals;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation != TOperation::opRemove) return;
        removals.push_back(component);
        if (component == target_) target_ = nullptr;
    }
};

TEST(FreeNotificationTest, OldTargetIsNotToldOfTheReferrersEnd) {
    TReferrer old(nullptr), current(nullptr);
    auto* referrer = new TReferrer(nullptr);
    referrer->Refer(&old);
    referrer->Refer(&current);
    delete referrer;
    EXPECT_TRUE(old.removals.empty());
    EXPECT_EQ(current.removals, std::vector<TComponent*>{referrer});
}

// Natively this runs under the address sanitizer, which reports the call
// into the freed old target that a one-sided removal leaves behind.
TEST(FreeNotificationTest, OldTargetFreedBeforeTheReferrerIsNeverCalled) {
    auto* old = new TReferrer(nullptr);
    TReferrer current(nullptr);
    auto* referrer = new TReferrer(nullptr);
    referrer->Refer(old);
    referrer->Refer(&current);
    delete old;
    EXPECT_TRUE(referrer->removals.empty()) << "no longer referred to: nothing to hear";
    delete referrer;
    EXPECT_EQ(current.removals.size(), 1u);
}

TEST(FreeNotificationTest, RemovalFromEitherSideSilencesBoth) {
    for (bool fromTarget : {true, false}) {
        TReferrer target(nullptr);
        auto* referrer = new TReferrer(nullptr);
        target.FreeNotification(referrer);
        if (fromTarget)
            target.RemoveFreeNotification(referrer);
        else
            referrer->RemoveFreeNotification(&target);
        delete referrer;
        EXPECT_TRUE(target.removals.empty()) << (fromTarget ? "target side" : "referrer side");
    }
}

// Frees another component when it hears of a removal.
class TFreeingReferrer : public TReferrer {
  public:
    using TReferrer::TReferrer;
    TComponent* victim = nullptr;

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        TReferrer::Notification(component, operation);
        if (operation == TOperation::opRemove && victim) delete std::exchange(victim, nullptr);
    }
};

TEST(FreeNotificationTest, ListenerFreedByAnEarlierListenerIsNotToldAfterwards) {
    auto* menu = new TReferrer(nullptr);
    auto* freeing = new TFreeingReferrer(nullptr);
    auto* victim = new TReferrer(nullptr);
    freeing->Refer(menu);
    victim->Refer(menu);
    freeing->victim = victim;
    delete menu; // freeing hears first and frees victim; victim must not be told
    EXPECT_EQ(freeing->target_, nullptr);
    EXPECT_EQ(freeing->victim, nullptr);
    delete freeing;
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
