#ifndef QUILLON_TOOLS_LABELFIELDS_H
#define QUILLON_TOOLS_LABELFIELDS_H

// The label format as data: one table per object kind (and one for the label
// itself) gives every field's name, type, range, default, the languages that
// carry it and what it means. The reader, its checks, `quillon schema` and
// the field tables of docs/label-format.md all come from these tables.

#include <cstddef>
#include <string>

#include "Label.h"

namespace quillon::cli {

enum class FieldType : unsigned char {
    Position,  // a length from 0, in the object's unit, kept in dots
    Length,    // a length above 0, in the object's unit, kept in dots
    Number,
    Integer,
    String,
    Bool,
    Choice,    // one of a list of names
    Lines,     // DataMatrix: array of strings
    Segments,  // QR: array of {mode, data}
    Objects,   // the label's objects
};

struct Choice {
    const char* name;
    int value;
};

// A parsed value on its way into a description.
struct FieldValue {
    double number = 0;
    long long integer = 0;
    std::string text;
    bool boolean = false;
};

using Setter = void (*)(void* target, FieldValue& value);

enum : unsigned char { kVorn = 1, kKesh = 2, kBoth = 3 };

struct Field {
    Field(const char* name, FieldType type, Setter set, const char* meaning);

    const char* name;
    std::size_t size;  // of the name
    FieldType type;
    Setter set;
    const char* meaning;
    double lo = 0, hi = 0;  // Number, Integer, Length, Position; Length: above `lo`
    double def = 0;         // Integer and Choice default, for conditions
    const char* defaultText = nullptr;  // null: required
    const Choice* choices = nullptr;
    std::size_t choiceCount = 0;
    unsigned char langs = kBoth;  // languages that print a non-default value
    bool above = false;           // Number: above `lo`, not from it
    bool anyBytes = false;        // written as hex digits, so any byte may appear
    const char* onlyWith = nullptr;  // allowed only when that field holds one of `onlyValues`
    unsigned onlyValues = 0;         // bit per value
    bool requiredThen = false;       // and then required
    const char* excludes = nullptr;  // cannot be given together with this one
    const char* needs = nullptr;     // must be given together with this one
    const char* orElse = nullptr;    // required unless this one is given

    // Chained after a field's constructor in the tables.
    Field Default(const char* t) const { return With([&](Field& f) { f.defaultText = t; }); }
    Field Range(double l, double h) const { return With([&](Field& f) { f.lo = l, f.hi = h; }); }
    Field Above() const { return With([](Field& f) { f.above = true; }); }
    Field Langs(unsigned char l) const { return With([&](Field& f) { f.langs = l; }); }
    Field AnyBytes() const { return With([](Field& f) { f.anyBytes = true; }); }
    Field Excludes(const char* n) const { return With([&](Field& f) { f.excludes = n; }); }
    Field Needs(const char* n) const { return With([&](Field& f) { f.needs = n; }); }
    Field OrElse(const char* n) const { return With([&](Field& f) { f.orElse = n; }); }
    Field Only(const char* n, unsigned values, bool required) const {
        return With([&](Field& f) { f.onlyWith = n, f.onlyValues = values, f.requiredThen = required; });
    }

  private:
    template <class F>
    Field With(F change) const {
        Field f = *this;
        change(f);
        return f;
    }
};

// The label's own fields as read, before they are checked together.
struct LabelHeader {
    std::string name = "LABEL";
    int language = 0, unit = 0, encoding = 0;
    float dpi = 203, dotsPerMm = -1;
};

struct KindTable {
    const char* name;  // the `type` value
    Kind kind;
    const Field* fields;
    std::size_t count;
    const char* note;  // a sentence for the docs, or null
};

// Every object kind, in the order of the docs.
const KindTable* Kinds(std::size_t& count);
// The fields of the label itself.
const KindTable& LabelTable();

// The index of field `name` in `table`, or -1. Inline: it runs for every
// member of every object.
inline int FieldIndex(const KindTable& table, const char* name, std::size_t size) {
    for (std::size_t i = 0; i < table.count; ++i) {
        const Field& f = table.fields[i];
        if (f.size != size) continue;
        std::size_t k = 0;
        while (k < size && f.name[k] == name[k]) ++k;
        if (k == size) return static_cast<int>(i);
    }
    return -1;
}

const char* LanguageName(Language language);

}  // namespace quillon::cli

#endif
