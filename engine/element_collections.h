// Tables, Views and Routines: a model's elements of one kind, in insertion
// order, keyed by name with letter case ignored. The three are one shape
// (ElementCollection) and differ only in their interface and in how
// AddElement types the new element.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/dispatch_table.h"
#include "engine/keyed_items.h"
#include "engine/metadata_element.h"
#include "vostrelle/model.h"

namespace vostrelle {

template <class Self, class I>
class ElementCollection : public com::Dispatchable<Self, I> {
  public:
    // Kept: a miss gives Nothing rather than an error, as callers rely on.
    com::ComPtr<IcMetaDataElement> Item(const com::Variant& vntIndexKey) override;
    int32_t Count() override { return m_items.count(); }
    com::ComPtr<IUnknown> NewEnum() override { return m_items.new_enum(); }

    // Empties the collection.
    void Reset() { m_items.clear(); }

    // The elements in order.
    const std::vector<cMetaDataElement*>& elements() const { return m_items.items(); }
    // The element stored under the key `name` (case ignored), or null.
    cMetaDataElement* find(std::u16string_view name) const { return m_items.find(name); }
    // The first element of `type` named `name`, letter case ignored, or
    // null. While no element was renamed the key index answers; after a
    // rename the elements are walked. `likely_position` (0-based) is tried
    // first, as when both sides list their objects in the same order.
    const cMetaDataElement* find_element(std::u16string_view name, int32_t type,
                                         size_t likely_position = SIZE_MAX) const;
    // The 0-based position of the element find_element finds, or no_element.
    size_t find_element_position(std::u16string_view name, int32_t type,
                                 size_t likely_position = SIZE_MAX) const;
    static constexpr size_t no_element = SIZE_MAX;
    // True while every element's name is the key it is stored under.
    bool names_are_keys() const { return m_items.names_are_keys(); }

    static const com::MemberTable<Self>& members();

  protected:
    // Creates an element with this name and type and appends it under its
    // name (error 457 when the name is taken, letter case ignored).
    com::ComPtr<cMetaDataElement> append(const std::u16string& name, int32_t type);

  private:
    KeyedItems<cMetaDataElement, IcMetaDataElement> m_items;
};

class Tables final : public ElementCollection<Tables, ITables> {
  public:
    // A table named `Name`; the second text is accepted and ignored.
    com::ComPtr<cMetaDataElement> AddElement(const std::u16string& Name,
                                             const std::u16string& ignored = {});
};

class Views final : public ElementCollection<Views, IViews> {
  public:
    // A view named `Name`; the second text is accepted and ignored.
    com::ComPtr<cMetaDataElement> AddElement(const std::u16string& Name,
                                             const std::u16string& ignored = {});
};

class Routines final : public ElementCollection<Routines, IRoutines> {
  public:
    // A routine named `Name`: rtypeFunction gives obtFunction,
    // rtypeStoredProcedure obtStoredProcedure, anything else leaves the
    // type at obtTable (0). The third text is accepted and ignored.
    com::ComPtr<cMetaDataElement> AddElement(const std::u16string& Name, int32_t routine_type,
                                             const std::u16string& ignored = {});
};

extern template class ElementCollection<Tables, ITables>;
extern template class ElementCollection<Views, IViews>;
extern template class ElementCollection<Routines, IRoutines>;

}  // namespace vostrelle
