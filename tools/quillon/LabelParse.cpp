// Checks a parsed label against the field tables and turns it into a
// description: lengths into dots, strings into the bytes the printer gets.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <variant>

#include "Label.h"
#include "LabelFields.h"

namespace quillon::cli {
namespace {

using Json = rapidjson::Value;

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw LabelError(path + ": " + what);
}

std::string Join(const std::string& path, const char* key) {
    return path.empty() ? key : path + "." + key;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string_view View(const Json& v) {
    return {v.GetString(), v.GetStringLength()};
}

// The first byte of `text` that needs a closer look, or its size: one that
// is not well-formed UTF-8 or, when `framed`, a CR, LF or NUL (and '"' for
// VORN) that a command cannot carry. A word of other ASCII, most of a
// label, is passed over at once.
std::size_t FirstBadByte(std::string_view text, bool framed, bool quote) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    auto has = [](std::uint64_t w, unsigned char c) {
        const std::uint64_t v = w ^ (kOnes * c);
        return ((v - kOnes) & ~v & kHigh) != 0;
    };
    // A byte below 0x20 (NUL, CR and LF among them): one test instead of three.
    auto control = [](std::uint64_t w) { return ((w - kOnes * 0x20) & ~w & kHigh) != 0; };
    for (std::size_t i = 0; i < text.size();) {
        std::uint64_t w;
        if (i + 8 <= text.size() && (std::memcpy(&w, text.data() + i, 8), (w & kHigh) == 0) &&
            !(framed && (control(w) || (quote && has(w, '"'))))) {
            i += 8;
            continue;
        }
        const auto b = static_cast<unsigned char>(text[i]);
        if (framed && (b == '\r' || b == '\n' || b == 0 || (quote && b == '"'))) return i;
        const std::size_t n = b < 0x80                 ? 1
                              : b >= 0xC2 && b <= 0xDF ? 2
                              : b >= 0xE0 && b <= 0xEF ? 3
                              : b <= 0xF4              ? 4
                                                       : 0;
        std::uint32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
            if ((c & 0xC0) != 0x80) return i;
            cp = cp << 6 | (c & 0x3F);
        }
        if (n == 0 || (n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += n;
    }
    return text.size();
}

// Reads label and object fields with the rules of one label.
class Reader {
  public:
    Reader(bool latin1, Language language) : _latin1(latin1), _language(language) {}

    // Fills `target` from the members of `object` by `table` and records
    // each field's member in `given` (null when not given). `skip` is a
    // member the caller reads (an object's type).
    void Read(const KindTable& table, const Json& object, const std::string& path, void* target, float dpu,
              const Json** given, std::string_view skip = {}) const {
        if (!object.IsObject()) Fail(path.empty() ? "label" : path, "expected an object");
        int next = 0;  // members mostly come in the table's order
        for (const auto& member : object.GetObject()) {
            const std::string_view key = View(member.name);
            if (Same(key, skip)) continue;
            next = next == static_cast<int>(table.count) ? 0 : next;
            const Field& hint = table.fields[next];
            const int k = Same({hint.name, hint.size}, key) ? next : FieldIndex(table, key);
            next = k + 1;
            if (k < 0 || given[k])
                Fail(Join(path, std::string(key).c_str()), k < 0 ? "unknown field" : "given twice");
            given[k] = &member.value;
            const Field& f = table.fields[k];
            if (!f.set) continue;
            FieldValue value = Convert(f, member.value, path, dpu);
            f.set(target, value);
        }
        for (std::size_t k = 0; k < table.count; ++k) {
            const Field& f = table.fields[k];
            if (f.tied || (!f.defaultText && !given[k])) CheckTogether(table, k, path, given);
            if (f.preset && !given[k]) {  // the tool's default where it is not the library's
                FieldValue preset{f.value, static_cast<long long>(f.value), {}, false};
                f.set(target, preset);
            }
        }
    }

    // `key` null: `path` names the string itself.
    std::string Text(const Json& v, const std::string& path, const char* key, bool anyBytes) const {
        auto at = [&] { return key ? Join(path, key) : path; };
        if (!v.IsString()) Fail(at(), "expected a string");
        const std::string_view utf8 = View(v);
        const std::size_t bad = FirstBadByte(utf8, !anyBytes, _language != Language::Kesh);
        const char c = bad < utf8.size() ? utf8[bad] : 'A';
        if (c == '\r' || c == '\n') Fail(at(), "a line break cannot be written into a printer command");
        if (c == '\0') Fail(at(), "a NUL character cannot be written into a printer command");
        if (c == '"') Fail(at(), "VORN cannot print '\"' here: it frames the data");
        if (bad < utf8.size()) Fail(at(), "not valid UTF-8");
        return _latin1 ? ToLatin1(utf8, at()) : std::string(utf8);
    }

  private:
    // UTF-8 text to one byte per character; the printer fonts are 8-bit.
    static std::string ToLatin1(std::string_view text, const std::string& path) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto lead = static_cast<unsigned char>(text[i]);
            if (lead >= 0x80 && lead != 0xC2 && lead != 0xC3)  // beyond U+00FF
                Fail(path, "character at byte " + std::to_string(i) + " cannot be written in latin1");
            out.push_back(lead < 0x80 ? text[i]
                                      : static_cast<char>(((lead & 0x1F) << 6) | (text[++i] & 0x3F)));
        }
        return out;
    }

    // `object` is the path of the object; the field's own path is built only
    // for a message.
    FieldValue Convert(const Field& f, const Json& v, const std::string& object, float dpu) const {
        auto fail = [&](const std::string& what) { Fail(Join(object, f.name), what); };
        FieldValue out;
        switch (f.type) {
            case FieldType::Position:
            case FieldType::Length:
            case FieldType::Number: {
                if (!v.IsNumber()) fail("expected a number");
                const bool length = f.type != FieldType::Number;
                // Whole dots, rounded, so that 12.7 mm and 0.5 in are 150 dots at 300 dpi. A value
                // beyond any range is held within float's, where the range check refuses it.
                const auto value = static_cast<float>(std::clamp(v.GetDouble(), -1e30, 1e30));
                out.number = length ? std::round(value * dpu) : v.GetDouble();
                const bool above = f.type == FieldType::Length || f.above;
                if (!(above ? out.number > f.lo : out.number >= f.lo) || !(out.number <= f.hi))
                    fail(std::string("expected ") + (length ? "a length " : "a number ") +
                         (above ? "above " + Number(f.lo) + " and at most "
                                : "from " + Number(f.lo) + " to ") +
                         Number(f.hi) + (length ? " dots" : ""));
                out.integer = static_cast<long long>(out.number);  // a picture's position is whole dots
                return out;
            }
            case FieldType::Integer:
                if (!v.IsInt64() || v.GetInt64() < f.lo || v.GetInt64() > f.hi)
                    fail("expected an integer from " + Number(f.lo) + " to " + Number(f.hi));
                out.integer = v.GetInt64();
                return out;
            case FieldType::String:
                out.text = Text(v, object, f.name, f.anyBytes);
                if (f.nonEmpty && out.text.empty()) fail("expected at least one character");
                return out;
            case FieldType::Bool:
                if (!v.IsBool()) fail("expected true or false");
                out.boolean = v.GetBool();
                return out;
            case FieldType::Choice:
                out.integer = ChoiceOf(f, v, object);
                return out;
            default:
                return out;
        }
    }

    // `object` is the path of the object the field belongs to.
    static int ChoiceOf(const Field& f, const Json& v, const std::string& object) {
        for (std::size_t i = 0; v.IsString() && i < f.choiceCount; ++i)
            if (Same(View(v), f.choices[i].name)) return f.choices[i].value;
        std::string names;
        for (std::size_t i = 0; i < f.choiceCount; ++i)
            names += (i ? ", " : "") + std::string(f.choices[i].name);
        Fail(Join(object, f.name), "expected one of " + names);
    }

    static const Field& Named(const KindTable& table, const char* name) {
        return table.fields[FieldIndex(table, name)];
    }

    // Fields given together or not at all, and fields another field's value
    // allows; checked once every member is read.
    static void CheckTogether(const KindTable& table, std::size_t k, const std::string& path,
                              const Json** given) {
        const Field& f = table.fields[k];
        auto fail = [&](const std::string& what) { Fail(Join(path, f.name), what); };
        auto has = [&](const char* other) { return given[&Named(table, other) - table.fields] != nullptr; };
        if (given[k] && f.excludes && has(f.excludes))
            fail(std::string("cannot be given with ") + f.excludes);
        if (given[k] && f.needs && !has(f.needs)) fail(std::string("needs ") + f.needs + " too");
        bool required = !f.defaultText && !(f.orElse && has(f.orElse));
        if (f.onlyWith) {
            const Field& c = Named(table, f.onlyWith);
            const Json* v = given[&c - table.fields];
            const long long value = !v                            ? static_cast<long long>(c.def)
                                    : c.type == FieldType::Choice ? ChoiceOf(c, *v, path)
                                                                  : v->GetInt64();
            const bool allowed = value >= 0 && value < 32 && (f.onlyValues >> value & 1);
            if (given[k] && !allowed) {
                std::string shown = std::to_string(value);
                for (std::size_t i = 0; i < c.choiceCount; ++i)
                    if (c.choices[i].value == value) shown = c.choices[i].name.data();
                fail(std::string("not used with ") + f.onlyWith + " " + shown);
            }
            required = allowed && f.requiredThen;
        }
        if (required && !given[k]) fail("missing");
    }

    bool _latin1;
    Language _language;
};

bool AllOf(std::string_view text, const char* allowed) {
    for (char c : text)
        if (c == '\0' || !std::strchr(allowed, c)) return false;
    return true;
}

const char* const kDigits = "0123456789";

// The GS1 check digit: weights 3 and 1 from the right, the check digit last.
bool CheckDigitMatches(std::string_view digits) {
    int sum = 0;
    for (std::size_t i = 0; i + 1 < digits.size(); ++i)
        sum += (digits[digits.size() - 2 - i] - '0') * (i % 2 == 0 ? 3 : 1);
    return (10 - sum % 10) % 10 == digits.back() - '0';
}

// What each symbology can encode; the message names the rule.
void CheckBarcodeData(const quillon::Barcode1DOptions& o, const std::string& path) {
    const std::string& d = o.data;
    const int symbology = static_cast<int>(o.type);
    auto gtin = [&](std::size_t length, const char* what) {
        if (!AllOf(d, kDigits) || (d.size() != length && d.size() != length + 1))
            Fail(path + ".data", std::string("expected ") + what);
        if (d.size() == length + 1 && !CheckDigitMatches(d)) Fail(path + ".data", "wrong check digit");
    };
    switch (symbology) {
        case 4:  // EAN-13, EAN-8, UPC-A
        case 5:
        case 6: {
            const std::size_t length = symbology == 4 ? 12 : symbology == 5 ? 7 : 11;
            return gtin(length, (std::to_string(length) + " digits, or " + std::to_string(length + 1) +
                                 " with the check digit")
                                    .c_str());
        }
        case 7:
            if (!AllOf(d, kDigits) || d.size() % 2 != 0)
                Fail(path + ".data", "expected an even number of digits");
            return;
        case 1:
        case 2:
            if (!AllOf(d, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"))
                Fail(path + ".data",
                     std::string(SymbologyName(symbology)) + " encodes 0-9, A-Z, space and - . $ / + % only");
            return;
        case 8: {
            // Start and stop letters come in pairs or not at all.
            std::string_view body(d);
            if (body.size() >= 2 && AllOf(body.substr(0, 1), "ABCD") &&
                AllOf(body.substr(body.size() - 1), "ABCD"))
                body = body.substr(1, body.size() - 2);
            if (body.empty() || !AllOf(body, "0123456789-$:/.+"))
                Fail(path + ".data",
                     "Codabar encodes 0-9 and - $ : / . + between optional start and stop letters A-D");
            return;
        }
        default:
            for (char c : d)
                if (static_cast<unsigned char>(c) > 127)
                    Fail(path + ".data", "Code 128 encodes ASCII characters only");
    }
}

// Left out, the wide bar is what the language prints anyway, so that a
// default draws no notice: VORN prints Code 93 at 1:3 and Code 128, EAN and
// UPC at 1:1.
float DefaultWide(const quillon::Barcode1DOptions& b, bool kesh) {
    const int symbology = static_cast<int>(b.type);
    if (!kesh && symbology == 1) return 3 * b.narrowBar;
    if (!kesh && symbology >= 3 && symbology <= 6) return b.narrowBar;
    return 2 * b.narrowBar;
}

bool IsHex(const std::string& text) {
    return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

void CheckObject(ObjectDesc& o, const std::string& path, const LabelDescription& label) {
    if (auto* b = std::get_if<quillon::Barcode1DOptions>(&o)) {
        CheckBarcodeData(*b, path);
        if (b->wideBar > 0 && b->wideBar < b->narrowBar)
            Fail(path + ".wide", "expected at least the narrow bar");
        const bool kesh = label.language == Language::Kesh;
        if (b->wideBar == 0) b->wideBar = DefaultWide(*b, kesh);
        // VORN takes the bar height in inches (the printer multiplies by its
        // resolution), KESH in millimetres (tenths of them in the command).
        b->height = kesh ? b->height / label.DotsPerMm() : b->height / label.Dpi();
    }
    if (auto* p = std::get_if<quillon::Pdf417Options>(&o)) {
        if (p->moduleHeight == 0) p->moduleHeight = 3 * p->module;
        if (p->rows == 1 || p->rows == 2) Fail(path + ".rows", "a symbol has 3 to 90 rows (0 chooses)");
    }
    if (auto* a = std::get_if<quillon::AztecOptions>(&o))
        if (a->codeType == AztecCodeTypeEnum::Compact && a->layers > 4)
            Fail(path + ".layers", "a compact symbol has 1 to 4 layers");
    if (auto* r = std::get_if<quillon::RfidOptions>(&o)) {
        if (r->ascii6.size() > 6) Fail(path + ".text6", "expected at most 6 bytes");
        if (r->userData10.size() > 10) Fail(path + ".user_data", "expected at most 10 bytes");
        if (!IsHex(r->userHex4)) Fail(path + ".user_hex", "expected hexadecimal digits");
        if (!IsHex(r->password) || r->password.size() > 8)
            Fail(path + ".password", "expected up to 8 hexadecimal digits");
    }
    if (auto* p = std::get_if<quillon::PictureOptions>(&o))
        if (p->name.empty()) Fail(path + ".name", "expected a non-empty name");
}

void ReadSegments(const Reader& reader, const Json& node, const std::string& path,
                  quillon::QRCodeOptions& q) {
    if (!node.IsArray() || node.Empty()) Fail(path, "expected a non-empty array of segments");
    for (rapidjson::SizeType i = 0; i < node.Size(); ++i) {
        Segment segment;
        const Json* given[2] = {};
        reader.Read(SegmentTable(), node[i], path + "[" + std::to_string(i) + "]", &segment, 1, given);
        q.segments.emplace_back(static_cast<QRCodeManualEncodingEnum>(segment.mode), std::move(segment.data));
    }
}

// The entry point takes DataMatrix lines as one text joined by the four
// characters "/r/n".
void ReadLines(const Reader& reader, const Json& node, const std::string& path, std::string& lines) {
    if (!node.IsArray()) Fail(path, "expected an array of strings");
    for (rapidjson::SizeType i = 0; i < node.Size(); ++i) {
        const std::string at = path + "[" + std::to_string(i) + "]";
        const std::string line = reader.Text(node[i], at, nullptr, false);
        if (line.find("/r/n") != std::string::npos) Fail(at, "a line cannot contain /r/n");
        lines += (i ? "/r/n" : "") + line;
    }
}

void ReadObject(const Reader& reader, const Json& node, const std::string& path,
                const LabelDescription& label, int labelUnit, std::vector<ObjectDesc>& objects) {
    if (!node.IsObject()) Fail(path, "expected an object");
    const Json *type = nullptr, *unit = nullptr;
    for (const auto& m : node.GetObject()) {
        if (Same(View(m.name), "type")) type = &m.value;
        if (Same(View(m.name), "unit")) unit = &m.value;
    }
    const auto [kinds, count] = Kinds();
    const KindTable* table = nullptr;
    for (std::size_t i = 0; type && type->IsString() && i < count; ++i)
        if (Same(View(*type), kinds[i].name)) table = &kinds[i];
    if (!type) Fail(path + ".type", "missing");
    std::string names;
    for (std::size_t i = 0; !table && i < count; ++i) names += (i ? ", " : "") + std::string(kinds[i].name);
    if (!table) Fail(path + ".type", "expected one of " + names);
    void* options = table->begin(objects);
    ObjectDesc& o = objects.back();
    // The unit decides how every length of the object is read.
    int objectUnit = labelUnit;
    if (unit && unit->IsString()) {
        const std::string_view name = View(*unit);
        objectUnit = name == "mm" ? 1 : name == "inch" ? 2 : name == "dot" ? 0 : objectUnit;
    }
    const Kind kind = KindOf(o);
    const float dpu = kind == Kind::Picture ? 1 : label.DotsPer(objectUnit);
    const Json* given[32];  // only the table's part is used: no need to clear the rest
    std::fill_n(given, table->count, nullptr);
    reader.Read(*table, node, path, options, dpu, given, "type");
    // Only QR segments and DataMatrix lines are arrays read on their own.
    for (std::size_t k = 0; (kind == Kind::QR || kind == Kind::DataMatrix) && k < table->count; ++k) {
        if (given[k] && table->fields[k].type == FieldType::Segments)
            ReadSegments(reader, *given[k], path + ".segments", std::get<quillon::QRCodeOptions>(o));
        if (given[k] && table->fields[k].type == FieldType::Lines)
            ReadLines(reader, *given[k], path + ".lines", std::get<quillon::DataMatrixOptions>(o).lines);
    }
    // Sizes in the object's unit are lengths like any other.
    auto* t = std::get_if<quillon::TextOptions>(&o);
    if (t && t->fontSizeUnit == FontSizeUnitsEnum::Ruler)
        for (float* size :
             {&t->fontSize, t->fontSizeX ? &*t->fontSizeX : nullptr, t->fontSizeY ? &*t->fontSizeY : nullptr})
            if (size) *size = std::round(*size * dpu);
    CheckObject(o, path, label);
}

// Whether the member `key` of `root` is the string `value` (without
// RapidJSON's strlen of the key).
bool Named(const Json& root, std::string_view key, std::string_view value) {
    for (const auto& m : root.GetObject())
        if (Same(View(m.name), key)) return m.value.IsString() && Same(View(m.value), value);
    return false;
}

}  // namespace

LabelDescription ParseLabel(const Json& root, const Overrides& overrides) {
    if (!root.IsObject()) Fail("label", "expected an object");
    // The encoding and the language decide how every string is read.
    LabelDescription label;
    label.language = overrides.language != Language::Unset ? overrides.language
                     : Named(root, "language", "kesh")     ? Language::Kesh
                     : Named(root, "language", "vorn")     ? Language::Vorn
                                                           : Language::Unset;
    const Reader reader(Named(root, "encoding", "latin1"),
                        label.language == Language::Kesh ? Language::Kesh : Language::Vorn);
    const KindTable& table = LabelTable();
    const Json* given[16] = {};
    LabelHeader header;
    reader.Read(table, root, "", &header, 1, given);
    label.name = std::move(header.name);
    if (label.name.empty() || label.name.find(';') != std::string::npos)
        Fail("name", "expected a non-empty name without semicolons");
    label.dotsPerUnit = header.dotsPerMm > 0 ? header.dotsPerMm : header.dpi;
    label.resolutionUnit = header.dotsPerMm > 0 ? ScaleEnum::MM : ScaleEnum::Inch;
    if (overrides.dpi > 0) label.dotsPerUnit = overrides.dpi, label.resolutionUnit = ScaleEnum::Inch;
    if (header.width > 0) {
        const float width = std::round(header.width * label.DotsPer(header.unit));
        const float height = std::round(header.height * label.DotsPer(header.unit));
        // A picture of the label is at most this many dots a side.
        constexpr float kMaxDots = 32767;
        if (width < 1 || width > kMaxDots) Fail("width", "expected 1 to 32767 dots");
        if (height < 1 || height > kMaxDots) Fail("height", "expected 1 to 32767 dots");
        label.width = static_cast<int>(width), label.height = static_cast<int>(height);
    }
    if (const Json* objects = given[FieldIndex(table, "objects")]) {
        if (!objects->IsArray()) Fail("objects", "expected an array");
        label.objects.reserve(objects->Size());
        std::string path = "objects[";  // one buffer for every object's path
        for (rapidjson::SizeType i = 0; i < objects->Size(); ++i)
            ReadObject(reader, (*objects)[i], path.erase(8).append(std::to_string(i)) += ']', label,
                       header.unit, label.objects);
    }
    return label;
}

const char* SymbologyName(int symbology) {
    static const char* const kNames[] = {
        "", "Code 93", "Code 39", "Code 128", "EAN-13", "EAN-8", "UPC-A", "Interleaved 2 of 5", "Codabar"};
    return symbology >= 0 && symbology <= 8 ? kNames[symbology] : "";
}

}  // namespace quillon::cli
