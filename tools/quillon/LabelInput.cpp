// Reading label files: one label, an array of labels, or JSON Lines, each
// label handed on as soon as it is complete so that a large batch streams.

#include "LabelInput.h"

#include <iterator>
#include <nlohmann/json.hpp>
#include <vector>

#include "LabelParse.h"

namespace quillon::cli {
namespace {

using nlohmann::json;

// nlohmann reports "[json.exception.parse_error.101] parse error at line 1,
// column 5: syntax error ..."; keep the part after the position, which we
// compute ourselves against the whole input.
std::string SyntaxDetail(const json::parse_error& e) {
    std::string what = e.what();
    std::size_t column = what.find("column ");
    std::size_t colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
    return colon == std::string::npos ? what : what.substr(colon + 2);
}

// Line and column (both 1-based) of the byte at 1-based `position` of `text`.
std::pair<std::size_t, std::size_t> LineColumn(const std::string& text, std::size_t position) {
    std::size_t line = 1, column = 0;
    std::size_t end = position < text.size() ? position : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 0;
        } else {
            ++column;
        }
    }
    return {line, column == 0 ? 1 : column};
}

std::string SyntaxMessage(const std::string& name, std::size_t line, std::size_t column,
                          const json::parse_error& e) {
    return name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + SyntaxDetail(e);
}

std::string LabelPrefix(const std::string& name, const Record& r) {
    if (!r.batch) return name + ": ";
    std::string prefix = name + ": label " + std::to_string(r.index);
    if (r.line) prefix += " (line " + std::to_string(r.line) + ")";
    return prefix + ": ";
}

// Checks one parsed value and hands it on.
bool Deliver(const json& value, Record& r, const std::string& name, const RecordHandler& handle) {
    LabelSpec label;
    try {
        label = ParseLabel(value);
    } catch (const LabelError& e) {
        r.error = LabelPrefix(name, r) + e.what();
        return handle(r);
    }
    r.label = &label;
    bool more = handle(r);
    r.label = nullptr;
    return more;
}

bool Blank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

bool ReadJsonLines(std::istream& in, std::string first, const std::string& name, const RecordHandler& handle,
                   const ProgressHandler& progress) {
    // Read past blank lines to the second record: a file holding one record
    // is one label, reported without a label number.
    std::vector<std::string> ahead;
    std::string next;
    bool single = true;
    while (std::getline(in, next)) {
        ahead.push_back(std::move(next));
        if (!Blank(ahead.back())) {
            single = false;
            break;
        }
    }
    std::uint64_t consumed = 0;
    std::size_t lineNumber = 0;
    std::size_t index = 0;
    std::size_t aheadUsed = 0;
    std::string line = std::move(first);
    for (bool have = true; have;) {
        ++lineNumber;
        consumed += line.size() + 1;
        if (!Blank(line)) {
            Record r;
            r.index = index++;
            r.line = lineNumber;
            r.batch = !single;
            json value = json::parse(line, nullptr, false);
            bool more;
            if (value.is_discarded()) {
                // Parse again for the message only: bad lines are rare.
                try {
                    json again = json::parse(line);
                    (void)again;
                    r.error = name + ":" + std::to_string(lineNumber) + ": not a JSON value";
                } catch (const json::parse_error& e) {
                    r.error = SyntaxMessage(name, lineNumber, LineColumn(line, e.byte).second, e);
                    if (r.batch) r.error += " (label " + std::to_string(r.index) + ")";
                }
                more = handle(r);
            } else {
                more = Deliver(value, r, name, handle);
            }
            if (!more) return true;
        }
        if (progress) progress(consumed);
        if (aheadUsed < ahead.size()) {
            line = std::move(ahead[aheadUsed++]);
        } else {
            have = static_cast<bool>(std::getline(in, line));
        }
    }
    return true;
}

}  // namespace

bool ReadLabels(std::istream& in, const std::string& name, const RecordHandler& handle,
                const ProgressHandler& progress) {
    // Skip leading white space to see what kind of input this is.
    std::string leading;
    int c;
    while ((c = in.peek()) != EOF && (c == ' ' || c == '\t' || c == '\r' || c == '\n'))
        leading.push_back(char(in.get()));

    if (c == '{') {
        // JSON Lines when the first line is a whole value by itself;
        // otherwise one label spread over several lines.
        std::string first;
        std::getline(in, first);
        if (json::accept(first)) {
            std::size_t skippedLines = 0;
            for (char ch : leading) skippedLines += ch == '\n';
            if (skippedLines == 0) return ReadJsonLines(in, std::move(first), name, handle, progress);
        }
        std::string text = leading + first + "\n";
        text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        json value;
        Record r;
        try {
            value = json::parse(text);
        } catch (const json::parse_error& e) {
            auto [line, column] = LineColumn(text, e.byte);
            r.error = SyntaxMessage(name, line, column, e);
            handle(r);
            return false;
        }
        Deliver(value, r, name, handle);
        if (progress) progress(text.size());
        return true;
    }

    std::string text = leading;
    text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    Record r;
    if (c != '[') {
        r.error = name + ": expected a label object, an array of labels or JSON Lines";
        if (c == EOF) r.error = name + ": empty input";
        handle(r);
        return false;
    }
    // An array: hand each element on as it completes, then drop it, so
    // that a long array does not build one large document.
    r.batch = true;
    struct Stop {};
    json::parser_callback_t each = [&](int depth, json::parse_event_t event, json& parsed) {
        bool complete = event == json::parse_event_t::value || event == json::parse_event_t::object_end ||
                        event == json::parse_event_t::array_end;
        if (depth != 1 || !complete) return true;
        r.error.clear();
        if (!Deliver(parsed, r, name, handle)) throw Stop{};
        ++r.index;
        return false;
    };
    try {
        json rest = json::parse(text, each);
        (void)rest;
    } catch (const Stop&) {
        return true;
    } catch (const json::parse_error& e) {
        auto [line, column] = LineColumn(text, e.byte);
        Record bad;
        bad.error = SyntaxMessage(name, line, column, e);
        handle(bad);
        return false;
    }
    if (progress) progress(text.size());
    return true;
}

}  // namespace quillon::cli
