#ifndef QUILLON_GENERATE_KESH_H
#define QUILLON_GENERATE_KESH_H

#include <string_view>

#include "base/Vocabulary.h"

// Punctuation and keyword tables of the form-oriented printer language KESH.
namespace KESH {

inline constexpr std::string_view LineTerminator = "\r\n";
inline constexpr char DelimeterParams = ';';
inline constexpr char DelimeterSFCC = '~';
inline constexpr char DataFrameChar = '*';
inline constexpr char DataFrameRestrictedChar = '/';
inline constexpr std::string_view StartOfComment = "/";
// Between the values of one parameter: FORMAT101,4, and between the
// manually encoded segments of a QR code's data.
inline constexpr char ValueDelimiter = ',';
// Between the bar and space widths of a one-dimensional barcode: XRD2:2:6:6.
inline constexpr char WidthDelimiter = ':';
// The line that closes every object block.
inline constexpr std::string_view BlockEnd = "STOP";

std::string_view GetRotation(int rotation);
std::string_view GetAlignment(int alignment);
std::string_view GetRfidFormat(int format);   // throws for InvalidFormat
std::string_view GetRfidMemBlock(int block);  // throws for InvalidMemBlock
std::string_view GetBarcodeType1D(int type);
std::string_view GetBarcodeType2D(int type);
// The first character that can frame `dataToFrame` (see Keywords.cpp).
char GetPrintableDataFrameChar(std::string_view dataToFrame);
float IgpDots(float dots, float dpiResolution);
int minLT(int ltCheck);

}  // namespace KESH

#endif
