// The encoder's codewords and sizing on hand-worked inputs. Expected
// codewords were worked out from the symbology's tables, not from the code.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pdf417Decompactor.h"
#include "pdf417/Pdf417Encoder.h"

namespace {

using Control = Pdf417Encoder::EncodingControl;
using Level = Pdf417Encoder::ErrorCorrectionLevel;

std::vector<unsigned char> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

// n letters compact to n / 2 codewords (rounded up) after the descriptor.
std::string Letters(int n) {
    return std::string(static_cast<size_t>(n), 'A');
}

template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct CodewordCase {
    const char* name;
    Control control;
    std::string input;
    std::vector<int> codewords;  // descriptor first
};

class Pdf417Codewords : public testing::TestWithParam<CodewordCase> {};

TEST_P(Pdf417Codewords, CompactsAsWorkedOut) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    enc.SetEncodingControl(c.control);
    enc.Encode(Bytes(c.input));
    EXPECT_EQ(enc.DataCodewords, c.codewords);
    // The worked codewords must also read back as the input.
    std::vector<unsigned char> back;
    std::string why;
    ASSERT_TRUE(pdf417test::Decompact(c.codewords, back, why)) << why;
    EXPECT_EQ(back, Bytes(c.input));
}

const std::string k44 = "12345678901234567890123456789012345678901234";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Worked, Pdf417Codewords, testing::Values(
    // Text compaction and its sub-modes.
    CodewordCase{"UpperFive", Control::Auto, "ABCDE", {0, 1, 63, 149}},
    CodewordCase{"LowerLatch", Control::Auto, "abcde", {0, 810, 32, 94}},
    CodewordCase{"UpperShiftInLower", Control::Auto, "abCde", {0, 810, 57, 63, 149}},
    CodewordCase{"MixedThenUpper", Control::Auto, "ab12C", {0, 810, 58, 32, 842}},
    CodewordCase{"SpaceStaysUpper", Control::Auto, "AB cd", {0, 1, 807, 63}},
    CodewordCase{"PunctShift", Control::Auto, "AB;CD", {0, 1, 870, 63}},
    CodewordCase{"PunctLatchThenLetter", Control::Auto, "A;<>@B", {0, 28, 750, 32, 119, 59}},
    CodewordCase{"ControlCharsInText", Control::Auto, "AB\r\nC", {0, 1, 851, 885, 842}},
    CodewordCase{"TwelveDigitsAsMixed", Control::Auto, "123456789012", {0, 841, 63, 125, 187, 249, 1, 89}},
    // Byte compaction.
    CodewordCase{"ShortTextIsBytes", Control::Auto, "ABC", {0, 901, 65, 66, 67}},
    CodewordCase{"SixBytes", Control::Auto, "\x80\x81\x82\x83\x84\x85", {0, 924, 215, 318, 502, 193, 33}},
    CodewordCase{"SevenBytes", Control::Auto, "\x80\x81\x82\x83\x84\x85\x86", {0, 901, 215, 318, 502, 193, 33, 134}},
    CodewordCase{"OneByteShiftInText", Control::Auto, "ABCDE\x80" "FGHIJ", {0, 1, 63, 149, 913, 128, 156, 218, 299}},
    CodewordCase{"TextAfterBytesLatches", Control::Auto, "\x80\x81" "ABCDE", {0, 901, 128, 129, 900, 1, 63, 149}},
    // The filler after an odd punctuation segment is a latch to upper case.
    CodewordCase{"PunctFillerReturnsToUpper", Control::Auto, "A;<>@\x80!ABCD", {0, 28, 750, 32, 119, 913, 128, 880, 1, 63}},
    // Numeric compaction.
    CodewordCase{"ThirteenDigits", Control::Auto, "1234567890123", {0, 902, 17, 110, 836, 811, 223}},
    CodewordCase{"ThirteenZeros", Control::Auto, "0000000000000", {0, 902, 15, 217, 379, 11, 100}},
    CodewordCase{"GroupAndOneDigit", Control::Auto, k44 + "5", {0, 902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434, 15}},
    // Other controls.
    CodewordCase{"TextAndByteKeepsDigitsOutOfNumeric", Control::TextAndByte, "1234567890123", {0, 913, 49, 842, 94, 156, 218, 270, 32, 119}},
    CodewordCase{"ByteOnlyOneByteShifts", Control::ByteOnly, "A", {0, 913, 65}}),
    CaseName<CodewordCase>);
// clang-format on

struct SizingCase {
    const char* name;
    std::string input;
    Control control;
    Level level;
    int defaultColumns, dataCodewords, errorCodewords, rows, columns;
};

class Pdf417Sizing : public testing::TestWithParam<SizingCase> {};

TEST_P(Pdf417Sizing, ChoosesLevelRowsAndColumns) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    enc.SetEncodingControl(c.control);
    enc.ErrorCorrection(c.level);
    enc.DefaultDataColumns(c.defaultColumns);
    enc.Encode(Bytes(c.input));
    EXPECT_EQ(static_cast<int>(enc.DataCodewords.size()), c.dataCodewords);
    EXPECT_EQ(enc.ErrorCorrectionLength, c.errorCodewords);
    EXPECT_EQ(enc.DataRows, c.rows);
    EXPECT_EQ(enc.DataColumns, c.columns);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Levels, Pdf417Sizing, testing::Values(
    SizingCase{"Worked", "ABCDE", Control::Auto, Level::AutoNormal, 3, 4, 8, 4, 3},
    SizingCase{"At40", Letters(78), Control::Auto, Level::AutoNormal, 3, 40, 8, 16, 3},
    SizingCase{"At41", Letters(80), Control::Auto, Level::AutoNormal, 3, 41, 16, 19, 3},
    SizingCase{"At160", Letters(318), Control::Auto, Level::AutoNormal, 3, 160, 16, 59, 3},
    SizingCase{"At161", Letters(320), Control::Auto, Level::AutoNormal, 3, 161, 32, 65, 3},
    SizingCase{"At320", Letters(638), Control::Auto, Level::AutoNormal, 3, 320, 32, 90, 4},
    SizingCase{"At321", Letters(640), Control::Auto, Level::AutoNormal, 3, 321, 64, 90, 5},
    SizingCase{"At863", Letters(1724), Control::Auto, Level::AutoNormal, 3, 863, 64, 90, 11},
    SizingCase{"At864", Letters(1726), Control::Auto, Level::AutoNormal, 3, 864, 128, 90, 12},
    SizingCase{"AutoLowSmall", "ABCDE", Control::Auto, Level::AutoLow, 3, 4, 4, 3, 3},
    SizingCase{"AutoHighSmall", "ABCDE", Control::Auto, Level::AutoHigh, 3, 4, 32, 12, 3},
    SizingCase{"AutoLowLarge", Letters(1726), Control::Auto, Level::AutoLow, 3, 864, 64, 90, 11},
    SizingCase{"AutoHighCapsAt8", Letters(1726), Control::Auto, Level::AutoHigh, 3, 864, 512, 90, 16},
    SizingCase{"Level0", "ABCDE", Control::Auto, Level::Level_0, 3, 4, 2, 2, 3},
    SizingCase{"Level8", "ABCDE", Control::Auto, Level::Level_8, 3, 4, 512, 90, 6},
    // No lower bound on rows: one shifted byte at level 0 is two rows.
    SizingCase{"TwoRows", "A", Control::ByteOnly, Level::Level_0, 3, 3, 2, 2, 3},
    // One default column: rows follow the total up to 90.
    SizingCase{"Total90", Letters(146), Control::Auto, Level::AutoNormal, 1, 74, 16, 90, 1},
    SizingCase{"Total91", Letters(148), Control::Auto, Level::AutoNormal, 1, 75, 16, 90, 2},
    SizingCase{"Total2700", Letters(5142), Control::Auto, Level::AutoNormal, 1, 2572, 128, 90, 30}),
    CaseName<SizingCase>);
// clang-format on

TEST(Pdf417Overflow, TotalOf2701Throws) {
    Pdf417Encoder enc;
    enc.DefaultDataColumns(1);
    try {
        enc.Encode(Bytes(Letters(5144)));
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "PDF417 barcode data overflow");
        EXPECT_EQ(enc.TotalLength(), 2701);
    }
}

TEST(Pdf417Aspect, PicksColumnsForTotal) {
    struct Row {
        std::string input;
        Control control;
        int total, columns;
    };
    for (const Row& r :
         {Row{"A", Control::ByteOnly, 11, 2}, Row{"ABCDE", Control::Auto, 12, 3},
          Row{Letters(34), Control::Auto, 26, 3}, Row{Letters(36), Control::Auto, 27, 4},
          Row{Letters(1720), Control::Auto, 925, 19}, Row{Letters(1722), Control::Auto, 926, 1}}) {
        Pdf417Encoder enc;
        enc.SetEncodingControl(r.control);
        enc.Encode(Bytes(r.input));
        ASSERT_EQ(enc.TotalLength(), r.total);
        EXPECT_EQ(enc.aspect_1to2_column(), r.columns) << "total " << r.total;
    }
}

// "ABCDE" at the defaults: 12 codewords in all, 4 rows of 3 columns.
TEST(Pdf417Reshape, ChangesSizingOnlyWhenPossible) {
    struct Row {
        bool setRows;
        int count;
        bool accepted;
        int rows, columns;
    };
    // clang-format off
    for (const Row& r : {Row{false, 4, true, 3, 4}, Row{false, 6, false, 4, 3}, Row{false, 0, false, 4, 3},
                         Row{false, 31, false, 4, 3}, Row{true, 2, false, 4, 3}, Row{true, 3, true, 3, 4},
                         Row{true, 13, true, 13, 1}, Row{true, 91, false, 4, 3}}) {
        // clang-format on
        Pdf417Encoder enc;
        enc.Encode(Bytes("ABCDE"));
        EXPECT_EQ(r.setRows ? enc.SetDataRows(r.count) : enc.SetDataColumns(r.count), r.accepted)
            << (r.setRows ? "rows " : "columns ") << r.count;
        EXPECT_EQ(enc.DataRows, r.rows);
        EXPECT_EQ(enc.DataColumns, r.columns);
    }
    Pdf417Encoder full;  // 2700 codewords fill 90 rows of 30
    full.DefaultDataColumns(30);
    full.Encode(Bytes(Letters(5142)));
    EXPECT_FALSE(full.SetDataRows(3));
    EXPECT_FALSE(full.SetDataColumns(1));
    EXPECT_EQ(full.DataRows, 90);
    EXPECT_EQ(full.DataColumns, 30);
}

struct SetterCase {
    const char* name;
    std::function<void(Pdf417Encoder&)> call;
    const char* message;  // null: accepted
    int barWidth, rowHeight, quietZone;
};

class Pdf417Setters : public testing::TestWithParam<SetterCase> {};

TEST_P(Pdf417Setters, ValidateAndKeepOldValues) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    if (c.message) {
        try {
            c.call(enc);
            FAIL() << "no exception";
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    } else {
        c.call(enc);
    }
    EXPECT_EQ(enc.NarrowBarWidth(), c.barWidth);
    EXPECT_EQ(enc.RowHeight(), c.rowHeight);
    EXPECT_EQ(enc.QuietZone(), c.quietZone);
}

constexpr const char* kBarWidth = "PDF417 Narrow bar width must be one or more. Default is two.";
constexpr const char* kRowHeight =
    "PDF417 Row height must be at least 3 times the narrow bar width. Default is six.";
constexpr const char* kQuietZone =
    "PDF417 Quiet zone must be at least 2 times the narrow bar width. Default is four.";
constexpr const char* kColumns = "PDF417 Default data columns must be 1 to 30. Default is three.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Limits, Pdf417Setters, testing::Values(
    SetterCase{"Defaults", [](Pdf417Encoder&) {}, nullptr, 2, 6, 4},
    SetterCase{"Width4RaisesHeightAndZone", [](Pdf417Encoder& e) { e.NarrowBarWidth(4); }, nullptr, 4, 12, 8},
    SetterCase{"Width1KeepsLargerHeight", [](Pdf417Encoder& e) { e.NarrowBarWidth(1); }, nullptr, 1, 6, 4},
    SetterCase{"Width100", [](Pdf417Encoder& e) { e.NarrowBarWidth(100); }, nullptr, 100, 300, 200},
    SetterCase{"Width0", [](Pdf417Encoder& e) { e.NarrowBarWidth(0); }, kBarWidth, 2, 6, 4},
    SetterCase{"Width101", [](Pdf417Encoder& e) { e.NarrowBarWidth(101); }, kBarWidth, 2, 6, 4},
    SetterCase{"Height11AfterWidth4", [](Pdf417Encoder& e) { e.NarrowBarWidth(4); e.RowHeight(11); }, kRowHeight, 4, 12, 8},
    SetterCase{"Height300", [](Pdf417Encoder& e) { e.RowHeight(300); }, nullptr, 2, 300, 4},
    SetterCase{"Height301", [](Pdf417Encoder& e) { e.RowHeight(301); }, kRowHeight, 2, 6, 4},
    SetterCase{"Height5", [](Pdf417Encoder& e) { e.RowHeight(5); }, kRowHeight, 2, 6, 4},
    SetterCase{"Zone3", [](Pdf417Encoder& e) { e.QuietZone(3); }, kQuietZone, 2, 6, 4},
    SetterCase{"Zone200", [](Pdf417Encoder& e) { e.QuietZone(200); }, nullptr, 2, 6, 200},
    SetterCase{"Zone201", [](Pdf417Encoder& e) { e.QuietZone(201); }, kQuietZone, 2, 6, 4},
    SetterCase{"Columns0", [](Pdf417Encoder& e) { e.DefaultDataColumns(0); }, kColumns, 2, 6, 4},
    SetterCase{"Columns31", [](Pdf417Encoder& e) { e.DefaultDataColumns(31); }, kColumns, 2, 6, 4},
    SetterCase{"Control3", [](Pdf417Encoder& e) { e.SetEncodingControl(static_cast<Control>(3)); },
               "PDF417 Encoding control must be Auto, ByteOnly, or TextAndByte. Default is Auto.", 2, 6, 4},
    SetterCase{"LevelEx", [](Pdf417Encoder& e) { e.ErrorCorrection(Level::Level_Ex); },
               "PDF417 Error correction request is invalid. Default is Auto normal.", 2, 6, 4},
    SetterCase{"LevelNegative", [](Pdf417Encoder& e) { e.ErrorCorrection(static_cast<Level>(-1)); },
               "PDF417 Error correction request is invalid. Default is Auto normal.", 2, 6, 4},
    // Encode and bad input: the encoder's other documented errors.
    SetterCase{"EmptyText", [](Pdf417Encoder& e) { e.Encode(std::string()); },
               "PDF417 Input barcode data string is null or empty.", 2, 6, 4},
    SetterCase{"EmptyBytes", [](Pdf417Encoder& e) { e.Encode(std::vector<unsigned char>()); },
               "PDF417 Input binary barcode data is null or empty", 2, 6, 4}),
    CaseName<SetterCase>);
// clang-format on

TEST(Pdf417TextInput, EncodesUtf8BytesAndRefusesInvalidOnes) {
    Pdf417Encoder enc;
    enc.Encode(std::string("\xf0\x9f\x98\x80"));
    EXPECT_EQ(enc.DataCodewords, (std::vector<int>{0, 901, 240, 159, 152, 128}));
    EXPECT_EQ(enc.BarcodeStringData, "\xf0\x9f\x98\x80");
    // A lone continuation byte, an overlong slash, a byte never in UTF-8.
    for (const char* bad : {"AB\x80", "\xc0\xaf", "\xff"}) {
        try {
            enc.Encode(std::string(bad));
            ADD_FAILURE() << "no exception";
        } catch (const std::range_error& e) {
            EXPECT_STREQ(e.what(), "wstring_convert::from_bytes");
        }
    }
}

// One encoder, several Encode calls: the last one's data and options count.
TEST(Pdf417Reuse, LastEncodeWins) {
    Pdf417Encoder enc;
    enc.Encode(Bytes("ABCDEFGH"));
    enc.Encode(Bytes("abcde"));
    EXPECT_EQ(enc.DataCodewords, (std::vector<int>{0, 810, 32, 94}));
    enc.SetEncodingControl(Control::ByteOnly);
    enc.Encode(Bytes("abcde"));
    EXPECT_EQ(enc.DataCodewords, (std::vector<int>{0, 901, 97, 98, 99, 100, 101}));
    EXPECT_EQ(enc.DataRows, 5);
    enc.SetEncodingControl(Control::Auto);
    enc.ErrorCorrection(Level::Level_5);
    enc.DefaultDataColumns(10);
    enc.Encode(Bytes("ABCDE"));
    EXPECT_EQ(enc.DataCodewords, (std::vector<int>{0, 1, 63, 149}));
    EXPECT_EQ(enc.DataRows, 7);
    EXPECT_EQ(enc.DataColumns, 10);
}

}  // namespace
