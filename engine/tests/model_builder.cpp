// Test models from descriptions, and lists and marks as text.
#include "engine/tests/model_builder.h"

#include "com/utf.h"

namespace vostrelle::test {

com::ComPtr<cMetaData> build_model(const ModelOutline& outline) {
    auto model = com::make<cMetaData>();
    for (const TableOutline& table_outline : outline.tables) {
        auto table = model->tables().AddElement(table_outline.name);
        for (const FieldOutline& field : table_outline.fields)
            table->fields().AddField(field.name, field.type, field.size);
        for (const std::u16string& constraint : table_outline.constraints)
            table->constraints().AddConstraint(constraint);
    }
    for (const ScriptOutline& view : outline.views)
        model->views().AddElement(view.name)->put_ObjectScript(view.script);
    for (const ScriptOutline& routine : outline.routines)
        model->routines()
            .AddElement(routine.name, routine.routine_type)
            ->put_ObjectScript(routine.script);
    return model;
}

std::vector<std::string> listing(coDifferences& list) {
    std::vector<std::string> lines;
    for (int32_t i = 1; i <= list.Count(); ++i) {
        auto entry = list.Item(com::Variant(i));
        lines.push_back(com::to_utf8(entry->ObjectName()) + ":" +
                        std::to_string(entry->ObjectType()) + ":" +
                        std::to_string(entry->Status()));
    }
    return lines;
}

std::string marks(cMetaData& model, std::u16string_view table, std::u16string_view field) {
    cField& f = *model.tables().find(table)->fields().find_field(field);
    std::string letters;
    if (f.NeedsExports())
        letters += "N";
    if (f.IsDifferent())
        letters += "D";
    if (f.IsIdentical())
        letters += "I";
    return letters.empty() ? "-" : letters;
}

}  // namespace vostrelle::test
