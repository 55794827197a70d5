#include "Notices.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace quillon::cli {
namespace {

ssize_t Keep(void* text, const char* data, std::size_t size) {
    static_cast<std::string*>(text)->append(data, size);
    return static_cast<ssize_t>(size);
}

// The lines the library writes, the kind and field that cause each, and
// what the label's author is told instead.
struct KnownLine {
    std::string_view line;
    Kind kind;
    const char* field;
    const char* message;  // starting with a blank: after the symbology's name
    bool (*applies)(const ObjectDesc&);
};

const KnownLine kKnown[] = {
    {"Parameter [Bold] is not supported.", Kind::Text, "style", "VORN prints no bold",
     [](const ObjectDesc& o) { return (o.style & 1) != 0; }},
    {"Parameter [Italic] is not supported.", Kind::Text, "style", "VORN prints no italic",
     [](const ObjectDesc& o) { return (o.style & 2) != 0; }},
    {"Parameter [PdfLocTop] is not supported.", Kind::Barcode1D, "text_above",
     "VORN prints the interpretation line below the bars", [](const ObjectDesc& o) { return o.textAbove; }},
    {"Parameter [ZipperPattern] is not supported.", Kind::Maxicode, "zipper", "VORN prints no zipper pattern",
     [](const ObjectDesc& o) { return o.zipper; }},
    {"Parameter [Rotation] is not supported.", Kind::Maxicode, "rotation", "VORN prints Maxicode unrotated",
     [](const ObjectDesc& o) { return o.rotation != 0; }},
    {"Narrow:Wide must be 1:1", Kind::Barcode1D, "narrow/wide", " prints 1:1",
     [](const ObjectDesc& o) { return o.symbology >= 3 && o.symbology <= 6; }},
    {"Narrow:Wide must be 1:3", Kind::Barcode1D, "narrow/wide", " prints 1:3",
     [](const ObjectDesc& o) { return o.symbology == 1; }},
    {"Narrow:Wide must be 1:2 or 1:3 or 2:5", Kind::Barcode1D, "narrow/wide",
     " prints 1:2, 1:3 or 2:5; 1:3 used",
     [](const ObjectDesc& o) { return o.symbology == 2 || o.symbology >= 7; }},
};

std::string Thousands(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ",");
    return digits;
}

}  // namespace

LibraryLines::LibraryLines() : _saved(stdout) {
    _stream = fopencookie(&_text, "w", cookie_io_functions_t{nullptr, &Keep, nullptr, nullptr});
    if (!_stream) return;
    std::setvbuf(_stream, nullptr, _IONBF, 0);
    stdout = _stream;  // the library reads the variable at each notice
}

LibraryLines::~LibraryLines() {
    if (!_stream) return;
    stdout = _saved;
    std::fclose(_stream);
}

void NoticeReport::Add(std::size_t label, const std::string& path, const std::string& message) {
    for (Entry& e : _entries)
        if (e.path == path && e.message == message) {
            ++e.count;
            return;
        }
    _entries.push_back({path, message, 1, label});
}

void NoticeReport::Print(const std::string& prefix, bool batch) {
    for (const Entry& e : _entries) {
        std::string line = prefix + (e.path.empty() ? "" : e.path + ": ") + e.message;
        if (batch)
            line += " (" + Thousands(e.count) + (e.count == 1 ? " label" : " labels") + ", first label " +
                    std::to_string(e.first) + ")";
        std::cerr << line << '\n';
    }
    _entries.clear();
}

void CollectNotices(const LabelDescription& label, std::string_view lines, std::size_t index,
                    NoticeReport& report) {
    const auto& objects = label.objects;
    // The objects render in order, so each line belongs to the next object
    // that can cause it.
    std::size_t from[sizeof kKnown / sizeof kKnown[0]] = {};
    while (!lines.empty()) {
        const std::size_t end = std::min(lines.find('\n'), lines.size());
        const std::string_view line = lines.substr(0, end);
        lines.remove_prefix(std::min(end + 1, lines.size()));
        std::size_t k = 0;
        while (k < sizeof kKnown / sizeof kKnown[0] && line != kKnown[k].line) ++k;
        std::size_t i = k < sizeof kKnown / sizeof kKnown[0] ? from[k] : objects.size();
        while (i < objects.size() && !(objects[i].kind == kKnown[k].kind && kKnown[k].applies(objects[i])))
            ++i;
        if (i == objects.size()) {
            report.Add(index, "", std::string(line));
            continue;
        }
        from[k] = i + 1;
        const char* message = kKnown[k].message;
        report.Add(index, "objects[" + std::to_string(i) + "]." + kKnown[k].field,
                   message[0] == ' ' ? SymbologyName(objects[i].symbology) + std::string(message) : message);
    }
    // KESH drops this one without a line.
    for (std::size_t i = 0; label.language == Language::Kesh && i < objects.size(); ++i)
        if (objects[i].kind == Kind::Barcode1D && objects[i].textAbove)
            report.Add(index, "objects[" + std::to_string(i) + "].text_above",
                       "KESH prints the interpretation line below the bars");
}

}  // namespace quillon::cli
