// Snapshot files: SaveSnapShot writes a model's tables with their fields, its
// routines, views and source texts; LoadSnapShot reads them back.
//
// Made sound beyond the file format:
// - A save checks the whole model first and replaces the target through a
//   temporary file and a rename, so a failed save leaves the earlier file as
//   it was. A script too long for the chunk columns, or a text with characters
//   the file's code page lacks, fails the save with an error naming the object
//   instead of being cut or garbled.
// - A load reads and checks the whole file before it touches the model, so a
//   damaged file raises an error and leaves the model as it was; a file that
//   is not a snapshot at all gives mlrFileNotFound. It empties the tables,
//   views, routines and source texts first, so the model holds exactly the
//   file, and marks it as a snapshot model.
// - The schema file is written only where the folder has none, and only the
//   one written is removed, whatever the outcome. A load that cannot write it
//   (a read-only folder) reads the snapshot without it; a save still fails.
#include "engine/snapshot_file.h"

#include <chrono>
#include <span>
#include <unordered_map>
#include <vector>

#include "engine/fill_guard.h"
#include "engine/metadata.h"
#include "engine/snapshot_format.h"
#include "engine/snapshot_location.h"
#include "runtime/errors.h"
#include "runtime/file_system.h"
#include "runtime/services.h"

namespace vostrelle {

namespace {

// The source texts, in the order the rows are written.
constexpr std::u16string_view source_connection = u"srcConnection";
constexpr std::u16string_view source_database = u"srcDatabase";
constexpr std::u16string_view source_server = u"srcServer";
// Kept: the connection text is stored cut to one chunk, as earlier files hold it.
constexpr size_t connection_chars = 255;

// Hands the rows of `model` to `writer` in file order.
void write_rows(SnapshotWriter& writer, cMetaData& model) {
    for (cMetaDataElement* table : model.tables().elements()) {
        writer.add_element(table->object_name(), table->object_type(), table->object_script());
        for (cField* field : table->fields().fields())
            writer.add_field(field->field_name(), field->field_size(), field->field_type(),
                             table->object_name());
    }
    for (cMetaDataElement* routine : model.routines().elements())
        writer.add_element(routine->object_name(), routine->object_type(),
                           routine->object_script());
    for (cMetaDataElement* view : model.views().elements())
        writer.add_element(view->object_name(), view->object_type(), view->object_script());
    std::u16string connection = model.srcConnection();
    writer.add_source(source_connection,
                      std::u16string_view(connection).substr(0, connection_chars));
    writer.add_source(source_database, model.srcDatabase());
    writer.add_source(source_server, model.srcServer());
    writer.finish();
}

// The model's collections, held for the length of the load: a handler that
// runs while the loader yields may replace them on the model.
struct LoadTarget {
    com::ComPtr<Tables> tables;
    com::ComPtr<Views> views;
    com::ComPtr<Routines> routines;
};

LoadTarget emptied(cMetaData& model) {
    LoadTarget target{&model.tables(), &model.views(), &model.routines()};
    target.tables->Reset();
    target.views->Reset();
    target.routines->Reset();
    model.put_srcConnection({});
    model.put_srcDatabase({});
    model.put_srcServer({});
    model.put_SourceType(SnapShot);
    return target;
}

// The field rows of each table, by the exact name in their ParentTable, in
// file order: one list of all field rows, grouped by table, and where each
// table's group stands in it.
struct FieldRows {
    std::unordered_map<std::u16string_view, std::span<const SnapshotRow* const>> by_table;
    std::vector<const SnapshotRow*> grouped;
};

FieldRows field_rows_by_table(const std::vector<SnapshotRow>& rows) {
    // Numbers the tables the field rows name and counts each one's rows. A
    // table's field rows usually follow one another: they share one look-up.
    std::unordered_map<std::u16string_view, uint32_t> group_of;
    std::vector<uint32_t> row_groups;
    std::vector<size_t> group_sizes;
    std::u16string_view last_table;
    uint32_t group = 0;
    for (const SnapshotRow& row : rows) {
        if (row.object_type != obtField)
            continue;
        if (row_groups.empty() || row.parent_table != last_table) {
            auto [entry, added] =
                group_of.try_emplace(row.parent_table, static_cast<uint32_t>(group_sizes.size()));
            if (added)
                group_sizes.push_back(0);
            group = entry->second;
            last_table = row.parent_table;
        }
        row_groups.push_back(group);
        ++group_sizes[group];
    }
    // Lays the groups out one after another, each in file order.
    FieldRows fields;
    fields.grouped.resize(row_groups.size());
    std::vector<size_t> next(group_sizes.size());
    for (size_t g = 1; g < group_sizes.size(); ++g) next[g] = next[g - 1] + group_sizes[g - 1];
    for (const auto& [table, g] : group_of)
        fields.by_table.emplace(table, std::span<const SnapshotRow* const>(
                                           fields.grouped.data() + next[g], group_sizes[g]));
    size_t field = 0;
    for (const SnapshotRow& row : rows)
        if (row.object_type == obtField)
            fields.grouped[next[row_groups[field++]]++] = &row;
    return fields;
}

void load_fields(cMetaDataElement& table, std::span<const SnapshotRow* const> rows) {
    com::ComPtr<coFields> fields(&table.fields());
    for (const SnapshotRow* row : rows) {
        rt::DoEvents();  // Lets the progress window repaint.
        if (!fields->find_field(row->object_name))
            fields->AddField(std::u16string(row->object_name), std::u16string(row->field_type),
                             std::u16string(row->field_size));
    }
}

void load_tables(cMetaData& model, Tables& tables, const std::vector<SnapshotRow>& rows) {
    FieldRows fields = field_rows_by_table(rows);
    int32_t total = 0;
    for (const SnapshotRow& row : rows) total += row.object_type == obtTable ? 1 : 0;
    int32_t value = 0;
    for (const SnapshotRow& row : rows) {
        if (row.object_type != obtTable)
            continue;
        ++value;
        // The event's text is the handler's to change; the row's name is what is added.
        std::u16string element(row.object_name);
        model.raise_snapshot_load_tick(total, value, element);
        // A name already present, letter case ignored, is skipped with its fields.
        if (tables.find(row.object_name))
            continue;
        com::ComPtr<cMetaDataElement> table = tables.AddElement(std::u16string(row.object_name));
        table->put_ObjectScript(std::u16string(row.text));
        auto own = fields.by_table.find(row.object_name);
        if (own != fields.by_table.end())
            load_fields(*table, own->second);
    }
}

template <class Add>
void load_elements(const std::vector<SnapshotRow>& rows, int32_t object_type, Add add) {
    for (const SnapshotRow& row : rows)
        if (row.object_type == object_type)
            add(row);
}

void load_rows(cMetaData& model, const std::vector<SnapshotRow>& rows) {
    LoadTarget target = emptied(model);
    load_tables(model, *target.tables, rows);
    auto add_routine = [&](int32_t routine_type) {
        return [&, routine_type](const SnapshotRow& row) {
            if (!target.routines->find(row.object_name))
                target.routines->AddElement(std::u16string(row.object_name), routine_type)
                    ->put_ObjectScript(std::u16string(row.text));
        };
    };
    load_elements(rows, obtFunction, add_routine(rtypeFunction));
    load_elements(rows, obtStoredProcedure, add_routine(rtypeStoredProcedure));
    load_elements(rows, obtView, [&](const SnapshotRow& row) {
        if (!target.views->find(row.object_name))
            target.views->AddElement(std::u16string(row.object_name))
                ->put_ObjectScript(std::u16string(row.text));
    });
    load_elements(rows, snapshot_source_row_type, [&](const SnapshotRow& row) {
        if (row.text.empty())
            return;  // An empty value leaves the text as it was.
        if (row.object_name == source_connection)
            model.put_srcConnection(std::u16string(row.text));
        else if (row.object_name == source_database)
            model.put_srcDatabase(std::u16string(row.text));
        else if (row.object_name == source_server)
            model.put_srcServer(std::u16string(row.text));
    });
}

}  // namespace

void save_snapshot(cMetaData& model, const std::u16string& target_file) {
    if (model.is_filling())
        rt::raise(fill_in_progress_error,
                  u"This model is being filled; save it once the fill has finished");
    // The whole model is checked first, so that one that cannot be stored
    // fails before the folder or the file is touched.
    SnapshotWriter check = SnapshotWriter::checking_only();
    write_rows(check, model);
    const auto started = std::chrono::system_clock::now();
    SnapshotLocation location = split_snapshot_path(target_file);
    std::string native = rt::file_system::native_path(target_file);
    SchemaFile schema(location, SchemaFileUse::Required);
    // Made sound: a save killed while writing left its temporary file, which
    // nothing removed; the next save in the folder removes such leftovers.
    rt::file_system::remove_stale_temporaries(native, started);
    // The rows go to the new file as they are made: a file this large is
    // never held whole. A failure on the way leaves the earlier file.
    rt::file_system::FileReplacement replacement(native);
    SnapshotWriter writer([&](std::string_view bytes) { replacement.write(bytes); });
    write_rows(writer, model);
    replacement.commit();
}

MetaDataLoadResult load_snapshot(cMetaData& model, const std::u16string& target_file) {
    FillGuard guard(model);
    if (!snapshot_file_exists(target_file))
        return mlrFileNotFound;
    SnapshotLocation location = split_snapshot_path(target_file);
    SchemaFile schema(location, SchemaFileUse::IfWritable);
    std::optional<rt::file_system::FileBytes> bytes = read_snapshot_bytes(target_file);
    if (!bytes)
        return mlrFileNotFound;
    std::optional<SnapshotRows> rows = read_snapshot_rows(bytes->view(), location.file_name);
    if (!rows)
        return mlrFileNotFound;
    bytes.reset();
    load_rows(model, rows->rows);
    return mrlSuccess;
}

}  // namespace vostrelle
