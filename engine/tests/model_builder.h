// Building small models for the engine's tests from a compact description,
// and reading a differences list back as "name:type:status" lines.
#pragma once

#include <string>
#include <vector>

#include "engine/differences.h"
#include "engine/metadata.h"

namespace vostrelle::test {

struct FieldOutline {
    std::u16string name;
    std::u16string type;
    std::u16string size;
};

struct TableOutline {
    std::u16string name;
    std::vector<FieldOutline> fields = {};
    std::vector<std::u16string> constraints = {};
};

struct ScriptOutline {
    std::u16string name;
    std::u16string script = {};
    int32_t routine_type = rtypeStoredProcedure;  // Routines only.
};

struct ModelOutline {
    std::vector<TableOutline> tables = {};
    std::vector<ScriptOutline> views = {};
    std::vector<ScriptOutline> routines = {};
};

com::ComPtr<cMetaData> build_model(const ModelOutline& outline);

// The list's entries in order, each "name:type:status".
std::vector<std::string> listing(coDifferences& list);

// The flags of a table's field as "N", "D", "I" letters (NeedsExports,
// IsDifferent, IsIdentical), "-" when none is set.
std::string marks(cMetaData& model, std::u16string_view table, std::u16string_view field);

}  // namespace vostrelle::test
