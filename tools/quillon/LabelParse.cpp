// The label file format: field names, units, defaults and the checks that
// keep a bad value from ever reaching the label functions.

#include "LabelParse.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

namespace quillon::cli {
namespace {

struct Choice {
    const char* name;
    int value;
};
using Choices = std::initializer_list<Choice>;

const Choices kUnits = {{"dot", 0}, {"mm", 1}, {"inch", 2}};
const Choices kRotations = {{"none", 0}, {"cw", 1}, {"ccw", 2}, {"inverted", 3}};
const Choices kAlignments = {{"default", 0}, {"left", 1}, {"center", 2}, {"right", 3}};
const Choices kSizeUnits = {{"unit", 0}, {"points", 1}, {"percent", 2}};
const Choices kStyles = {{"normal", 0}, {"bold", 1}, {"italic", 2}, {"bold-italic", 3}};
const Choices kSymbologies = {{"code93", 1}, {"code39", 2}, {"code128", 3}, {"ean13", 4},
                              {"ean8", 5},   {"upca", 6},   {"i2of5", 7},   {"codabar", 8}};
const Choices kQrLevels = {{"L", 0}, {"M", 1}, {"Q", 2}, {"H", 3}};
const Choices kQrModes = {{"numeric", 0}, {"alphanumeric", 1}, {"binary", 2}, {"kanji", 3}};
const Choices kAztecTypes = {{"default", 0}, {"fixed-ec", 1}, {"compact", 2}, {"full", 3}, {"rune", 4}};
const Choices kBanks = {{"epc", 1}, {"user", 3}};
const Choices kPasswords = {{"none", 0}, {"lock", 1}, {"permalock", 2}, {"unlock", 3}, {"permaunlock", 4}};
const Choices kLanguages = {{"vorn", 1}, {"kesh", 2}};
const Choices kEncodings = {{"utf-8", 0}, {"latin1", 1}};

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw LabelError(path + ": " + what);
}

std::string ChoiceList(Choices choices) {
    std::string list;
    for (const Choice& c : choices) {
        if (!list.empty()) list += ", ";
        list += c.name;
    }
    return list;
}

// UTF-8 text to one byte per character; the printer fonts are 8-bit.
std::string ToLatin1(std::string_view text, const std::string& path) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        // JSON text is valid UTF-8 once parsed, so the continuation bytes
        // are there; anything beyond two bytes is above U+07FF.
        if ((lead & 0xE0) == 0xC0 && lead <= 0xC3) {
            auto next = static_cast<unsigned char>(text[i + 1]);
            out.push_back(static_cast<char>(((lead & 0x1F) << 6) | (next & 0x3F)));
            i += 2;
            continue;
        }
        Fail(path, "character at byte " + std::to_string(i) + " cannot be written in latin1");
    }
    return out;
}

// Where a value sits in the label, built into text only for a message.
struct Path {
    const Path* parent = nullptr;
    const char* name = nullptr;  // member name, or null for an array element
    std::size_t index = 0;

    std::string Text() const {
        if (!parent && !name) return std::string();
        std::string base = parent ? parent->Text() : std::string();
        if (!name) return base + "[" + std::to_string(index) + "]";
        return base.empty() ? name : base + "." + name;
    }
};

// Reads the fields of one JSON object and remembers which were read, so
// that a misspelt field is reported instead of silently taking its default.
// The members are listed once in a table; a lookup compares lengths before
// bytes, and a bit per member marks it read.
class Fields {
  public:
    Fields(const json::Document& doc, const json::Node& object, const Path& path, bool latin1)
        : _doc(doc), _object(object), _path(path), _latin1(latin1) {
        if (_object.type != json::Type::Object) Fail(Where(), "expected an object");
        std::uint32_t i = _object.first;
        for (; i != 0 && _count < kMaxFields; i = _doc.At(i).next) {
            const json::Node& member = _doc.At(i);
            const std::string_view key = _doc.Key(member);
            _table[_count++] = {key.data(), key.size(), &member};
            _present |= Bucket(key);
        }
        _overflow = i;
    }

    std::string PathOf(const char* key) const {
        Path p{&_path, key, 0};
        return p.Text();
    }

    bool Has(const char* key) const { return Lookup(key) != nullptr; }

    const json::Node* Find(const char* key) { return Lookup(key, &_read); }

    float Number(const char* key) {
        const json::Node* v = Find(key);
        if (!v) Fail(PathOf(key), "missing");
        return ToFloat(*v, key);
    }
    float Number(const char* key, float fallback) {
        const json::Node* v = Find(key);
        return v ? ToFloat(*v, key) : fallback;
    }
    float Positive(const char* key, float fallback) {
        float value = Number(key, fallback);
        if (!(value > 0)) Fail(PathOf(key), "expected a number above 0");
        return value;
    }

    long long Integer(const char* key, long long fallback, long long lo, long long hi) {
        const json::Node* v = Find(key);
        if (!v) return fallback;
        if (v->type != json::Type::Int || v->integer < lo || v->integer > hi)
            Fail(PathOf(key), "expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
        return v->integer;
    }
    int Int(const char* key, int fallback, int lo = std::numeric_limits<int>::min(),
            int hi = std::numeric_limits<int>::max()) {
        return static_cast<int>(Integer(key, fallback, lo, hi));
    }

    std::string String(const char* key) {
        if (!Has(key)) Fail(PathOf(key), "missing");
        return String(key, "");
    }
    std::string String(const char* key, const char* fallback) {
        const json::Node* v = Find(key);
        if (!v) return fallback;
        if (v->type != json::Type::String) Fail(PathOf(key), "expected a string");
        return Text(_doc.Text(*v), [&] { return PathOf(key); });
    }
    template <typename PathFn>
    std::string Text(std::string_view utf8, PathFn&& path) const {
        return _latin1 ? ToLatin1(utf8, path()) : std::string(utf8);
    }

    bool Bool(const char* key, bool fallback) {
        const json::Node* v = Find(key);
        if (!v) return fallback;
        if (v->type != json::Type::Bool) Fail(PathOf(key), "expected true or false");
        return v->boolean;
    }

    int Pick(const char* key, Choices choices, int fallback) {
        const json::Node* v = Find(key);
        if (!v) return fallback;
        if (v->type == json::Type::String) {
            std::string_view name = _doc.Text(*v);
            for (const Choice& c : choices)
                if (name == c.name) return c.value;
        }
        Fail(PathOf(key), "expected one of " + ChoiceList(choices));
    }

    // Every field of the object must have been read by now. A label object
    // has far fewer known fields than the table holds, so when there are
    // more members than that, an unread one is always within the table.
    void Finish() const {
        const std::size_t read = static_cast<std::size_t>(__builtin_popcountll(_read));
        if (read == _object.count) return;
        for (std::size_t i = 0; i < _count; ++i) {
            if (_read >> i & 1) continue;
            bool duplicate = false;
            for (std::size_t k = 0; k < i && !duplicate; ++k) duplicate = _table[k].Key() == _table[i].Key();
            std::string key(_table[i].Key());
            Fail(PathOf(key.c_str()), duplicate ? "given twice" : "unknown field");
        }
    }

    std::string Where() const {
        std::string here = _path.Text();
        return here.empty() ? "label" : here;
    }
    bool Latin1() const { return _latin1; }
    const json::Document& Doc() const { return _doc; }
    const Path& Here() const { return _path; }

  private:
    static constexpr std::size_t kMaxFields = 64;

    // Trivial, so that the table costs nothing until it is filled.
    struct Member {
        const char* key;
        std::size_t size;
        const json::Node* value;
        std::string_view Key() const { return {key, size}; }
    };

    // The first member named `key`, marked in `read` when given.
    // Most lookups are for fields left at their default; one bit per
    // member's length and first and last byte turns most of them away
    // without a scan.
    static std::uint64_t Bucket(std::string_view key) {
        if (key.empty()) return 1;
        auto first = static_cast<unsigned char>(key.front()), last = static_cast<unsigned char>(key.back());
        return std::uint64_t{1} << ((key.size() * 5 + first + last * 3) & 63);
    }

    const json::Node* Lookup(std::string_view key, std::uint64_t* read = nullptr) const {
        if (!(_present & Bucket(key)) && _overflow == 0) return nullptr;
        for (std::size_t i = 0; i < _count; ++i) {
            const Member& m = _table[i];
            if (m.size == key.size() && (key.empty() || m.key[0] == key[0]) && m.Key() == key) {
                if (read) *read |= std::uint64_t{1} << i;
                return m.value;
            }
        }
        for (std::uint32_t i = _overflow; i != 0; i = _doc.At(i).next)
            if (_doc.Key(_doc.At(i)) == key) return &_doc.At(i);
        return nullptr;
    }

    float ToFloat(const json::Node& v, const char* key) const {
        if (v.type != json::Type::Int && v.type != json::Type::Float) Fail(PathOf(key), "expected a number");
        double d = v.number;
        if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max())
            Fail(PathOf(key), "number out of range");
        return static_cast<float>(d);
    }

    const json::Document& _doc;
    const json::Node& _object;
    const Path& _path;
    bool _latin1;
    Member _table[kMaxFields];
    std::size_t _count = 0;
    std::uint32_t _overflow = 0;  // first member past the table
    std::uint64_t _present = 0;   // Bucket bits of the members in the table
    std::uint64_t _read = 0;
};

ScaleEnum UnitOf(Fields& f, ScaleEnum labelUnit) {
    return static_cast<ScaleEnum>(f.Pick("unit", kUnits, static_cast<int>(labelUnit)));
}
RotateEnum RotationOf(Fields& f) {
    return static_cast<RotateEnum>(f.Pick("rotation", kRotations, 0));
}

void ReadText(Fields& f, TextDesc& t, ScaleEnum unit) {
    t.x = f.Number("x");
    t.y = f.Number("y");
    t.text = f.String("text");
    if (f.Has("size") && (f.Has("size_x") || f.Has("size_y")))
        Fail(f.PathOf("size"), "give either size or size_x and size_y");
    float size = f.Number("size", 10);
    t.sizeX = f.Number("size_x", size);
    t.sizeY = f.Number("size_y", size);
    t.sizeUnit = static_cast<FontSizeUnitsEnum>(f.Pick("size_unit", kSizeUnits, 1));
    t.style = static_cast<FontStyleEnum>(f.Pick("style", kStyles, 0));
    t.align = static_cast<AlignEnum>(f.Pick("align", kAlignments, 0));
    t.font = f.String("font", "");
    t.rotation = RotationOf(f);
    t.unit = unit;
}

void ReadShape(Fields& f, ShapeDesc& s, ScaleEnum unit, bool box) {
    s.box = box;
    s.x = f.Number("x");
    s.y = f.Number("y");
    s.x2 = f.Number("x2");
    s.y2 = f.Number("y2");
    s.thickness = f.Number("thickness", 1);
    s.unit = unit;
}

void ReadBarcode1D(Fields& f, Barcode1DDesc& b, ScaleEnum unit) {
    b.x = f.Number("x");
    b.y = f.Number("y");
    b.data = f.String("data");
    b.symbology = static_cast<BarcodeTypeEnum_1D>(f.Pick("symbology", kSymbologies, 3));
    b.narrow = f.Number("narrow", 2);
    b.wide = f.Number("wide", b.narrow * 2);
    b.height = f.Number("height", 100);
    b.humanReadable = f.Bool("human_readable", true);
    b.textAbove = f.Bool("text_above", false);
    b.rotation = RotationOf(f);
    b.unit = unit;
}

void ReadQR(Fields& f, QRDesc& q, ScaleEnum unit) {
    q.x = f.Number("x");
    q.y = f.Number("y");
    q.module = f.Number("module", 4);
    q.mask = f.Int("mask", -1, 0, 8);
    q.errorCorrection = f.Pick("error_correction", kQrLevels, -1);
    q.model = f.Int("model", 0, 1, 2) - 1;
    q.rotation = RotationOf(f);
    q.unit = unit;
    if (const json::Node* segments = f.Find("segments")) {
        if (f.Has("data")) Fail(f.PathOf("segments"), "give either data or segments");
        Path base{&f.Here(), "segments", 0};
        if (segments->type != json::Type::Array || segments->count == 0)
            Fail(base.Text(), "expected a non-empty array of segments");
        std::size_t i = 0;
        for (std::uint32_t k = segments->first; k != 0; k = f.Doc().At(k).next, ++i) {
            Path at{&base, nullptr, i};
            Fields s(f.Doc(), f.Doc().At(k), at, f.Latin1());
            auto mode = static_cast<QRCodeManualEncodingEnum>(s.Pick("mode", kQrModes, 2));
            q.segments.emplace_back(mode, s.String("data"));
            s.Finish();
        }
        q.manual = true;
    } else {
        q.data = f.String("data");
    }
}

void ReadPdf417(Fields& f, Pdf417Desc& p, ScaleEnum unit) {
    p.x = f.Number("x");
    p.y = f.Number("y");
    p.data = f.String("data");
    p.moduleWidth = f.Number("module_width", 2);
    p.moduleHeight = f.Number("module_height", p.moduleWidth * 3);
    p.errorCorrection = f.Int("error_correction", -1, 0, 8);
    p.rows = f.Int("rows", 0);
    p.columns = f.Int("columns", 0);
    p.rotation = RotationOf(f);
    p.unit = unit;
}

void ReadDataMatrix(Fields& f, DataMatrixDesc& d, ScaleEnum unit) {
    d.x = f.Number("x");
    d.y = f.Number("y");
    d.data = f.String("data");
    d.module = f.Number("module", 4);
    d.rectangle = f.Bool("rectangle", false);
    if (const json::Node* lines = f.Find("lines")) {
        Path base{&f.Here(), "lines", 0};
        if (lines->type != json::Type::Array) Fail(base.Text(), "expected an array of strings");
        // The entry point takes the lines as one text joined by the four
        // characters "/r/n".
        std::size_t i = 0;
        for (std::uint32_t k = lines->first; k != 0; k = f.Doc().At(k).next, ++i) {
            Path at{&base, nullptr, i};
            const json::Node& item = f.Doc().At(k);
            if (item.type != json::Type::String) Fail(at.Text(), "expected a string");
            std::string_view line = f.Doc().Text(item);
            if (line.find("/r/n") != std::string_view::npos) Fail(at.Text(), "a line cannot contain /r/n");
            if (i) d.lines += "/r/n";
            d.lines += f.Text(line, [&] { return at.Text(); });
        }
    }
    d.control1 = f.Int("control1", 13, 0, 127);
    d.control2 = f.Int("control2", 10, 0, 127);
    d.rows = f.Int("rows", -1);
    d.columns = f.Int("columns", -1);
    d.rotation = RotationOf(f);
    d.unit = unit;
}

void ReadAztec(Fields& f, AztecDesc& a, ScaleEnum unit) {
    a.x = f.Number("x");
    a.y = f.Number("y");
    a.data = f.String("data");
    a.module = f.Number("module", 4);
    a.codeType = f.Pick("code_type", kAztecTypes, 0);
    a.errorCorrection = f.Int("error_correction", -1);
    a.layers = f.Int("layers", -1);
    a.rotation = RotationOf(f);
    a.unit = unit;
}

void ReadMaxicode(Fields& f, MaxicodeDesc& m, ScaleEnum unit) {
    m.x = f.Number("x");
    m.y = f.Number("y");
    m.mode = f.Int("mode", 2, 2, 4);
    // Each mode carries its own fields; one that the mode does not use is a
    // mistake in the file, not something to drop quietly.
    const bool structured = m.mode != 4;
    const char* const ownFields[] = {"postal_code", "country_code", "service_class", "year", "primary"};
    for (const char* key : ownFields) {
        bool used = structured ? std::string(key) != "primary" && (m.mode == 3 || std::string(key) != "year")
                               : std::string(key) == "primary";
        if (!used && f.Has(key)) Fail(f.PathOf(key), "not used by mode " + std::to_string(m.mode));
    }
    if (structured) {
        m.postalCode = f.String("postal_code");
        m.countryCode = f.String("country_code");
        m.serviceClass = f.String("service_class");
        if (m.mode == 3) m.year = f.String("year");
    } else {
        m.primary = f.String("primary");
    }
    m.message = f.String("message", "");
    m.zipper = f.Bool("zipper", false);
    m.rotation = RotationOf(f);
    m.unit = unit;
}

void ReadRfid(Fields& f, RfidDesc& r) {
    r.bank = static_cast<RfidMemBlockEnum>(f.Pick("bank", kBanks, 1));
    const unsigned kMax = 0xFFFFFFFFu;
    if (r.bank == RfidMemBlockEnum::EPC) {
        for (const char* key : {"user_data", "user_hex", "offset"})
            if (f.Has(key)) Fail(f.PathOf(key), "only used with bank user");
        r.field32 = static_cast<unsigned>(f.Integer("field32", 0, 0, kMax));
        r.text6 = f.String("text6", "");
        r.field16 = static_cast<unsigned>(f.Integer("field16", 0, 0, kMax));
    } else {
        for (const char* key : {"field32", "text6", "field16"})
            if (f.Has(key)) Fail(f.PathOf(key), "only used with bank epc");
        r.userData = f.String("user_data", "");
        r.userHex = f.String("user_hex", "");
        for (char c : r.userHex)
            if (!std::isxdigit(static_cast<unsigned char>(c)))
                Fail(f.PathOf("user_hex"), "expected hexadecimal digits");
        r.offset = f.Int("offset", 0, 0);
    }
    r.passwordType = static_cast<RfidPasswordTypeEnum>(f.Pick("password_type", kPasswords, 0));
    r.password = f.String("password", "");
}

void ReadPicture(Fields& f, PictureDesc& p) {
    p.x = f.Int("x", 0);
    p.y = f.Int("y", 0);
    p.name = f.String("name");
    if (p.name.find_first_of("\r\n") != std::string::npos) Fail(f.PathOf("name"), "a name is one line");
}

ObjectDesc ReadObject(const json::Document& doc, const json::Node& value, const Path& path,
                      ScaleEnum labelUnit, bool latin1) {
    Fields f(doc, value, path, latin1);
    const json::Node* type = f.Find("type");
    if (!type) Fail(f.PathOf("type"), "missing");
    const std::string_view kind = type->type == json::Type::String ? doc.Text(*type) : std::string_view();
    ObjectDesc object;
    if (kind == "text") {
        ReadText(f, object.emplace<TextDesc>(), UnitOf(f, labelUnit));
    } else if (kind == "line" || kind == "box") {
        ReadShape(f, object.emplace<ShapeDesc>(), UnitOf(f, labelUnit), kind == "box");
    } else if (kind == "barcode1d") {
        ReadBarcode1D(f, object.emplace<Barcode1DDesc>(), UnitOf(f, labelUnit));
    } else if (kind == "qr") {
        ReadQR(f, object.emplace<QRDesc>(), UnitOf(f, labelUnit));
    } else if (kind == "pdf417") {
        ReadPdf417(f, object.emplace<Pdf417Desc>(), UnitOf(f, labelUnit));
    } else if (kind == "datamatrix") {
        ReadDataMatrix(f, object.emplace<DataMatrixDesc>(), UnitOf(f, labelUnit));
    } else if (kind == "aztec") {
        ReadAztec(f, object.emplace<AztecDesc>(), UnitOf(f, labelUnit));
    } else if (kind == "maxicode") {
        ReadMaxicode(f, object.emplace<MaxicodeDesc>(), UnitOf(f, labelUnit));
    } else if (kind == "rfid") {
        ReadRfid(f, object.emplace<RfidDesc>());
    } else if (kind == "picture") {
        ReadPicture(f, object.emplace<PictureDesc>());
    } else {
        Fail(f.PathOf("type"),
             "expected one of text, line, box, barcode1d, qr, pdf417, datamatrix, aztec, maxicode, rfid, "
             "picture");
    }
    f.Finish();
    return object;
}

}  // namespace

LabelDescription ParseLabel(const json::Document& doc, const json::Node& root) {
    if (root.type != json::Type::Object) Fail("label", "expected an object");
    const Path top;
    // The encoding decides how every other string is read, so it comes first.
    bool latin1 = false;
    {
        Fields probe(doc, root, top, false);
        latin1 = probe.Pick("encoding", kEncodings, 0) == 1;
    }
    Fields f(doc, root, top, latin1);
    f.Find("encoding");
    LabelDescription label;
    label.name = f.String("name", "LABEL");
    if (label.name.empty() || label.name.find_first_of("\r\n;") != std::string::npos)
        Fail("name", "expected a non-empty name without line breaks or semicolons");
    int language = f.Pick("language", kLanguages, 0);
    label.language = language == 1 ? Language::Vorn : language == 2 ? Language::Kesh : Language::Unset;
    if (f.Has("dpi") && f.Has("dots_per_mm")) Fail("dots_per_mm", "give either dpi or dots_per_mm");
    if (f.Has("dots_per_mm")) {
        label.dotsPerUnit = f.Positive("dots_per_mm", 8);
        label.resolutionUnit = ScaleEnum::MM;
    } else {
        label.dotsPerUnit = f.Positive("dpi", 203);
        label.resolutionUnit = ScaleEnum::Inch;
    }
    auto unit = static_cast<ScaleEnum>(f.Pick("unit", kUnits, 0));
    if (const json::Node* objects = f.Find("objects")) {
        if (objects->type != json::Type::Array) Fail("objects", "expected an array");
        label.objects.reserve(objects->count);
        const Path base{nullptr, "objects", 0};
        std::size_t i = 0;
        for (std::uint32_t k = objects->first; k != 0; k = doc.At(k).next, ++i) {
            const Path at{&base, nullptr, i};
            label.objects.push_back(ReadObject(doc, doc.At(k), at, unit, latin1));
        }
    }
    f.Finish();
    return label;
}

}  // namespace quillon::cli
