// The label spine: open + render + close of an empty label and of labels
// carrying pictures, in both languages, and how rendering grows with the
// number of objects.

#include <benchmark/benchmark.h>

#include <string>

#include "quillon/quillon.h"

namespace {

void BuildPictures(int language, int count) {
    CreateLabel(language, "BENCH", 203.0f, ScaleEnum::Inch);
    for (int i = 0; i < count; ++i) Picture(10 + i, 20 + i, "LOGO.PNG");
}

// Arguments: language (0 VORN, 1 KESH), number of pictures.
void BM_CreateRenderClose(benchmark::State& state) {
    const int language = static_cast<int>(state.range(0));
    const int pictures = static_cast<int>(state.range(1));
    std::string text;
    size_t bytes = 0;
    for (auto _ : state) {
        BuildPictures(language, pictures);
        LabelToString(text);
        CloseLabel();
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["labels/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CreateRenderClose)
    ->ArgNames({"lang", "pictures"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 50})
    ->Args({1, 50});

// Render only, on a label built once, for growing object counts.
void BM_RenderOnly(benchmark::State& state) {
    const int language = static_cast<int>(state.range(0));
    const int objects = static_cast<int>(state.range(1));
    BuildPictures(language, objects);
    std::string text;
    size_t bytes = 0;
    for (auto _ : state) {
        LabelToString(text);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    CloseLabel();
    state.SetItemsProcessed(state.iterations() * objects);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_RenderOnly)
    ->ArgNames({"lang", "objects"})
    ->Args({0, 10})
    ->Args({0, 100})
    ->Args({0, 1000})
    ->Args({0, 10000})
    ->Args({1, 10})
    ->Args({1, 100})
    ->Args({1, 1000})
    ->Args({1, 10000});

}  // namespace
