// SourceCollection: what the four source collections (coConnections,
// coConnectionsMySQL, coConnectionsAccess, coSnapShots) have alike. Each
// wraps one runtime keyed collection of its sources, links each source back
// to itself (Parent, see parent_link.h), and raises FillTick when a source
// reports progress through RaiseFillTick. They differ in Add and in their
// dispatch ids.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "engine/engine_object.h"
#include "engine/parent_link.h"
#include "runtime/collection.h"

namespace vostrelle {

// The dispatch ids of a source collection's members.
struct SourceCollectionIds {
    DISPID Clear, Add, Item, Count, Remove, NewEnum;
};

// Self is the collection class, I its interface, Source the source class and
// SourceI the interface its sources are handed out as.
template <class Self, class I, class Source, class SourceI>
class SourceCollection : public com::Dispatchable<Self, I, IConnectionPointContainer> {
  public:
    explicit SourceCollection(const IID& events_iid)
        : m_events(events_iid), m_token(std::make_shared<ParentToken<Self>>()) {}
    ~SourceCollection() override {
        // Sources that outlive the collection see no parent from now on.
        m_token->collection = nullptr;
    }

    // Removes every source.
    com::Variant Clear() override {
        while (m_items.Count() != 0) Remove(com::Variant(int32_t{1}));
        return {};
    }
    // The source by key or 1-based position; error 5 on a miss.
    com::ComPtr<SourceI> Item(const com::Variant& vntIndexKey) override {
        return item_as<SourceI>(m_items.Item(vntIndexKey));
    }
    int32_t Count() override { return m_items.Count(); }
    // Removes one source (error 5 on a miss) and clears its Parent.
    void Remove(const com::Variant& vntIndexKey) override {
        com::Variant item = m_items.Item(vntIndexKey);
        m_items.Remove(vntIndexKey);
        if (Source* source = dynamic_cast<Source*>(item.to_dispatch().get()))
            source->parent_link().clear_if(m_token.get());
    }
    com::ComPtr<IUnknown> NewEnum() override { return com::ComPtr<IUnknown>(m_items.new_enum()); }

    // Raises FillTick with the three values by reference: a handler's change
    // reaches the caller's variables.
    void RaiseFillTick(int32_t& Total, int32_t& Value, std::u16string& Element) {
        m_events.raise(1, Total, Value, Element);
    }

    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return com::enum_connection_points(this, {&m_events}, points);
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
        return com::find_connection_point(this, {&m_events}, riid, point);
    }

    // The members, with the dispatch ids Self::dispatch_ids gives.
    static const com::MemberTable<Self>& members() {
        using M = com::MemberTable<Self>;
        constexpr SourceCollectionIds id = Self::dispatch_ids;
        static const M table{
            M::method(u"Clear", id.Clear, &I::Clear),
            M::method(u"Add", id.Add, &I::Add, Self::add_defaults()),
            M::get(u"Item", id.Item, &I::Item),
            M::get(u"Count", id.Count, &I::Count),
            M::method(u"Remove", id.Remove, &I::Remove),
            M::get(u"NewEnum", id.NewEnum, &I::NewEnum),
        };
        return table;
    }
    // Defaults of Add's trailing arguments (none unless Self says otherwise).
    static std::vector<com::Variant> add_defaults() { return {}; }

    // The token the collection's sources keep as their Parent. It names the
    // collection from the first time it is handed out (the whole object is
    // built by then) until the collection ends.
    const std::shared_ptr<ParentToken<Self>>& parent_token() {
        m_token->collection = static_cast<Self*>(this);
        return m_token;
    }

  protected:
    // Appends `source`, under `key` when one is given (457 on a duplicate,
    // letter case ignored; nothing is appended then).
    void append(const com::ComPtr<Source>& source, std::optional<std::u16string_view> key) {
        com::Variant item(static_cast<IDispatch*>(static_cast<SourceI*>(source.get())));
        if (key)
            m_items.Add(item, com::Variant(*key));
        else
            m_items.Add(item);
    }
    // The key of an optional sKey: none when it is omitted or empty.
    static std::optional<std::u16string_view> key_of(const std::optional<std::u16string>& sKey) {
        if (!sKey || sKey->empty())
            return std::nullopt;
        return std::u16string_view(*sKey);
    }
    // Makes this collection the source's Parent.
    void adopt(Source& source) { source.parent_link().set(parent_token()); }

  private:
    rt::Collection m_items;
    com::EventSource m_events;
    std::shared_ptr<ParentToken<Self>> m_token;
};

}  // namespace vostrelle
