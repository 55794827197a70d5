// Record and render one Aztec, Maxicode or RFID object, in each language
// (argument 0 VORN, 1 KESH). Each iteration opens a label, adds the object,
// renders the whole form and closes the label; BM_AzmxEmptyLabel is the same
// cycle without the object, to subtract.

#include <benchmark/benchmark.h>

#include <string>

#include "quillon/Label.h"

namespace {

template <typename AddFn>
void Cycle(benchmark::State& state, AddFn add) {
    const int language = static_cast<int>(state.range(0));
    std::string text;
    for (auto _ : state) {
        CreateLabel(language, "BENCH", 8.0f, ScaleEnum::MM);
        add();
        LabelToString(text);
        benchmark::DoNotOptimize(text.data());
        CloseLabel();
    }
}

void BM_AzmxEmptyLabel(benchmark::State& state) {
    Cycle(state, [] {});
}

void BM_AztecDefaultRotated(benchmark::State& state) {
    const std::string content(static_cast<size_t>(state.range(1)), 'A');
    Cycle(state, [&] {
        CreateAztecBarcodes(10.0f, 5.0f, content, ScaleEnum::MM, 0.5f, AztecCodeTypeEnum::Default, -1, -1,
                            RotateEnum::ClockWise);
    });
}

void BM_MaxicodeMode2(benchmark::State& state) {
    Cycle(state, [] {
        CreateMaxicodeBarcodes(0, MaxicodeModeEnum::MODE_2, "12345,6789", "840", "001", "HELLO WORLD", "", "",
                               10.0f, 5.0f, ScaleEnum::MM, false, RotateEnum::None);
    });
}

void BM_RfidEpcWrite(benchmark::State& state) {
    Cycle(state, [] {
        CreateRfidEncode(305419896u, 43981u, "LABEL1", RfidMemBlockEnum::EPC, 2, "", "",
                         RfidPasswordTypeEnum::Lock, "PW1");
    });
}

}  // namespace

BENCHMARK(BM_AzmxEmptyLabel)->ArgNames({"kesh"})->Arg(0)->Arg(1);
BENCHMARK(BM_AztecDefaultRotated)
    ->ArgNames({"kesh", "bytes"})
    ->Args({0, 100})
    ->Args({1, 100})
    ->Args({0, 4000});
BENCHMARK(BM_MaxicodeMode2)->ArgNames({"kesh"})->Arg(0)->Arg(1);
BENCHMARK(BM_RfidEpcWrite)->ArgNames({"kesh"})->Arg(0)->Arg(1);
