#ifndef QUILLON_LABEL_H
#define QUILLON_LABEL_H

#include <string>
#include <utility>
#include <vector>

#include "quillon/Enums.h"
#include "quillon/Export.h"

// The label functions keep one current label in process-wide state; call them
// from one thread at a time.
//
// Order of calls: CreateLabel, any number of adding functions, LabelToString
// any number of times, CloseLabel. A new CreateLabel may come at any point
// and replaces the current label.
//
// With no label open (before CreateLabel, after CloseLabel, after a failed
// CreateLabel) the adding functions record nothing and return a null pointer,
// and LabelToString throws std::logic_error("No label is open.") leaving its
// string unchanged.
//
// All positions and sizes are in the unit named by the `scale` argument
// (dots, millimetres or inches) and converted to printer dots when the label
// is rendered; values are not checked when recorded. A value that cannot be
// rendered makes LabelToString throw (std::invalid_argument or
// std::runtime_error with a fixed English message).

// Manually encoded QR data: a list of (encoding, data) segments.
using QRCodeManualSegments = std::vector<std::pair<QRCodeManualEncodingEnum, std::string>>;

extern "C" {

// Opens a new label. iPrintLanguageTyp 1 selects KESH, every other value
// VORN. dotsPerUnit is the printer resolution in dots per `unit`, which must
// be ScaleEnum::MM or ScaleEnum::Inch; any other unit throws
// std::invalid_argument("Invalid units.") and leaves no label open.
QUILLON_API void CreateLabel(int iPrintLanguageTyp, std::string LabelName, float dotsPerUnit, ScaleEnum unit);

// Renders the current label as printer command text into `str`. Although the
// parameter is a reference to const, it is the output: pass a modifiable
// std::string that you own (not a temporary or a string literal); its whole
// content is replaced, and only once the text is complete. On an exception
// `str` keeps its previous content.
QUILLON_API void LabelToString(const std::string& str);

// Releases the current label and every object added to it. Harmless without
// an open label.
QUILLON_API void CloseLabel();

// The adding functions return the current label as an opaque handle (null
// when no label is open).

QUILLON_API void* CreateTexts(float x_start, float y_start, float fontsize_x, float fontsize_y,
                              std::string data, ScaleEnum scale, FontSizeUnitsEnum FontSizeUnit,
                              FontStyleEnum FontStyle, AlignEnum Alignment, std::string fontName,
                              RotateEnum rotation);

QUILLON_API void* CreateLines(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                              ScaleEnum scale);

QUILLON_API void* CreateBoxs(float start_x, float start_y, float end_x, float end_y, float lineThickness,
                             ScaleEnum scale);

QUILLON_API void* CreateBarcode1D(float start_x, float start_y, std::string content, ScaleEnum scale,
                                  float narrowBar, float wideBar, float Height, BarcodeTypeEnum_1D BcdTyp,
                                  bool PrintHumanReadable, RotateEnum rotation, bool PdfLocTop);

// A picture already stored in the printer under `strFilePath`, at (x, y) in
// dots. The name ends at the first line break.
QUILLON_API void* Picture(int x, int y, std::string strFilePath);

// dataManuallyEncoded may be null; its segments are copied.
QUILLON_API void* CreateQRBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                   float xdim, QRCodeMaskEnum Mask, QRCodeManualSegments* dataManuallyEncoded,
                                   QRCodeErrorCorrectionEnum errEnum, QRCodeModelEnum modelEnum,
                                   RotateEnum rotation);

QUILLON_API void* CreatePdf417Bcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                     float xdim, float ydim, Pdf417ErrCorrectionEnum ErrorCorrection, int row,
                                     int col, RotateEnum rotation);

QUILLON_API void* CreateDataMatrixBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                           float xdim, RotateEnum Rotation, bool UseRectangle,
                                           std::string MatrixMultiLine, char CtrlChar1, char CtrlChar2,
                                           int row, int col);

QUILLON_API void* CreateAztecBarcodes(float start_x, float start_y, std::string content, ScaleEnum scale,
                                      float xdim, AztecCodeTypeEnum CodeType, int iFixedErrCorrection,
                                      int iLayers, RotateEnum rotation);

QUILLON_API void* CreateMaxicodeBarcodes(int iMaxicodeTyp, MaxicodeModeEnum mode, std::string postalCode,
                                         std::string countryCode, std::string serviceClass,
                                         std::string remainingMsg, std::string year, std::string primaryMsg,
                                         float start_x, float start_y, ScaleEnum scale, bool ZipperPattern,
                                         RotateEnum rotation);

QUILLON_API void* CreateRfidEncode(unsigned int a32BitField, unsigned int a16BitField,
                                   std::string a6CharAsciiString, RfidMemBlockEnum MemBlock,
                                   int iOffsetFromStart, std::string _10BytesUserData,
                                   std::string _4BytesHexUserData, RfidPasswordTypeEnum PasswordEnum,
                                   std::string Password);

// Each byte of `input`, taken as an unsigned value, as two lower-case hex
// digits. Exported under its plain name although it returns a C++ string,
// like the string parameters of the functions above: callers are C++.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif
QUILLON_API std::string ToHexString(const std::string& input);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

}  // extern "C"

#endif
