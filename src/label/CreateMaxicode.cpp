// Adding a Maxicode symbol to a label. The message kind is checked before
// anything is built, so an unknown kind leaves the label as it was.
#include <memory>

#include "label/AddObjects.h"
#include "model/IBcdMaxicode.h"

namespace quillon {
namespace {

enum MaxicodeKind : int { kStructured = 0, kStructuredOpenSystem = 1, kPlain = 2 };

}  // namespace

Recorded AddMaxicode(const LabelTarget& target, int iMaxicodeTyp, MaxicodeModeEnum mode,
                     const std::string& postalCode, const std::string& countryCode,
                     const std::string& serviceClass, const std::string& remainingMsg,
                     const std::string& year, const std::string& primaryMsg, float start_x, float start_y,
                     ScaleEnum scale, bool ZipperPattern, RotateEnum rotation) {
    // The message's mode follows from its kind; `mode` is only recorded.
    std::unique_ptr<IMaxicodeData> message;
    switch (iMaxicodeTyp) {
        case kStructured:
            message = std::make_unique<MaxicodeMsgStructured>(MaxicodeModeEnum::MODE_2, postalCode,
                                                              countryCode, serviceClass, remainingMsg);
            break;
        case kStructuredOpenSystem:
            message = std::make_unique<MaxicodeMsgStructuredOpenSystemStandard>(
                MaxicodeModeEnum::MODE_3, year, postalCode, countryCode, serviceClass, remainingMsg);
            break;
        case kPlain:
            message = std::make_unique<MaxicodeMsg>(MaxicodeModeEnum::MODE_4, primaryMsg, remainingMsg);
            break;
        default:
            return {};
    }
    ObjectParts parts(*target.arena);
    Point* start = parts.Make<Point>(kStartPart, start_x, start_y);
    auto* maxicode = parts.Make<MaxicodeBarcode_vorn>(kObjectPart, start, std::move(message));
    maxicode->setRuler(parts.Make<Ruler>(kRulerPart, scale));
    maxicode->setRotation(rotation);
    maxicode->setZipperPattern(ZipperPattern);
    maxicode->printResolution = target.resolution;

    FormRow row;
    row.VornobjMaxicodeModeEnum = static_cast<int>(mode);
    row.VornobjMaxicodeTyp = iMaxicodeTyp;
    row.VornobjMaxicodepostalCode = postalCode;
    row.VornobjMaxicodecountryCode = countryCode;
    row.VornobjMaxicodeserviceClass = serviceClass;
    row.VornobjMaxicoderemainingMsg = remainingMsg;
    row.VornobjMaxicodeyear = year;
    row.VornobjMaxicodeprimaryMsg = primaryMsg;
    row.VornobjMaxicodeZipperPattern = ZipperPattern;
    row.VornObjRotation = static_cast<int>(rotation);
    return RecordObject(target, kObjMaxicode, std::move(row), std::move(parts));
}

}  // namespace quillon

extern "C" {

QUILLON_API void* CreateMaxicodeBarcodes(int iMaxicodeTyp, MaxicodeModeEnum mode, std::string postalCode,
                                         std::string countryCode, std::string serviceClass,
                                         std::string remainingMsg, std::string year, std::string primaryMsg,
                                         float start_x, float start_y, ScaleEnum scale, bool ZipperPattern,
                                         RotateEnum rotation) {
    if (!gpLabel) return nullptr;
    return quillon::PublishLast(
        quillon::AddMaxicode(quillon::DefaultLabel(), iMaxicodeTyp, mode, postalCode, countryCode,
                             serviceClass, remainingMsg, year, primaryMsg, start_x, start_y, scale,
                             ZipperPattern, rotation),
        gpMexiCodeBarcodeType);
}

}  // extern "C"
