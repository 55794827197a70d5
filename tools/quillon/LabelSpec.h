#ifndef QUILLON_TOOLS_LABELSPEC_H
#define QUILLON_TOOLS_LABELSPEC_H

// One label as read from a label file: every value already checked and
// turned into the numbers the label functions take, so that rendering cannot
// fail on the description itself, only in the library.

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "quillon/Enums.h"

namespace quillon::cli {

struct TextSpec {
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
struct ShapeSpec {
    bool box = false;
    float x = 0, y = 0, x2 = 0, y2 = 0;
    float thickness = 1;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct Barcode1DSpec {
    float x = 0, y = 0;
    std::string data;
    BarcodeTypeEnum_1D symbology = BarcodeTypeEnum_1D::Code_128;
    float narrow = 2, wide = 4, height = 100;
    bool humanReadable = true;
    bool textAbove = false;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct QRSpec {
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

struct Pdf417Spec {
    float x = 0, y = 0;
    std::string data;
    float moduleWidth = 2, moduleHeight = 6;
    int errorCorrection = -1;
    int rows = 0, columns = 0;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct DataMatrixSpec {
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

struct AztecSpec {
    float x = 0, y = 0;
    std::string data;
    float module = 4;
    int codeType = 0;
    int errorCorrection = -1;
    int layers = -1;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct MaxicodeSpec {
    float x = 0, y = 0;
    int mode = 2;
    std::string postalCode, countryCode, serviceClass, year, primary, message;
    bool zipper = false;
    RotateEnum rotation = RotateEnum::None;
    ScaleEnum unit = ScaleEnum::Dot;
};

struct RfidSpec {
    RfidMemBlockEnum bank = RfidMemBlockEnum::EPC;
    unsigned int field32 = 0, field16 = 0;
    std::string text6;
    std::string userData, userHex;
    int offset = 0;
    RfidPasswordTypeEnum passwordType = RfidPasswordTypeEnum::None;
    std::string password;
};

struct PictureSpec {
    int x = 0, y = 0;
    std::string name;
};

using ObjectSpec = std::variant<TextSpec, ShapeSpec, Barcode1DSpec, QRSpec, Pdf417Spec, DataMatrixSpec,
                                AztecSpec, MaxicodeSpec, RfidSpec, PictureSpec>;

enum class Language { Unset, Vorn, Kesh };

struct LabelSpec {
    std::string name = "LABEL";
    Language language = Language::Unset;
    float dotsPerUnit = 203;
    ScaleEnum resolutionUnit = ScaleEnum::Inch;
    std::vector<ObjectSpec> objects;
};

}  // namespace quillon::cli

#endif
