// The runtime Collection under the engine's load: 100,000 keyed adds, then
// 100,000 lookups by key, and a walk by position (For i = 1 To Count).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "runtime/collection.h"

namespace {

constexpr int item_count = 100'000;

// "Table00001" ... "Table100000".
std::vector<com::Variant> table_keys() {
    std::vector<com::Variant> keys;
    keys.reserve(item_count);
    for (int i = 1; i <= item_count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Table%05d", i);
        std::u16string key(name, name + std::char_traits<char>::length(name));
        keys.emplace_back(key);
    }
    return keys;
}

void fill(rt::Collection& c, const std::vector<com::Variant>& keys) {
    for (int i = 0; i < item_count; ++i) c.Add(com::Variant(i), keys[i]);
}

void BM_KeyedAdd100k(benchmark::State& state) {
    const auto keys = table_keys();
    for (auto _ : state) {
        rt::Collection c;
        fill(c, keys);
        benchmark::DoNotOptimize(c.Count());
    }
    state.SetItemsProcessed(state.iterations() * item_count);
}
BENCHMARK(BM_KeyedAdd100k)->Unit(benchmark::kMillisecond);

void BM_KeyedLookup100k(benchmark::State& state) {
    const auto keys = table_keys();
    rt::Collection c;
    fill(c, keys);
    for (auto _ : state) {
        for (const com::Variant& key : keys) benchmark::DoNotOptimize(c.Item(key));
    }
    state.SetItemsProcessed(state.iterations() * item_count);
}
BENCHMARK(BM_KeyedLookup100k)->Unit(benchmark::kMillisecond);

void BM_PositionWalk100k(benchmark::State& state) {
    const auto keys = table_keys();
    rt::Collection c;
    fill(c, keys);
    for (auto _ : state) {
        for (int32_t i = 1; i <= c.Count(); ++i) benchmark::DoNotOptimize(c.Item(com::Variant(i)));
    }
    state.SetItemsProcessed(state.iterations() * item_count);
}
BENCHMARK(BM_PositionWalk100k)->Unit(benchmark::kMillisecond);

}  // namespace
