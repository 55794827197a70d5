// The KESH frame-character choice: its later fallbacks are reached by no
// golden form (the asterisk rows there pin the first two choices).

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "generate/KESH.h"

namespace {

std::string AllBytesExcept(std::string keep) {
    std::string s;
    for (int c = 1; c < 256; ++c)
        if (keep.find(static_cast<char>(c)) == std::string::npos) s.push_back(static_cast<char>(c));
    return s;
}

TEST(Keywords, KeshFrameCharacter) {
    const std::pair<std::string, unsigned char> rows[] = {
        {"*\"'_`-#^+", '!'},
        {"*\"'_`-#^+!", '$'},
        // Delimiters and the slash are never chosen, present or not.
        {"*\"'_`-#^+!$%&()", ','},
        // Bytes above 127 are characters too: with 33-126 all taken, 128 is next.
        {AllBytesExcept(std::string("\x80\x81", 2)), 0x80},
        {AllBytesExcept(""), '?'},
    };
    for (const auto& [data, expected] : rows)
        EXPECT_EQ(static_cast<unsigned char>(KESH::GetPrintableDataFrameChar(data)), expected)
            << data.substr(0, 12);
}

}  // namespace
