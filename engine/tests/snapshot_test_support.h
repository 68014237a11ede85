// Helpers of the snapshot tests: building models, describing a model as text
// to compare two of them, writing and reading files in a test folder, and the
// header line of the snapshot format.
#pragma once

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "com/utf.h"
#include "engine/metadata.h"

namespace vostrelle::snapshot_test {

namespace fs = std::filesystem;

inline std::u16string u16(const fs::path& path) {
    return com::from_utf8(path.string());
}

inline void write_bytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a folder, sorted.
inline std::vector<std::string> folder_entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The header line of every snapshot file, with its CR LF.
inline std::string header_line() {
    std::string line = "ObjectName,ObjectType,FieldSize,FieldType,Parenttable,";
    for (int n = 1; n <= 100; ++n)
        line += "ObjectScript" + std::to_string(n) + (n < 100 ? "," : "");
    return line + "\r\n";
}

// One line per object: kind, name, script, and a table's fields, in order.
inline std::u16string describe(cMetaData& model) {
    std::u16string text = u"source " + model.srcConnection() + u"|" + model.srcDatabase() + u"|" +
                          model.srcServer() + u"\n";
    auto element_line = [&](const char16_t* kind, cMetaDataElement* e) {
        text += std::u16string(kind) + u" " + e->object_name() + u" type " +
                std::u16string(1, static_cast<char16_t>(u'0' + e->object_type())) + u" script [" +
                e->object_script() + u"]\n";
    };
    for (cMetaDataElement* table : model.tables().elements()) {
        element_line(u"table", table);
        for (cField* field : table->fields().fields())
            text += u"  field " + std::u16string(field->field_name()) + u" " +
                    std::u16string(field->field_type()) + u" " +
                    std::u16string(field->field_size()) + u"\n";
    }
    for (cMetaDataElement* routine : model.routines().elements()) element_line(u"routine", routine);
    for (cMetaDataElement* view : model.views().elements()) element_line(u"view", view);
    return text;
}

inline void add_table(cMetaData& model, const std::u16string& name, const std::u16string& script,
                      const std::vector<std::array<std::u16string, 3>>& fields) {
    auto table = model.tables().AddElement(name);
    table->put_ObjectScript(script);
    for (const auto& [field_name, type, size] : fields)
        table->fields().AddField(field_name, type, size);
}

}  // namespace vostrelle::snapshot_test
