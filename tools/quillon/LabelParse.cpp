// Checks a parsed label against the field tables and turns it into a
// description: lengths into dots, strings into the bytes the printer gets.

#include "LabelParse.h"

#include <cmath>
#include <cstring>

#include "LabelChecks.h"
#include "LabelFields.h"

namespace quillon::cli {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw LabelError(path + ": " + what);
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string ChoiceList(const Field& f) {
    std::string list;
    for (std::size_t i = 0; i < f.choiceCount; ++i) list += (i ? ", " : "") + std::string(f.choices[i].name);
    return list;
}

// UTF-8 text to one byte per character; the printer fonts are 8-bit.
std::string ToLatin1(std::string_view text, const std::string& path) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
        } else if (lead == 0xC2 || lead == 0xC3) {  // U+0080-U+00FF
            out.push_back(static_cast<char>(((lead & 0x1F) << 6) | (text[++i] & 0x3F)));
        } else {
            Fail(path, "character at byte " + std::to_string(i) + " cannot be written in latin1");
        }
    }
    return out;
}

// Reads label and object fields with the rules of one label.
class Reader {
  public:
    Reader(const json::Document& doc, bool latin1, Language language)
        : _doc(doc), _latin1(latin1), _language(language) {}

    // Fills `target` from the members of `object` by `table`, and returns
    // each field's member (null when not given). `skip` is a member read by
    // the caller (an object's type).
    void Read(const KindTable& table, const json::Node& object, const std::string& path, void* target, float dpu,
              const json::Node** given, const char* skip = nullptr) const {
        if (object.type != json::Type::Object) Fail(path.empty() ? "label" : path, "expected an object");
        for (std::uint32_t i = object.first; i != 0; i = _doc.At(i).next) {
            const json::Node& member = _doc.At(i);
            const std::string_view key = _doc.Key(member);
            if (skip && key == skip) continue;
            const int k = FieldIndex(table, key.data(), key.size());
            if (k < 0) Fail(Join(path, std::string(key)), "unknown field");
            if (given[k]) Fail(Join(path, std::string(key)), "given twice");
            given[k] = &member;
            const Field& f = table.fields[k];
            if (!f.set) continue;
            FieldValue value = Convert(f, member, path, dpu);
            f.set(target, value);
        }
        for (std::size_t k = 0; k < table.count; ++k) CheckTogether(table, k, path, given);
    }

    // `key` null: `path` names the string itself.
    std::string Text(std::string_view utf8, const std::string& path, const char* key, bool anyBytes) const {
        std::string text = _latin1 ? ToLatin1(utf8, key ? Join(path, key) : path) : std::string(utf8);
        if (!anyBytes) CheckWritable(text, _language, path, key);
        return text;
    }

    Language Lang() const { return _language; }

    static std::string Join(const std::string& path, const std::string& key) {
        return path.empty() ? key : path + "." + key;
    }

  private:
    // `object` is the path of the object; the field's own path is built only
    // for a message.
    FieldValue Convert(const Field& f, const json::Node& v, const std::string& object, float dpu) const {
        auto Fail = [&](const std::string& what) { cli::Fail(Join(object, f.name), what); };
        FieldValue out;
        switch (f.type) {
            case FieldType::Position:
            case FieldType::Length:
            case FieldType::Number: {
                if (v.type != json::Type::Int && v.type != json::Type::Float) Fail("expected a number");
                const bool length = f.type != FieldType::Number;
                // Whole dots, rounded, so that 12.7 mm and 0.5 in are 150 dots at 300 dpi.
                out.number = length ? std::round(static_cast<float>(v.number) * dpu) : v.number;
                const bool above = f.type == FieldType::Length || f.above;
                if (!(above ? out.number > f.lo : out.number >= f.lo) || !(out.number <= f.hi)) {
                    std::string what = length ? "a length " : "a number ";
                    what += above ? "above " + Number(f.lo) + " and at most " : "from " + Number(f.lo) + " to ";
                    Fail("expected " + what + Number(f.hi) + (length ? " dots" : ""));
                }
                return out;
            }
            case FieldType::Integer:
                if (v.type != json::Type::Int || v.integer < f.lo || v.integer > f.hi)
                    Fail("expected an integer from " + Number(f.lo) + " to " + Number(f.hi));
                out.integer = v.integer;
                return out;
            case FieldType::String:
                if (v.type != json::Type::String) Fail("expected a string");
                out.text = Text(_doc.Text(v), object, f.name, f.anyBytes);
                return out;
            case FieldType::Bool:
                if (v.type != json::Type::Bool) Fail("expected true or false");
                out.boolean = v.boolean;
                return out;
            case FieldType::Choice:
                out.integer = ChoiceOf(f, v, Join(object, f.name));
                return out;
            default:
                return out;
        }
    }

    int ChoiceOf(const Field& f, const json::Node& v, const std::string& path) const {
        if (v.type == json::Type::String) {
            std::string_view name = _doc.Text(v);
            for (std::size_t i = 0; i < f.choiceCount; ++i)
                if (name == f.choices[i].name) return f.choices[i].value;
        }
        Fail(path, "expected one of " + ChoiceList(f));
    }

    // The value a condition looks at: as given, or the field's default.
    long long ValueOf(const KindTable& table, const char* name, const json::Node** given) const {
        const int k = FieldIndex(table, name, std::strlen(name));
        const Field& f = table.fields[k];
        if (!given[k]) return static_cast<long long>(f.def);
        return f.type == FieldType::Choice ? ChoiceOf(f, *given[k], name) : given[k]->integer;
    }

    void CheckTogether(const KindTable& table, std::size_t k, const std::string& path,
                       const json::Node** given) const {
        const Field& f = table.fields[k];
        if (!f.excludes && !f.needs && !f.onlyWith && (f.defaultText || given[k])) return;
        auto fail = [&](const std::string& what) { cli::Fail(Join(path, f.name), what); };
        auto has = [&](const char* other) { return given[FieldIndex(table, other, std::strlen(other))] != nullptr; };
        if (given[k] && f.excludes && has(f.excludes)) fail(std::string("cannot be given with ") + f.excludes);
        if (given[k] && f.needs && !has(f.needs)) fail(std::string("needs ") + f.needs + " too");
        bool required = !f.defaultText && !(f.orElse && has(f.orElse));
        if (f.onlyWith) {
            const long long value = ValueOf(table, f.onlyWith, given);
            const bool allowed = value >= 0 && value < 32 && (f.onlyValues >> value & 1);
            if (given[k] && !allowed) {
                const Field& c = table.fields[FieldIndex(table, f.onlyWith, std::strlen(f.onlyWith))];
                std::string shown = std::to_string(value);
                for (std::size_t i = 0; i < c.choiceCount; ++i)
                    if (c.choices[i].value == value) shown = c.choices[i].name;
                fail(std::string("not used with ") + f.onlyWith + " " + shown);
            }
            required = allowed && f.requiredThen;
        }
        if (required && !given[k]) fail("missing");
    }

    const json::Document& _doc;
    bool _latin1;
    Language _language;
};

const KindTable* KindNamed(std::string_view type) {
    std::size_t count;
    const KindTable* kinds = Kinds(count);
    for (std::size_t i = 0; i < count; ++i)
        if (type == kinds[i].name) return &kinds[i];
    return nullptr;
}

std::string KindList() {
    std::size_t count;
    const KindTable* kinds = Kinds(count);
    std::string list;
    for (std::size_t i = 0; i < count; ++i) list += (i ? ", " : "") + std::string(kinds[i].name);
    return list;
}

void ReadSegments(const json::Document& doc, const Reader& reader, const json::Node& node, const std::string& path,
                  ObjectDesc& o) {
    static const Choice kModes[] = {{"numeric", 0}, {"alphanumeric", 1}, {"binary", 2}, {"kanji", 3}};
    static const Field kSegmentFields[] = {
        Field{"mode", FieldType::Choice, nullptr, "Segment mode"}.Default("binary"),
        Field{"data", FieldType::String, nullptr, "Segment data"},
    };
    static const KindTable kSegment = {"segment", Kind::QR, kSegmentFields, 2, nullptr};
    if (node.type != json::Type::Array || node.count == 0) Fail(path, "expected a non-empty array of segments");
    std::size_t i = 0;
    for (std::uint32_t k = node.first; k != 0; k = doc.At(k).next, ++i) {
        const std::string at = path + "[" + std::to_string(i) + "]";
        const json::Node* given[2] = {};
        reader.Read(kSegment, doc.At(k), at, nullptr, 1, given);
        int mode = 2;
        if (given[0]) {
            mode = -1;
            for (const Choice& c : kModes)
                if (doc.Text(*given[0]) == c.name) mode = c.value;
            if (given[0]->type != json::Type::String || mode < 0)
                Fail(at + ".mode", "expected one of numeric, alphanumeric, binary, kanji");
        }
        if (given[1]->type != json::Type::String) Fail(at + ".data", "expected a string");
        o.segments.emplace_back(static_cast<QRCodeManualEncodingEnum>(mode),
                                reader.Text(doc.Text(*given[1]), at, "data", false));
    }
    o.manual = true;
}

void ReadLines(const json::Document& doc, const Reader& reader, const json::Node& node, const std::string& path,
               ObjectDesc& o) {
    if (node.type != json::Type::Array) Fail(path, "expected an array of strings");
    // The entry point takes the lines as one text joined by the four
    // characters "/r/n".
    std::size_t i = 0;
    for (std::uint32_t k = node.first; k != 0; k = doc.At(k).next, ++i) {
        const std::string at = path + "[" + std::to_string(i) + "]";
        const json::Node& item = doc.At(k);
        if (item.type != json::Type::String) Fail(at, "expected a string");
        std::string_view line = doc.Text(item);
        if (line.find("/r/n") != std::string_view::npos) Fail(at, "a line cannot contain /r/n");
        if (i) o.lines += "/r/n";
        o.lines += reader.Text(line, at, nullptr, false);
    }
}

void ReadObject(const json::Document& doc, const Reader& reader, const json::Node& node, const std::string& path,
                const LabelDescription& label, int labelUnit, ObjectDesc& o) {
    if (node.type != json::Type::Object) Fail(path, "expected an object");
    const json::Node* type = doc.Member(node, "type");
    if (!type) Fail(path + ".type", "missing");
    const KindTable* table = type->type == json::Type::String ? KindNamed(doc.Text(*type)) : nullptr;
    if (!table) Fail(path + ".type", "expected one of " + KindList());

    o.kind = table->kind;
    if (o.kind == Kind::Pdf417) {
        o.module = 2;
        o.rows = o.columns = 0;  // chosen from the data
    }
    // The unit decides how every length of the object is read.
    o.unit = labelUnit;
    const json::Node* unit = doc.Member(node, "unit");
    if (unit && unit->type == json::Type::String) {
        const std::string_view name = doc.Text(*unit);
        o.unit = name == "mm" ? 1 : name == "inch" ? 2 : name == "dot" ? 0 : o.unit;
    }
    const float dpu = o.kind == Kind::Picture ? 1 : o.unit == 1 ? label.DotsPerMm() : o.unit == 2 ? label.Dpi() : 1;
    const json::Node* given[32] = {};
    reader.Read(*table, node, path, &o, dpu, given, "type");
    for (std::size_t k = 0; k < table->count; ++k) {
        if (!given[k]) continue;
        if (table->fields[k].type == FieldType::Segments)
            ReadSegments(doc, reader, *given[k], Reader::Join(path, "segments"), o);
        if (table->fields[k].type == FieldType::Lines)
            ReadLines(doc, reader, *given[k], Reader::Join(path, "lines"), o);
    }
    auto has = [&](const char* name) { return given[FieldIndex(*table, name, std::strlen(name))] != nullptr; };
    if (o.kind == Kind::Text && o.sizeUnit == 0) o.size = std::round(o.size * dpu);
    if (o.kind == Kind::Text && !has("size_x")) o.sizeX = o.sizeY = o.size;
    if (o.kind == Kind::Text && has("size_x") && o.sizeUnit == 0) {
        o.sizeX = std::round(o.sizeX * dpu);
        o.sizeY = std::round(o.sizeY * dpu);
    }
    CheckObject(o, path);
}

}  // namespace

LabelDescription ParseLabel(const json::Document& doc, const json::Node& root, Language language) {
    if (root.type != json::Type::Object) Fail("label", "expected an object");
    // The encoding and the language decide how every string is read.
    auto named = [&](const char* key, const char* value) {
        const json::Node* n = doc.Member(root, key);
        return n && n->type == json::Type::String && doc.Text(*n) == value;
    };
    LabelDescription label;
    label.language = named("language", "kesh")   ? Language::Kesh
                     : named("language", "vorn") ? Language::Vorn
                                                 : Language::Unset;
    if (language != Language::Unset) label.language = language;
    const Language printed = label.language == Language::Kesh ? Language::Kesh : Language::Vorn;
    const Reader reader(doc, named("encoding", "latin1"), printed);

    const KindTable& table = LabelTable();
    const json::Node* given[16] = {};
    LabelHeader header;
    reader.Read(table, root, "", &header, 1, given);
    label.name = std::move(header.name);
    if (label.name.empty() || label.name.find(';') != std::string::npos)
        Fail("name", "expected a non-empty name without semicolons");
    if (header.dotsPerMm > 0) {
        label.dotsPerUnit = header.dotsPerMm;
        label.resolutionUnit = ScaleEnum::MM;
    } else {
        label.dotsPerUnit = header.dpi;
    }
    if (const json::Node* objects = given[FieldIndex(table, "objects", 7)]) {
        if (objects->type != json::Type::Array) Fail("objects", "expected an array");
        label.objects.reserve(objects->count);
        std::size_t i = 0;
        for (std::uint32_t k = objects->first; k != 0; k = doc.At(k).next, ++i)
            ReadObject(doc, reader, doc.At(k), "objects[" + std::to_string(i) + "]", label, header.unit,
                       label.objects.emplace_back());
    }
    return label;
}

}  // namespace quillon::cli
