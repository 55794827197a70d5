#ifndef QUILLON_TOOLS_LABELFIELDS_H
#define QUILLON_TOOLS_LABELFIELDS_H

// The label format as data: one table per object kind (and one for the label
// itself) gives every field's name, type, range, default, the languages that
// carry it and what it means. The reader, its checks, `quillon schema` and
// the field tables of docs/label-format.md all come from these tables.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "Label.h"

namespace quillon::cli {

// Position and Length are lengths in the object's unit, kept in dots (a
// position from 0, a length above 0); Lines are DataMatrix lines, Segments
// QR segments, Objects the label's objects.
enum class FieldType { Position, Length, Number, Integer, String, Bool, Choice, Lines, Segments, Objects };

struct Choice {
    std::string_view name;  // of a literal, so NUL-terminated too
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
    Field(const char* n, FieldType t, Setter s, const char* m)
        : name(n), size(std::strlen(n)), type(t), set(s), meaning(m) {}

    const char* name;
    std::size_t size;  // of the name
    FieldType type;
    Setter set;
    const char* meaning;
    double lo = 0, hi = 0;              // Number, Integer, Length, Position; Length: above `lo`
    double def = 0;                     // Integer and Choice default, for conditions
    const char* defaultText = nullptr;  // null: required
    const Choice* choices = nullptr;
    std::size_t choiceCount = 0;
    unsigned char langs = kBoth;  // languages that print a non-default value
    bool above = false;           // Number: above `lo`, not from it
    bool anyBytes = false;        // written as hex digits, so any byte may appear
    bool nonEmpty = false;        // String: at least one character
    bool preset = false;          // `value` is stored when the field is not given
    double value = 0;
    const char* onlyWith = nullptr;  // allowed only when that field holds one of `onlyValues`
    unsigned onlyValues = 0;         // bit per value
    bool requiredThen = false;       // and then required
    const char* excludes = nullptr;  // cannot be given together with this one
    const char* needs = nullptr;     // must be given together with this one
    const char* orElse = nullptr;    // required unless this one is given
    // Tied to another field by Excludes, Needs or Only: checked once an
    // object's members are read, as is a required field left out.
    bool tied = false;

    // Chained after a field's constructor in the tables.
    Field& Default(const char* t) { return defaultText = t, *this; }
    Field& Range(double l, double h) { return lo = l, hi = h, *this; }
    Field& Above(double l, double h) { return above = true, Range(l, h); }
    Field& Langs(unsigned char l) { return langs = l, *this; }
    Field& AnyBytes() { return anyBytes = true, *this; }
    Field& NonEmpty() { return nonEmpty = true, *this; }
    // The tool's default where it is not the library's (a length in dots).
    Field& Preset(double v) { return preset = true, value = v, *this; }
    Field& Excludes(const char* n) { return excludes = n, tied = true, *this; }
    Field& Needs(const char* n) { return needs = n, tied = true, *this; }
    Field& OrElse(const char* n) { return orElse = n, *this; }
    Field& Only(const char* n, unsigned v, bool required) {
        return onlyWith = n, onlyValues = v, requiredThen = required, tied = true, *this;
    }
};

// The label's own fields as read, before they are checked together.
struct LabelHeader {
    std::string name = "LABEL";
    int language = 0, unit = 0, encoding = 0;
    float dpi = 203, dotsPerMm = -1;
    float width = -1, height = -1;  // in `unit`
};

struct KindTable {
    std::string_view name;                         // the `type` value, NUL-terminated
    void* (*begin)(std::vector<ObjectDesc>& out);  // appends a new object of the kind; its options
    const Field* fields;
    std::size_t count;
    const char* note;  // a sentence for the docs, or null
};

// A QR segment as read.
struct Segment {
    int mode = 2;
    std::string data;
};

// Every object kind, in the order of the docs.
std::pair<const KindTable*, std::size_t> Kinds();
// The fields of the label itself.
const KindTable& LabelTable();
// The fields of a QR segment.
const KindTable& SegmentTable();

// Names are a few bytes long: a loop here costs less than a call to memcmp.
inline bool Same(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// The index of field `name` in `table`, or -1. Inline: it runs for every
// member of every object.
inline int FieldIndex(const KindTable& table, std::string_view name) {
    for (std::size_t i = 0; i < table.count; ++i)
        if (Same({table.fields[i].name, table.fields[i].size}, name)) return static_cast<int>(i);
    return -1;
}

}  // namespace quillon::cli

#endif
