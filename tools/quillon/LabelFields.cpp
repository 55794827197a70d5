// The label format's tables. Lengths are kept in dots; their ranges are in
// dots too, after conversion from the object's unit.

#include "LabelFields.h"

#include <cstring>
#include <iterator>
#include <optional>
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

// A checked value into a member; integers also go into enums.
void Store(std::string& m, FieldValue& v) {
    m = std::move(v.text);
}
void Store(bool& m, FieldValue& v) {
    m = v.boolean;
}
void Store(float& m, FieldValue& v) {
    m = static_cast<float>(v.number);
}
template <class V>
void Store(V& m, FieldValue& v) {
    m = static_cast<V>(v.integer);
}
template <class V>
void Store(std::optional<V>& m, FieldValue& v) {
    Store(m.emplace(), v);
}

// Stores into the member `M` of an object's options; nullptr: checked, not
// stored (the unit, read before the other fields).
template <auto M>
void Assign(void* target, FieldValue& v) {
    if constexpr (!std::is_same_v<decltype(M), std::nullptr_t>)
        Store(static_cast<typename ClassOf<decltype(M)>::type*>(target)->*M, v);
}

// The printer's model numbers are 1 and 2, the library's enum 0 and 1.
void SetModel(void* target, FieldValue& v) {
    static_cast<quillon::QRCodeOptions*>(target)->model = static_cast<QRCodeModelEnum>(v.integer - 1);
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

using T = FieldType;

const char* const kStart = "Start position";
const char* const kUnitText = "Unit of this object's lengths";
const char* const kRotationText = "Turn by 90 degrees clockwise, counter-clockwise or by 180 degrees";

// Rows most kinds share.
#define QUILLON_XY(S, meaning) F<&S::x>("x", T::Position, meaning), F<&S::y>("y", T::Position, meaning)
#define QUILLON_TURN(S) C<&S::rotation>("rotation", kRotations, 0, kRotationText)
#define QUILLON_UNIT C<nullptr>("unit", kUnits, 0, kUnitText, "the label's `unit`")

using Text = quillon::TextOptions;
const Field kTextFields[] = {
    QUILLON_XY(Text, kStart),
    F<&Text::data>("text", T::String, "The text"),
    F<&Text::fontSize>("size", T::Number, "Character width and height together, in `size_unit`", "10")
        .Above(0, 1000)
        .Excludes("size_x"),
    F<&Text::fontSizeX>("size_x", T::Number, "Character width, in `size_unit`", "`size`")
        .Above(0, 1000)
        .Needs("size_y"),
    F<&Text::fontSizeY>("size_y", T::Number, "Character height, in `size_unit`", "`size`")
        .Above(0, 1000)
        .Needs("size_x"),
    C<&Text::fontSizeUnit>("size_unit", kSizeUnits, 1,
                           "`points`: typographic points; `unit`: the object's `unit`; `percent`: of the "
                           "printer font's own size"),
    C<&Text::fontStyle>("style", kStyles, 0, "Type style").Langs(kKesh),
    C<&Text::alignment>("align", kAlignments, 0, "Alignment about `x`"),
    F<&Text::fontName>("font", T::String, "Printer font name; empty for the printer's default font", "\"\""),
    QUILLON_TURN(Text),
    QUILLON_UNIT,
};

// Lines and boxes have the same fields.
template <class S>
const Field kShapeFields[] = {
    F<&S::startX>("x", T::Position, "Start point (box: one corner)"),
    F<&S::startY>("y", T::Position, "Start point (box: one corner)"),
    F<&S::endX>("x2", T::Position, "End point (box: the opposite corner)"),
    F<&S::endY>("y2", T::Position, "End point (box: the opposite corner)"),
    F<&S::thickness>("thickness", T::Length, "Line thickness", "1 dot"),
    QUILLON_UNIT,
};

using Bars = quillon::Barcode1DOptions;
const Field kBarcode1DFields[] = {
    QUILLON_XY(Bars, kStart),
    F<&Bars::data>(
        "data", T::String,
        "Barcode content: digits for EAN-13 (12, or 13 with the check digit), EAN-8 (7 or 8), UPC-A "
        "(11 or 12) and Interleaved 2 of 5 (an even count); `0-9 A-Z - . $ / + %` and space for "
        "Code 39 and Code 93; `0-9 - $ : / . +` with optional start and stop letters `A-D` for "
        "Codabar; ASCII for Code 128")
        .NonEmpty(),
    C<&Bars::type>("symbology", kSymbologies, 3, "Symbology"),
    F<&Bars::narrowBar>("narrow", T::Length, "Narrow bar width", "2 dots").Range(0, 100).Preset(2),
    F<&Bars::wideBar>("wide", T::Length, "Wide bar width", "2 x `narrow`, or the ratio the language prints")
        .Range(0, 300),
    F<&Bars::height>("height", T::Length, "Bar height", "100 dots").Preset(100),
    F<&Bars::humanReadable>("human_readable", T::Bool, "Print the interpretation line", "true"),
    F<&Bars::textAbove>("text_above", T::Bool, "Put the interpretation line above the bars", "false")
        .Langs(0),
    QUILLON_TURN(Bars),
    QUILLON_UNIT,
};

using QR = quillon::QRCodeOptions;
const Field kQRFields[] = {
    QUILLON_XY(QR, kStart),
    F<&QR::data>("data", T::String, "Content, encoded automatically").OrElse("segments").NonEmpty(),
    Field{"segments", T::Segments, nullptr,
          "Manual encoding instead of `data`: each segment's `mode` is `numeric`, `alphanumeric`, "
          "`binary` (default) or `kanji`"}
        .Default("none")
        .Excludes("data"),
    F<&QR::module>("module", T::Length, "Module (cell) size", "4 dots").Range(0, 100).Preset(4),
    F<&QR::mask>("mask", T::Integer, "Mask pattern", "printer's choice").Range(0, 8),
    C<&QR::errorCorrection>("error_correction", kQrLevels, -1, "Recovery of about 7, 15, 25 or 30 %",
                            "printer's choice"),
    Field{"model", T::Integer, &SetModel, "QR model"}.Default("printer's choice").Range(1, 2),
    QUILLON_TURN(QR),
    QUILLON_UNIT,
};

using Pdf = quillon::Pdf417Options;
const Field kPdf417Fields[] = {
    QUILLON_XY(Pdf, kStart),
    F<&Pdf::data>("data", T::String, "Content").NonEmpty(),
    F<&Pdf::module>("module_width", T::Length, "Module width", "2 dots").Range(0, 100).Preset(2),
    F<&Pdf::moduleHeight>("module_height", T::Length, "Row height", "3 x `module_width`").Range(0, 300),
    F<&Pdf::errorCorrection>("error_correction", T::Integer, "Error-correction level", "chosen from the data")
        .Range(0, 8),
    F<&Pdf::rows>("rows", T::Integer, "Number of rows; 0 chooses", "0").Range(0, 90).Preset(0),
    F<&Pdf::columns>("columns", T::Integer, "Number of data columns; 0 chooses", "0").Range(0, 30).Preset(0),
    QUILLON_TURN(Pdf),
    QUILLON_UNIT,
};

using DM = quillon::DataMatrixOptions;
const Field kDataMatrixFields[] = {
    QUILLON_XY(DM, kStart),
    F<&DM::data>("data", T::String, "Content (first line)").NonEmpty(),
    Field{"lines", T::Lines, nullptr,
          "Further lines, each joined to the content by the two control characters; a line may not contain "
          "the four characters `/r/n`"}
        .Default("[]"),
    F<&DM::lineControl1>("control1", T::Integer, "First control character placed before each further line",
                         "13")
        .Range(0, 127),
    F<&DM::lineControl2>("control2", T::Integer, "Second control character placed before each further line",
                         "10")
        .Range(0, 127),
    F<&DM::module>("module", T::Length, "Module size", "4 dots").Range(0, 100).Preset(4),
    F<&DM::rectangle>("rectangle", T::Bool, "Rectangular instead of square symbol", "false"),
    F<&DM::rows>("rows", T::Integer, "Symbol rows in modules", "chosen").Range(8, 144).Needs("columns"),
    F<&DM::columns>("columns", T::Integer, "Symbol columns in modules", "chosen").Range(8, 144).Needs("rows"),
    QUILLON_TURN(DM),
    QUILLON_UNIT,
};

using Az = quillon::AztecOptions;
const Field kAztecFields[] = {
    QUILLON_XY(Az, kStart),
    F<&Az::data>("data", T::String, "Content").NonEmpty(),
    F<&Az::module>("module", T::Length, "Module size", "4 dots").Range(0, 100).Preset(4),
    C<&Az::codeType>("code_type", kAztecTypes, 0, "Symbol type").Preset(0),
    F<&Az::errorCorrection>("error_correction", T::Integer, "Error-correction percentage (with `fixed-ec`)",
                            "printer's choice")
        .Range(1, 99),
    F<&Az::layers>("layers", T::Integer, "Number of layers (with `compact`: up to 4)", "printer's choice")
        .Range(1, 32),
    QUILLON_TURN(Az),
    QUILLON_UNIT,
};

// Bits of the Maxicode modes and RFID banks that allow a field.
constexpr unsigned kModes23 = 1u << 2 | 1u << 3, kMode3 = 1u << 3, kMode4 = 1u << 4;
constexpr unsigned kEpc = 1u << 1, kUser = 1u << 3;

using Maxi = quillon::MaxicodeOptions;
const Field kMaxicodeFields[] = {
    QUILLON_XY(Maxi, kStart),
    F<&Maxi::mode>(
        "mode", T::Integer,
        "2: structured carrier message with a numeric postal code; 3: structured with an alphanumeric "
        "postal code and a year; 4: free primary message",
        "2")
        .Range(2, 4),
    F<&Maxi::postalCode>("postal_code", T::String, "Postal code").Only("mode", kModes23, true),
    F<&Maxi::countryCode>("country_code", T::String, "Three-digit country code").Only("mode", kModes23, true),
    F<&Maxi::serviceClass>("service_class", T::String, "Three-digit class of service")
        .Only("mode", kModes23, true),
    F<&Maxi::year>("year", T::String, "Two-digit year").Only("mode", kMode3, true),
    F<&Maxi::primaryMessage>("primary", T::String, "Primary message").Only("mode", kMode4, true),
    F<&Maxi::remainingMessage>("message", T::String, "Secondary (remaining) message", "\"\""),
    F<&Maxi::zipperPattern>("zipper", T::Bool, "Print the zipper pattern", "false").Langs(kKesh),
    QUILLON_TURN(Maxi).Langs(kKesh),
    QUILLON_UNIT,
};

using Rfid = quillon::RfidOptions;
const Field kRfidFields[] = {
    C<&Rfid::bank>("bank", kBanks, 1, "Memory bank written"),
    F<&Rfid::field32>("field32", T::Integer, "EPC: first 32 bits, written as eight hex digits", "0")
        .Range(0, 4294967295.0)
        .Only("bank", kEpc, false),
    F<&Rfid::ascii6>("text6", T::String, "EPC: up to six bytes of text, written as hex", "\"\"")
        .AnyBytes()
        .Only("bank", kEpc, false),
    F<&Rfid::field16>("field16", T::Integer, "EPC: the last field, written as eight hex digits", "0")
        .Range(0, 4294967295.0)
        .Only("bank", kEpc, false),
    F<&Rfid::userData10>("user_data", T::String, "User bank: up to ten bytes of text, written as hex", "\"\"")
        .AnyBytes()
        .Only("bank", kUser, false),
    F<&Rfid::userHex4>("user_hex", T::String, "User bank: hex digits appended as they are", "\"\"")
        .Only("bank", kUser, false),
    F<&Rfid::offset>("offset", T::Integer, "User bank: offset from the start of the bank", "0")
        .Range(0, 65535)
        .Only("bank", kUser, false),
    C<&Rfid::passwordType>("password_type", kPasswords, 0, "Lock operation"),
    F<&Rfid::password>("password", T::String, "Access password (hex) for the lock operation", "\"\""),
};

using Picture = quillon::PictureOptions;
const Field kPictureFields[] = {
    F<&Picture::x>("x", T::Position, "Position in dots (always dots)", "0"),
    F<&Picture::y>("y", T::Position, "Position in dots (always dots)", "0"),
    F<&Picture::name>("name", T::String, "Stored image name"),
};

#undef QUILLON_XY
#undef QUILLON_TURN
#undef QUILLON_UNIT

template <class S>
void* Begin(std::vector<ObjectDesc>& out) {
    // Made in place: a default-made element would be a text first.
    S& s = std::get<S>(out.emplace_back(std::in_place_type<S>));
    // Every length is read into dots.
    if constexpr (!std::is_same_v<S, quillon::RfidOptions> && !std::is_same_v<S, quillon::PictureOptions>)
        s.unit = quillon::Unit::Dot;
    return &s;
}

const KindTable kKinds[] = {
    {"text", &Begin<Text>, kTextFields, std::size(kTextFields), nullptr},
    {"line", &Begin<quillon::LineOptions>, kShapeFields<quillon::LineOptions>, 6, nullptr},
    {"box", &Begin<quillon::BoxOptions>, kShapeFields<quillon::BoxOptions>, 6, nullptr},
    {"barcode1d", &Begin<Bars>, kBarcode1DFields, std::size(kBarcode1DFields), nullptr},
    {"qr", &Begin<QR>, kQRFields, std::size(kQRFields), "Give `data` or `segments`."},
    {"pdf417", &Begin<Pdf>, kPdf417Fields, std::size(kPdf417Fields), nullptr},
    {"datamatrix", &Begin<DM>, kDataMatrixFields, std::size(kDataMatrixFields),
     "Give both `rows` and `columns`, or neither."},
    {"aztec", &Begin<Az>, kAztecFields, std::size(kAztecFields), nullptr},
    {"maxicode", &Begin<Maxi>, kMaxicodeFields, std::size(kMaxicodeFields),
     "Maxicode has a fixed size. A field that the mode does not use is an error."},
    {"rfid", &Begin<Rfid>, kRfidFields, std::size(kRfidFields),
     "An RFID tag write; it has no position. EPC fields with bank `user`, or user-bank fields with bank "
     "`epc`, are errors."},
    {"picture", &Begin<Picture>, kPictureFields, std::size(kPictureFields),
     "An image already stored in the printer (for example one downloaded with `quillon text`)."},
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
        .Above(0, 100000)
        .Needs("height"),
    F<&H::height>("height", T::Number, "Label height in `unit`", "none").Above(0, 100000).Needs("width"),
    C<&H::encoding>("encoding", kEncodings, 0,
                    "How strings become bytes: `utf-8` as their UTF-8 bytes, `latin1` one byte per character "
                    "U+0000-U+00FF"),
    Field{"objects", T::Objects, nullptr, "The objects, drawn in this order"}.Default("[]"),
};

const KindTable kLabel = {"label", nullptr, kLabelFields, std::size(kLabelFields), nullptr};

const Choice kSegmentModes[] = {{"numeric", 0}, {"alphanumeric", 1}, {"binary", 2}, {"kanji", 3}};
const Field kSegmentFields[] = {
    C<&Segment::mode>("mode", kSegmentModes, 2, "Encoding mode"),
    F<&Segment::data>("data", T::String, "Data in that mode"),
};
const KindTable kSegment = {"segment", nullptr, kSegmentFields, std::size(kSegmentFields), nullptr};

}  // namespace

std::pair<const KindTable*, std::size_t> Kinds() {
    return {kKinds, std::size(kKinds)};
}

const KindTable& LabelTable() {
    return kLabel;
}

const KindTable& SegmentTable() {
    return kSegment;
}

}  // namespace quillon::cli
