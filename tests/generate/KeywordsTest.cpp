// The language vocabulary where its rules are not plain lookups: the KESH
// frame-character choice and the refusals no emitter reaches.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "generate/KESH.h"
#include "generate/VORN.h"

namespace {

std::string AllBytesExcept(std::string keep) {
    std::string s;
    for (int c = 1; c < 256; ++c)
        if (keep.find(static_cast<char>(c)) == std::string::npos) s.push_back(static_cast<char>(c));
    return s;
}

TEST(Keywords, KeshFrameCharacter) {
    struct Row {
        std::string data;
        unsigned char expected;
    };
    const Row rows[] = {
        {"PLAIN", '*'},
        {"A*B", '"'},
        {"*\"'_`-#^+", '!'},
        {"*\"'_`-#^+!", '$'},
        // Delimiters and the slash are never chosen, present or not.
        {"*\"'_`-#^+!$%&()", ','},
        // Bytes above 127 are characters too: with 33-126 all taken, 128 is next.
        {AllBytesExcept(std::string("\x80\x81", 2)), 0x80},
        {AllBytesExcept(""), '?'},
    };
    for (const Row& row : rows)
        EXPECT_EQ(static_cast<unsigned char>(KESH::GetPrintableDataFrameChar(row.data)), row.expected)
            << row.data.substr(0, 12);
}

// Error paths no emitter reaches today: the emitters ask only for the hex
// format and check a font name before asking for its size.
TEST(Keywords, Refusals) {
    EXPECT_EQ(VORN::GetRfidFormat(3), "");
    EXPECT_EQ(KESH::GetRfidFormat(3), "S");
    try {
        KESH::GetRfidFormat(0);
        ADD_FAILURE();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "A valid RFID data format needs to be selected.");
    }
    for (const char* name : {"0", "9", "", "11", "A"}) {
        try {
            VORN::GetBuildInFontSize(name);
            ADD_FAILURE() << name;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), "Invalid Build-In FontName");
        }
    }
}

}  // namespace
