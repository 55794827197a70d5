// Reading label files: one label, an array of labels, or JSON Lines, each
// label handed on as soon as it is complete so that a large batch streams.

#include "LabelInput.h"

#include <deque>

#include "Json.h"
#include "LabelParse.h"

namespace quillon::cli {
namespace {

std::string At(const std::string& name, std::size_t line, std::size_t column) {
    return name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
}

// Line and column (both 1-based) of the byte at `offset` of `text`, counted
// from line `first`.
std::string Position(const std::string& name, std::string_view text, std::size_t offset, std::size_t first) {
    std::size_t line = first, column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        column = text[i] == '\n' ? 1 : column + 1;
        line += text[i] == '\n';
    }
    return At(name, line, column);
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
    // The next line that is not blank, kept for Next; null at the end.
    const std::string* PeekRecord() {
        char* line;
        std::size_t size;
        while (_in.NextLine(line, size)) {
            _ahead.emplace_back(line, size);
            if (!Blank(_ahead.back())) return &_ahead.back();
        }
        return nullptr;
    }
    std::string Rest() {
        std::string text;
        for (const std::string& line : _ahead) text += line + "\n";
        _in.ReadRest(text);
        return text;
    }
    std::size_t Number() const { return _number; }
    void Skip(std::size_t lines) { _number += lines; }

  private:
    InputSource& _in;
    std::deque<std::string> _ahead;
    std::string _current;
    std::size_t _number = 0;
};

bool ParsesAlone(json::Document& doc, std::string text) {
    try {
        doc.ParseInPlace(text.data(), text.size());
        return true;
    } catch (const json::SyntaxError&) {
        return false;
    }
}

struct Reading {
    const std::string& name;
    Language language;
    const RecordHandler& handle;
    json::Document doc;

    // Checks one parsed value and hands it on.
    bool Deliver(Record& r) {
        try {
            r.label = ParseLabel(doc, doc.Root(), language);
        } catch (const LabelError& e) {
            r.error = name + ": ";
            if (r.batch) r.error += "label " + std::to_string(r.index);
            if (r.batch && r.line) r.error += " (line " + std::to_string(r.line) + ")";
            r.error += (r.batch ? ": " : "") + std::string(e.what());
        }
        bool more = handle(r);
        r.label.reset();
        return more;
    }
    bool Fail(const std::string& message) {
        Record r;
        r.error = message;
        handle(r);
        return false;
    }
};

// One label object per line. `single`: the input holds one record only, so
// its messages carry no label number.
bool ReadJsonLines(Reading& reading, Lines& lines, bool single, const ProgressHandler& progress) {
    std::uint64_t consumed = 0;
    std::size_t index = 0;
    char* line;
    std::size_t size;
    while (lines.Next(line, size)) {
        consumed += size + 1;
        if (Blank({line, size})) continue;
        Record r;
        r.index = index++;
        r.line = lines.Number();
        r.batch = !single;
        bool more;
        try {
            reading.doc.ParseInPlace(line, size);
            more = reading.Deliver(r);
        } catch (const json::SyntaxError& e) {
            r.error = At(reading.name, r.line, e.Offset() + 1) + e.what();
            if (r.batch) r.error += " (label " + std::to_string(r.index) + ")";
            more = reading.handle(r);
        }
        if (!more) return true;
        if (progress) progress(consumed);
    }
    return true;
}

bool ReadArray(Reading& reading, const std::string& text, std::size_t firstLine, const ProgressHandler& progress) {
    Record r;
    r.batch = true;
    try {
        reading.doc.ParseArray(text, [&] {
            r.error.clear();
            if (!reading.Deliver(r)) return false;
            ++r.index;
            return true;
        });
    } catch (const json::SyntaxError& e) {
        return reading.Fail(Position(reading.name, text, e.Offset(), firstLine) + e.what());
    }
    if (progress) progress(text.size());
    return true;
}

}  // namespace

bool ReadLabels(InputSource& in, const std::string& name, Language language, const RecordHandler& handle,
                const ProgressHandler& progress) {
    Reading reading{name, language, handle, {}};
    in.SkipPrefix("\xEF\xBB\xBF");  // a byte-order mark some editors write
    std::size_t blankLines = 0;
    int c;
    while ((c = in.Peek()) != EOF && (c == ' ' || c == '\t' || c == '\r' || c == '\n'))
        blankLines += in.Get() == '\n';
    Lines lines(in);
    lines.Skip(blankLines);
    if (c == '[') {
        std::string text = lines.Rest();
        return ReadArray(reading, text, blankLines + 1, progress);
    }
    if (c != '{')
        return reading.Fail(c == EOF ? name + ": empty input"
                                     : name + ": expected a label object, an array of labels or JSON Lines");

    // JSON Lines when the first line is a value by itself, or is broken
    // before its end, or the next record starts a line of its own; else one
    // label spread over several lines.
    const std::string* first = lines.PeekRecord();
    const std::string* second = lines.PeekRecord();
    std::string copy = *first;
    bool lineByLine = true;
    try {
        reading.doc.ParseInPlace(copy.data(), copy.size());
    } catch (const json::SyntaxError& e) {
        const bool brokenBeforeItsEnd = e.Offset() < copy.find_last_not_of(" \t\r");
        lineByLine = brokenBeforeItsEnd || (second && (*second)[0] == '{' && ParsesAlone(reading.doc, *second));
    }
    if (lineByLine) return ReadJsonLines(reading, lines, second == nullptr, progress);
    std::string text = lines.Rest();
    std::string original = text;  // decoding in place changes the text
    Record r;
    try {
        reading.doc.ParseInPlace(text.data(), text.size());
    } catch (const json::SyntaxError& e) {
        return reading.Fail(Position(name, original, e.Offset(), blankLines + 1) + e.what());
    }
    reading.Deliver(r);
    if (progress) progress(text.size());
    return true;
}

}  // namespace quillon::cli
