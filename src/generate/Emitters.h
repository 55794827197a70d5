#ifndef QUILLON_GENERATE_EMITTERS_H
#define QUILLON_GENERATE_EMITTERS_H

#include <string>
#include <string_view>

#include "base/Notice.h"
#include "base/TextBuffer.h"
#include "generate/Dots.h"
#include "quillon/Label.h"

// One emitter per object kind and language. Each appends the complete text
// of one object, line terminators included, to `out`; the _kesh twin takes
// the same arguments. They take plain values: the object's Dots, its start
// in the ruler's unit and the recorded attributes (enumerations as their
// numbers, -1 where the caller gave none). VornForm's Get...String members
// forward to them.
namespace quillon {

struct TextArgs {
    float x, y;
    std::string_view text;
    bool hasItem;  // a text without its item writes its font selection only
    int fontSizeUnit, fontStyle, alignment;
    std::string_view fontName;
    int rotation;
    float fontSizeX, fontSizeY;
};
void EmitText(TextBuffer& out, NoticeSink& notices, const Dots& dots, const TextArgs& a);
// The text command's character size: points, or multiples of the font's
// own size when not `usingPoints`.
struct TextCell {
    int vertical, horizontal;
    bool usingPoints;
};
TextCell TextCellOf(const Dots& dots, const TextArgs& a, bool kesh);
void EmitText_kesh(TextBuffer& out, NoticeSink& notices, const Dots& dots, const TextArgs& a);

// Lines and boxes: corners and thickness in the ruler's unit.
struct ShapeArgs {
    float startX, startY, endX, endY, lineThickness;
};
void EmitLine(TextBuffer& out, const Dots& dots, const ShapeArgs& a);
void EmitLine_kesh(TextBuffer& out, const Dots& dots, const ShapeArgs& a);
void EmitBox(TextBuffer& out, const Dots& dots, const ShapeArgs& a);
void EmitBox_kesh(TextBuffer& out, const Dots& dots, const ShapeArgs& a);

struct Barcode1DArgs {
    float x, y;
    std::string_view content;
    float narrowBar, wideBar, height;
    int bcdTyp;
    bool printHumanReadable;
    int rotation;
    bool pdfLocTop;
};
void EmitBarcode1D(TextBuffer& out, NoticeSink& notices, const Dots& dots, const Barcode1DArgs& a);
// The bar height VORN states, in inches.
float VornBarcodeHeight(const Barcode1DArgs& a);
void EmitBarcode1D_kesh(TextBuffer& out, NoticeSink& notices, const Dots& dots, const Barcode1DArgs& a);

struct QRCodeArgs {
    float x, y;
    std::string_view content;
    float xdim;
    int mask;
    const QRCodeManualSegments& segments;  // every segment of the label
    int errorCorrection, model, rotation;
};
void EmitQRCode(TextBuffer& out, const Dots& dots, const QRCodeArgs& a);
void EmitQRCode_kesh(TextBuffer& out, const Dots& dots, const QRCodeArgs& a);

struct Pdf417Args {
    float x, y;
    std::string_view content;
    float xdim, ydim;
    int errorCorrection, rows, cols, rotation;
};
void EmitPdf417(TextBuffer& out, const Dots& dots, const Pdf417Args& a);
void EmitPdf417_kesh(TextBuffer& out, const Dots& dots, const Pdf417Args& a);
// The symbol the printer draws: the encoder's bar width, row height, rows
// and columns, and the error correction level written.
struct Pdf417Shape {
    int barWidth, rowHeight, rows, columns, level;
};
Pdf417Shape ShapePdf417(const Dots& dots, const Pdf417Args& a);
// `value` limited to [min, max].
int LimitRange(int value, int min, int max);

struct DataMatrixArgs {
    float x, y;
    float xdim;
    bool useRectangle;
    std::string_view allStr;  // the content and the expanded multi-line text
    int rows, cols, rotation;
};
void EmitDataMatrix(TextBuffer& out, NoticeSink& notices, const Dots& dots, const DataMatrixArgs& a);
// The module width in the ruler's unit (-1 stands for 0.015) and in dots.
float DataMatrixModule(float xdim);
int DataMatrixCell(const Dots& dots, float xdim);
void EmitDataMatrix_kesh(TextBuffer& out, NoticeSink& notices, const Dots& dots, const DataMatrixArgs& a);

struct AztecArgs {
    float x, y;
    std::string_view content;
    float xdim;
    int codeTyp, fixedErrCorrection, layers, rotation;
};
void EmitAztec(TextBuffer& out, const Dots& dots, const AztecArgs& a);
void EmitAztec_kesh(TextBuffer& out, const Dots& dots, const AztecArgs& a);
// The VORN size estimate of an Aztec symbol.
int AztecTotalCodewords(int layers);
int AztecLengthWithEcc(int dataLength, int eccPercentage);
int AztecModuleCount(int dataSize, int errorCorrectionPercentage);

struct MaxicodeArgs {
    float x, y;
    int maxicodeTyp, mode;
    std::string_view postalCode, countryCode, serviceClass, remainingMsg, year, primaryMsg;
    bool zipperPattern;
    int rotation;
};
void EmitMaxicode(TextBuffer& out, NoticeSink& notices, const Dots& dots, const MaxicodeArgs& a);
void EmitMaxicode_kesh(TextBuffer& out, NoticeSink& notices, const Dots& dots, const MaxicodeArgs& a);

struct RfidArgs {
    unsigned int a32BitField, a16BitField;
    std::string_view a6CharAsciiString;
    int memBlock, offsetFromStart;
    std::string_view userData10, hexUserData4;
    int passwordType;
    std::string_view password;
};
void EmitRfid(TextBuffer& out, const RfidArgs& a);
// The hexadecimal data the write puts on the tag.
std::string RfidTagData(const RfidArgs& a);
void EmitRfid_kesh(TextBuffer& out, const RfidArgs& a);

}  // namespace quillon

#endif
