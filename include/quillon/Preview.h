#ifndef QUILLON_PREVIEW_H
#define QUILLON_PREVIEW_H

// Pictures of labels, from libquillon-preview (CMake quillon::preview,
// pkg-config quillon-preview), which draws with cairo, pango and zint so
// that a host needing only command text links none of them.
//
//     quillon::Label label(quillon::Language::Vorn, 203, quillon::Unit::Inch);
//     label.qr({.x = 0.2f, .y = 0.2f, .data = "HELLO", .module = 0.02f});
//     quillon::WritePng(label.preview(), "label.png");
//
// The picture has one pixel per printer dot. Lines, boxes and every symbol
// are drawn exactly, each symbol by zint from the module sizes, rows,
// columns and error correction of the command text; printer fonts are
// approximated by a host font scaled to the character cell, whose outline
// is drawn faintly.

#include <cstdint>
#include <string>
#include <vector>

#include "quillon/Export.h"
#include "quillon/LabelObject.h"
#include "quillon/Placement.h"

namespace quillon {

struct PreviewOptions {
    // The canvas in dots from (0, 0), the label's size; 0 for either: the
    // objects' bounding box plus `margin` on every side.
    int width = 0;
    int height = 0;
    int margin = 16;
    // Where PNG files of stored pictures are looked up by their name; empty:
    // every picture is a labelled placeholder.
    std::string picturesDirectory;
};

// 8-bit gray, one byte per dot, rows top to bottom: 0 is black, 255 white.
struct PreviewImage {
    int width = 0;
    int height = 0;
    int originX = 0;  // the label dot drawn at the top left pixel
    int originY = 0;
    std::vector<std::uint8_t> pixels;
    // What the picture cannot show as the printer would.
    struct Warning {
        std::size_t object;  // the object it is about, as in LabelNotice
        std::string text;    // e.g. "lies outside the 812 x 1218 dot label"
    };
    std::vector<Warning> warnings;
    // Where each symbol was drawn, in label dots, for checking a picture.
    struct Drawn {
        std::size_t object;
        PlacedKind kind;
        int left, top, right, bottom;  // right and bottom exclusive
        std::string data;
    };
    std::vector<Drawn> symbols;
};

// Draws placed objects (Label::placement()). Throws std::runtime_error
// naming the object when a symbol cannot be encoded ("object 2 (qr): ...").
QUILLON_API PreviewImage Preview(const std::vector<Placed>& objects, const PreviewOptions& options = {});

// Writes `image` as an 8-bit gray PNG, each dot `scale` pixels wide and high
// (1 to 16). Throws std::runtime_error naming the file when it cannot.
QUILLON_API void WritePng(const PreviewImage& image, const std::string& path, int scale = 1);
// Reads any PNG as gray dots (alpha over white). Throws std::runtime_error.
QUILLON_API PreviewImage ReadPng(const std::string& path);
// The picture in Unicode half blocks, two dot rows per text line, at most
// `columns` characters wide (dots are averaged down to fit), each line ending
// in "\n".
QUILLON_API std::string ToTerminal(const PreviewImage& image, int columns = 100);

}  // namespace quillon

#endif
