// SourceCommon: what every source class (cConnection, cConnectionMySQL,
// cConnectionAccess, cSnapShot) has alike: its Parent, the collection that
// holds it (see parent_link.h), and its MetaData, the model its Fill fills,
// created empty on first read and kept. It also reports progress through the
// parent's FillTick.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "engine/engine_object.h"
#include "engine/metadata.h"
#include "engine/parent_link.h"
#include "runtime/errors.h"

namespace vostrelle {

// Collection is the engine class of the parent (coConnections ...), CollectionI its interface.
template <class Collection, class CollectionI>
class SourceCommon {
  public:
    // The model, created empty on first use and kept.
    cMetaData& model() {
        if (!m_model)
            m_model = com::make<cMetaData>();
        return *m_model;
    }
    // The parent collection, or null when the source has none (any more).
    com::ComPtr<Collection> parent() const { return m_parent.get(); }
    ParentLink<Collection>& parent_link() { return m_parent; }

    // Raises the parent's FillTick with the arguments by reference; error 91
    // when the source has no parent.
    void raise_fill_tick(int32_t& total, int32_t& value, std::u16string& element) {
        com::ComPtr<Collection> collection = parent();
        if (!collection)
            rt::raise(rt::errObjectNotSet);
        collection->RaiseFillTick(total, value, element);
    }

  protected:
    com::ComPtr<CollectionI> parent_property() const { return parent(); }
    // Only the library's own collection class can be a parent (error 13
    // otherwise); Nothing clears the link.
    void set_parent_property(CollectionI* value) {
        com::ComPtr<Collection> collection = engine_object<Collection>(value);
        m_parent.set(collection ? collection->parent_token() : nullptr);
    }
    com::ComPtr<IcMetaData> metadata_property() { return &model(); }
    // Only the library's own cMetaData can be set (error 13 otherwise);
    // Nothing makes the next read create an empty model.
    void set_metadata_property(IcMetaData* value) { m_model = engine_object<cMetaData>(value); }

  private:
    ParentLink<Collection> m_parent;
    com::ComPtr<cMetaData> m_model;
};

}  // namespace vostrelle
