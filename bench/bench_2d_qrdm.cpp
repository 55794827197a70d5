// QR code and DataMatrix: record and render one symbol on a label, in both
// languages, against an empty label and a hand-built string of the same
// output measured in the same run.

#include <benchmark/benchmark.h>

#include <charconv>
#include <string>

#include "quillon/Label.h"

namespace {

// The QR object of the shipping-label workload (203 dpi, every position in
// dots).
const char* const kShippingQR = "MGS:1Z999AA10123456784|TO:JOHN Q PUBLIC|ZIP:62704-1234|WT:12.5LB";

void AddShippingQR() {
    CreateQRBarcodes(560, 280, kShippingQR, ScaleEnum::Dot, 5, static_cast<QRCodeMaskEnum>(-1), nullptr,
                     QRCodeErrorCorrectionEnum::EC_15, QRCodeModelEnum::MODEL_2, RotateEnum::None);
}

void AddSegmentedQR() {
    QRCodeManualSegments segments = {{QRCodeManualEncodingEnum::Numeric, "0123456789"},
                                     {QRCodeManualEncodingEnum::AlphaNumeric, "SHIP TO"},
                                     {QRCodeManualEncodingEnum::Binary,
                                      "Gr\xc3\xbc\xc3\x9f"
                                      "e"}};
    CreateQRBarcodes(560, 280, "", ScaleEnum::Dot, 5, QRCodeMaskEnum::Mask_3, &segments,
                     QRCodeErrorCorrectionEnum::EC_30, QRCodeModelEnum::MODEL_2, RotateEnum::ClockWise);
}

// A counter-clockwise symbol without rows and columns: the VORN anchor comes
// from the estimated-size table.
void AddDataMatrix() {
    CreateDataMatrixBarcodes(1.5f, 2.0f, "1Z999AA10123456784", ScaleEnum::Inch, 0.02f,
                             RotateEnum::CounterClockWise, false, "JOHN Q PUBLIC/r/n62704-1234", 13, 10, -1,
                             -1);
}

void AddSizedDataMatrix() {
    CreateDataMatrixBarcodes(300, 700, "SSCC 00123456789012345675", ScaleEnum::Dot, 4, RotateEnum::Inverted,
                             false, "", 0, 0, 24, 24);
}

void AddNothing() {}

// The whole cycle: open, add, render, close.
template <void (*Add)()>
void QRDM_BuildAndRender(benchmark::State& state) {
    const int lang = static_cast<int>(state.range(0));
    std::string out;
    for (auto _ : state) {
        CreateLabel(lang, "BENCH", 203.0f, ScaleEnum::Inch);
        Add();
        LabelToString(out);
        CloseLabel();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
    state.counters["out_bytes"] = static_cast<double>(out.size());
}

// LabelToString alone on a label built once.
template <void (*Add)()>
void QRDM_RenderOnly(benchmark::State& state) {
    const int lang = static_cast<int>(state.range(0));
    CreateLabel(lang, "BENCH", 203.0f, ScaleEnum::Inch);
    Add();
    std::string out;
    for (auto _ : state) {
        LabelToString(out);
        benchmark::DoNotOptimize(out.data());
    }
    CloseLabel();
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
    state.counters["out_bytes"] = static_cast<double>(out.size());
}

void AppendInt(std::string& s, int v) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    s.append(buf, res.ptr);
}

// Baseline: the VORN text of the shipping QR appended into a fresh string,
// which is all the work a renderer of this one command must do at least.
void QRDM_HandBuiltQRLine(benchmark::State& state) {
    for (auto _ : state) {
        std::string s;
        s.reserve(1024);
        s += "QRCODE ";
        AppendInt(s, 560);
        s += ',';
        AppendInt(s, 280);
        s += ",M,";
        AppendInt(s, 5);
        s += ",A,0,M2,\"";
        s += kShippingQR;
        s += "\"\r\n";
        benchmark::DoNotOptimize(s.data());
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(QRDM_HandBuiltQRLine);
BENCHMARK_TEMPLATE(QRDM_BuildAndRender, AddNothing)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_BuildAndRender, AddShippingQR)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_BuildAndRender, AddSegmentedQR)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_BuildAndRender, AddDataMatrix)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_BuildAndRender, AddSizedDataMatrix)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_RenderOnly, AddNothing)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_RenderOnly, AddShippingQR)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_RenderOnly, AddSegmentedQR)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_RenderOnly, AddDataMatrix)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(QRDM_RenderOnly, AddSizedDataMatrix)->Arg(0)->Arg(1);
