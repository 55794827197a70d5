#ifndef QUILLON_PREVIEW_GRAY_H
#define QUILLON_PREVIEW_GRAY_H

#include <cairo.h>

#include "quillon/Preview.h"

namespace quillon::preview {

// The dots of an RGB24 surface as gray, into `image` of the same size.
inline void ReadGray(cairo_surface_t* surface, PreviewImage& image) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    // Plain locals: stores of bytes may alias anything, and would make the
    // loop reload the image's fields at every dot.
    std::uint8_t* out = image.pixels.data();
    const int width = image.width, height = image.height;
    for (int y = 0; y < height; ++y, out += width) {
        // Little-endian RGB24: blue, green, red, unused. Green alone is the
        // channel closest to the brightness the eye sees, and whatever is
        // drawn here is gray anyway.
        const unsigned char* row = data + static_cast<size_t>(y) * stride + 1;
        for (int x = 0; x < width; ++x) out[x] = row[4 * x];
    }
}

}  // namespace quillon::preview

#endif
