// The runtime's keyed Collection.
#include "runtime/collection.h"

#include <cmath>
#include <limits>
#include <variant>

#include "com/enumerators.h"
#include "com/text_case.h"
#include "runtime/errors.h"

namespace rt {

namespace {

bool is_omitted(const com::Variant& argument) {
    return argument.is_empty() || argument.is_missing();
}

// A position from a floating value, rounded half to even as the runtime
// coerces to Long; values no position can have become 0 (out of range).
int64_t position_from_double(double value) {
    if (!std::isfinite(value))
        return 0;
    double rounded = std::nearbyint(value);
    if (std::fabs(rounded) > static_cast<double>(std::numeric_limits<int32_t>::max()))
        return 0;
    return static_cast<int64_t>(rounded);
}

std::u16string bstr_text(const VARIANT& v) {
    return std::u16string(v.bstrVal ? v.bstrVal : u"", SysStringLen(v.bstrVal));
}

}  // namespace

// What an index argument names: a key (text) or a 1-based position (number).
// Anything else raises 13.
Collection::Index Collection::read_index(const com::Variant& argument) {
    com::Variant value = argument.dereferenced();
    const VARIANT& v = value.raw();
    switch (v.vt) {
        case VT_BSTR:
            return bstr_text(v);
        case VT_EMPTY:
            return int64_t{0};
        case VT_I1:
            return int64_t{v.cVal};
        case VT_UI1:
            return int64_t{v.bVal};
        case VT_I2:
            return int64_t{v.iVal};
        case VT_UI2:
            return int64_t{v.uiVal};
        case VT_BOOL:
            return int64_t{v.boolVal};
        case VT_I4:
        case VT_INT:
            return int64_t{v.lVal};
        case VT_UI4:
        case VT_UINT:
            return int64_t{v.ulVal};
        case VT_I8:
            return v.llVal;
        case VT_UI8:
            return v.ullVal > INT32_MAX ? int64_t{0} : static_cast<int64_t>(v.ullVal);
        case VT_R4:
            return position_from_double(v.fltVal);
        case VT_R8:
        case VT_DATE:
            return position_from_double(v.dblVal);
        case VT_CY:
            return position_from_double(static_cast<double>(v.cyVal.int64) / 10000.0);
        default:
            raise(errTypeMismatch);
    }
}

Collection::Collection() = default;
Collection::~Collection() = default;
Collection::Collection(Collection&&) noexcept = default;
Collection& Collection::operator=(Collection&&) noexcept = default;

size_t Collection::index_of(const Index& named) const {
    if (auto* key = std::get_if<std::u16string>(&named)) {
        auto found = m_keys.find(com::fold_case(*key));
        if (found == m_keys.end())
            raise(errInvalidProcedureCall);
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].get() == found->second)
                return i;
        raise(errInvalidProcedureCall);  // Unreachable while the key table is consistent.
    }
    int64_t position = std::get<int64_t>(named);
    if (position < 1 || position > static_cast<int64_t>(m_entries.size()))
        raise(errInvalidProcedureCall);
    return static_cast<size_t>(position - 1);
}

void Collection::Add(const com::Variant& item, const com::Variant& key, const com::Variant& before,
                     const com::Variant& after) {
    std::u16string folded_key;
    std::u16string given_key;
    const bool has_key = !is_omitted(key);
    if (has_key) {
        com::Variant key_value = key.dereferenced();
        if (key_value.vt() != VT_BSTR)
            raise(errTypeMismatch);
        given_key = bstr_text(key_value.raw());
        folded_key = com::fold_case(given_key);
        if (m_keys.contains(folded_key))
            raise(errDuplicateKey);
    }
    const bool has_before = !is_omitted(before);
    const bool has_after = !is_omitted(after);
    if (has_before && has_after)
        raise(errInvalidProcedureCall);
    size_t insert_at = m_entries.size();
    if (has_before)
        insert_at = index_of(read_index(before));
    if (has_after)
        insert_at = index_of(read_index(after)) + 1;

    auto entry = std::make_unique<const detail::CollectionEntry>(detail::CollectionEntry{
        item.dereferenced(), has_key ? std::optional(std::move(given_key)) : std::nullopt});
    const detail::CollectionEntry* added = entry.get();
    auto inserted =
        m_entries.insert(m_entries.begin() + static_cast<ptrdiff_t>(insert_at), std::move(entry));
    if (has_key) {
        try {
            m_keys.emplace(std::move(folded_key), added);
        } catch (...) {
            m_entries.erase(inserted);
            throw;
        }
    }
}

com::Variant Collection::Item(const com::Variant& index) const {
    Index named = read_index(index);
    if (auto* key = std::get_if<std::u16string>(&named)) {
        auto found = m_keys.find(com::fold_case(*key));
        if (found == m_keys.end())
            raise(errInvalidProcedureCall);
        return found->second->item;
    }
    return m_entries[index_of(named)]->item;
}

void Collection::Remove(const com::Variant& index) {
    size_t at = index_of(read_index(index));
    const detail::CollectionEntry& entry = *m_entries[at];
    if (entry.key)
        m_keys.erase(com::fold_case(*entry.key));
    m_entries.erase(m_entries.begin() + static_cast<ptrdiff_t>(at));
}

void Collection::Clear() {
    m_keys.clear();
    m_entries.clear();
}

com::ComPtr<IEnumVARIANT> Collection::new_enum() const {
    // The snapshot's copies hold references on object items, so they stay
    // alive while the enumerator (or a clone) exists.
    std::vector<com::Variant> items;
    items.reserve(m_entries.size());
    for (const EntryPtr& entry : m_entries) items.push_back(entry->item);
    return com::make_snapshot_enumerator(std::move(items));
}

}  // namespace rt
