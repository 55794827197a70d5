// quillon fields: the label format's tables as JSON. docs/label.schema.json
// and the field tables of docs/label-format.md are made from this output.

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include "Cli.h"
#include "LabelFields.h"

namespace quillon::cli {
namespace {

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

void Table(Writer& w, const KindTable& table) {
    static const char* const kTypes[] = {"position", "length", "number", "integer",  "string",
                                         "boolean",  "choice", "lines",  "segments", "objects"};
    static const char* const kPrintedBy[] = {"neither", "VORN", "KESH", "both"};
    w.StartObject();
    w.Key("name"), w.String(table.name.data());
    if (table.note) w.Key("note"), w.String(table.note);
    w.Key("fields"), w.StartArray();
    for (std::size_t k = 0; k < table.count; ++k) {
        const Field& f = table.fields[k];
        w.StartObject();
        w.Key("name"), w.String(f.name);
        w.Key("type"), w.String(kTypes[static_cast<int>(f.type)]);
        w.Key("meaning"), w.String(f.meaning);
        if (f.defaultText) w.Key("default"), w.String(f.defaultText);
        if (f.type <= FieldType::Integer) w.Key("min"), w.Double(f.lo), w.Key("max"), w.Double(f.hi);
        if (f.type == FieldType::Length || f.above) w.Key("above"), w.Bool(true);
        if (f.choiceCount) w.Key("choices"), w.StartArray();
        for (std::size_t i = 0; i < f.choiceCount; ++i) w.String(f.choices[i].name.data());
        if (f.choiceCount) w.EndArray();
        w.Key("printed_by"), w.String(kPrintedBy[f.langs]);
        if (f.onlyWith) {
            w.Key("only_with"), w.StartObject(), w.Key("field"), w.String(f.onlyWith), w.Key("values");
            const Field& c = table.fields[FieldIndex(table, f.onlyWith)];
            w.StartArray();
            for (int v = 0; v < 32; ++v) {
                if (!(f.onlyValues >> v & 1)) continue;
                if (!c.choiceCount) w.Int(v);
                for (std::size_t i = 0; i < c.choiceCount; ++i)
                    if (c.choices[i].value == v) w.String(c.choices[i].name.data());
            }
            w.EndArray(), w.Key("default_allows"), w.Bool(f.onlyValues >> static_cast<int>(c.def) & 1);
            w.Key("required"), w.Bool(f.requiredThen), w.EndObject();
        }
        if (f.excludes) w.Key("excludes"), w.String(f.excludes);
        if (f.needs) w.Key("needs"), w.String(f.needs);
        if (f.orElse) w.Key("or_else"), w.String(f.orElse);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

}  // namespace

void SetupFields(CLI::App& app) {
    CLI::App* sub = app.add_subcommand("fields", "Print the label format's field tables as JSON");
    sub->footer(
        "Every field of the label and of each object kind: type, range, default, the languages that print\n"
        "it and how fields go together. docs/label.schema.json is made from it.\n\nExample:\n  quillon "
        "fields");
    sub->callback([] {
        rapidjson::StringBuffer out;
        Writer w(out);
        w.SetIndent(' ', 2);
        const auto [kinds, count] = Kinds();
        w.StartObject();
        w.Key("label"), Table(w, LabelTable());
        w.Key("objects"), w.StartArray();
        for (std::size_t i = 0; i < count; ++i) Table(w, kinds[i]);
        w.EndArray();
        w.EndObject();
        const std::string text = std::string(out.GetString()) + "\n";
        Finish(WriteText(text));
    });
}

}  // namespace quillon::cli
