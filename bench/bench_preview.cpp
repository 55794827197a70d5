// The shipping label (203 dpi, 4 x 6 in) as a picture: Label::preview()
// against zint and pango called directly for the same symbols and texts,
// drawn on a surface of the same size, in a bare loop.
#include <benchmark/benchmark.h>
#include <cairo.h>
#include <pango/pangocairo.h>
#include <zint.h>

#include <cstring>
#include <string>
#include <vector>

#include "quillon/Preview.h"

namespace {

constexpr int kWidth = 812, kHeight = 1218;
const char* const kQrData = "MGS:1Z999AA10123456784|TO:JOHN Q PUBLIC|ZIP:62704-1234|WT:12.5LB";
const char* const kPdfData =
    "SHIP TO: JOHN Q PUBLIC, 1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA; "
    "TRK 1Z999AA10123456784; WT 12.5 LB; REF PO-4500012345; SSCC 00123456789012345675";
struct Text {
    int x, y, points;
    const char* text;
};
const Text kTexts[] = {{20, 20, 10, "FROM: ACME WIDGETS INC"},
                       {20, 55, 10, "42 INDUSTRY WAY, DAYTON OH 45402"},
                       {30, 145, 14, "SHIP TO: JOHN Q PUBLIC"},
                       {30, 195, 14, "1234 MAIN STREET APT 5B, SPRINGFIELD IL 62704-1234 USA"},
                       {20, 1160, 12, "TRACKING #: 1Z 999 AA1 01 2345 6784"}};

quillon::Label ShippingLabel() {
    quillon::Label label(quillon::Language::Vorn, 203, quillon::Unit::Inch, "SHIP1");
    const auto dot = quillon::Unit::Dot;
    for (const Text& t : kTexts) {
        quillon::TextOptions o;
        o.x = t.x, o.y = t.y, o.data = t.text, o.fontSize = t.points, o.unit = dot;
        label.text(o);
    }
    label.line({0, 120, 812, 120, 3, dot});
    label.line({0, 560, 812, 560, 3, dot});
    label.box({10, 130, 802, 250, 4, dot});
    quillon::Barcode1DOptions b;
    b.x = 40, b.y = 600, b.data = "1Z999AA10123456784", b.narrowBar = 3, b.wideBar = 3,
    b.height = 200 / 203.0f;
    b.unit = dot;
    label.barcode1D(b);
    quillon::QRCodeOptions q;
    q.x = 560, q.y = 280, q.data = kQrData, q.module = 5,
    q.errorCorrection = QRCodeErrorCorrectionEnum::EC_15;
    q.unit = dot;
    label.qr(q);
    quillon::Pdf417Options p;
    p.x = 40, p.y = 880, p.data = kPdfData, p.module = 2, p.moduleHeight = 6, p.unit = dot;
    label.pdf417(p);
    return label;
}

void BM_Preview(benchmark::State& state) {
    const quillon::Label label = ShippingLabel();
    quillon::PreviewOptions options;
    options.width = kWidth, options.height = kHeight;
    for (auto _ : state) benchmark::DoNotOptimize(label.preview(options).pixels.data());
}
BENCHMARK(BM_Preview)->Unit(benchmark::kMillisecond);

// One symbol through zint, its modules filled as rectangles.
void DrawZint(cairo_t* cr, int symbology, const char* data, int option1, int option2, double x, double y,
              double module, double rowHeight) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = symbology;
    symbol->option_1 = option1;
    symbol->option_2 = option2;
    ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data),
                    static_cast<int>(std::strlen(data)));
    for (int row = 0; row < symbol->rows; ++row)
        for (int column = 0; column < symbol->width; ++column)
            if ((symbol->encoded_data[row][column >> 3] >> (column & 7)) & 1)
                cairo_rectangle(cr, x + column * module, y + row * rowHeight, module, rowHeight);
    cairo_fill(cr);
    ZBarcode_Delete(symbol);
}

void BM_BareZintPango(benchmark::State& state) {
    std::vector<unsigned char> gray(static_cast<size_t>(kWidth) * kHeight);
    for (auto _ : state) {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
        cairo_t* cr = cairo_create(surface);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_paint(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_rectangle(cr, 0, 120, 812, 3);
        cairo_rectangle(cr, 0, 560, 812, 3);
        cairo_fill(cr);
        cairo_rectangle(cr, 10, 130, 792, 120);
        cairo_rectangle(cr, 14, 134, 784, 112);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_fill(cr);
        DrawZint(cr, BARCODE_CODE128, "1Z999AA10123456784", 0, 0, 40, 600, 3, 139);
        DrawZint(cr, BARCODE_QRCODE, kQrData, 2, 0, 560, 280, 5, 5);
        DrawZint(cr, BARCODE_PDF417, kPdfData, 2, 4, 40, 880, 2, 6);
        for (const Text& t : kTexts) {
            PangoLayout* layout = pango_cairo_create_layout(cr);
            PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans");
            pango_font_description_set_absolute_size(font, t.points * 203 / 72.0 * PANGO_SCALE);
            pango_layout_set_font_description(layout, font);
            pango_layout_set_text(layout, t.text, -1);
            cairo_move_to(cr, t.x, t.y - 22);
            pango_cairo_show_layout(cr, layout);
            pango_font_description_free(font);
            g_object_unref(layout);
        }
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        unsigned char* out = gray.data();
        for (int y = 0; y < kHeight; ++y, out += kWidth) {
            const unsigned char* row = data + static_cast<size_t>(y) * stride + 1;
            for (int x = 0; x < kWidth; ++x) out[x] = row[4 * x];
        }
        benchmark::DoNotOptimize(gray.data());
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }
}
BENCHMARK(BM_BareZintPango)->Unit(benchmark::kMillisecond);

}  // namespace
