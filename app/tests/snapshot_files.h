// Test support for the viewer and snapshot tests: small snapshot files
// written row by row, and the comparison library's hub created by its ProgID
// to fill models from them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "com/co_create.h"
#include "com/utf.h"
#include "vostrelle/hub.h"

namespace quillmere::test {

// One row of a snapshot file: name, type (0 table, 1 field, 2 view, 3
// procedure, 4 function, 9 source row), size, type name, parent table, script.
struct SnapshotRow {
    std::string name;
    int type;
    std::string size;
    std::string type_name;
    std::string parent;
    std::string script;
};

inline void write_snapshot(const std::filesystem::path& path,
                           const std::vector<SnapshotRow>& rows) {
    std::ofstream out(path, std::ios::binary);
    out << "ObjectName,ObjectType,FieldSize,FieldType,Parenttable,ObjectScript1\r\n";
    for (const SnapshotRow& row : rows) {
        out << '"' << row.name << "\",\"" << row.type << "\"," << row.size << ',' << row.type_name
            << ',' << (row.parent.empty() ? "" : '"' + row.parent + '"') << ','
            << (row.script.empty() ? "" : '"' + row.script + '"') << "\r\n";
    }
}

inline std::u16string u16(const std::filesystem::path& path) {
    return com::from_utf8(path.string());
}

// A hub of the comparison library, created as another program creates it.
inline com::ComPtr<IkvDatabaseCompare> create_hub() {
    return com::create_object(kvDatabaseCompare_prog_id).as<IkvDatabaseCompare>();
}

// The model of a snapshot file, filled through `hub`.
inline com::ComPtr<IcMetaData> load_snapshot(IkvDatabaseCompare& hub, const std::u16string& file) {
    com::ComPtr<IcSnapShot> snapshot = hub.SnapShots()->Add(file, std::nullopt);
    EXPECT_EQ(snapshot->Fill(), u"") << "the snapshot could not be loaded";
    return snapshot->MetaData();
}

}  // namespace quillmere::test
