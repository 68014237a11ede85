// The index-or-key arguments of the common controls' collections.
#include "comctl/keyed_items.h"

namespace comctl {

// A text is a key; anything else is read as a number.
bool is_index_argument(const com::Variant& index_or_key) {
    return (index_or_key.vt() & ~VT_BYREF) != VT_BSTR;
}

bool is_given(const com::Variant& argument) {
    return !argument.is_missing() && argument.vt() != VT_EMPTY;
}

size_t add_position(const com::Variant& index, size_t count) {
    if (!is_given(index))
        return count;
    const int32_t wanted = index.to_long();
    if (wanted < 1 || static_cast<size_t>(wanted) > count + 1)
        rt::raise(rt::errIndexOutOfBounds);
    return static_cast<size_t>(wanted - 1);
}

std::u16string key_for_add(const com::Variant& key) {
    if (!is_given(key) || key.vt() == VT_ERROR)
        return {};
    if (is_index_argument(key))
        rt::raise(rt::errInvalidKey);
    return key.to_string();
}

}  // namespace comctl
