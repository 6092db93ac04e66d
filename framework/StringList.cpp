#include "framework/StringList.h"

#include "framework/Exceptions.h"
#include "framework/Strings.h"

const ClassInfo& TStringList::StaticClassInfo() {
    static const ClassInfo info = ClassBuilder<TStringList>().Build();
    return info;
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index);
    return items_[index].text;
}

void TStringList::SetString(int index, const std::string& text) {
    CheckIndex(index);
    items_[index].text = text;
    Changed();
}

int TStringList::Add(const std::string& text) {
    return AddObject(text, nullptr);
}

int TStringList::AddObject(const std::string& text, std::unique_ptr<TObject> object) {
    items_.push_back(Item{text, std::move(object)});
    Changed();
    return Count() - 1;
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index);
    return items_[index].object.get();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

void TStringList::Assign(const TStringList& source) {
    std::vector<std::string> lines;
    for (const auto& item : source.items_)
        lines.push_back(item.text);
    SetStrings(lines);
}

void TStringList::SetStrings(const std::vector<std::string>& lines) {
    BeginUpdate();
    items_.clear();
    for (const auto& line : lines)
        items_.push_back(Item{line, nullptr});
    Changed();
    EndUpdate();
}

int TStringList::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(items_[i].text, text)) return i;
    return -1;
}

int TStringList::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Names(i), name)) return i;
    return -1;
}

std::string TStringList::Values(const std::string& name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

std::string TStringList::Names(int index) const {
    const std::string& text = Strings(index);
    const auto at = text.find('=');
    return at == std::string::npos ? text : text.substr(0, at);
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& text = Strings(index);
    const auto at = text.find('=');
    return at == std::string::npos ? std::string() : text.substr(at + 1);
}

std::string TStringList::Text() const {
    std::string result;
    for (const auto& item : items_)
        result += item.text + "\r\n";
    return result;
}

void TStringList::EndUpdate() {
    if (--updating_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        if (OnChange) OnChange();
    }
}

void TStringList::Changed() {
    if (updating_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange) OnChange();
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
}
