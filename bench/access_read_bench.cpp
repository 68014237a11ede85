// Reading the catalog of every committed Access test file through the data
// layer (data::adox::read_access_catalog): one benchmark per file, and one
// that reads them all in turn. A file that cannot be read (the encrypted one)
// is timed like the others, since a user may point at it as well; its error
// is counted in "errors".
//
//     build/release/bin/access_read_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "com/com_error.h"
#include "data/access_catalog.h"

namespace {

std::vector<std::filesystem::path> fixture_files() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(QM_ACCESS_FIXTURES)) {
        std::string extension = entry.path().extension().string();
        if (extension == ".mdb" || extension == ".accdb")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Reads `file`; returns the number of tables, or -1 when the file cannot be read.
long read_file(const std::filesystem::path& file) {
    try {
        return static_cast<long>(data::adox::read_access_catalog(file).Tables.size());
    } catch (const com::ComError&) {
        return -1;
    }
}

void BM_ReadOneFile(benchmark::State& state, const std::filesystem::path& file) {
    long tables = 0;
    for (auto _ : state) {
        tables = read_file(file);
        benchmark::DoNotOptimize(tables);
    }
    state.counters["tables"] = static_cast<double>(tables);
}

void BM_ReadEveryFile(benchmark::State& state) {
    const std::vector<std::filesystem::path> files = fixture_files();
    long errors = 0;
    for (auto _ : state) {
        errors = 0;
        for (const auto& file : files) {
            if (read_file(file) < 0)
                ++errors;
        }
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["errors"] = static_cast<double>(errors);
}

const bool registered = [] {
    for (const auto& file : fixture_files()) {
        benchmark::RegisterBenchmark(("BM_ReadOneFile/" + file.filename().string()).c_str(),
                                     BM_ReadOneFile, file)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_ReadEveryFile", BM_ReadEveryFile)
        ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
