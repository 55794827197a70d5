#ifndef QUILLON_TOOLS_LABELDESCRIPTION_H
#define QUILLON_TOOLS_LABELDESCRIPTION_H

// One label as read from a label file: every value already checked and
// turned into the numbers the label functions take, so that rendering cannot
// fail on the description itself, only in the library.

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "quillon/Enums.h"

namespace quillon::cli {

struct TextDesc {
    float x = 0, y = 0;
    std::string text;
    float sizeX = 10, sizeY = 10;
    ScaleEnum unit = ScaleEnum::Dot;
    FontSizeUnitsEnum sizeUnit = FontSizeUnitsEnum::Points;
    FontStyleEnum style = FontStyleEnum::Normal;
    AlignEnum align = AlignEnum::Default;
    std::string font;
    RotateEnum rotation = RotateEnum::None;
};

// Lines and boxes share their fields.
struct ShapeDesc {
    bool box = false;
    float x = 0, y = 0, x2 = 0, y2 = 0;
    float thickness = 1;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct Barcode1DDesc {
    float x = 0, y = 0;
    std::string data;
    BarcodeTypeEnum_1D symbology = BarcodeTypeEnum_1D::Code_128;
    float narrow = 2, wide = 4, height = 100;
    bool humanReadable = true;
    bool textAbove = false;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct QRDesc {
    float x = 0, y = 0;
    std::string data;
    float module = 4;
    int mask = -1;
    int errorCorrection = -1;
    int model = -1;
    bool manual = false;  // segments given: the data above is ignored
    std::vector<std::pair<QRCodeManualEncodingEnum, std::string>> segments;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct Pdf417Desc {
    float x = 0, y = 0;
    std::string data;
    float moduleWidth = 2, moduleHeight = 6;
    int errorCorrection = -1;
    int rows = 0, columns = 0;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct DataMatrixDesc {
    float x = 0, y = 0;
    std::string data;
    float module = 4;
    bool rectangle = false;
    std::string lines;  // extra lines joined by the control characters
    int control1 = 13, control2 = 10;
    int rows = -1, columns = -1;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct AztecDesc {
    float x = 0, y = 0;
    std::string data;
    float module = 4;
    int codeType = 0;
    int errorCorrection = -1;
    int layers = -1;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct MaxicodeDesc {
    float x = 0, y = 0;
    int mode = 2;
    std::string postalCode, countryCode, serviceClass, year, primary, message;
    bool zipper = false;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct RfidDesc {
    RfidMemBlockEnum bank = RfidMemBlockEnum::EPC;
    unsigned int field32 = 0, field16 = 0;
    std::string text6;
    std::string userData, userHex;
    int offset = 0;
    RfidPasswordTypeEnum passwordType = RfidPasswordTypeEnum::None;
    std::string password;
};

struct PictureDesc {
    int x = 0, y = 0;
    std::string name;
};

using ObjectDesc = std::variant<TextDesc, ShapeDesc, Barcode1DDesc, QRDesc, Pdf417Desc, DataMatrixDesc,
                                AztecDesc, MaxicodeDesc, RfidDesc, PictureDesc>;

enum class Language { Unset, Vorn, Kesh };

struct LabelDescription {
    std::string name = "LABEL";
    Language language = Language::Unset;
    float dotsPerUnit = 203;
    ScaleEnum resolutionUnit = ScaleEnum::Inch;
    std::vector<ObjectDesc> objects;
};

}  // namespace quillon::cli

#endif
