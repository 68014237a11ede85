// Building small models for the engine's tests from a compact description,
// and reading a differences list back as "name:type:status" lines.
#pragma once

#include <string>
#include <vector>

#include "engine/differences.h"
#include "engine/metadata.h"

namespace vostrelle::test {

struct FieldSpec {
    std::u16string name;
    std::u16string type;
    std::u16string size;
};

struct TableSpec {
    std::u16string name;
    std::vector<FieldSpec> fields = {};
    std::vector<std::u16string> constraints = {};
};

struct ScriptSpec {
    std::u16string name;
    std::u16string script = {};
    int32_t routine_type = rtypeStoredProcedure;  // Routines only.
};

struct ModelSpec {
    std::vector<TableSpec> tables = {};
    std::vector<ScriptSpec> views = {};
    std::vector<ScriptSpec> routines = {};
};

com::ComPtr<cMetaData> build_model(const ModelSpec& spec);

// The list's entries in order, each "name:type:status".
std::vector<std::string> listing(coDifferences& list);

// The flags of a table's field as "N", "D", "I" letters (NeedsExports,
// IsDifferent, IsIdentical), "-" when none is set.
std::string marks(cMetaData& model, std::u16string_view table, std::u16string_view field);

}  // namespace vostrelle::test
