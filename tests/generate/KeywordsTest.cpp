// The language vocabulary where its rules are not plain lookups: the KESH
// frame-character choice, out-of-table values, the font and scale builders.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "generate/Builders.h"
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
    EXPECT_EQ(VORN::GetPrintableDataFrameChar("A\"B"), '"');
}

// Values outside a table; the emitter tests pin the words inside them.
TEST(Keywords, OutOfTableValues) {
    for (int v : {-1, 12, 99, -2147483647}) {
        EXPECT_EQ(VORN::GetBarcodeType1D(v), "") << v;
        EXPECT_EQ(KESH::GetBarcodeType1D(v), "") << v;
        EXPECT_EQ(VORN::GetBarcodeType2D(v), "") << v;
        EXPECT_EQ(VORN::GetRotation(v), "0") << v;
        EXPECT_EQ(KESH::GetRotation(v), "") << v;
        EXPECT_EQ(VORN::GetAlignment(v), "0") << v;
        EXPECT_EQ(KESH::GetAlignment(v), "") << v;
    }
    EXPECT_EQ(VORN::GetBarcodeType1D(8), "93");
    EXPECT_EQ(KESH::GetBarcodeType1D(11), "CODE93");
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

TEST(Keywords, UnitHelpers) {
    EXPECT_EQ(VORN::IgpDots(100.0f, 71.9f), 100.0f);
    EXPECT_EQ(KESH::IgpDots(203.0f, 203.0f), 72.0f);
    EXPECT_EQ(VORN::minLT(0), 1);
    EXPECT_EQ(KESH::minLT(-4), 1);
    EXPECT_EQ(KESH::minLT(3), 3);
}

// The text emitter tests pin the usual fonts; these are the rows they cannot
// reach: another resident size and a font without a name.
TEST(Builders, Fonts) {
    struct Row {
        const char* name;
        bool bold, italic;
        const char* vorn;
        const char* kesh;
        const char* notices;
    };
    const Row rows[] = {
        {"8", false, false, "FONT$ = \"8\"\r\nFH = 14\r\nFV = 25", "FONT;NAME 8", ""},
        {"", true, true, "", "FONT;BOLD ON;SLANT RIGHT",
         "Parameter [Bold] is not supported.\nParameter [Italic] is not supported.\n"},
    };
    for (const Row& row : rows) {
        VornLibEx::Font vorn;
        vorn.Name(row.name);
        vorn.Bold(row.bold);
        vorn.Italic(row.italic);
        testing::internal::CaptureStdout();
        EXPECT_EQ(vorn.ToString(), row.vorn) << row.name;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), row.notices) << row.name;

        KeshLibEx::Font kesh;
        kesh.Name(row.name);
        kesh.Bold(row.bold);
        kesh.Italic(row.italic);
        EXPECT_EQ(kesh.ToString(), row.kesh) << row.name;
    }
    // An unnamed KESH font appends its style again on a second rendering.
    KeshLibEx::Font twice;
    twice.Bold(true);
    twice.ToString();
    EXPECT_EQ(twice.ToString(), "FONT;BOLD ON;BOLD ON");
}

TEST(Builders, ScaleInBothLanguages) {
    VornLib::Scale dots(VORN::DOT, 203, 203);
    EXPECT_EQ(dots.ToString(), "REM SCALE 203,203\r\n");
    EXPECT_EQ(dots.ToString_kesh(), "SCALE;DOT;203;203\r\n");
    EXPECT_EQ(dots.ToString(), "SCALE 203,203\r\n");  // the KESH rendering renamed the command for good
    VornLib::Scale chars(VORN::MM, 300, 200);
    EXPECT_EQ(chars.ToString_kesh(), "SCALE;CHAR;200;300\r\n");
}

}  // namespace
