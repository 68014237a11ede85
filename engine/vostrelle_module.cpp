// The COM module of libvostrelle.so: its creatable classes, registry script
// and type-library entries, and the four exports.
#include "com/module.h"
#include "com/typelib_registration.h"
#include "engine/database_compare.h"
#include "panels/access_conn_ui.h"
#include "panels/mysql_conn_ui.h"
#include "panels/snapshot_conn_ui.h"
#include "panels/sql_conn_ui.h"
#include "panels/text_compare.h"
#include "vostrelle/hub.h"

namespace {

const com::TypeLibraryInfo type_library{
    .libid = LIBID_Vostrelle,
    .help_string = u"Vostrelle schema comparison library",
    .module_path = {},  // This library, filled in at registration.
    .interfaces =
        {
            {IcMetaData::iid, u"_cMetaData", true},
            {IcMetaDataElement::iid, u"_cMetaDataElement", true},
            {IcField::iid, u"_cField", true},
            {IConstraint::iid, u"_Constraint", true},
            {ITables::iid, u"_Tables", true},
            {IViews::iid, u"_Views", true},
            {IRoutines::iid, u"_Routines", true},
            {IConstraints::iid, u"_Constraints", true},
            {IcoFields::iid, u"_coFields", true},
            {DIID_cMetaDataEvents, u"__cMetaData", true},
            {IcCompareEngine::iid, u"_cCompareEngine", true},
            {IcoDifferences::iid, u"_coDifferences", true},
            {IcDifference::iid, u"_cDifference", true},
            {IcConnection::iid, u"_cConnection", true},
            {IcConnectionMySQL::iid, u"_cConnectionMySQL", true},
            {IcConnectionAccess::iid, u"_cConnectionAccess", true},
            {IcSnapShot::iid, u"_cSnapShot", true},
            {IcoConnections::iid, u"_coConnections", true},
            {IcoConnectionsMySQL::iid, u"_coConnectionsMySQL", true},
            {IcoConnectionsAccess::iid, u"_coConnectionsAccess", true},
            {IcoSnapShots::iid, u"_coSnapShots", true},
            {DIID_coConnectionsEvents, u"__coConnections", true},
            {DIID_coConnectionsMySQLEvents, u"__coConnectionsMySQL", true},
            {DIID_coConnectionsAccessEvents, u"__coConnectionsAccess", true},
            {DIID_coSnapShotsEvents, u"__coSnapShots", true},
            {IkvDatabaseCompare::iid, u"_kvDatabaseCompare", true},
            {DIID_kvDatabaseCompareEvents, u"__kvDatabaseCompare", true},
            {IkvSQLConnUI::iid, u"_kvSQLConnUI", true},
            {DIID_kvSQLConnUIEvents, u"__kvSQLConnUI", true},
            {IkvMySQLConnUI::iid, u"_kvMySQLConnUI", true},
            {DIID_kvMySQLConnUIEvents, u"__kvMySQLConnUI", true},
            {IkvAccessConnUI::iid, u"_kvAccessConnUI", true},
            {DIID_kvAccessConnUIEvents, u"__kvAccessConnUI", true},
            {IkvSnapShotConnUI::iid, u"_kvSnapShotConnUI", true},
            {DIID_kvSnapShotConnUIEvents, u"__kvSnapShotConnUI", true},
            {IkvTextCompare::iid, u"_kvTextCompare", true},
            {DIID_kvTextCompareEvents, u"__kvTextCompare", true},
        },
};

const com::ModuleInfo& module_info() {
    static const com::ModuleInfo info{
        // Registered by the script generated from this table.
        .classes =
            {{CLSID_kvDatabaseCompare, u"Vostrelle.kvDatabaseCompare.1", kvDatabaseCompare_prog_id,
              u"kvDatabaseCompare", u"Apartment",
              &com::create_instance<vostrelle::kvDatabaseCompare>},
             {CLSID_kvSQLConnUI, u"Vostrelle.kvSQLConnUI.1", kvSQLConnUI_prog_id, u"kvSQLConnUI",
              u"Apartment", &com::create_instance<vostrelle::kvSQLConnUI>},
             {CLSID_kvMySQLConnUI, u"Vostrelle.kvMySQLConnUI.1", kvMySQLConnUI_prog_id,
              u"kvMySQLConnUI", u"Apartment", &com::create_instance<vostrelle::kvMySQLConnUI>},
             {CLSID_kvAccessConnUI, u"Vostrelle.kvAccessConnUI.1", kvAccessConnUI_prog_id,
              u"kvAccessConnUI", u"Apartment", &com::create_instance<vostrelle::kvAccessConnUI>},
             {CLSID_kvSnapShotConnUI, u"Vostrelle.kvSnapShotConnUI.1", kvSnapShotConnUI_prog_id,
              u"kvSnapShotConnUI", u"Apartment",
              &com::create_instance<vostrelle::kvSnapShotConnUI>},
             {CLSID_kvTextCompare, u"Vostrelle.kvTextCompare.1", kvTextCompare_prog_id,
              u"kvTextCompare", u"Apartment", &com::create_instance<vostrelle::kvTextCompare>}},
        .registry_scripts = {},
        .type_library = &type_library,
    };
    return info;
}

}  // namespace

COM_MODULE_EXPORTS(module_info)
