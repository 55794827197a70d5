#ifndef QUILLON_GENERATE_VORN_H
#define QUILLON_GENERATE_VORN_H

#include <string_view>
#include <utility>

#include "base/Vocabulary.h"

// Punctuation and keyword tables of the line-oriented printer language VORN.
namespace VORN {

inline constexpr std::string_view LineTerminator = "\r\n";
inline constexpr char DelimeterParams = ',';
inline constexpr char CmdPostChar = ' ';
inline constexpr char DataFrameChar = '"';
inline constexpr float ALPHA_EXPANSION[2] = {1.0f, 10.0f};
inline constexpr float TWOBYTE_EXPANSION[2] = {1.0f, 10.0f};
// Between a printer variable and its value: FONT$ = "1", DPI = 203.
inline constexpr std::string_view AssignOperator = " = ";
// Between the manually encoded segments of a QR code's data.
inline constexpr char SegmentDelimiter = '!';

// The keyword functions take the enumeration's number, so values outside
// the tables are handled without ever forming an invalid enum value.
std::string_view GetRotation(int rotation);
std::string_view GetAlignment(int alignment);
std::string_view GetRfidFormat(int format);   // throws for InvalidFormat
std::string_view GetRfidMemBlock(int block);  // throws for InvalidMemBlock
std::string_view GetBarcodeType1D(int type);
std::string_view GetBarcodeType2D(int type);
char GetPrintableDataFrameChar(std::string_view dataToFrame);
float IgpDots(float dots, float dpiResolution);
int minLT(int ltCheck);
// Width and height in dots of the printer-resident fonts "1" to "8";
// throws std::invalid_argument("Invalid Build-In FontName") for any other name.
std::pair<int, int> GetBuildInFontSize(std::string_view name);
// True for the printer-resident font names "1" to "8".
bool IsBuildInFont(std::string_view name);

}  // namespace VORN

#endif
