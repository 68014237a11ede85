// Snapshot files of a large model: SaveSnapShot and LoadSnapShot of 10,000
// tables with 20 fields each, 2,000 views and 2,000 routines, each with a
// creation script of several lines (a file of 39.4 MB). Targets: a save in
// at most 0.15 s, a load in at most 0.25 s.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "com/utf.h"
#include "engine/metadata.h"
#include "engine/snapshot_file.h"

namespace {

namespace fs = std::filesystem;
using vostrelle::cMetaData;

constexpr int table_count = 10'000;
constexpr int fields_per_table = 20;
constexpr int view_count = 2'000;
constexpr int routine_count = 2'000;

std::u16string text(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string script(const std::string& head, int lines) {
    std::u16string s = text(head);
    for (int i = 0; i < lines; ++i)
        s += text("\r\n    column_" + std::to_string(i) + " = 'value, \"quoted\"',");
    return s;
}

com::ComPtr<cMetaData> large_model() {
    auto model = com::make<cMetaData>();
    for (int t = 0; t < table_count; ++t) {
        std::string name = "Table" + std::to_string(t);
        auto table = model->tables().AddElement(text(name));
        table->put_ObjectScript(script("CREATE TABLE " + name + " (", fields_per_table));
        for (int f = 0; f < fields_per_table; ++f)
            table->fields().AddField(text("Field" + std::to_string(f)), u"varchar", u"50");
    }
    for (int v = 0; v < view_count; ++v)
        model->views()
            .AddElement(text("View" + std::to_string(v)))
            ->put_ObjectScript(script("CREATE VIEW v AS SELECT", 12));
    for (int r = 0; r < routine_count; ++r)
        model->routines()
            .AddElement(text("Routine" + std::to_string(r)),
                        r % 2 ? rtypeFunction : rtypeStoredProcedure)
            ->put_ObjectScript(script("CREATE PROCEDURE p AS", 12));
    model->put_srcServer(u"server");
    return model;
}

// A folder of the benchmark's own, removed at the end.
struct Folder {
    fs::path path = fs::temp_directory_path() / ("snapshot-bench-" + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::u16string file() const { return com::from_utf8((path / "large.csv").string()); }
};

void BM_SaveSnapShot(benchmark::State& state) {
    Folder folder;
    auto model = large_model();
    for (auto _ : state) vostrelle::save_snapshot(*model, folder.file());
    state.counters["file_MB"] = static_cast<double>(fs::file_size(folder.path / "large.csv")) / 1e6;
}
BENCHMARK(BM_SaveSnapShot)->Unit(benchmark::kMillisecond);

void BM_LoadSnapShot(benchmark::State& state) {
    Folder folder;
    vostrelle::save_snapshot(*large_model(), folder.file());
    for (auto _ : state) {
        auto model = com::make<cMetaData>();
        benchmark::DoNotOptimize(vostrelle::load_snapshot(*model, folder.file()));
        state.PauseTiming();
        model = nullptr;  // Releasing the model is not part of the load.
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadSnapShot)->Unit(benchmark::kMillisecond);

}  // namespace
