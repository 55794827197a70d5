// The label format's tables. Lengths are kept in dots; their ranges are in
// dots too, after conversion from the object's unit.

#include "LabelFields.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace quillon::cli {
namespace {

// Printers address positions in 16 bits.
constexpr double kMaxDots = 32767;

template <class>
struct ClassOf;
template <class C, class V>
struct ClassOf<V C::*> {
    using type = C;
};

// Stores a checked value into the member `M` of the description.
template <auto M>
void Assign(void* target, FieldValue& v) {
    auto& m = static_cast<typename ClassOf<decltype(M)>::type*>(target)->*M;
    using V = std::decay_t<decltype(m)>;
    if constexpr (std::is_same_v<V, std::string>) m = std::move(v.text);
    if constexpr (std::is_same_v<V, bool>) m = v.boolean;
    if constexpr (std::is_same_v<V, float>) m = static_cast<float>(v.number);
    if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) m = static_cast<V>(v.integer);
}

template <auto M>
Field F(const char* name, FieldType type, const char* meaning, const char* def = nullptr) {
    Field f{name, type, &Assign<M>, meaning};
    if (type == FieldType::Position || type == FieldType::Length) f.hi = kMaxDots;
    f.defaultText = def;
    return f;
}

template <auto M, std::size_t N>
Field C(const char* name, const Choice (&choices)[N], int def, const char* meaning,
        const char* defText = nullptr) {
    Field f{name, FieldType::Choice, &Assign<M>, meaning};
    f.choices = choices;
    f.choiceCount = N;
    f.def = def;
    for (const Choice& c : choices)
        if (c.value == def && !defText) defText = c.name.data();
    f.defaultText = defText;
    return f;
}

const Choice kUnits[] = {{"dot", 0}, {"mm", 1}, {"inch", 2}};
const Choice kRotations[] = {{"none", 0}, {"cw", 1}, {"ccw", 2}, {"inverted", 3}};
const Choice kAlignments[] = {{"default", 0}, {"left", 1}, {"center", 2}, {"right", 3}};
const Choice kSizeUnits[] = {{"points", 1}, {"unit", 0}, {"percent", 2}};
const Choice kStyles[] = {{"normal", 0}, {"bold", 1}, {"italic", 2}, {"bold-italic", 3}};
const Choice kSymbologies[] = {{"code128", 3}, {"code39", 2}, {"code93", 1}, {"ean13", 4},
                               {"ean8", 5},    {"upca", 6},   {"i2of5", 7},  {"codabar", 8}};
const Choice kQrLevels[] = {{"L", 0}, {"M", 1}, {"Q", 2}, {"H", 3}};
const Choice kAztecTypes[] = {{"default", 0}, {"fixed-ec", 1}, {"compact", 2}, {"full", 3}, {"rune", 4}};
const Choice kBanks[] = {{"epc", 1}, {"user", 3}};
const Choice kPasswords[] = {{"none", 0}, {"lock", 1}, {"permalock", 2}, {"unlock", 3}, {"permaunlock", 4}};
const Choice kLanguages[] = {{"vorn", 1}, {"kesh", 2}};
const Choice kEncodings[] = {{"utf-8", 0}, {"latin1", 1}};

using O = ObjectDesc;
using T = FieldType;

const char* const kUnitText = "Unit of this object's lengths";
const char* const kRotationText = "Turn by 90 degrees clockwise, counter-clockwise or by 180 degrees";

const Field kTextFields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::data>("text", T::String, "The text"),
    F<&O::size>("size", T::Number, "Character width and height together, in `size_unit`", "10")
        .Range(0, 1000)
        .Above()
        .Excludes("size_x"),
    F<&O::sizeX>("size_x", T::Number, "Character width, in `size_unit`", "`size`")
        .Range(0, 1000)
        .Above()
        .Needs("size_y"),
    F<&O::sizeY>("size_y", T::Number, "Character height, in `size_unit`", "`size`")
        .Range(0, 1000)
        .Above()
        .Needs("size_x"),
    C<&O::sizeUnit>("size_unit", kSizeUnits, 1,
                    "`points`: typographic points; `unit`: the object's `unit`; `percent`: of the printer "
                    "font's own size"),
    C<&O::style>("style", kStyles, 0, "Type style").Langs(kKesh),
    C<&O::align>("align", kAlignments, 0, "Alignment about `x`"),
    F<&O::font>("font", T::String, "Printer font name; empty for the printer's default font", "\"\""),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kShapeFields[] = {
    F<&O::x>("x", T::Position, "Start point (box: one corner)"),
    F<&O::y>("y", T::Position, "Start point (box: one corner)"),
    F<&O::x2>("x2", T::Position, "End point (box: the opposite corner)"),
    F<&O::y2>("y2", T::Position, "End point (box: the opposite corner)"),
    F<&O::thickness>("thickness", T::Length, "Line thickness", "1 dot"),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kBarcode1DFields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::data>("data", T::String,
                "Barcode content: digits for EAN-13 (12, or 13 with the check digit), EAN-8 (7 or 8), UPC-A "
                "(11 or 12) and Interleaved 2 of 5 (an even count); `0-9 A-Z - . $ / + %` and space for Code "
                "39 and Code 93; `0-9 - $ : / . +` with optional start and stop letters `A-D` for Codabar; "
                "ASCII for Code 128"),
    C<&O::symbology>("symbology", kSymbologies, 3, "Symbology"),
    F<&O::narrow>("narrow", T::Length, "Narrow bar width", "2 dots").Range(0, 100),
    F<&O::wide>("wide", T::Length, "Wide bar width", "2 x `narrow`, or the ratio the language prints")
        .Range(0, 300),
    F<&O::height>("height", T::Length, "Bar height", "100 dots"),
    F<&O::humanReadable>("human_readable", T::Bool, "Print the interpretation line", "true"),
    F<&O::textAbove>("text_above", T::Bool, "Put the interpretation line above the bars", "false").Langs(0),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kQRFields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::data>("data", T::String, "Content, encoded automatically").OrElse("segments"),
    Field{"segments", T::Segments, nullptr,
          "Manual encoding instead of `data`: each segment's `mode` is `numeric`, `alphanumeric`, "
          "`binary` (default) or `kanji`"}
        .Default("none")
        .Excludes("data"),
    F<&O::module>("module", T::Length, "Module (cell) size", "4 dots").Range(0, 100),
    F<&O::mask>("mask", T::Integer, "Mask pattern", "printer's choice").Range(0, 8),
    C<&O::errorCorrection>("error_correction", kQrLevels, -1, "Recovery of about 7, 15, 25 or 30 %",
                           "printer's choice"),
    F<&O::model>("model", T::Integer, "QR model", "printer's choice").Range(1, 2),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kPdf417Fields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::data>("data", T::String, "Content"),
    F<&O::module>("module_width", T::Length, "Module width", "2 dots").Range(0, 100),
    F<&O::moduleHeight>("module_height", T::Length, "Row height", "3 x `module_width`").Range(0, 300),
    F<&O::errorCorrection>("error_correction", T::Integer, "Error-correction level", "chosen from the data")
        .Range(0, 8),
    F<&O::rows>("rows", T::Integer, "Number of rows; 0 chooses", "0").Range(0, 90),
    F<&O::columns>("columns", T::Integer, "Number of data columns; 0 chooses", "0").Range(0, 30),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kDataMatrixFields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::data>("data", T::String, "Content (first line)"),
    Field{"lines", T::Lines, nullptr,
          "Further lines, each joined to the content by the two control characters; a line may not contain "
          "the four characters `/r/n`"}
        .Default("[]"),
    F<&O::control1>("control1", T::Integer, "First control character placed before each further line", "13")
        .Range(0, 127),
    F<&O::control2>("control2", T::Integer, "Second control character placed before each further line", "10")
        .Range(0, 127),
    F<&O::module>("module", T::Length, "Module size", "4 dots").Range(0, 100),
    F<&O::rectangle>("rectangle", T::Bool, "Rectangular instead of square symbol", "false"),
    F<&O::rows>("rows", T::Integer, "Symbol rows in modules", "chosen").Range(8, 144).Needs("columns"),
    F<&O::columns>("columns", T::Integer, "Symbol columns in modules", "chosen").Range(8, 144).Needs("rows"),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kAztecFields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::data>("data", T::String, "Content"),
    F<&O::module>("module", T::Length, "Module size", "4 dots").Range(0, 100),
    C<&O::codeType>("code_type", kAztecTypes, 0, "Symbol type"),
    F<&O::errorCorrection>("error_correction", T::Integer, "Error-correction percentage (with `fixed-ec`)",
                           "printer's choice")
        .Range(1, 99),
    F<&O::layers>("layers", T::Integer, "Number of layers (with `compact`: up to 4)", "printer's choice")
        .Range(1, 32),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

// Bits of the Maxicode modes and RFID banks that allow a field.
constexpr unsigned kModes23 = 1u << 2 | 1u << 3, kMode3 = 1u << 3, kMode4 = 1u << 4;
constexpr unsigned kEpc = 1u << 1, kUser = 1u << 3;

const Field kMaxicodeFields[] = {
    F<&O::x>("x", T::Position, "Start position"),
    F<&O::y>("y", T::Position, "Start position"),
    F<&O::mode>(
        "mode", T::Integer,
        "2: structured carrier message with a numeric postal code; 3: structured with an alphanumeric "
        "postal code and a year; 4: free primary message",
        "2")
        .Range(2, 4),
    F<&O::postalCode>("postal_code", T::String, "Postal code").Only("mode", kModes23, true),
    F<&O::countryCode>("country_code", T::String, "Three-digit country code").Only("mode", kModes23, true),
    F<&O::serviceClass>("service_class", T::String, "Three-digit class of service")
        .Only("mode", kModes23, true),
    F<&O::year>("year", T::String, "Two-digit year").Only("mode", kMode3, true),
    F<&O::data>("primary", T::String, "Primary message").Only("mode", kMode4, true),
    F<&O::message>("message", T::String, "Secondary (remaining) message", "\"\""),
    F<&O::zipper>("zipper", T::Bool, "Print the zipper pattern", "false").Langs(kKesh),
    C<&O::rotation>("rotation", kRotations, 0, kRotationText).Langs(kKesh),
    C<&O::unit>("unit", kUnits, 0, kUnitText, "the label's `unit`"),
};

const Field kRfidFields[] = {
    C<&O::bank>("bank", kBanks, 1, "Memory bank written"),
    F<&O::field32>("field32", T::Integer, "EPC: first 32 bits, written as eight hex digits", "0")
        .Range(0, 4294967295.0)
        .Only("bank", kEpc, false),
    F<&O::text6>("text6", T::String, "EPC: up to six bytes of text, written as hex", "\"\"")
        .AnyBytes()
        .Only("bank", kEpc, false),
    F<&O::field16>("field16", T::Integer, "EPC: the last field, written as eight hex digits", "0")
        .Range(0, 4294967295.0)
        .Only("bank", kEpc, false),
    F<&O::userData>("user_data", T::String, "User bank: up to ten bytes of text, written as hex", "\"\"")
        .AnyBytes()
        .Only("bank", kUser, false),
    F<&O::userHex>("user_hex", T::String, "User bank: hex digits appended as they are", "\"\"")
        .Only("bank", kUser, false),
    F<&O::offset>("offset", T::Integer, "User bank: offset from the start of the bank", "0")
        .Range(0, 65535)
        .Only("bank", kUser, false),
    C<&O::passwordType>("password_type", kPasswords, 0, "Lock operation"),
    F<&O::password>("password", T::String, "Access password (hex) for the lock operation", "\"\""),
};

const Field kPictureFields[] = {
    F<&O::x>("x", T::Position, "Position in dots (always dots)", "0"),
    F<&O::y>("y", T::Position, "Position in dots (always dots)", "0"),
    F<&O::data>("name", T::String, "Stored image name"),
};

#define QUILLON_TABLE(name, kind, fields, note) \
    { name, kind, fields, sizeof fields / sizeof fields[0], note }

const KindTable kKinds[] = {
    QUILLON_TABLE("text", Kind::Text, kTextFields, nullptr),
    QUILLON_TABLE("line", Kind::Line, kShapeFields, nullptr),
    QUILLON_TABLE("box", Kind::Box, kShapeFields, nullptr),
    QUILLON_TABLE("barcode1d", Kind::Barcode1D, kBarcode1DFields, nullptr),
    QUILLON_TABLE("qr", Kind::QR, kQRFields, "Give `data` or `segments`."),
    QUILLON_TABLE("pdf417", Kind::Pdf417, kPdf417Fields, nullptr),
    QUILLON_TABLE("datamatrix", Kind::DataMatrix, kDataMatrixFields,
                  "Give both `rows` and `columns`, or neither."),
    QUILLON_TABLE("aztec", Kind::Aztec, kAztecFields, nullptr),
    QUILLON_TABLE("maxicode", Kind::Maxicode, kMaxicodeFields,
                  "Maxicode has a fixed size. A field that the mode does not use is an error."),
    QUILLON_TABLE(
        "rfid", Kind::Rfid, kRfidFields,
        "An RFID tag write; it has no position. EPC fields with bank `user`, or user-bank fields with "
        "bank `epc`, are errors."),
    QUILLON_TABLE("picture", Kind::Picture, kPictureFields,
                  "An image already stored in the printer (for example one downloaded with `quillon text`)."),
};

using H = LabelHeader;

const Field kLabelFields[] = {
    F<&H::name>("name", T::String, "Form name written into the command text; no `;`", "\"LABEL\""),
    C<&H::language>("language", kLanguages, 1, "Printer language; `--lang` overrides it"),
    F<&H::dpi>("dpi", T::Number, "Printer resolution in dots per inch; `--dpi` overrides it", "203")
        .Range(100, 1200)
        .Excludes("dots_per_mm"),
    F<&H::dotsPerMm>("dots_per_mm", T::Number, "Printer resolution in dots per millimetre", "none")
        .Range(4, 48)
        .Excludes("dpi"),
    C<&H::unit>("unit", kUnits, 0, "Unit of every object's lengths, unless the object names its own"),
    F<&H::width>("width", T::Number, "Label width in `unit`: the canvas of `quillon preview`", "none")
        .Range(0, 100000)
        .Above()
        .Needs("height"),
    F<&H::height>("height", T::Number, "Label height in `unit`", "none").Range(0, 100000).Above().Needs("width"),
    C<&H::encoding>("encoding", kEncodings, 0,
                    "How strings become bytes: `utf-8` as their UTF-8 bytes, `latin1` one byte per character "
                    "U+0000-U+00FF"),
    Field{"objects", T::Objects, nullptr, "The objects, drawn in this order"}.Default("[]"),
};

const KindTable kLabel = QUILLON_TABLE("label", Kind::Text, kLabelFields, nullptr);

const Choice kSegmentModes[] = {{"numeric", 0}, {"alphanumeric", 1}, {"binary", 2}, {"kanji", 3}};
const Field kSegmentFields[] = {
    C<&Segment::mode>("mode", kSegmentModes, 2, "Encoding mode"),
    F<&Segment::data>("data", T::String, "Data in that mode"),
};
const KindTable kSegment = QUILLON_TABLE("segment", Kind::QR, kSegmentFields, nullptr);

}  // namespace

Field::Field(const char* n, FieldType t, Setter s, const char* m)
    : name(n), size(std::strlen(n)), type(t), set(s), meaning(m) {}

const KindTable* Kinds(std::size_t& count) {
    count = sizeof kKinds / sizeof kKinds[0];
    return kKinds;
}

const KindTable& LabelTable() {
    return kLabel;
}

const KindTable& SegmentTable() {
    return kSegment;
}

}  // namespace quillon::cli
