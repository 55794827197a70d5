#ifndef QUILLON_TESTS_GENERATE_OBJECT_TEXT_H
#define QUILLON_TESTS_GENERATE_OBJECT_TEXT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

}  // namespace object_text

#endif
