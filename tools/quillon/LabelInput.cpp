// Reading label files: one label, an array of labels, or JSON Lines, each
// label handed on as soon as it is complete so that a large batch streams.

#include "LabelReader.h"

#include <rapidjson/error/error.h>

#include <cstring>
#include <deque>

namespace quillon::cli {
namespace {

// Iterative: nesting costs heap, not stack, however deep a hostile file goes.
// The encoding is checked as the fields take their strings, a word at a time
// (RapidJSON's own check would take its byte-at-a-time path for every string).
constexpr unsigned kFlags = rapidjson::kParseIterativeFlag;
// A line can nest no deeper than it has bytes, so a short line is parsed by
// the recursive parser, a sixth quicker, with its stack use held to some
// hundred kilobytes.
constexpr std::size_t kRecursiveLineBytes = 2048;

// A syntax error at byte `offset` of the parsed text.
struct SyntaxError {
    std::size_t offset;
    std::string what;
};

// The message for a parse error; structural ones name what was found.
SyntaxError Describe(const rapidjson::Document& doc, std::string_view text) {
    static const char* const kExpected[] = {nullptr,      "a value",       "nothing after the value",
                                            "a value",    "a member name", "':'",
                                            "',' or '}'", "',' or ']'"};
    static const char* const kOther[] = {"invalid \\u escape",
                                         "unpaired surrogate in a \\u escape",
                                         "invalid escape in a string",
                                         "unexpected end of input in a string",
                                         "invalid UTF-8 in a string",
                                         "number out of range",
                                         "invalid number",
                                         "invalid number"};
    const std::size_t at = doc.GetErrorOffset();
    const int code = doc.GetParseError();
    const auto c = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
    if (code >= 8 && code < 16)
        return {at, code == 10 && c < 0x20
                        ? "control character in a string (write it as an escape such as \\n)"
                        : kOther[code - 8]};
    char found[32] = "unexpected end of input";
    if (c >= 0x20 && c < 0x7F) std::snprintf(found, sizeof found, "unexpected '%c'", c);
    if (c >= 0x7F) std::snprintf(found, sizeof found, "unexpected byte 0x%02x", c);
    return {at, std::string(found) + "; expected " + (code < 8 ? kExpected[code] : "a value")};
}

// The parsed JSON's memory is taken back before each label: its pool keeps the
// buffer it was given, so a label of usual size allocates nothing.
void Clear(rapidjson::Document& doc) {
    doc.SetNull();
    doc.GetAllocator().Clear();
}

// Parses `line` in place (it is followed by a NUL byte).
void ParseLine(rapidjson::Document& doc, char* line, std::size_t size) {
    // A NUL byte would end the text early.
    if (const void* nul = std::memchr(line, 0, size))
        throw SyntaxError{static_cast<std::size_t>(static_cast<const char*>(nul) - line),
                          "unexpected NUL byte"};
    Clear(doc);
    const bool failed = size <= kRecursiveLineBytes
                            ? doc.ParseInsitu<rapidjson::kParseDefaultFlags>(line).HasParseError()
                            : doc.ParseInsitu<kFlags>(line).HasParseError();
    if (failed) throw Describe(doc, {line, size});
}

std::string At(const std::string& name, std::size_t line, std::size_t column) {
    return name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
}

bool Blank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// Lines read ahead to tell the kind of input, then the input's own.
class Lines {
  public:
    explicit Lines(InputSource& in) : _in(in) {}
    bool Next(char*& line, std::size_t& size) {
        ++_number;
        if (_ahead.empty()) return _in.NextLine(line, size);
        _current = std::move(_ahead.front());
        _ahead.pop_front();
        line = _current.data();
        size = _current.size();
        return true;
    }
    // The next line that is not blank, kept for Next; null at the end. The
    // byte-order mark some editors write is dropped.
    const std::string* PeekRecord() {
        char* line;
        std::size_t size;
        while (_in.NextLine(line, size)) {
            std::string& kept = _ahead.emplace_back(line, size);
            if (_ahead.size() == 1 && kept.rfind("\xEF\xBB\xBF", 0) == 0) kept.erase(0, 3);
            if (!Blank(kept)) return &kept;
        }
        return nullptr;
    }
    std::string Rest() {
        std::string text;
        for (const std::string& line : _ahead) text += line + "\n";
        _in.ReadRest(text);
        return text;
    }
    std::size_t _number = 0;

  private:
    InputSource& _in;
    std::deque<std::string> _ahead;
    std::string _current;
};

struct Reading {
    Reading(const std::string& n, const Overrides& o, const RecordHandler& h)
        : name(n), overrides(o), handle(h) {}

    const std::string& name;
    Overrides overrides;
    const RecordHandler& handle;
    char buffer[64 * 1024];
    rapidjson::MemoryPoolAllocator<> pool{buffer, sizeof buffer};
    rapidjson::Document doc{&pool};

    // Checks one parsed value and hands it on.
    bool Deliver(Record& r, const rapidjson::Value& value) {
        try {
            r.label = ParseLabel(value, overrides);
        } catch (const LabelError& e) {
            r.error = name + ": ";
            if (r.batch) r.error += "label " + std::to_string(r.index);
            if (r.batch && r.line) r.error += " (line " + std::to_string(r.line) + ")";
            r.error += (r.batch ? ": " : "") + std::string(e.what());
        }
        const bool more = handle(r);
        r.label.reset();
        return more;
    }
    bool Fail(const std::string& message) {
        Record r;
        r.error = message;
        handle(r);
        return false;
    }
    // The whole text as one value; its errors are placed by line and column.
    bool Whole(const std::string& text) {
        Clear(doc);
        if (!doc.Parse<kFlags>(text.c_str(), text.size()).HasParseError()) return true;
        const SyntaxError e = Describe(doc, text);
        std::size_t line = 1, column = 1;
        for (std::size_t i = 0; i < e.offset && i < text.size(); ++i) {
            column = text[i] == '\n' ? 1 : column + 1;
            line += text[i] == '\n';
        }
        return Fail(At(name, line, column) + e.what);
    }
};

// One label object per line. `single`: the input holds one record only, so
// its messages carry no label number.
void ReadJsonLines(Reading& reading, Lines& lines, bool single) {
    std::size_t index = 0;
    char* line;
    std::size_t size;
    while (lines.Next(line, size)) {
        if (Blank({line, size})) continue;
        Record r;
        r.index = index++;
        r.line = lines._number;
        r.batch = !single;
        bool more;
        try {
            ParseLine(reading.doc, line, size);
            more = reading.Deliver(r, reading.doc);
        } catch (const SyntaxError& e) {
            r.error = At(reading.name, r.line, e.offset + 1) + e.what;
            if (r.batch) r.error += " (label " + std::to_string(r.index) + ")";
            more = reading.handle(r);
        }
        if (!more) return;
    }
}

bool ParsesAlone(rapidjson::Document& doc, std::string text) {
    try {
        ParseLine(doc, text.data(), text.size());
        return true;
    } catch (const SyntaxError&) {
        return false;
    }
}

}  // namespace

bool ReadLabels(InputSource& in, const std::string& name, const Overrides& overrides,
                const RecordHandler& handle) {
    Reading reading(name, overrides, handle);
    Lines lines(in);
    const std::string* first = lines.PeekRecord();
    const char c = first ? (*first)[first->find_first_not_of(" \t\r")] : '\0';
    if (c == '[') {
        const std::string text = lines.Rest();
        if (!reading.Whole(text)) return false;
        Record r;
        r.batch = true;
        for (const rapidjson::Value& label : reading.doc.GetArray()) {
            if (!reading.Deliver(r, label)) break;
            r.error.clear();
            ++r.index;
        }
        return true;
    }
    if (c != '{')
        return reading.Fail(!first ? name + ": empty input"
                                   : name + ": expected a label object, an array of labels or JSON Lines");

    // JSON Lines when the first line is a value by itself, or is broken
    // before its end, or the next record starts a line of its own; else one
    // label spread over several lines.
    const std::string* second = lines.PeekRecord();
    std::string copy = *first;
    bool lineByLine = true;
    try {
        ParseLine(reading.doc, copy.data(), copy.size());
    } catch (const SyntaxError& e) {
        const bool brokenBeforeItsEnd = e.offset < copy.find_last_not_of(" \t\r");
        lineByLine =
            brokenBeforeItsEnd || (second && (*second)[0] == '{' && ParsesAlone(reading.doc, *second));
    }
    if (lineByLine) {
        ReadJsonLines(reading, lines, second == nullptr);
        return true;
    }
    const std::string text = lines.Rest();
    if (!reading.Whole(text)) return false;
    Record r;
    reading.Deliver(r, reading.doc);
    return true;
}

}  // namespace quillon::cli
