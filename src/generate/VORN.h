#ifndef QUILLON_GENERATE_VORN_H
#define QUILLON_GENERATE_VORN_H

#include <string>
#include <string_view>
#include <utility>

// Vocabulary of the line-oriented printer language VORN.
namespace VORN {

inline constexpr std::string_view LineTerminator = "\r\n";
inline constexpr char DelimeterParams = ',';
inline constexpr char CmdPostChar = ' ';
inline constexpr char DataFrameChar = '"';
inline constexpr float ALPHA_EXPANSION[2] = {1.0f, 10.0f};
inline constexpr float TWOBYTE_EXPANSION[2] = {1.0f, 10.0f};

enum Rotation : int { None = 0, ClockWise = 1, CounterClockWise = 2, Inverted = 3 };
enum AlignEnum : int { _None = 0, Left = 1, Center = 2, Right = 3 };
enum Rfid_Format : int { InvalidFormat = 0, Binary = 1, Decimal = 2, String = 3, Hex = 4 };
enum Rfid_MemBlock : int {
    InvalidMemBlock = 0,
    EPC = 1,
    TID = 2,
    USR = 3,
    ACS = 4,
    KIL = 5,
    PC = 6,
    RSV = 7
};
enum Barcode_Type2D : int { NOT_DEFINED_2D = 0, MAXICODE = 1, QR = 2, PDF417 = 3, AZTEC = 4, DMATRIX = 5 };
enum Barcode_Type1D : int {
    NOT_DEFINED = 0,
    Code_39 = 1,
    Code_128 = 2,
    EAN13 = 3,
    EAN8 = 4,
    UPCA = 5,
    I2of5 = 6,
    CODABAR = 7,
    Code_93 = 8
};
enum Reference_Point : int { LeftTop = 0, LeftDown = 1 };
enum SCALE_UNITS : int { DOT = 0, MM = 1 };

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
