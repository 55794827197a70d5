#ifndef QUILLON_TESTS_GENERATE_EMIT_SUPPORT_H
#define QUILLON_TESTS_GENERATE_EMIT_SUPPORT_H

// Renders labels holding a few objects and cuts the objects' text out of the
// form, for the emitter tests of both languages.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "label/LabelState.h"
#include "quillon/Label.h"

namespace quillon_test {

constexpr int kVorn = 0;
constexpr int kKesh = 1;

// The text the objects added by `add` contribute to a label: the label
// rendered with them minus the same label rendered empty, whose header (up
// to the scale line) and trailer must frame the result unchanged. With
// `printed`, what rendering wrote to standard output is kept there.
inline std::string ObjectText(int lang, const std::function<void()>& add, float perUnit = 203.0f,
                              ScaleEnum unit = ScaleEnum::Inch, std::string* printed = nullptr) {
    CreateLabel(lang, "T", perUnit, unit);
    std::string empty, full;
    LabelToString(empty);
    add();
    if (printed) testing::internal::CaptureStdout();
    LabelToString(full);
    if (printed) *printed = testing::internal::GetCapturedStdout();
    CloseLabel();
    const size_t head = empty.find("\r\n", empty.find("SCALE")) + 2;
    const size_t tail = empty.size() - head;
    EXPECT_GE(full.size(), empty.size()) << full;
    if (full.size() < empty.size()) return full;
    EXPECT_EQ(full.substr(0, head), empty.substr(0, head)) << full;
    EXPECT_EQ(full.substr(full.size() - tail), empty.substr(head)) << full;
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

// The leading comma-separated integers of a command line "WORD n,n,...",
// stopping at the framed data.
inline std::vector<long long> LeadingNumbers(const std::string& line) {
    std::vector<long long> numbers;
    const size_t end = line.find(",\"");
    for (size_t pos = line.find(' ') + 1; pos < end;) {
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

}  // namespace quillon_test

#endif
