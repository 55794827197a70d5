#ifndef QUILLON_TESTS_GENERATE_OBJECT_TEXT_H
#define QUILLON_TESTS_GENERATE_OBJECT_TEXT_H

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "label/LabelState.h"
#include "quillon/Label.h"

namespace object_text {

constexpr int kVorn = 0;
constexpr int kKesh = 1;

// The text the objects added by `add` contribute to a label: the label
// rendered with them minus the same label rendered empty (the header and
// trailer around them must be unchanged).
inline std::string ObjectText(int lang, const std::function<void()>& add, float perUnit = 203.0f,
                              ScaleEnum unit = ScaleEnum::Inch) {
    CreateLabel(lang, "T", perUnit, unit);
    std::string empty;
    LabelToString(empty);
    add();
    std::string full;
    LabelToString(full);
    CloseLabel();
    const size_t head = empty.find(lang == kKesh ? "\r\nEND\r\n~EXECUTE;" : "PRINT 1\r\nREM ");
    EXPECT_NE(head, std::string::npos);
    EXPECT_EQ(full.substr(0, head), empty.substr(0, head));
    EXPECT_EQ(full.substr(full.size() - (empty.size() - head)), empty.substr(head));
    return full.substr(head, full.size() - empty.size());
}

// Renders a label holding what `add` records and returns the text of the
// `Exception` thrown; the caller's string must be left as it was.
template <typename Exception>
std::string Thrown(int lang, const std::function<void()>& add, float perUnit = 203.0f,
                   ScaleEnum unit = ScaleEnum::Inch) {
    CreateLabel(lang, "T", perUnit, unit);
    add();
    std::string text = "before";
    std::string message = "<nothing thrown>";
    try {
        LabelToString(text);
    } catch (const Exception& e) {
        message = e.what();
    }
    EXPECT_EQ(text, "before");
    CloseLabel();
    return message;
}

// The leading comma-separated integers of a command line "WORD n,n,...":
// at most `count` of them, stopping at the framed data.
inline std::vector<long long> LeadingNumbers(const std::string& line,
                                             size_t count = static_cast<size_t>(-1)) {
    std::vector<long long> numbers;
    const size_t end = line.find(",\"");
    for (size_t pos = line.find(' ') + 1; pos < end && numbers.size() < count;) {
        const size_t comma = std::min(line.find(',', pos), end);
        numbers.push_back(std::stoll(line.substr(pos, comma - pos)));
        pos = comma + 1;
    }
    return numbers;
}

// Every list of owned objects holds `n` entries.
inline void ExpectOwned(size_t n) {
    for (auto* list : {&ObjectsPtr, &ObjRulerPtr, &ObjStartPtr, &ObjEndPtr, &ObjCellSquarePtr,
                       &ObjCellRectPtr, &ObjTextItemPtr})
        EXPECT_EQ(list->size(), n);
}

}  // namespace object_text

#endif
