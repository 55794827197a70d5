#ifndef QUILLON_GENERATE_KESH_H
#define QUILLON_GENERATE_KESH_H

#include <string>
#include <string_view>

// Vocabulary of the form-oriented printer language KESH.
namespace KESH {

inline constexpr std::string_view LineTerminator = "\r\n";
inline constexpr char DelimeterParams = ';';
inline constexpr char DelimeterSFCC = '~';
inline constexpr char DataFrameChar = '*';
inline constexpr char DataFrameRestrictedChar = '/';
inline constexpr std::string_view StartOfComment = "/";

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
enum Barcode_Type2D : int { NOT_DEFINED = 0, MAXICODE = 1, QR = 2, PDF417 = 3, AZTEC = 4, DMATRIX = 5 };
enum Barcode_Type1D : int {
    NOT_DEFINED_KESH = 0,
    Code_39 = 1,
    Code128A = 2,
    Code128B = 3,
    Code128C = 4,
    EAN13 = 5,
    EAN8 = 6,
    UPCA = 7,
    I2of5 = 8,
    CODABAR = 9,
    GS128 = 10,
    Code_93 = 11
};

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
