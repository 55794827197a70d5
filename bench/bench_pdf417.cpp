// PDF417 encoder throughput on the corpus of the PDF417 tests, with a
// reference encoder measured in the same binary and run.

#include <benchmark/benchmark.h>
#include <zint.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "../tests/pdf417/Pdf417Corpus.h"
#include "pdf417/Pdf417Encoder.h"
#include "quillon/Label.h"

namespace {

const std::vector<std::vector<unsigned char>>& Corpus() {
    static const auto corpus = pdf417test::LoadCorpus(QUILLON_PDF417_CORPUS);
    return corpus;
}

size_t CorpusBytes() {
    size_t n = 0;
    for (const auto& input : Corpus()) n += input.size();
    return n;
}

// One pass over the corpus per iteration; rates are per input and per byte.
template <typename EncodeOne>
void RunCorpus(benchmark::State& state, EncodeOne encode) {
    const auto& corpus = Corpus();
    if (corpus.empty()) {
        state.SkipWithError("corpus not found");
        return;
    }
    for (auto _ : state)
        for (const auto& input : corpus) encode(input);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corpus.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(CorpusBytes()));
}

// The encoder with its defaults: 3 columns, automatic level.
void BM_Pdf417Corpus_Defaults(benchmark::State& state) {
    RunCorpus(state, [](const std::vector<unsigned char>& input) {
        Pdf417Encoder enc;
        enc.Encode(input);
        benchmark::DoNotOptimize(enc.DataRows);
    });
}
BENCHMARK(BM_Pdf417Corpus_Defaults)->Unit(benchmark::kMillisecond);

// The label emitter's automatic sizing: encode with one column, pick the
// column count for the 1:2 aspect, encode again.
void BM_Pdf417Corpus_EmitterOrder(benchmark::State& state) {
    RunCorpus(state, [](const std::vector<unsigned char>& input) {
        Pdf417Encoder enc;
        enc.SetEncodingControl(Pdf417Encoder::Auto);
        enc.QuietZone(2 * enc.NarrowBarWidth());
        enc.DefaultDataColumns(1);
        enc.Encode(input);
        enc.DefaultDataColumns(enc.aspect_1to2_column());
        enc.Encode(input);
        benchmark::DoNotOptimize(enc.DataRows);
    });
}
BENCHMARK(BM_Pdf417Corpus_EmitterOrder)->Unit(benchmark::kMillisecond);

// Reference point: a complete symbol per input (automatic level and
// columns, binary data).
void BM_Pdf417Corpus_Zint(benchmark::State& state) {
    RunCorpus(state, [](const std::vector<unsigned char>& input) {
        zint_symbol* symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_PDF417;
        symbol->input_mode = DATA_MODE;
        const int err = ZBarcode_Encode(symbol, input.data(), static_cast<int>(input.size()));
        benchmark::DoNotOptimize(err);
        benchmark::DoNotOptimize(symbol->rows);
        ZBarcode_Delete(symbol);
    });
}
BENCHMARK(BM_Pdf417Corpus_Zint)->Unit(benchmark::kMillisecond);

// Numeric runs of growing length: the cost per digit must stay flat. 10,000
// digits exceed the largest symbol, so that case ends in the overflow error
// after the whole run has been compacted.
void BM_Pdf417NumericRun(benchmark::State& state) {
    std::vector<unsigned char> digits(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < digits.size(); ++i) digits[i] = static_cast<unsigned char>('0' + (i * 7 + 3) % 10);
    for (auto _ : state) {
        Pdf417Encoder enc;
        try {
            enc.Encode(digits);
        } catch (const std::runtime_error&) {
        }
        benchmark::DoNotOptimize(enc.DataCodewords.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Pdf417NumericRun)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);

// The shipping label's symbol on a label of its own: open, add, render,
// close. Argument 0 is VORN (which runs the encoder), 1 is KESH.
void BM_Pdf417Label(benchmark::State& state) {
    const std::string content =
        "SHIP TO: JOHN Q PUBLIC, 1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA; "
        "TRK 1Z999AA10123456784; WT 12.5 LB; REF PO-4500012345; SSCC 00123456789012345675";
    std::string text;
    for (auto _ : state) {
        CreateLabel(static_cast<int>(state.range(0)), "SHIP1", 203.0f, ScaleEnum::Inch);
        CreatePdf417Bcodes(40, 880, content, ScaleEnum::Dot, 2, 6, static_cast<Pdf417ErrCorrectionEnum>(-1),
                           0, 0, RotateEnum::None);
        LabelToString(text);
        CloseLabel();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Pdf417Label)->Arg(0)->Arg(1);

}  // namespace
