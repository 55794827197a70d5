#ifndef QUILLON_BASE_VOCABULARY_H
#define QUILLON_BASE_VOCABULARY_H

// The enumerations of the two printer languages. The object model and the
// emitters both speak them; the keyword tables that turn them into command
// words are in generate/VORN.h and generate/KESH.h. Rotation and alignment
// carry the numbers of the public RotateEnum and AlignEnum.

namespace VORN {

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
// Which corner of a text its start point names.
enum Reference_Point : int { LeftTop = 0, LeftDown = 1 };
enum SCALE_UNITS : int { DOT = 0, MM = 1 };

}  // namespace VORN

namespace KESH {

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

}  // namespace KESH

#endif
