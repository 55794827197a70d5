// Symbols through zint: zint chooses the codewords and the modules, the
// placement gives the module sizes in dots, so each symbol comes out at the
// size the printer draws it.
#include "preview/Symbols.h"

#include <zint.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace quillon::preview {

namespace {

using ZintPtr = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

ZintPtr NewZint(int symbology) {
    ZintPtr symbol(ZBarcode_Create(), &ZBarcode_Delete);
    if (!symbol) throw std::runtime_error("out of memory");
    symbol->symbology = symbology;
    symbol->input_mode = DATA_MODE;  // printer data is bytes
    symbol->show_hrt = 1;
    return symbol;
}

void Encode(zint_symbol& symbol, const std::string& data) {
    const int status = ZBarcode_Encode(&symbol, reinterpret_cast<const unsigned char*>(data.data()),
                                       static_cast<int>(data.size()));
    if (status >= ZINT_ERROR) throw std::runtime_error(symbol.errtxt);
}

bool Dark(const zint_symbol& symbol, int row, int column) {
    return (symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

// A matrix symbol: every dark module a square of `module` dots, each row
// `rowHeight` dots high; runs of dark modules in a row are one rectangle.
Symbol FromMatrix(const zint_symbol& symbol, int module, int rowHeight) {
    Symbol out;
    out.width = symbol.width * module;
    out.height = symbol.rows * rowHeight;
    for (int row = 0; row < symbol.rows; ++row)
        for (int column = 0; column < symbol.width;) {
            if (!Dark(symbol, row, column)) {
                ++column;
                continue;
            }
            const int start = column;
            while (column < symbol.width && Dark(symbol, row, column)) ++column;
            out.dark.push_back({start * module, row * rowHeight, (column - start) * module, rowHeight});
        }
    return out;
}

// zint's numbers for the 1D symbologies, by BarcodeTypeEnum_1D.
int Symbology1D(int type) {
    static constexpr int kZint[] = {0,
                                    BARCODE_CODE93,
                                    BARCODE_CODE39,
                                    BARCODE_CODE128,
                                    BARCODE_EANX,
                                    BARCODE_EANX,
                                    BARCODE_UPCA,
                                    BARCODE_C25INTER,
                                    BARCODE_CODABAR};
    if (type < 1 || type > 8) throw std::runtime_error("no such symbology");
    return kZint[type];
}

// Code 39, Interleaved 2 of 5 and Codabar have two bar widths, narrow and
// wide, which the label gives in dots; the others are built of multiples of
// the narrow bar.
bool TwoWidths(int type) {
    return type == 2 || type == 7 || type == 8;
}

Symbol Barcode1D(const Placed& p) {
    ZintPtr symbol = NewZint(Symbology1D(p.symbology));
    Encode(*symbol, p.data);
    const int narrow = std::max(p.module, 1);
    const int wide = std::max(p.wide, narrow);
    // Without a height the printer uses its own; 40 narrow bars stand in.
    const int height = p.height > 0 ? p.height : 40 * narrow;
    Symbol out;
    int x = 0;
    for (int column = 0; column < symbol->width;) {
        const bool dark = Dark(*symbol, 0, column);
        const int start = column;
        while (column < symbol->width && Dark(*symbol, 0, column) == dark) ++column;
        const int modules = column - start;
        const int width = TwoWidths(p.symbology) ? (modules == 1 ? narrow : wide) : modules * narrow;
        if (dark) out.dark.push_back({x, 0, width, height});
        x += width;
    }
    out.width = x;
    out.height = height;
    out.narrow = narrow;
    if (p.humanReadable && p.textHeight > 0) {
        out.readable = reinterpret_cast<const char*>(symbol->text);
        if (out.readable.empty()) out.readable = p.data;
        out.readableTop = height;
        out.readableHeight = p.textHeight;
        out.height += p.textHeight;
    }
    return out;
}

Symbol QRCode(const Placed& p) {
    ZintPtr symbol = NewZint(BARCODE_QRCODE);
    symbol->option_1 = std::clamp(p.errorCorrection, 0, 3) + 1;
    // zint takes the mask as its number plus one, shifted into the upper byte.
    if (p.mask >= 0 && p.mask <= 7) symbol->option_3 = (p.mask + 1) << 8;
    Encode(*symbol, p.data);
    const int module = std::max(p.module, 1);
    return FromMatrix(*symbol, module, module);
}

Symbol Pdf417(const Placed& p) {
    ZintPtr symbol = NewZint(BARCODE_PDF417);
    symbol->option_1 = std::clamp(p.errorCorrection, 0, 8);
    symbol->option_2 = std::clamp(p.columns, 0, 30);
    Encode(*symbol, p.data);
    return FromMatrix(*symbol, std::max(p.module, 1), std::max(p.moduleHeight, 1));
}

// zint's size numbers for the ECC 200 sizes, rows x columns.
int DataMatrixSize(int rows, int columns) {
    static constexpr int kSquare[] = {10, 12, 14, 16, 18, 20, 22, 24, 26,  32,  36,  40,
                                      44, 48, 52, 64, 72, 80, 88, 96, 104, 120, 132, 144};
    static constexpr int kRectangle[][2] = {{8, 18}, {8, 32}, {12, 26}, {12, 36}, {16, 36}, {16, 48}};
    for (int i = 0; i < 24; ++i)
        if (rows == kSquare[i] && columns == kSquare[i]) return i + 1;
    for (int i = 0; i < 6; ++i)
        if (rows == kRectangle[i][0] && columns == kRectangle[i][1]) return 25 + i;
    return 0;
}

Symbol DataMatrix(const Placed& p) {
    ZintPtr symbol = NewZint(BARCODE_DATAMATRIX);
    symbol->option_2 = DataMatrixSize(p.rows, p.columns);
    if (!p.rectangle) symbol->option_3 = DM_SQUARE;
    Encode(*symbol, p.data);
    const int module = std::max(p.module, 1);
    return FromMatrix(*symbol, module, module);
}

// zint's four Aztec levels stand for 10, 23, 36 and 50 percent.
int AztecLevel(int percent) {
    return percent <= 10 ? 1 : percent <= 23 ? 2 : percent <= 36 ? 3 : 4;
}

Symbol Aztec(const Placed& p) {
    const bool rune = p.codeType == 4;
    ZintPtr symbol = NewZint(rune ? BARCODE_AZRUNE : BARCODE_AZTEC);
    if (p.codeType == 1) symbol->option_1 = AztecLevel(p.errorCorrection);
    if (p.codeType == 2) symbol->option_2 = p.layers;      // compact: 1 to 4
    if (p.codeType == 3) symbol->option_2 = p.layers + 4;  // full: 5 to 36
    Encode(*symbol, p.data);
    const int module = std::max(p.module, 1);
    return FromMatrix(*symbol, module, module);
}

// Maxicode's hexagons and bullseye come from zint's own raster, scaled to
// the symbol's size on paper.
Symbol Maxicode(const Placed& p) {
    ZintPtr symbol = NewZint(BARCODE_MAXICODE);
    symbol->option_1 = p.mode;
    std::strncpy(symbol->primary, p.primary.c_str(), sizeof symbol->primary - 1);
    symbol->output_options = OUT_BUFFER_INTERMEDIATE;
    symbol->scale = 4.0f;
    Encode(*symbol, p.data);
    if (ZBarcode_Buffer(symbol.get(), 0) >= ZINT_ERROR) throw std::runtime_error(symbol->errtxt);
    const int module = std::max(p.module, 1);
    Symbol out;
    out.width = 30 * module;
    out.height = std::max(1, symbol->bitmap_height * out.width / std::max(symbol->bitmap_width, 1));
    out.raster.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int sx = x * symbol->bitmap_width / out.width;
            const int sy = y * symbol->bitmap_height / out.height;
            const bool dark = symbol->bitmap[sy * symbol->bitmap_width + sx] != '0';
            out.raster[static_cast<size_t>(y) * out.width + x] = dark ? 0 : 255;
        }
    return out;
}

}  // namespace

Symbol EncodeSymbol(const Placed& p) {
    switch (p.kind) {
        case PlacedKind::Barcode1D:
            return Barcode1D(p);
        case PlacedKind::QRCode:
            return QRCode(p);
        case PlacedKind::Pdf417:
            return Pdf417(p);
        case PlacedKind::DataMatrix:
            return DataMatrix(p);
        case PlacedKind::Aztec:
            return Aztec(p);
        case PlacedKind::Maxicode:
            return Maxicode(p);
        default:
            throw std::logic_error("not a symbol");
    }
}

}  // namespace quillon::preview
