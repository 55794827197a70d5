// A picture in and out: PNG files through cairo, and Unicode half blocks for
// a terminal.
#include <cairo.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "preview/Gray.h"
#include "quillon/Preview.h"

namespace quillon {

namespace {

struct SurfaceFree {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceFree>;

constexpr int kMaxScale = 16;

}  // namespace

void WritePng(const PreviewImage& image, const std::string& path, int scale) {
    if (scale < 1 || scale > kMaxScale)
        throw std::runtime_error("scale " + std::to_string(scale) + ": expected 1 to 16");
    const long long width = 1LL * image.width * scale, height = 1LL * image.height * scale;
    if (width < 1 || height < 1 || width > 32767 || height > 32767)
        throw std::runtime_error(path + ": a picture of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " cannot be written");
    // cairo writes RGB; each dot's gray goes into all three channels.
    SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width), static_cast<int>(height)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(path + ": out of memory");
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (long long y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        const std::uint8_t* source = image.pixels.data() + (y / scale) * image.width;
        for (long long x = 0; x < width; ++x) {
            const uint32_t gray = source[x / scale];
            row[x] = gray << 16 | gray << 8 | gray;
        }
    }
    cairo_surface_mark_dirty(surface.get());
    errno = 0;
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(path + ": " +
                                 (errno ? std::strerror(errno) : cairo_status_to_string(status)));
}

PreviewImage ReadPng(const std::string& path) {
    SurfacePtr surface(cairo_image_surface_create_from_png(path.c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(path + ": " + cairo_status_to_string(cairo_surface_status(surface.get())));
    // Whatever format cairo read, paint it over white into RGB24.
    PreviewImage image;
    image.width = cairo_image_surface_get_width(surface.get());
    image.height = cairo_image_surface_get_height(surface.get());
    SurfacePtr flat(cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height));
    cairo_t* cr = cairo_create(flat.get());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_surface(cr, surface.get(), 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    preview::ReadGray(flat.get(), image);
    return image;
}

std::string ToTerminal(const PreviewImage& image, int columns) {
    if (image.width <= 0 || image.height <= 0) return "";
    columns = std::max(columns, 1);
    // Dots per character cell side: the picture shrinks to fit `columns`.
    const int step = std::max(1, (image.width + columns - 1) / columns);
    auto dark = [&](int cx, int cy) {
        // A cell is dark when a quarter of its dots are, so that thin lines
        // still show when the picture shrinks.
        int count = 0, total = 0;
        for (int y = cy * step; y < std::min((cy + 1) * step, image.height); ++y)
            for (int x = cx * step; x < std::min((cx + 1) * step, image.width); ++x, ++total)
                count += image.pixels[static_cast<size_t>(y) * image.width + x] < 128;
        return total > 0 && 4 * count >= total;
    };
    const int width = (image.width + step - 1) / step, height = (image.height + step - 1) / step;
    static const char* const kBlocks[] = {" ", "\u2584", "\u2580", "\u2588"};  // lower, upper, full
    std::string out;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; ++x)
            out += kBlocks[(dark(x, y) ? 2 : 0) + (y + 1 < height && dark(x, y + 1) ? 1 : 0)];
        out += '\n';
    }
    return out;
}

}  // namespace quillon
