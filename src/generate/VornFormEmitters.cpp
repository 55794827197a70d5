// VornForm's emitter members: each hands the recorded values to the free
// emitter of its kind as plain values.
#include "form/VornForm.h"
#include "generate/Emitters.h"
#include "model/IBcdAztec.h"

namespace {

float X(IPoint* point) {
    return point ? point->getX() : 0.0f;
}
float Y(IPoint* point) {
    return point ? point->getY() : 0.0f;
}

}  // namespace

using namespace quillon;

int VornForm::LimitRange(int value, int min, int max) {
    return quillon::LimitRange(value, min, max);
}

int VornForm::GetErrCorrectionPercent(int FixedErrCorrection) {
    return AztecErrCorrectionPercent(FixedErrCorrection);
}

int VornForm::GetLayersWithinRange(int Layers, int Type) {
    return AztecLayersWithinRange(Layers, Type);
}

int VornForm::CalculateTotalCodewordsForLayers(int layers) {
    return AztecTotalCodewords(layers);
}

int VornForm::CalculateLengthWithECC(int dataLength, int eccPercentage) {
    return AztecLengthWithEcc(dataLength, eccPercentage);
}

int VornForm::CalculateAztecModuleCount(int dataSize, int errorCorrectionPercentage) {
    return AztecModuleCount(dataSize, errorCorrectionPercentage);
}

void VornForm::GetTextString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             std::string_view text, TextItem* item, int fontSizeUnit, int fontStyle,
                             int alignment, std::string_view fontName, int rotation, float fontSizeX,
                             float fontSizeY) {
    EmitText(out, *Notices, Dots::For(res, ruler),
             {X(start), Y(start), text, item != nullptr, fontSizeUnit, fontStyle, alignment, fontName,
              rotation, fontSizeX, fontSizeY});
}

void VornForm::GetTextString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                  IPoint* start, std::string_view text, TextItem* item, int fontSizeUnit,
                                  int fontStyle, int alignment, std::string_view fontName, int rotation,
                                  float fontSizeX, float fontSizeY) {
    EmitText_kesh(out, *Notices, Dots::For(res, ruler),
                  {X(start), Y(start), text, item != nullptr, fontSizeUnit, fontStyle, alignment, fontName,
                   rotation, fontSizeX, fontSizeY});
}

void VornForm::GetLineString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                             IPoint* end, float lineThicknessDots) {
    EmitLine(out, Dots::For(res, ruler), {X(start), Y(start), X(end), Y(end), lineThicknessDots});
}

void VornForm::GetLineString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                  IPoint* start, IPoint* end, float lineThicknessDots) {
    EmitLine_kesh(out, Dots::For(res, ruler), {X(start), Y(start), X(end), Y(end), lineThicknessDots});
}

void VornForm::GetBoxString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                            IPoint* end, float lineThicknessDots) {
    EmitBox(out, Dots::For(res, ruler), {X(start), Y(start), X(end), Y(end), lineThicknessDots});
}

void VornForm::GetBoxString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                 IPoint* start, IPoint* end, float lineThicknessDots) {
    EmitBox_kesh(out, Dots::For(res, ruler), {X(start), Y(start), X(end), Y(end), lineThicknessDots});
}

void VornForm::GetMaxicodeString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                 IPoint* start, int maxicodeTyp, int mode, std::string_view postalCode,
                                 std::string_view countryCode, std::string_view serviceClass,
                                 std::string_view remainingMsg, std::string_view year,
                                 std::string_view primaryMsg, bool zipperPattern, int rotation) {
    EmitMaxicode(out, *Notices, Dots::For(res, ruler),
                 {X(start), Y(start), maxicodeTyp, mode, postalCode, countryCode, serviceClass, remainingMsg,
                  year, primaryMsg, zipperPattern, rotation});
}

void VornForm::GetMaxicodeString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                      IPoint* start, int maxicodeTyp, int mode, std::string_view postalCode,
                                      std::string_view countryCode, std::string_view serviceClass,
                                      std::string_view remainingMsg, std::string_view year,
                                      std::string_view primaryMsg, bool zipperPattern, int rotation) {
    EmitMaxicode_kesh(out, *Notices, Dots::For(res, ruler),
                      {X(start), Y(start), maxicodeTyp, mode, postalCode, countryCode, serviceClass,
                       remainingMsg, year, primaryMsg, zipperPattern, rotation});
}

void VornForm::GetPDF417(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                         std::string_view content, float xdim, float ydim, int errorCorrection, int row,
                         int col, int rotation) {
    EmitPdf417(out, Dots::For(res, ruler),
               {X(start), Y(start), content, xdim, ydim, errorCorrection, row, col, rotation});
}

void VornForm::GetPDF417_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler, IPoint* start,
                              std::string_view content, float xdim, float ydim, int errorCorrection, int row,
                              int col, int rotation) {
    EmitPdf417_kesh(out, Dots::For(res, ruler),
                    {X(start), Y(start), content, xdim, ydim, errorCorrection, row, col, rotation});
}

// The content, the multi-line text and its control characters are already
// in the all-text value the adding function recorded.
void VornForm::GetDataMatrixString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                   IPoint* start, std::string_view, float xdim, bool useRectangle,
                                   std::string_view, std::string_view allStr, char, char, int rows, int cols,
                                   int rotation) {
    EmitDataMatrix(out, *Notices, Dots::For(res, ruler),
                   {X(start), Y(start), xdim, useRectangle, allStr, rows, cols, rotation});
}

void VornForm::GetDataMatrixString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                        IPoint* start, std::string_view, float xdim, bool useRectangle,
                                        std::string_view, std::string_view allStr, char, char, int rows,
                                        int cols, int rotation) {
    EmitDataMatrix_kesh(out, *Notices, Dots::For(res, ruler),
                        {X(start), Y(start), xdim, useRectangle, allStr, rows, cols, rotation});
}

void VornForm::GetAztecBarcodesString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                      IPoint* start, std::string_view content, float xdim, int codeTyp,
                                      int fixedErrCorrection, int layers, int rotation) {
    EmitAztec(out, Dots::For(res, ruler),
              {X(start), Y(start), content, xdim, codeTyp, fixedErrCorrection, layers, rotation});
}

void VornForm::GetAztecBarcodesString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                           IPoint* start, std::string_view content, float xdim, int codeTyp,
                                           int fixedErrCorrection, int layers, int rotation) {
    EmitAztec_kesh(out, Dots::For(res, ruler),
                   {X(start), Y(start), content, xdim, codeTyp, fixedErrCorrection, layers, rotation});
}

void VornForm::GetQRBarcodesString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                   IPoint* start, std::string_view content, float xdim, int mask,
                                   const QRCodeManualSegments& segments, int errorCorrection, int model,
                                   int rotation) {
    EmitQRCode(out, Dots::For(res, ruler),
               {X(start), Y(start), content, xdim, mask, segments, errorCorrection, model, rotation});
}

void VornForm::GetQRBarcodesString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                        IPoint* start, std::string_view content, float xdim, int mask,
                                        const QRCodeManualSegments& segments, int errorCorrection, int model,
                                        int rotation) {
    EmitQRCode_kesh(out, Dots::For(res, ruler),
                    {X(start), Y(start), content, xdim, mask, segments, errorCorrection, model, rotation});
}

void VornForm::GetRfidWriteString(quillon::TextBuffer& out, unsigned int a32BitField,
                                  unsigned int a16BitField, std::string_view a6CharAsciiString, int memBlock,
                                  int offsetFromStart, std::string_view userData10,
                                  std::string_view hexUserData4, int passwordType,
                                  std::string_view password) {
    EmitRfid(out, {a32BitField, a16BitField, a6CharAsciiString, memBlock, offsetFromStart, userData10,
                   hexUserData4, passwordType, password});
}

void VornForm::GetRfidWriteString_kesh(quillon::TextBuffer& out, unsigned int a32BitField,
                                       unsigned int a16BitField, std::string_view a6CharAsciiString,
                                       int memBlock, int offsetFromStart, std::string_view userData10,
                                       std::string_view hexUserData4, int passwordType,
                                       std::string_view password) {
    EmitRfid_kesh(out, {a32BitField, a16BitField, a6CharAsciiString, memBlock, offsetFromStart, userData10,
                        hexUserData4, passwordType, password});
}

void VornForm::GetBarcode1DString(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                  IPoint* start, std::string_view content, float narrowBar, float wideBar,
                                  float height, int bcdTyp, bool printHumanReadable, int rotation,
                                  bool pdfLocTop) {
    EmitBarcode1D(out, *Notices, Dots::For(res, ruler),
                  {X(start), Y(start), content, narrowBar, wideBar, height, bcdTyp, printHumanReadable,
                   rotation, pdfLocTop});
}

void VornForm::GetBarcode1DString_kesh(quillon::TextBuffer& out, IPrintResolution* res, IRuler* ruler,
                                       IPoint* start, std::string_view content, float narrowBar,
                                       float wideBar, float height, int bcdTyp, bool printHumanReadable,
                                       int rotation, bool pdfLocTop) {
    EmitBarcode1D_kesh(out, *Notices, Dots::For(res, ruler),
                       {X(start), Y(start), content, narrowBar, wideBar, height, bcdTyp, printHumanReadable,
                        rotation, pdfLocTop});
}
