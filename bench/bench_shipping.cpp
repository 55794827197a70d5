// The shipping label of the shared benchmark workloads (203 dpi, 4 x 6 in,
// every position in dots), without its QR and PDF417 objects, in both
// languages: build + render + close per label, render only, and a baseline
// that appends the same text to a reserved std::string by hand.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "quillon/Label.h"

namespace {

constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr FontSizeUnitsEnum Points = FontSizeUnitsEnum::Points;
constexpr FontStyleEnum Normal = FontStyleEnum::Normal;
constexpr AlignEnum Default = AlignEnum::Default;
constexpr RotateEnum None = RotateEnum::None;

// The workload's Code 128 has narrow 3 and wide 6 dots, which VORN reports
// on standard output at every rendering ("Narrow:Wide must be 1:1"); the
// benchmarks take the wide bar as an argument so that the cost of that
// notice can be told apart (wide 3 prints nothing).
void BuildShippingLabel(int language, float wideBar) {
    CreateLabel(language, "SHIP1", 203.0f, ScaleEnum::Inch);
    CreateTexts(20, 20, 10, 10, "FROM: ACME WIDGETS INC", Dot, Points, Normal, Default, "", None);
    CreateTexts(20, 55, 10, 10, "42 INDUSTRY WAY, DAYTON OH 45402", Dot, Points, Normal, Default, "", None);
    CreateTexts(30, 145, 14, 14, "SHIP TO: JOHN Q PUBLIC", Dot, Points, Normal, Default, "", None);
    CreateTexts(30, 195, 14, 14, "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA", Dot, Points,
                Normal, Default, "", None);
    CreateTexts(20, 1160, 12, 12, "TRACKING #: 1Z 999 AA1 01 2345 6784", Dot, Points, Normal, Default, "",
                None);
    CreateLines(0, 120, 812, 120, 3, Dot);
    CreateLines(0, 560, 812, 560, 3, Dot);
    CreateBoxs(10, 130, 802, 250, 4, Dot);
    CreateBarcode1D(40, 600, "1Z999AA10123456784", Dot, 3, wideBar, 200, BarcodeTypeEnum_1D::Code_128, true,
                    None, false);
    // QR object of the workload goes here (CreateQRBarcodes, added with the QR emitter).
    // PDF417 object of the workload goes here (CreatePdf417Bcodes, added with the PDF417 emitter).
}

// ---- baseline: the same text, appended by hand ----

void Int(std::string& out, int value) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, res.ptr);
}

struct TextRow {
    int x, y, size;
    std::string_view data;
};
constexpr TextRow kTexts[] = {
    {20, 20, 10, "FROM: ACME WIDGETS INC"},
    {20, 55, 10, "42 INDUSTRY WAY, DAYTON OH 45402"},
    {30, 145, 14, "SHIP TO: JOHN Q PUBLIC"},
    {30, 195, 14, "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA"},
    {20, 1160, 12, "TRACKING #: 1Z 999 AA1 01 2345 6784"},
};

void BaselineVorn(std::string& out) {
    out.append("REM SHIP1 FORM BEGIN\r\nCLS\r\nDPI = ");
    Int(out, 203);
    out.append("\r\nFONT$ = \"1\"\r\nFH = 8\r\nFV = 12\r\nREM SCALE ");
    Int(out, 203);
    out.push_back(',');
    Int(out, 203);
    out.append("\r\n");
    for (const TextRow& t : kTexts) {
        out.append("FONT$ = \"0\"\r\nTEXT ");
        Int(out, t.x);
        out.append(",(");
        Int(out, t.y);
        out.append("-INT(");
        Int(out, t.size);
        out.append("*DPI/72*0.79)),FONT$,0,");
        Int(out, t.size);
        out.push_back(',');
        Int(out, t.size);
        out.append(",\"");
        out.append(t.data);
        out.append("\"\r\n");
    }
    for (int y : {120, 560}) {
        out.append("DIAGONAL ");
        Int(out, 0);
        out.push_back(',');
        Int(out, y);
        out.push_back(',');
        Int(out, 812);
        out.push_back(',');
        Int(out, y);
        out.push_back(',');
        Int(out, 3);
        out.append("\r\n");
    }
    out.append("BOX ");
    Int(out, 10);
    out.push_back(',');
    Int(out, 130);
    out.push_back(',');
    Int(out, 802);
    out.push_back(',');
    Int(out, 250);
    out.push_back(',');
    Int(out, 4);
    out.append("\r\nBARCODE ");
    Int(out, 40);
    out.push_back(',');
    Int(out, 600);
    out.append(",\"128\",INT(199.699997*DPI),2,0,");
    Int(out, 3);
    out.push_back(',');
    Int(out, 3);
    out.append(",\"1Z999AA10123456784\"\r\nPRINT 1\r\nREM SHIP1 FORM END\r\n");
}

void BaselineKesh(std::string& out) {
    out.append("~CREATE;SHIP1;X\r\nSCALE;DOT;");
    Int(out, 203);
    out.push_back(';');
    Int(out, 203);
    out.append("\r\n");
    for (const TextRow& t : kTexts) {
        out.append("FONT;NAME 93779.sf\r\nALPHA\r\nPOINT;");
        Int(out, t.y);
        out.push_back(';');
        Int(out, t.x);
        out.push_back(';');
        Int(out, t.size);
        out.push_back(';');
        Int(out, t.size);
        out.append(";*");
        out.append(t.data);
        out.append("*\r\nSTOP\r\n");
    }
    for (int y : {120, 560}) {
        out.append("HORZ\r\n");
        Int(out, 3);
        out.push_back(';');
        Int(out, y);
        out.push_back(';');
        Int(out, 0);
        out.push_back(';');
        Int(out, 812);
        out.append("\r\nSTOP\r\n");
    }
    out.append("BOX\r\n");
    Int(out, 4);
    out.push_back(';');
    Int(out, 130);
    out.push_back(';');
    Int(out, 10);
    out.push_back(';');
    Int(out, 250);
    out.push_back(';');
    Int(out, 802);
    out.append("\r\nSTOP\r\nBARCODE\r\nC128B;XRD");
    for (int w : {3, 3, 4, 4, 5, 5, 6, 6}) {
        Int(out, w);
        out.push_back(':');
    }
    out.pop_back();
    out.append(";H");
    Int(out, 2000);
    out.push_back(';');
    Int(out, 600);
    out.push_back(';');
    Int(out, 40);
    out.append(
        "\r\n*1Z999AA10123456784*\r\nPDF\r\nSTOP\r\n\r\nEND\r\n~EXECUTE;SHIP1\r\n~NORMAL\r\n~DELETE "
        "FORM;SHIP1\r\n");
}

std::string Render(int language, float wideBar) {
    BuildShippingLabel(language, wideBar);
    std::string text;
    LabelToString(text);
    CloseLabel();
    return text;
}

// The baseline is only a fair comparison if it writes the library's text.
bool BaselineMatches(benchmark::State& state, int language) {
    std::string baseline;
    (language == 1 ? BaselineKesh : BaselineVorn)(baseline);
    if (baseline == Render(language, 6)) return true;
    state.SkipWithError("baseline text differs from the library's output");
    return false;
}

void BM_Shipping_BuildRenderClose(benchmark::State& state) {
    const int language = static_cast<int>(state.range(0));
    const float wideBar = static_cast<float>(state.range(1));
    std::string text;
    size_t bytes = 0;
    for (auto _ : state) {
        BuildShippingLabel(language, wideBar);
        LabelToString(text);
        CloseLabel();
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["out_bytes"] = static_cast<double>(text.size());
}

void BM_Shipping_RenderOnly(benchmark::State& state) {
    const int language = static_cast<int>(state.range(0));
    const float wideBar = static_cast<float>(state.range(1));
    BuildShippingLabel(language, wideBar);
    std::string text;
    size_t bytes = 0;
    for (auto _ : state) {
        LabelToString(text);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    CloseLabel();
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["out_bytes"] = static_cast<double>(text.size());
}

void BM_Shipping_Baseline(benchmark::State& state) {
    const int language = static_cast<int>(state.range(0));
    if (!BaselineMatches(state, language)) return;
    auto fill = language == 1 ? BaselineKesh : BaselineVorn;
    size_t bytes = 0;
    for (auto _ : state) {
        std::string out;
        out.reserve(1024);
        fill(out);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

// Arguments: language (0 VORN, 1 KESH), wide bar of the Code 128 in dots
// (6 as in the workload, 3 without the VORN ratio notice).
BENCHMARK(BM_Shipping_BuildRenderClose)->ArgNames({"lang", "wide"})->Args({0, 6})->Args({0, 3})->Args({1, 6});
BENCHMARK(BM_Shipping_RenderOnly)->ArgNames({"lang", "wide"})->Args({0, 6})->Args({0, 3})->Args({1, 6});
BENCHMARK(BM_Shipping_Baseline)->ArgNames({"lang"})->Arg(0)->Arg(1);

}  // namespace
