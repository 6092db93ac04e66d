#pragma once
// An ordered list of strings, each with an optional owned object, with a change
// notification. Look-ups by name or by "name=value" compare case-insensitively.
// Free of windows.h.

#include "framework/Component.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStringList : public TPersistent {
    DECLARE_PUBLISHED(TStringList, TPersistent)
  public:
    using TNotify = std::function<void()>;

    TStringList() = default;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (%d)".
    const std::string& Strings(int index) const;
    void SetString(int index, const std::string& text);
    int Add(const std::string& text);
    // Adds a line that owns its object; the list frees it with the line.
    int AddObject(const std::string& text, std::unique_ptr<TObject> object);
    TObject* Objects(int index) const;
    void Delete(int index);
    void Clear();
    // Replaces the lines (not the objects) with those of source; one change.
    void Assign(const TStringList& source);
    void SetStrings(const std::vector<std::string>& lines);
    int IndexOf(const std::string& text) const;
    // The first line whose name part (text before '=') matches.
    int IndexOfName(const std::string& name) const;
    // The text after '=' of the first line named name; empty when none.
    std::string Values(const std::string& name) const;
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Text() const;

    // Changes made between BeginUpdate and EndUpdate notify once at the end.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    TNotify OnChange;

  private:
    void Changed();
    void CheckIndex(int index) const;
    struct Item {
        std::string text;
        std::unique_ptr<TObject> object;
    };
    std::vector<Item> items_;
    int updating_ = 0;
    bool changedWhileUpdating_ = false;
};
