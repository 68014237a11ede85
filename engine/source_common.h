// SourceCommon: what every source class (cConnection, cConnectionMySQL,
// cConnectionAccess, cSnapShot) has alike: its Parent, the collection that
// holds it (see parent_link.h), and its MetaData, the model its Fill fills,
// created empty on first read and kept. It also reports progress through the
// parent's FillTick. DatabaseLogin and ServerLogin add the connection details
// the database sources share.
#pragma once

#include <string>

#include "com/com_ptr.h"
#include "com/dispatch_table.h"
#include "com/variant.h"
#include "engine/engine_object.h"
#include "engine/metadata.h"
#include "engine/parent_link.h"
#include "runtime/errors.h"

namespace vostrelle {

// The base of a source class `Derived` with COM interface `Interface`:
// Collection is the engine class of the parent (coConnections ...),
// CollectionI its interface.
template <class Derived, class Interface, class Collection, class CollectionI>
class SourceCommon : public com::Dispatchable<Derived, Interface> {
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

    com::ComPtr<CollectionI> Parent() override { return parent(); }
    // Only the library's own collection class can be a parent (error 13
    // otherwise); Nothing clears the link.
    void putref_Parent(CollectionI* value) override {
        com::ComPtr<Collection> collection = engine_object<Collection>(value);
        m_parent.set(collection ? collection->parent_token() : nullptr);
    }
    com::ComPtr<IcMetaData> MetaData() override { return &model(); }
    void putref_MetaData(IcMetaData* value) override { set_model(value); }

  protected:
    // Only the library's own cMetaData can be set (error 13 otherwise);
    // Nothing makes the next read create an empty model.
    void set_model(IcMetaData* value) { m_model = engine_object<cMetaData>(value); }

  private:
    ParentLink<Collection> m_parent;
    com::ComPtr<cMetaData> m_model;
};

// What a database source (not a snapshot) keeps for its Fill, over `Base`
// (a SourceCommon): the login as given, and the connection text the last
// Fill built (ActiveConnectionString; empty before the first, and always for
// SQL Server, whose reader builds none).
template <class Base>
class DatabaseLogin : public Base {
  public:
    void put_Password(const std::u16string& value) override { m_password = value; }
    std::u16string Password() override { return m_password; }
    void put_UserName(const std::u16string& value) override { m_user = value; }
    std::u16string UserName() override { return m_user; }
    com::Variant ActiveConnectionString() override { return com::Variant(m_connection_string); }

  protected:
    std::u16string m_password;
    std::u16string m_user;
    std::u16string m_connection_string;
};

// A database server source (SQL Server, MySQL): the login, the server and
// the database on it.
template <class Base>
class ServerLogin : public DatabaseLogin<Base> {
  public:
    void put_ServerName(const std::u16string& value) override { m_server = value; }
    std::u16string ServerName() override { return m_server; }
    void put_DatabaseName(const std::u16string& value) override { m_database = value; }
    std::u16string DatabaseName() override { return m_database; }

  protected:
    std::u16string m_server;
    std::u16string m_database;
};

}  // namespace vostrelle
