#ifndef QUILLON_PLACEMENT_H
#define QUILLON_PLACEMENT_H

// A label's objects resolved into printer dots, as its command text places
// them: the same conversions, defaults and symbol sizing. What a picture of
// the label is drawn from (quillon/Preview.h), and a way for a host to lay
// out or check a label without reading command text.

#include <cstddef>
#include <string>

namespace quillon {

enum class PlacedKind : int {
    Text,
    Line,
    Box,
    Barcode1D,
    QRCode,
    Pdf417,
    DataMatrix,
    Aztec,
    Maxicode,
    Rfid,
    Picture
};

// One object. Lengths are whole dots; numbers a kind does not have stay 0
// (or -1 for "not given").
//
// Symbols occupy the box that starts at (x, y) whatever their rotation: the
// command text moves a rotated symbol's anchor so that it stays there. A
// text's (x, y) is the lower left corner of its first character cell, and
// the text turns about that point.
struct Placed {
    PlacedKind kind = PlacedKind::Text;
    std::size_t object = 0;  // index of the adding call, as in LabelNotice
    int x = 0, y = 0;        // start point
    int x2 = 0, y2 = 0;      // lines and boxes: the other end
    int thickness = 0;       // lines and boxes
    int rotation = 0;        // RotateEnum: 0 none, 1 clockwise, 2 counter-clockwise, 3 inverted

    // Symbols.
    int module = 0;            // module (1D: narrow bar) width
    int moduleHeight = 0;      // PDF417 row height
    int wide = 0;              // 1D wide bar, for symbologies with two bar widths
    int height = 0;            // 1D bar height
    int textHeight = 0;        // 1D: height of the human-readable line under the bars, 0 for none
    int rows = 0;              // PDF417 rows, DataMatrix rows asked for (0: as the data needs)
    int columns = 0;           // PDF417 data columns, DataMatrix columns asked for (0: as the data needs)
    int errorCorrection = -1;  // QR 0-3 (L, M, Q, H), PDF417 level 0-8, Aztec percent (-1: automatic)
    int symbology = 0;         // 1D: BarcodeTypeEnum_1D
    int model = 2;             // QR model 1 or 2
    int mask = -1;             // QR mask 0-7, -1 automatic
    int codeType = 0;          // Aztec: AztecCodeTypeEnum
    int layers = 0;            // Aztec compact or full layers (0: as the data needs)
    int mode = 0;              // Maxicode mode 2-6
    bool rectangle = false;    // DataMatrix: rectangular symbol allowed
    bool humanReadable = false;

    // Texts: the printer's character cell, after its own minimums.
    int cellWidth = 0, cellHeight = 0;
    int alignment = 0;  // AlignEnum
    int style = 0;      // FontStyleEnum bits
    std::string font;   // printer font name; empty: the default font

    // What the object carries as the printer receives it: the text, the
    // symbol's data (DataMatrix escapes "~M" resolved to their control
    // bytes, QR segments joined, Maxicode's secondary message), the picture's
    // name, the RFID write's hexadecimal data.
    std::string data;
    std::string primary;  // Maxicode: postal code, country code and service class, joined
    int bank = 0;         // RFID: RfidMemBlockEnum
};

}  // namespace quillon

#endif
