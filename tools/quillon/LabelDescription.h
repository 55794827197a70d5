#ifndef QUILLON_TOOLS_LABELDESCRIPTION_H
#define QUILLON_TOOLS_LABELDESCRIPTION_H

// One label as read from a label file: every value already checked, every
// length already in dots, so that rendering cannot fail on the description
// itself, only in the library.

#include <string>
#include <utility>
#include <vector>

#include "quillon/Enums.h"

namespace quillon::cli {

enum class Kind : int { Text, Line, Box, Barcode1D, QR, Pdf417, DataMatrix, Aztec, Maxicode, Rfid, Picture };

enum class Language : int { Unset, Vorn, Kesh };

// Every kind's fields in one record, so that one table of member pointers
// per kind can fill it. Lengths are dots.
struct ObjectDesc {
    Kind kind = Kind::Text;
    float x = 0, y = 0, x2 = 0, y2 = 0;
    float thickness = 1;
    std::string data;  // text, symbol data, Maxicode primary message, picture name
    int rotation = 0;
    int unit = 0;  // as given; every length is in dots already

    // text
    float size = 10, sizeX = -1, sizeY = -1;
    int sizeUnit = 1, style = 0, align = 0;
    std::string font;

    // barcode1d
    int symbology = 3;
    float narrow = 2, wide = -1, height = 100;
    bool humanReadable = true, textAbove = false;

    // 2D symbols
    float module = 4, moduleHeight = -1;
    int mask = -1, errorCorrection = -1, model = -1;
    std::vector<std::pair<QRCodeManualEncodingEnum, std::string>> segments;
    bool manual = false;
    int rows = -1, columns = -1, codeType = 0, layers = -1;
    bool rectangle = false;
    std::string lines;  // DataMatrix: further lines joined by "/r/n"
    int control1 = 13, control2 = 10;

    // maxicode
    int mode = 2;
    std::string postalCode, countryCode, serviceClass, year, message;
    bool zipper = false;

    // rfid
    int bank = 1, passwordType = 0, offset = 0;
    long long field32 = 0, field16 = 0;
    std::string text6, userData, userHex, password;
};

struct LabelDescription {
    std::string name = "LABEL";
    Language language = Language::Unset;
    float dotsPerUnit = 203;
    ScaleEnum resolutionUnit = ScaleEnum::Inch;
    std::vector<ObjectDesc> objects;

    float Dpi() const { return resolutionUnit == ScaleEnum::Inch ? dotsPerUnit : dotsPerUnit * 25.4f; }
    float DotsPerMm() const { return resolutionUnit == ScaleEnum::MM ? dotsPerUnit : dotsPerUnit / 25.4f; }
};

}  // namespace quillon::cli

#endif
