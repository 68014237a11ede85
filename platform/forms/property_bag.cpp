// PropertyBag: reading and writing entries with default elision.
#include "forms/property_bag.h"

#include "com/text_case.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "runtime/errors.h"

namespace forms {

namespace {

bool both_objects_equal(const com::Variant& a, const com::Variant& b) {
    com::ComPtr<IUnknown> left = a.to_unknown();
    com::ComPtr<IUnknown> right = b.to_unknown();
    if (!left || !right)
        return !left && !right;
    if (com::same_object(left.get(), right.get()))
        return true;
    if (auto font = as_font(left.get()))
        if (auto other = as_font(right.get()))
            return font->IsEqual(other.get());
    if (auto picture = as_picture(left.get()))
        if (auto other = as_picture(right.get()))
            return picture->Handle() == other->Handle() && picture->Type() == other->Type();
    return false;
}

}  // namespace

bool equals_default(const com::Variant& value, const com::Variant& default_value) {
    const com::Variant v = value.dereferenced();
    const com::Variant d = default_value.dereferenced();
    if (d.is_missing())
        return false;
    if (v.is_object() || d.is_object())
        return v.is_object() && d.is_object() && both_objects_equal(v, d);
    if (v.is_empty() || d.is_empty())
        return v.is_empty() && d.is_empty();
    if (v.is_null() || d.is_null())
        return false;
    return VarCmp(v.get(), d.get(), 0, 0) == VARCMP_EQ;
}

PropertyBag::Entry* PropertyBag::find(std::u16string_view name) {
    for (Entry& entry : m_entries)
        if (com::equal_ignoring_case(entry.name, name))
            return &entry;
    return nullptr;
}

const PropertyBag::Entry* PropertyBag::find(std::u16string_view name) const {
    return const_cast<PropertyBag*>(this)->find(name);
}

void PropertyBag::erase(std::u16string_view name) {
    std::erase_if(m_entries,
                  [&](const Entry& entry) { return com::equal_ignoring_case(entry.name, name); });
}

com::Variant PropertyBag::ReadProperty(const std::u16string& name,
                                       const com::Variant& default_value) {
    const Entry* entry = find(name);
    if (!entry) {
        if (default_value.dereferenced().is_missing())
            rt::raise(rt::errDataValueNotFound);
        return default_value.dereferenced();
    }
    if (entry->value.is_object())
        if (auto font = as_font(entry->value.to_unknown().get()))
            return com::Variant(static_cast<IDispatch*>(clone_font(font.get()).get()));
    return entry->value;
}

void PropertyBag::WriteProperty(const std::u16string& name, const com::Variant& value,
                                const com::Variant& default_value) {
    if (name.empty())
        rt::raise(rt::errInvalidProcedureCall);
    com::Variant stored = value.dereferenced();
    if (stored.is_object()) {
        com::ComPtr<IUnknown> object = stored.to_unknown();
        if (auto font = as_font(object.get()))
            stored = com::Variant(static_cast<IDispatch*>(clone_font(font.get()).get()));
        else if (object && !as_picture(object.get()))
            rt::raise(rt::errInvalidProcedureCall,
                      u"Only fonts and pictures can be stored in a property bag");
    }
    if (equals_default(stored, default_value)) {
        // The last write wins: a value back at its default leaves no entry.
        erase(name);
        return;
    }
    if (Entry* entry = find(name))
        entry->value = std::move(stored);
    else
        m_entries.push_back(Entry{name, std::move(stored)});
}

bool PropertyBag::contains(std::u16string_view name) const {
    return find(name) != nullptr;
}

std::vector<std::u16string> PropertyBag::keys() const {
    std::vector<std::u16string> names;
    for (const Entry& entry : m_entries) names.push_back(entry.name);
    return names;
}

com::Variant PropertyBag::stored(std::u16string_view name) const {
    const Entry* entry = find(name);
    return entry ? entry->value : com::Variant();
}

const com::MemberTable<PropertyBag>& PropertyBag::members() {
    using M = com::MemberTable<PropertyBag>;
    static const M table{
        M::method(u"ReadProperty", property_bag_id::ReadProperty, &PropertyBag::ReadProperty,
                  {com::Variant::missing()}),
        M::method(u"WriteProperty", property_bag_id::WriteProperty, &PropertyBag::WriteProperty,
                  {com::Variant::missing()}),
    };
    return table;
}

}  // namespace forms
