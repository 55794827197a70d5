#ifndef QUILLON_TOOLS_LABEL_H
#define QUILLON_TOOLS_LABEL_H

// One label as read from a label file, and what the tool does with it.
// Every value of a description is checked and every length is in dots, so
// that rendering cannot fail on the description itself, only in the library.

#include <rapidjson/document.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "quillon/Enums.h"
#include "quillon/LabelObject.h"

namespace quillon::cli {

enum class Kind : int { Text, Line, Box, Barcode1D, QR, Pdf417, DataMatrix, Aztec, Maxicode, Rfid, Picture };
enum class Language : int { Unset, Vorn, Kesh };

// One object as the library takes it, every length in dots; the
// alternatives are in the order of Kind, so that index() is the kind.
using ObjectDesc = std::variant<quillon::TextOptions, quillon::LineOptions, quillon::BoxOptions,
                                quillon::Barcode1DOptions, quillon::QRCodeOptions, quillon::Pdf417Options,
                                quillon::DataMatrixOptions, quillon::AztecOptions, quillon::MaxicodeOptions,
                                quillon::RfidOptions, quillon::PictureOptions>;

inline Kind KindOf(const ObjectDesc& o) {
    return static_cast<Kind>(o.index());
}

struct LabelDescription {
    std::string name = "LABEL";
    Language language = Language::Unset;
    float dotsPerUnit = 203;
    ScaleEnum resolutionUnit = ScaleEnum::Inch;
    int width = 0, height = 0;  // dots; 0: not given
    std::vector<ObjectDesc> objects;

    float Dpi() const { return resolutionUnit == ScaleEnum::Inch ? dotsPerUnit : dotsPerUnit * 25.4f; }
    float DotsPerMm() const { return resolutionUnit == ScaleEnum::MM ? dotsPerUnit : dotsPerUnit / 25.4f; }
    // Dots in one dot, millimetre or inch (`unit` 0, 1 or 2).
    float DotsPer(int unit) const { return unit == 0 ? 1 : unit == 1 ? DotsPerMm() : Dpi(); }
};

// Well-formed JSON that is not a valid label. The message starts with the
// path of the offending field: "objects[3].rotation: expected one of ...".
class LabelError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the command line sets over every label's own settings.
struct Overrides {
    Language language = Language::Unset;  // Unset: the label's own
    float dpi = 0;                        // 0: the label's own resolution
};

// Checks one parsed JSON value against the label format and converts it;
// `overrides` replace the label's own language and resolution before any
// string is checked or length converted. Throws LabelError.
LabelDescription ParseLabel(const rapidjson::Value& root, const Overrides& overrides);

// "Code 128", "EAN-13", ... for a BarcodeTypeEnum_1D value.
const char* SymbologyName(int symbology);

// The label as a quillon::Label, every object added, nothing rendered.
// Throws what the library throws.
quillon::Label BuildLabel(const LabelDescription& label);
// Renders one label in its language (VORN when it names none) with its
// notices. The description is not changed: it goes back to be freed by the
// thread that allocated it, as freeing memory of another thread costs both a
// shared allocator lock. Throws what the library throws; thread-safe.
std::string RenderLabel(const LabelDescription& label, std::vector<quillon::LabelNotice>* notices = nullptr);

}  // namespace quillon::cli

#endif
