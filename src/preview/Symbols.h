#ifndef QUILLON_PREVIEW_SYMBOLS_H
#define QUILLON_PREVIEW_SYMBOLS_H

#include <cstdint>
#include <string>
#include <vector>

#include "quillon/Placement.h"

namespace quillon::preview {

struct Rect {
    int x, y, width, height;
};

// One symbol, unrotated, in dots from its top left corner: dark rectangles,
// or for Maxicode (whose modules are hexagons) a gray raster.
struct Symbol {
    int width = 0, height = 0;
    std::vector<Rect> dark;
    std::vector<std::uint8_t> raster;  // width x height gray dots when not empty
    // A 1D symbol's human-readable line, below the bars.
    std::string readable;
    int readableTop = 0, readableHeight = 0;
    int narrow = 1;  // the narrow bar, in dots
};

// Encodes a symbol with zint at the placement's module sizes. Throws
// std::runtime_error with zint's message when zint refuses the data.
Symbol EncodeSymbol(const Placed& placed);

}  // namespace quillon::preview

#endif
