#include "ReferenceRender.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace hosttext_test {

ReferenceRaster RenderReference(const std::string& utf8, const std::string& font, bool bold, bool italic,
                                bool underline, int rotation) {
    ReferenceRaster out;
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* pcr = cairo_create(probe);
    PangoLayout* probeLayout = pango_cairo_create_layout(pcr);
    pango_layout_set_text(probeLayout, utf8.c_str(), -1);
    PangoFontDescription* desc = pango_font_description_from_string(font.c_str());
    if (bold) pango_font_description_set_weight(desc, PANGO_WEIGHT_BOLD);
    if (italic) pango_font_description_set_style(desc, PANGO_STYLE_ITALIC);
    pango_layout_set_font_description(probeLayout, desc);
    int w = 0, h = 0;
    pango_layout_get_pixel_size(probeLayout, &w, &h);
    PangoRectangle logical;
    pango_layout_get_extents(probeLayout, nullptr, &logical);
    out.unknownGlyphs = pango_layout_get_unknown_glyphs_count(probeLayout);
    const int lx = logical.x / 1024, ly = logical.y / 1024;
    g_object_unref(probeLayout);
    cairo_destroy(pcr);
    cairo_surface_destroy(probe);

    const int W = w + 11, H = h + 10;
    const bool quarter = rotation == 90 || rotation == 270;
    out.width = quarter ? H : W;
    out.height = quarter ? W : H;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, out.width, out.height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_save(cr);
    if (rotation == 90) {
        cairo_translate(cr, H, 0);
        cairo_rotate(cr, M_PI / 2);
    } else if (rotation == 180) {
        cairo_translate(cr, W, H);
        cairo_rotate(cr, M_PI);
    } else if (rotation == 270) {
        cairo_translate(cr, 0, W);
        cairo_rotate(cr, 3 * M_PI / 2);
    }
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    PangoLayout* layout = pango_cairo_create_layout(cr);
    pango_layout_set_text(layout, utf8.c_str(), -1);
    pango_layout_set_font_description(layout, desc);
    cairo_move_to(cr, 5 - lx, 5 - ly);
    pango_cairo_show_layout(cr, layout);
    if (underline) {
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, 5, h + 6);
        cairo_line_to(cr, w + 5, h + 6);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    g_object_unref(layout);
    pango_font_description_free(desc);
    cairo_surface_flush(surface);

    out.stride = (out.width + 7) / 8;
    out.bits.assign(static_cast<size_t>(out.stride) * out.height, 0);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int sstride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const unsigned char* px = data + y * sstride + x * 4;
            bool light = true;
            if (px[3] >= 128) light = px[0] + px[1] + px[2] >= 3 * 128;
            if (light) out.bits[y * out.stride + x / 8] |= 1u << (7 - x % 8);
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return out;
}

static bool Dark(const unsigned char* bits, int stride, int x, int y) {
    return ((bits[y * stride + x / 8] >> (7 - x % 8)) & 1) == 0;
}

int DarkPixels(const unsigned char* bits, int stride, int width, int height) {
    int dark = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) dark += Dark(bits, stride, x, y);
    return dark;
}

std::string ExpectedHlvRows(const unsigned char* bits, int stride, int rows, int examinedBytes) {
    std::string out;
    const int dots = examinedBytes * 8;
    for (int y = 0; y < rows; ++y) {
        std::vector<int> dark;
        for (int x = 0; x < dots; ++x)
            if (Dark(bits, stride, x, y)) dark.push_back(x + 1);
        if (dark.empty()) continue;
        std::string line = "\n" + std::to_string(y + 1);
        size_t i = 0;
        while (i < dark.size()) {
            size_t j = i;
            while (j + 1 < dark.size() && dark[j + 1] == dark[j] + 1) ++j;
            line += ";" + std::to_string(dark[i]);
            // A run that reaches the last dot is written by its start alone.
            if (dark[j] != dark[i] && dark[j] != dots) line += "-" + std::to_string(dark[j]);
            i = j + 1;
        }
        out += line;
    }
    return out;
}

std::string ExpectedHlv(const char* name, const char* text, const std::string& font, int style,
                        bool underline, int rotation) {
    auto ref = RenderReference(text, font, style & 1, style & 2, underline, rotation);
    const int examined = rotation % 90 == 0 ? ref.stride - 1 : ref.stride;
    return "~LOGO;" + std::string(name) + ";" + std::to_string(ref.height) + ";" +
           std::to_string(examined * 8) + ExpectedHlvRows(ref.bits.data(), ref.stride, ref.height, examined) +
           "\nEND\r\n";
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

bool PngSize(const std::string& png, int& width, int& height) {
    if (png.size() < 24 || png.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0 || png.compare(12, 4, "IHDR") != 0)
        return false;
    auto be32 = [&](size_t at) {
        int v = 0;
        for (size_t i = at; i < at + 4; ++i) v = v << 8 | static_cast<unsigned char>(png[i]);
        return v;
    };
    width = be32(16);
    height = be32(20);
    return true;
}

}  // namespace hosttext_test
