// The shipping label without its 2D symbols, built and rendered through
// quillon::Label against the label functions (one label each, build +
// render), and quillon::Label on one thread against two. Figures are in
// bench/README.md.
#include <benchmark/benchmark.h>

#include <string>

#include "quillon/Label.h"
#include "quillon/LabelObject.h"

namespace {

constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr FontSizeUnitsEnum Points = FontSizeUnitsEnum::Points;
constexpr FontStyleEnum Normal = FontStyleEnum::Normal;
constexpr AlignEnum Default = AlignEnum::Default;
constexpr RotateEnum None = RotateEnum::None;

struct Text {
    float x, y, size;
    const char* data;
};
constexpr Text kTexts[] = {
    {20, 20, 10, "FROM: ACME WIDGETS INC"},
    {20, 55, 10, "42 INDUSTRY WAY, DAYTON OH 45402"},
    {30, 145, 14, "SHIP TO: JOHN Q PUBLIC"},
    {30, 195, 14, "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA"},
    {20, 1160, 12, "TRACKING #: 1Z 999 AA1 01 2345 6784"},
};

std::string ShippingPlain(int language) {
    CreateLabel(language, "SHIP1", 203.0f, ScaleEnum::Inch);
    for (const Text& t : kTexts)
        CreateTexts(t.x, t.y, t.size, t.size, t.data, Dot, Points, Normal, Default, "", None);
    CreateLines(0, 120, 812, 120, 3, Dot);
    CreateLines(0, 560, 812, 560, 3, Dot);
    CreateBoxs(10, 130, 802, 250, 4, Dot);
    CreateBarcode1D(40, 600, "1Z999AA10123456784", Dot, 3, 3, 200, BarcodeTypeEnum_1D::Code_128, true, None,
                    false);
    std::string text;
    LabelToString(text);
    CloseLabel();
    return text;
}

std::string ShippingObject(int language) {
    quillon::Label label(language == 1 ? quillon::Language::Kesh : quillon::Language::Vorn, 203.0f,
                         quillon::Unit::Inch, "SHIP1");
    quillon::TextOptions text;
    text.unit = quillon::Unit::Dot;
    for (const Text& t : kTexts) {
        text.x = t.x, text.y = t.y, text.fontSize = t.size, text.data = t.data;
        label.text(text);
    }
    label.line({0, 120, 812, 120, 3, quillon::Unit::Dot});
    label.line({0, 560, 812, 560, 3, quillon::Unit::Dot});
    label.box({10, 130, 802, 250, 4, quillon::Unit::Dot});
    label.barcode1D({40, 600, "1Z999AA10123456784", 3, 3, 200, BarcodeTypeEnum_1D::Code_128, true, None,
                     false, quillon::Unit::Dot});
    return label.render();
}

void BM_ShippingPlainFunctions(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ShippingPlain(static_cast<int>(state.range(0))));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShippingPlainFunctions)->Arg(0)->Arg(1);

void BM_ShippingLabelObject(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ShippingObject(static_cast<int>(state.range(0))));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShippingLabelObject)->Arg(0)->Arg(1);
// Labels per second over all threads, by the wall clock.
BENCHMARK(BM_ShippingLabelObject)->Arg(0)->Threads(1)->Threads(2)->UseRealTime();

}  // namespace
