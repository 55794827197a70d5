// Reading label files: one label, an array of labels, or JSON Lines, each
// label handed on as soon as it is complete so that a large batch streams.

#include "LabelInput.h"

#include <vector>

#include "Json.h"
#include "LabelParse.h"

namespace quillon::cli {
namespace {

// Line and column (both 1-based) of the byte at 0-based `offset` of `text`.
std::pair<std::size_t, std::size_t> LineColumn(std::string_view text, std::size_t offset) {
    std::size_t line = 1, column = 1;
    std::size_t end = offset < text.size() ? offset : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {line, column};
}

std::string SyntaxMessage(const std::string& name, std::size_t line, std::size_t column,
                          const json::SyntaxError& e) {
    return name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + e.what();
}

std::string LabelPrefix(const std::string& name, const Record& r) {
    if (!r.batch) return name + ": ";
    std::string prefix = name + ": label " + std::to_string(r.index);
    if (r.line) prefix += " (line " + std::to_string(r.line) + ")";
    return prefix + ": ";
}

// Checks one parsed value and hands it on.
bool Deliver(const json::Document& doc, Record& r, const std::string& name, const RecordHandler& handle) {
    try {
        r.label = ParseLabel(doc, doc.Root());
    } catch (const LabelError& e) {
        r.error = LabelPrefix(name, r) + e.what();
        return handle(r);
    }
    bool more = handle(r);
    r.label.reset();
    return more;
}

bool Blank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

bool ReadJsonLines(InputSource& in, std::string first, const std::string& name, const RecordHandler& handle,
                   const ProgressHandler& progress) {
    // Read past blank lines to the second record: a file holding one record
    // is one label, reported without a label number.
    std::vector<std::string> ahead;
    std::string_view next;
    bool single = true;
    while (in.NextLine(next)) {
        ahead.emplace_back(next);
        if (!Blank(ahead.back())) {
            single = false;
            break;
        }
    }
    json::Document doc;
    std::uint64_t consumed = 0;
    std::size_t lineNumber = 0;
    std::size_t index = 0;
    std::size_t aheadUsed = 0;
    std::string_view line = first;
    for (bool have = true; have;) {
        ++lineNumber;
        consumed += line.size() + 1;
        if (!Blank(line)) {
            Record r;
            r.index = index++;
            r.line = lineNumber;
            r.batch = !single;
            bool more;
            try {
                doc.Parse(line);
                more = Deliver(doc, r, name, handle);
            } catch (const json::SyntaxError& e) {
                r.error = SyntaxMessage(name, lineNumber, LineColumn(line, e.Offset()).second, e);
                if (r.batch) r.error += " (label " + std::to_string(r.index) + ")";
                more = handle(r);
            }
            if (!more) return true;
        }
        if (progress) progress(consumed);
        if (aheadUsed < ahead.size()) {
            line = ahead[aheadUsed++];
        } else {
            have = in.NextLine(line);
        }
    }
    return true;
}

bool WholeValue(json::Document& doc, std::string_view text) {
    try {
        doc.Parse(text);
        return true;
    } catch (const json::SyntaxError&) {
        return false;
    }
}

}  // namespace

bool ReadLabels(InputSource& in, const std::string& name, const RecordHandler& handle,
                const ProgressHandler& progress) {
    // Skip leading white space to see what kind of input this is.
    std::string leading;
    int c;
    while ((c = in.Peek()) != EOF && (c == ' ' || c == '\t' || c == '\r' || c == '\n'))
        leading.push_back(char(in.Get()));

    json::Document doc;
    if (c == '{') {
        // JSON Lines when the first line is a whole value by itself;
        // otherwise one label spread over several lines.
        std::string_view firstLine;
        in.NextLine(firstLine);
        std::string first(firstLine);
        if (leading.find('\n') == std::string::npos && WholeValue(doc, first))
            return ReadJsonLines(in, std::move(first), name, handle, progress);
        std::string text = leading + first + "\n";
        in.ReadRest(text);
        Record r;
        try {
            doc.Parse(text);
        } catch (const json::SyntaxError& e) {
            auto [line, column] = LineColumn(text, e.Offset());
            r.error = SyntaxMessage(name, line, column, e);
            handle(r);
            return false;
        }
        Deliver(doc, r, name, handle);
        if (progress) progress(text.size());
        return true;
    }

    std::string text = leading;
    in.ReadRest(text);
    if (c != '[') {
        Record r;
        r.error = c == EOF ? name + ": empty input"
                           : name + ": expected a label object, an array of labels or JSON Lines";
        handle(r);
        return false;
    }
    // An array: each element is parsed, checked and rendered before the
    // next is read.
    Record r;
    r.batch = true;
    std::size_t pos = leading.size() + 1;
    try {
        json::SkipSpace(text, pos);
        if (pos < text.size() && text[pos] == ']') {
            ++pos;
        } else {
            for (;;) {
                doc.ParseValueAt(text, pos);
                r.error.clear();
                if (!Deliver(doc, r, name, handle)) return true;
                ++r.index;
                if (progress) progress(pos);
                json::SkipSpace(text, pos);
                if (pos < text.size() && text[pos] == ',') {
                    ++pos;
                    continue;
                }
                if (pos < text.size() && text[pos] == ']') {
                    ++pos;
                    break;
                }
                throw json::SyntaxError(pos, pos < text.size()
                                                 ? "unexpected character; expected ',' or ']'"
                                                 : "unexpected end of input; expected ',' or ']'");
            }
        }
        json::SkipSpace(text, pos);
        if (pos != text.size()) throw json::SyntaxError(pos, "unexpected character after the array");
    } catch (const json::SyntaxError& e) {
        auto [line, column] = LineColumn(text, e.Offset());
        Record bad;
        bad.error = SyntaxMessage(name, line, column, e);
        handle(bad);
        return false;
    }
    if (progress) progress(text.size());
    return true;
}

}  // namespace quillon::cli
