#ifndef QUILLON_ENUMS_H
#define QUILLON_ENUMS_H

#include <cstdint>

// Public enumerations. Their numbers are part of the interface. Where a
// function documents it, -1 passed for an enumeration means "no value given"
// and the renderer applies its default; every enumeration therefore has int
// as its fixed underlying type so that -1 and out-of-table values are
// representable.

enum class ScaleEnum : int { Dot = 0, MM = 1, Inch = 2 };

enum class RotateEnum : int { None = 0, ClockWise = 1, CounterClockWise = 2, Inverted = 3 };

enum class AlignEnum : int { Default = 0, Left = 1, Center = 2, Right = 3 };

enum class FontSizeUnitsEnum : int { Ruler = 0, Points = 1, Percent = 2 };

// Bit 0 is bold and bit 1 italic; -1 means no style.
enum class FontStyleEnum : int { Normal = 0, Bold = 1, Italic = 2 };

enum class BarcodeTypeEnum_1D : int {
    NOT_DEFINED = 0,
    Code_93 = 1,
    Code_39 = 2,
    Code_128 = 3,
    EAN13 = 4,
    EAN8 = 5,
    UPCA = 6,
    I2of5 = 7,
    CODABAR = 8
};

enum class QRCodeMaskEnum : int {
    Mask_0 = 0,
    Mask_1 = 1,
    Mask_2 = 2,
    Mask_3 = 3,
    Mask_4 = 4,
    Mask_5 = 5,
    Mask_6 = 6,
    Mask_7 = 7,
    Mask_8 = 8
};

enum class QRCodeManualEncodingEnum : int { Numeric = 0, AlphaNumeric = 1, Binary = 2, Kanji = 3 };

enum class QRCodeErrorCorrectionEnum : int { EC_7 = 0, EC_15 = 1, EC_25 = 2, EC_30 = 3 };

enum class QRCodeModelEnum : int { MODEL_1 = 0, MODEL_2 = 1 };

enum class Pdf417ErrCorrectionEnum : int {
    LEVEL_0 = 0,
    LEVEL_1 = 1,
    LEVEL_2 = 2,
    LEVEL_3 = 3,
    LEVEL_4 = 4,
    LEVEL_5 = 5,
    LEVEL_6 = 6,
    LEVEL_7 = 7,
    LEVEL_8 = 8
};

enum class AztecCodeTypeEnum : int { Default = 0, FixedErrCorrection = 1, Compact = 2, Full = 3, Rune = 4 };

enum class MaxicodeModeEnum : int { MODE_2 = 2, MODE_3 = 3, MODE_4 = 4 };

enum class RfidMemBlockEnum : int {
    InvalidMemBlock = 0,
    EPC = 1,
    TID = 2,
    User = 3,
    AccessCode = 4,
    KillCode = 5,
    PC = 6,
    Reserve = 7
};

enum class RfidPasswordTypeEnum : int { None = 0, Lock = 1, PermaLock = 2, Unlock = 3, PermaUnlock = 4 };

// Connection kinds and printer brands of the host-rendered text download.
enum COMM_TYP : int { USB_COMM = 0, TCP_COMM = 1, BT_COMM = 2, COM_COMM = 3 };

enum Brand : int { ORLO = 1, HLV = 2 };

// A USB device as (vendor id, product id), 4 bytes per device in the arrays
// handed out by GetAvailableDevices.
struct Tuple_c {
    int16_t Item1;
    int16_t Item2;
};
static_assert(sizeof(Tuple_c) == 4, "Tuple_c is 4 bytes per device");

#endif
