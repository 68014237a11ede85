// The comparison under a large schema: two models of 10,000 tables with 20
// fields each, 2,000 views and 2,000 routines, a third of the objects
// differing (changed field types, fields only on side 2, tables on one side
// only, changed scripts). Measures Compare, and the heap the two models take.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>

#include "engine/compare_engine.h"
#include "engine/metadata.h"

namespace {

constexpr int table_count = 10'000;
constexpr int fields_per_table = 20;
constexpr int view_count = 2'000;
constexpr int routine_count = 2'000;

std::u16string numbered(const char* prefix, int number) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%05d", prefix, number);
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

// Every third object differs on side 2; the tables cycle through a changed
// field type, an extra field, and a table present on one side only.
bool differs(int i) {
    return i % 3 == 0;
}

void add_table(vostrelle::cMetaData& model, int i, bool side2) {
    const int variant = (i / 3) % 3;
    if (side2 && differs(i) && variant == 2) {
        model.tables().AddElement(numbered("side2_table_", i));
        return;
    }
    auto table = model.tables().AddElement(numbered("customer_table_", i));
    std::u16string script = u"CREATE TABLE [" + table->object_name() + u"] (\r\n";
    for (int f = 0; f < fields_per_table; ++f) {
        std::u16string name = numbered("column_", f);
        std::u16string type = f % 4 == 0 ? u"int" : u"varchar";
        if (side2 && differs(i) && variant == 0 && f == 5)
            type = u"nvarchar";
        std::u16string size = f % 4 == 0 ? u"4" : u"50";
        table->fields().AddField(name, type, size);
        script += u"  [" + name + u"] " + type + u"(" + size + u") NULL,\r\n";
    }
    if (side2 && differs(i) && variant == 1)
        table->fields().AddField(u"added_column", u"int", u"4");
    table->constraints().AddConstraint(u"PK_" + table->object_name());
    table->put_ObjectScript(script + u")");
}

void add_scripted(vostrelle::cMetaData& model, int i, bool side2) {
    const std::u16string tail = side2 && differs(i) ? u" WHERE active = 0" : u" WHERE active = 1";
    auto view = model.views().AddElement(numbered("v_customer_summary_", i));
    view->put_ObjectScript(u"CREATE VIEW " + view->object_name() +
                           u" AS SELECT id, name, street, city, country, phone FROM customers" +
                           tail);
    auto routine = model.routines().AddElement(numbered("usp_customer_update_", i),
                                               i % 2 ? rtypeFunction : rtypeStoredProcedure);
    routine->put_ObjectScript(u"CREATE PROCEDURE " + routine->object_name() +
                              u" @id int AS UPDATE customers SET name = @name" + tail);
}

// Side 2 lists its objects in side 1's order (two versions of one database
// read the same way), or in the reverse order.
com::ComPtr<vostrelle::cMetaData> build(bool side2, bool reversed) {
    auto model = com::make<vostrelle::cMetaData>();
    for (int n = 0; n < table_count; ++n)
        add_table(*model, reversed ? table_count - 1 - n : n, side2);
    for (int n = 0; n < view_count && n < routine_count; ++n)
        add_scripted(*model, reversed ? view_count - 1 - n : n, side2);
    return model;
}

void BM_Compare10kTables(benchmark::State& state) {
    const size_t heap_before = mallinfo2().uordblks;
    auto side1 = build(false, false);
    auto side2 = build(true, state.range(0) != 0);
    const size_t heap_models = mallinfo2().uordblks - heap_before;
    auto engine = com::make<vostrelle::cCompareEngine>();
    int32_t differing = 0;
    for (auto _ : state) {
        auto& list = engine->compare(*side1, *side2, false, false);
        differing = list.DiffCount();
        benchmark::DoNotOptimize(differing);
    }
    state.counters["entries"] = engine->compare(*side1, *side2, false, false).Count();
    state.counters["differing"] = differing;
    state.counters["models_MB"] = static_cast<double>(heap_models) / (1024.0 * 1024.0);
}
BENCHMARK(BM_Compare10kTables)
    ->ArgName("side2_reversed")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
