#include "framework/TypeInfo.h"

#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"

#include <initializer_list>
#include <map>

int TEnumInfo::ValueOf(const std::string& name) const {
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name)) return static_cast<int>(i);
    return -1;
}

const TPropertyInfo* ClassInfo::FindProperty(const std::string& name) const {
    for (const ClassInfo* c = this; c; c = c->Parent)
        for (const auto& p : c->Properties)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

const TMethodInfo* ClassInfo::FindMethod(const std::string& name) const {
    for (const ClassInfo* c = this; c; c = c->Parent)
        for (const auto& m : c->Methods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

const TFieldInfo* ClassInfo::FindField(const std::string& name) const {
    for (const ClassInfo* c = this; c; c = c->Parent)
        for (const auto& f : c->Fields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

namespace {
std::map<std::string, const ClassInfo*>& ClassRegistry() {
    static std::map<std::string, const ClassInfo*> registry;
    return registry;
}

// The property of that name when it is of one of the kinds; the framework's
// property error otherwise, so a misuse never reaches an empty accessor.
const TPropertyInfo& Require(const TObject* object, const std::string& name,
                             std::initializer_list<TPropKind> kinds) {
    const TPropertyInfo* p = GetPropInfo(object, name);
    if (!p) throw EPropertyError(Format("Unknown property: '%s'", name));
    for (TPropKind kind : kinds)
        if (p->Kind == kind) return *p;
    throw EPropertyError(Format("Invalid property type: '%s'", name));
}

constexpr std::initializer_list<TPropKind> kOrdinal = {
    TPropKind::Integer, TPropKind::Boolean, TPropKind::Color, TPropKind::Enum, TPropKind::Set};
} // namespace

void RegisterPublishedClass(const ClassInfo& info) {
    ClassRegistry()[UpperCase(info.Name)] = &info;
}

const ClassInfo* FindClass(const std::string& name) {
    auto it = ClassRegistry().find(UpperCase(name));
    return it == ClassRegistry().end() ? nullptr : it->second;
}

const TPropertyInfo* GetPropInfo(const TObject* object, const std::string& name) {
    return object ? object->ClassType().FindProperty(name) : nullptr;
}

int64_t GetOrdProp(TObject* object, const std::string& name) {
    return Require(object, name, kOrdinal).GetOrd(object);
}

void SetOrdProp(TObject* object, const std::string& name, int64_t value) {
    Require(object, name, kOrdinal).SetOrd(object, value);
}

std::string GetStrProp(TObject* object, const std::string& name) {
    return Require(object, name, {TPropKind::String}).GetStr(object);
}

void SetStrProp(TObject* object, const std::string& name, const std::string& value) {
    Require(object, name, {TPropKind::String}).SetStr(object, value);
}

TComponent* GetComponentProp(TObject* object, const std::string& name) {
    return Require(object, name, {TPropKind::Component}).GetRef(object);
}

void SetComponentProp(TObject* object, const std::string& name, TComponent* value) {
    const TPropertyInfo& p = Require(object, name, {TPropKind::Component});
    if (value && !value->InheritsFrom(p.RefClass()))
        throw EPropertyError(Format("Invalid property value: '%s'", name));
    p.SetRef(object, value);
}

TPersistent* GetObjectProp(TObject* object, const std::string& name) {
    return Require(object, name, {TPropKind::Object, TPropKind::Collection, TPropKind::Strings})
        .GetObj(object);
}
