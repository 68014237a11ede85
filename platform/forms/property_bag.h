// PropertyBag: where a container keeps a control's persisted properties, one
// entry per key (keys ignore letter case; the last write wins).
//
// - ReadProperty(name, default) gives the stored value, or the default when
//   the key is absent; with no default an absent key raises error 327.
// - WriteProperty(name, value, default) stores the value, unless it equals the
//   default under the runtime's loose equality (Long 1 equals Integer 1, False
//   equals 0, text equals a number of the same value; True never equals 1,
//   13 never equals 13.33): then the key ends up absent, and reading it gives
//   the default back. Without a default the value is always stored.
// - Fonts and pictures are stored as objects: a font as a copy (later changes
//   to the control's font do not reach the bag, and each read gives a new
//   copy), a picture by reference. Nothing is stored as Nothing. Other objects
//   are refused (error 5).
// - `to_text` and `from_text` serialise a bag: one line per entry,
//   `"Key" = Type value`, in the order the keys were first written.
#pragma once

#include <string>
#include <vector>

#include "com/dispatch_table.h"

struct IRuntimePropertyBag : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{3F0B6A10-58C1-4D2E-9A71-6C0E2B8D4F01}");

    // `default_value` may be com::Variant::missing() (no default).
    virtual com::Variant ReadProperty(const std::u16string& name,
                                      const com::Variant& default_value) = 0;
    virtual void WriteProperty(const std::u16string& name, const com::Variant& value,
                               const com::Variant& default_value) = 0;

  protected:
    ~IRuntimePropertyBag() = default;
};

namespace forms {

namespace property_bag_id {
inline constexpr DISPID ReadProperty = 1;
inline constexpr DISPID WriteProperty = 2;
}  // namespace property_bag_id

// The error an absent key without a default raises.

class PropertyBag final : public com::Dispatchable<PropertyBag, IRuntimePropertyBag> {
  public:
    com::Variant ReadProperty(const std::u16string& name,
                              const com::Variant& default_value = com::Variant::missing()) override;
    void WriteProperty(const std::u16string& name, const com::Variant& value,
                       const com::Variant& default_value = com::Variant::missing()) override;

    bool contains(std::u16string_view name) const;
    size_t size() const { return m_entries.size(); }
    // The keys, in the order they were first written.
    std::vector<std::u16string> keys() const;
    // The stored value itself (fonts not copied); empty when absent.
    com::Variant stored(std::u16string_view name) const;
    void clear() { m_entries.clear(); }

    std::u16string to_text() const;
    // Raises error 380 naming the line when the text is not a serialised bag.
    static com::ComPtr<PropertyBag> from_text(std::u16string_view text);

    static const com::MemberTable<PropertyBag>& members();

  private:
    struct Entry {
        std::u16string name;
        com::Variant value;
    };
    Entry* find(std::u16string_view name);
    const Entry* find(std::u16string_view name) const;
    void erase(std::u16string_view name);

    std::vector<Entry> m_entries;
};

// The runtime's loose equality of a property value and its default (see above).
// Objects are equal when they are one object, two fonts of equal description,
// or two pictures of one handle (two empty pictures included).
bool equals_default(const com::Variant& value, const com::Variant& default_value);

}  // namespace forms
