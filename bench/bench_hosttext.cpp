// Host-rendered text: layout, drawing and 1-bit conversion of one string,
// against a bare pango/cairo loop doing the same drawing in the same run.
#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "comm/HostText.h"

namespace {

const char kText[] = "Grüße 123 ABC xyz";
const char kFont[] = "DejaVu Sans 24";

// The baseline: the drawing steps written straight against the libraries,
// with the same conversion loop, nothing else.
std::unique_ptr<unsigned char[]> BareRender(int rotation, int& width, int& height, int& stride) {
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* pcr = cairo_create(probe);
    PangoLayout* layout = pango_cairo_create_layout(pcr);
    pango_layout_set_text(layout, kText, -1);
    PangoFontDescription* desc = pango_font_description_from_string(kFont);
    pango_layout_set_font_description(layout, desc);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(layout, &w, &h);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const int lx = logical.x / 1024, ly = logical.y / 1024;
    g_object_unref(layout);
    pango_font_description_free(desc);
    cairo_destroy(pcr);
    cairo_surface_destroy(probe);

    const int W = w + 11, H = h + 10;
    width = rotation == 90 ? H : W;
    height = rotation == 90 ? W : H;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_save(cr);
    if (rotation == 90) {
        cairo_translate(cr, H, 0);
        cairo_rotate(cr, M_PI / 2);
    }
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    layout = pango_cairo_create_layout(cr);
    pango_layout_set_text(layout, kText, -1);
    desc = pango_font_description_from_string(kFont);
    pango_layout_set_font_description(layout, desc);
    cairo_move_to(cr, 5 - lx, 5 - ly);
    pango_cairo_show_layout(cr, layout);
    cairo_restore(cr);
    g_object_unref(layout);
    pango_font_description_free(desc);
    cairo_surface_flush(surface);

    stride = (width + 7) / 8;
    std::unique_ptr<unsigned char[]> bits(new unsigned char[static_cast<size_t>(stride) * height]());
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int sstride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = data + y * sstride + x * 4;
            const int gray = px[3] >= 128 ? (px[0] + px[1] + px[2]) / 3 : 255;
            if (gray >= 128) bits[y * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return bits;
}

quillon::HostTextStyle Style(int rotation) {
    quillon::HostTextStyle style;
    style.fontDescription = kFont;
    style.rotation = rotation;
    return style;
}

void BM_HostTextRender(benchmark::State& state) {
    const int rotation = static_cast<int>(state.range(0));
    // Both sides must produce the same raster, or the comparison means nothing.
    int w = 0, h = 0, stride = 0;
    auto bare = BareRender(rotation, w, h, stride);
    quillon::HostTextImage check;
    if (!quillon::RenderHostText(kText, Style(rotation), check) || check.stride != stride ||
        check.geometry.surfaceHeight != h ||
        std::memcmp(check.raster.get(), bare.get(), static_cast<size_t>(stride) * h) != 0) {
        state.SkipWithError("library raster differs from the bare rendering");
        return;
    }
    const quillon::HostTextStyle style = Style(rotation);
    const std::string text = kText;
    for (auto _ : state) {
        quillon::HostTextImage img;
        benchmark::DoNotOptimize(quillon::RenderHostText(text, style, img));
        benchmark::DoNotOptimize(img.raster.get());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_HostTextBareLoop(benchmark::State& state) {
    const int rotation = static_cast<int>(state.range(0));
    for (auto _ : state) {
        int w = 0, h = 0, stride = 0;
        auto bits = BareRender(rotation, w, h, stride);
        benchmark::DoNotOptimize(bits.get());
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

// Interleaved so that load on the shared machine hits both sides alike.
BENCHMARK(BM_HostTextBareLoop)->Arg(0)->Arg(90);
BENCHMARK(BM_HostTextRender)->Arg(0)->Arg(90);
