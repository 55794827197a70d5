#ifndef QUILLON_TESTS_RENDER_ONE_OBJECT_H
#define QUILLON_TESTS_RENDER_ONE_OBJECT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "quillon/Label.h"

namespace quillon_test {

constexpr int kVorn = 0;
constexpr int kKesh = 1;

struct Rendered {
    std::string body;     // the objects' text between the scale line and the trailer
    std::string printed;  // what rendering wrote to standard output
};

// Opens a label in `language`, lets `add` record objects through the
// exported functions, renders it and returns the text the objects added:
// the form of an empty label is cut off at both ends, after checking that
// it really frames the result.
inline Rendered RenderObjects(int language, float dotsPerUnit, ScaleEnum unit,
                              const std::function<void()>& add) {
    CreateLabel(language, "L", dotsPerUnit, unit);
    std::string empty;
    LabelToString(empty);
    add();
    std::string full;
    testing::internal::CaptureStdout();
    LabelToString(full);
    Rendered result;
    result.printed = testing::internal::GetCapturedStdout();
    CloseLabel();

    const size_t scale = empty.find("SCALE");
    const size_t headEnd = empty.find("\r\n", scale) + 2;
    const std::string head = empty.substr(0, headEnd);
    const std::string tail = empty.substr(headEnd);
    EXPECT_EQ(full.compare(0, head.size(), head), 0) << full;
    EXPECT_GE(full.size(), head.size() + tail.size());
    EXPECT_EQ(full.compare(full.size() - tail.size(), tail.size(), tail), 0) << full;
    if (full.size() >= head.size() + tail.size())
        result.body = full.substr(head.size(), full.size() - head.size() - tail.size());
    return result;
}

}  // namespace quillon_test

#endif
