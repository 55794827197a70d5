// quillon schema: the label format as JSON Schema, or as the field tables
// of its documentation, both from the tables the reader checks against.

#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <cstring>
#include <memory>

#include "Cli.h"
#include "LabelFields.h"
#include "Target.h"

namespace quillon::cli {
namespace {

using Json = rapidjson::Value;

class SchemaWriter {
  public:
    std::string Write() {
        rapidjson::Document root(rapidjson::kObjectType);
        Add(root, "$schema", Str("https://json-schema.org/draft/2020-12/schema"));
        Add(root, "title", Str("quillon label"));
        Add(root, "description", Str("A label for `quillon render`; see docs/label-format.md."));
        Table(root, LabelTable(), false);
        Json defs(rapidjson::kObjectType), object(rapidjson::kObjectType), kinds(rapidjson::kArrayType),
            branches(rapidjson::kArrayType);
        std::size_t count;
        const KindTable* tables = Kinds(count);
        for (std::size_t i = 0; i < count; ++i) {
            kinds.PushBack(Str(tables[i].name), _a);
            Json kind(rapidjson::kObjectType), branch(rapidjson::kObjectType);
            Table(kind, tables[i], true);
            Add(defs, tables[i].name, kind);
            Add(branch, "if", Obj("properties", Obj("type", Obj("const", Str(tables[i].name)))));
            Add(branch, "then", Obj("$ref", Str(std::string("#/$defs/") + tables[i].name)));
            branches.PushBack(branch, _a);
        }
        Add(object, "type", Str("object"));
        Add(object, "required", Array({"type"}));
        Add(object, "properties", Obj("type", Obj("enum", kinds)));
        Add(object, "allOf", branches);
        Add(defs, "object", object);
        Add(root, "$defs", defs);
        rapidjson::StringBuffer out;
        rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(out);
        writer.SetIndent(' ', 2);
        root.Accept(writer);
        return std::string(out.GetString()) + "\n";
    }

  private:
    Json Str(const std::string& s) { return Json(s.c_str(), static_cast<rapidjson::SizeType>(s.size()), _a); }
    // Values are moved into their parent, as RapidJSON does.
    template <class V>
    void Add(Json& object, const char* key, V&& value) {
        Json name = Str(key);
        object.AddMember(name, value, _a);
    }
    template <class V>
    Json Obj(const char* key, V&& value) {
        Json o(rapidjson::kObjectType);
        Add(o, key, value);
        return o;
    }
    Json Array(std::initializer_list<const char*> names) {
        Json a(rapidjson::kArrayType);
        for (const char* n : names) a.PushBack(Str(n), _a);
        return a;
    }

    Json Property(const Field& f) {
        Json p(rapidjson::kObjectType);
        Add(p, "description", Str(f.meaning));
        switch (f.type) {
            case FieldType::Position:
                Add(p, "type", Str("number"));
                Add(p, "minimum", Json(0));
                break;
            case FieldType::Length:
                Add(p, "type", Str("number"));
                Add(p, "exclusiveMinimum", Json(0));
                break;
            case FieldType::Number:
            case FieldType::Integer:
                Add(p, "type", Str(f.type == FieldType::Number ? "number" : "integer"));
                Add(p, f.above ? "exclusiveMinimum" : "minimum", Json(f.lo));
                Add(p, "maximum", Json(f.hi));
                break;
            case FieldType::String:
                Add(p, "type", Str("string"));
                break;
            case FieldType::Bool:
                Add(p, "type", Str("boolean"));
                break;
            case FieldType::Choice: {
                Json names(rapidjson::kArrayType);
                for (std::size_t i = 0; i < f.choiceCount; ++i) names.PushBack(Str(f.choices[i].name), _a);
                Add(p, "enum", names);
                break;
            }
            case FieldType::Lines:
                Add(p, "type", Str("array"));
                Add(p, "items", Obj("type", Str("string")));
                break;
            case FieldType::Segments: {
                Json segment(rapidjson::kObjectType), properties(rapidjson::kObjectType);
                Add(segment, "type", Str("object"));
                Add(segment, "additionalProperties", Json(false));
                Add(segment, "required", Array({"data"}));
                Add(properties, "mode", Obj("enum", Array({"numeric", "alphanumeric", "binary", "kanji"})));
                Add(properties, "data", Obj("type", Str("string")));
                Add(segment, "properties", properties);
                Add(p, "type", Str("array"));
                Add(p, "minItems", Json(1));
                Add(p, "items", segment);
                break;
            }
            case FieldType::Objects:
                Add(p, "type", Str("array"));
                Add(p, "items", Obj("$ref", Str("#/$defs/object")));
                break;
        }
        return p;
    }

    // The values of `f.onlyWith` that allow `f`, as they are written.
    Json Allowing(const KindTable& table, const Field& f, bool& withDefault) {
        const Field& c = table.fields[FieldIndex(table, f.onlyWith, std::strlen(f.onlyWith))];
        Json values(rapidjson::kArrayType);
        for (int v = 0; v < 32; ++v) {
            if (!(f.onlyValues >> v & 1)) continue;
            withDefault = withDefault || v == static_cast<int>(c.def);
            if (c.type != FieldType::Choice) values.PushBack(Json(v), _a);
            for (std::size_t i = 0; i < c.choiceCount; ++i)
                if (c.choices[i].value == v) values.PushBack(Str(c.choices[i].name), _a);
        }
        return values;
    }

    void Table(Json& out, const KindTable& table, bool isObject) {
        Json properties(rapidjson::kObjectType), required(rapidjson::kArrayType), rules(rapidjson::kArrayType),
            dependent(rapidjson::kObjectType);
        if (isObject) Add(properties, "type", Obj("const", Str(table.name)));
        if (isObject) required.PushBack(Str("type"), _a);
        for (std::size_t k = 0; k < table.count; ++k) {
            const Field& f = table.fields[k];
            Add(properties, f.name, Property(f));
            if (!f.defaultText && !f.onlyWith && !f.orElse) required.PushBack(Str(f.name), _a);
            if (f.excludes) {
                // Once per pair, when both name each other.
                const char* back = table.fields[FieldIndex(table, f.excludes, std::strlen(f.excludes))].excludes;
                if (!back || std::strcmp(back, f.name) != 0 || std::strcmp(f.name, f.excludes) < 0)
                    rules.PushBack(Obj("not", Obj("required", Array({f.name, f.excludes}))), _a);
            }
            if (f.needs) Add(dependent, f.name, Array({f.needs}));
            if (f.orElse) {
                Json either(rapidjson::kArrayType);
                either.PushBack(Obj("required", Array({f.name})), _a);
                either.PushBack(Obj("required", Array({f.orElse})), _a);
                rules.PushBack(Obj("anyOf", either), _a);
            }
            if (f.onlyWith) {
                bool withDefault = false;
                Json condition = Obj("properties", Obj(f.onlyWith, Obj("enum", Allowing(table, f, withDefault))));
                // An absent field takes its default, so the condition needs
                // the field given unless the default allows.
                if (!withDefault) Add(condition, "required", Array({f.onlyWith}));
                Json rule = Obj("if", condition);
                if (f.requiredThen) Add(rule, "then", Obj("required", Array({f.name})));
                Add(rule, "else", Obj("not", Obj("required", Array({f.name}))));
                rules.PushBack(rule, _a);
            }
        }
        Add(out, "type", Str("object"));
        Add(out, "additionalProperties", Json(false));
        Add(out, "required", required);
        Add(out, "properties", properties);
        if (!dependent.ObjectEmpty()) Add(out, "dependentRequired", dependent);
        if (!rules.Empty()) Add(out, "allOf", rules);
    }

    rapidjson::MemoryPoolAllocator<> _pool;
    rapidjson::MemoryPoolAllocator<>& _a = _pool;
};

std::string Markdown() {
    auto typeOf = [](const Field& f) {
        static const char* const kTypes[] = {"length", "length", "number", "integer", "string", "boolean",
                                             "",       "array of strings", "array of `{mode, data}`", "array"};
        std::string type = kTypes[static_cast<int>(f.type)];
        for (std::size_t i = 0; i < f.choiceCount; ++i) type += (i ? " \\| `\"" : "`\"") + std::string(f.choices[i].name) + "\"`";
        return type;
    };
    auto number = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.10g", v);
        return std::string(text);
    };
    auto range = [&](const Field& f) -> std::string {
        switch (f.type) {
            case FieldType::Position:
                return "0 to " + number(f.hi) + " dots";
            case FieldType::Length:
                return "above " + number(f.lo) + ", up to " + number(f.hi) + " dots";
            case FieldType::Number:
            case FieldType::Integer:
                return (f.above ? "above " + number(f.lo) + ", up to " : number(f.lo) + " to ") + number(f.hi);
            default:
                return "";
        }
    };
    auto section = [&](const KindTable& table, const std::string& heading) {
        std::string out = heading + "\n\n";
        if (table.note) out += std::string(table.note) + "\n\n";
        out += "| Field | Type | Range | Default | Printed by | Meaning |\n|---|---|---|---|---|---|\n";
        for (std::size_t k = 0; k < table.count; ++k) {
            const Field& f = table.fields[k];
            std::string def = f.defaultText ? f.defaultText : "required";
            for (std::size_t i = 0; i < f.choiceCount; ++i)
                if (def == f.choices[i].name) def = "`\"" + def + "\"`";
            if (f.orElse) def = std::string("required unless `") + f.orElse + "`";
            std::string meaning = f.meaning;
            if (f.onlyWith) {
                std::string values;
                for (int v = 0; v < 32; ++v)
                    if (f.onlyValues >> v & 1) values += (values.empty() ? "" : ", ") + std::to_string(v);
                const Field& c = table.fields[FieldIndex(table, f.onlyWith, std::strlen(f.onlyWith))];
                for (std::size_t i = 0; i < c.choiceCount; ++i)
                    if (f.onlyValues >> c.choices[i].value & 1) values = c.choices[i].name;
                if (f.requiredThen) def = "required";
                meaning += std::string("; only with `") + f.onlyWith + "` " + values;
            }
            if (f.excludes) meaning += std::string("; not with `") + f.excludes + "`";
            if (f.needs) meaning += std::string("; needs `") + f.needs + "`";
            static const char* const kLangs[] = {"neither", "VORN", "KESH", "both"};
            out += "| `" + std::string(f.name) + "` | " + typeOf(f) + " | " + range(f) + " | " + def + " | " +
                   kLangs[f.langs] + " | " + meaning + " |\n";
        }
        return out + "\n";
    };
    std::string out = section(LabelTable(), "### The label");
    std::size_t count;
    const KindTable* tables = Kinds(count);
    for (std::size_t i = 0; i < count; ++i) out += section(tables[i], std::string("### `") + tables[i].name + "`");
    return out;
}

}  // namespace

void SetupSchema(CLI::App& app) {
    auto markdown = std::make_shared<bool>(false);
    CLI::App* sub = app.add_subcommand("schema", "Print the label format as JSON Schema");
    sub->add_flag("--markdown", *markdown, "Print the field tables of the label format instead");
    sub->footer("Examples:\n  quillon schema > label.schema.json\n  quillon schema --markdown");
    sub->callback([markdown] {
        const std::string text = *markdown ? Markdown() : SchemaWriter().Write();
        Finish(WriteAll(TextFd(), text.data(), text.size()) ? kOk : kRenderFailed);
    });
}

}  // namespace quillon::cli
