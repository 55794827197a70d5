#include "Notices.h"

#include <iostream>

namespace quillon::cli {

std::string Grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return digits;
}

namespace {

// The notices the library gives, the field that causes each, and
// what the label's author is told instead.
struct KnownLine {
    std::string_view line;
    const char* field;
    const char* message;  // starting with a blank: after the symbology's name
};

const KnownLine kKnown[] = {
    {"Parameter [Bold] is not supported.", "style", "VORN prints no bold"},
    {"Parameter [Italic] is not supported.", "style", "VORN prints no italic"},
    {"Parameter [PdfLocTop] is not supported.", "text_above",
     "VORN prints the interpretation line below the bars"},
    {"Parameter [ZipperPattern] is not supported.", "zipper", "VORN prints no zipper pattern"},
    {"Parameter [Rotation] is not supported.", "rotation", "VORN prints Maxicode unrotated"},
    {"Narrow:Wide must be 1:1", "narrow/wide", " prints 1:1"},
    {"Narrow:Wide must be 1:3", "narrow/wide", " prints 1:3"},
    {"Narrow:Wide must be 1:2 or 1:3 or 2:5", "narrow/wide", " prints 1:2, 1:3 or 2:5; 1:3 used"},
};

}  // namespace

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
            line += " (" + Grouped(e.count) + (e.count == 1 ? " label" : " labels") + ", first label " +
                    std::to_string(e.first) + ")";
        std::cerr << line << '\n';
    }
    _entries.clear();
}

void CollectNotices(const LabelDescription& label, const std::vector<quillon::LabelNotice>& notices,
                    std::size_t index, NoticeReport& report) {
    const auto& objects = label.objects;
    constexpr std::size_t kKnownCount = sizeof kKnown / sizeof kKnown[0];
    for (const quillon::LabelNotice& notice : notices) {
        std::size_t k = 0;
        while (k < kKnownCount && notice.text != kKnown[k].line) ++k;
        // Each object of the description is one object of the label.
        if (k == kKnownCount || notice.object >= objects.size()) {
            report.Add(index, "", notice.text);
            continue;
        }
        const char* message = kKnown[k].message;
        const auto* bars = std::get_if<quillon::Barcode1DOptions>(&objects[notice.object]);
        report.Add(index, "objects[" + std::to_string(notice.object) + "]." + kKnown[k].field,
                   message[0] == ' ' && bars
                       ? SymbologyName(static_cast<int>(bars->type)) + std::string(message)
                       : message);
    }
    // KESH drops this one without a line.
    for (std::size_t i = 0; label.language == Language::Kesh && i < objects.size(); ++i)
        if (const auto* bars = std::get_if<quillon::Barcode1DOptions>(&objects[i]); bars && bars->textAbove)
            report.Add(index, "objects[" + std::to_string(i) + "].text_above",
                       "KESH prints the interpretation line below the bars");
}

}  // namespace quillon::cli
