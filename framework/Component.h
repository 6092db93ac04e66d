#pragma once
// The root classes: TObject (class description), TPersistent (can be a nested
// published object), TComponent (owner, name, owned components, loading state,
// notifications) and collections. Free of windows.h.

#include "framework/TypeInfo.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TObject {
  public:
    using PublishedSelf = TObject;
    virtual ~TObject() = default;
    static const ClassInfo& StaticClassInfo();
    virtual const ClassInfo& ClassType() const { return StaticClassInfo(); }
    const std::string& ClassName() const { return ClassType().Name; }
    bool InheritsFrom(const ClassInfo& other) const { return ClassType().InheritsFrom(other); }
};

class TPersistent : public TObject {
    DECLARE_PUBLISHED(TPersistent, TObject)
};

enum class TOperation { opInsert, opRemove };

// Component state flags.
enum : unsigned {
    csLoading = 1u << 0,    // properties are being read from a form description
    csDestroying = 1u << 1, // the destructor has begun
    csDesigning = 1u << 2,  // never set: there is no form designer
};

class TComponent : public TPersistent {
    DECLARE_PUBLISHED(TComponent, TPersistent)
  public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_[index]; }
    TComponent* FindComponent(const std::string& name) const;

    unsigned ComponentState() const { return state_; }
    bool Loading() const { return (state_ & csLoading) != 0; }
    bool Designing() const { return (state_ & csDesigning) != 0; }
    bool Destroying() const { return (state_ & csDestroying) != 0; }
    void SetLoading(bool loading);

    // Asks to be told (Notification opRemove) when component goes away; the
    // other side is told of this one's removal too.
    void FreeNotification(TComponent* component);
    // Undoes FreeNotification, on both sides.
    void RemoveFreeNotification(TComponent* component);
    // The loading-finished step, run once after all properties were read.
    virtual void Loaded();
    // The form reader hands over a component described inside this one
    // (a control inside its parent, a menu item inside its menu).
    virtual void AddStreamedChild(TComponent* child);

    // Owned components are destroyed in reverse order of creation.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

  protected:
    // Told of components inserted into or removed from this one's owner, and of
    // components this one asked FreeNotification for.
    virtual void Notification(TComponent* component, TOperation operation);
    // Marks the start of destruction and detaches from the owner (runs the
    // opRemove notifications while the derived object is still whole).
    void BeginDestroy();
    // Destroys the owned components, last-created first. Classes whose
    // components need the derived object (a form's window) call it early.
    void DestroyComponents();

  private:
    void NotifyOwned(TComponent* component, TOperation operation);
    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    unsigned state_ = 0;
};

class TCollection;

class TCollectionItem : public TPersistent {
    DECLARE_PUBLISHED(TCollectionItem, TPersistent)
  public:
    explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
    TCollection* Collection() const { return collection_; }
    int Index() const;

  protected:
    void Changed();

  private:
    TCollection* collection_;
};

// An owned, ordered list of items of one class; the form reader adds items to it.
class TCollection : public TPersistent {
    DECLARE_PUBLISHED(TCollection, TPersistent)
  public:
    using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
    explicit TCollection(TItemFactory factory) : factory_(std::move(factory)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const { return items_.at(index).get(); }
    TCollectionItem* Add();
    void Delete(int index);
    void Clear();
    std::function<void()> OnChange;
    void Changed() {
        if (OnChange) OnChange();
    }

  private:
    TItemFactory factory_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
};
