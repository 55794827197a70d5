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

INSTANTIATE_TEST_SUITE_P(
    Worked, Pdf417Codewords,
    testing::Values(
        // Text compaction and its sub-modes.
        CodewordCase{"UpperFive", Control::Auto, "ABCDE", {0, 1, 63, 149}},
        CodewordCase{"LowerLatch", Control::Auto, "abcde", {0, 810, 32, 94}},
        CodewordCase{"UpperShiftInLower", Control::Auto, "abCde", {0, 810, 57, 63, 149}},
        CodewordCase{"MixedThenUpper", Control::Auto, "ab12C", {0, 810, 58, 32, 842}},
        CodewordCase{"SpaceStaysUpper", Control::Auto, "AB cd", {0, 1, 807, 63}},
        CodewordCase{"PunctShift", Control::Auto, "AB;CD", {0, 1, 870, 63}},
        CodewordCase{"PunctLatchForThreeMore", Control::Auto, "AB;<>@", {0, 1, 865, 1, 63}},
        CodewordCase{"PunctLatchThenLetter", Control::Auto, "A;<>@B", {0, 28, 750, 32, 119, 59}},
        CodewordCase{"ControlCharsInText", Control::Auto, "AB\r\nC", {0, 1, 851, 885, 842}},
        CodewordCase{
            "TwelveDigitsAsMixed", Control::Auto, "123456789012", {0, 841, 63, 125, 187, 249, 1, 89}},
        // Byte compaction.
        CodewordCase{"ShortTextIsBytes", Control::Auto, "ABC", {0, 901, 65, 66, 67}},
        CodewordCase{"SixBytes", Control::Auto, "\x80\x81\x82\x83\x84\x85", {0, 924, 215, 318, 502, 193, 33}},
        CodewordCase{"SevenBytes",
                     Control::Auto,
                     "\x80\x81\x82\x83\x84\x85\x86",
                     {0, 901, 215, 318, 502, 193, 33, 134}},
        CodewordCase{"OneByteShiftInText",
                     Control::Auto,
                     "ABCDE\x80"
                     "FGHIJ",
                     {0, 1, 63, 149, 913, 128, 156, 218, 299}},
        CodewordCase{"LeadingControlByte",
                     Control::Auto,
                     "\x01"
                     "ABCDE",
                     {0, 913, 1, 1, 63, 149}},
        CodewordCase{"TextAfterBytesLatches",
                     Control::Auto,
                     "\x80\x81"
                     "ABCDE",
                     {0, 901, 128, 129, 900, 1, 63, 149}},
        // The filler after an odd punctuation segment is a latch to upper case.
        CodewordCase{"PunctFillerReturnsToUpper",
                     Control::Auto,
                     "A;<>@\x80!ABCD",
                     {0, 28, 750, 32, 119, 913, 128, 880, 1, 63}},
        // Numeric compaction.
        CodewordCase{"ThirteenDigits", Control::Auto, "1234567890123", {0, 902, 17, 110, 836, 811, 223}},
        CodewordCase{"ThirteenZeros", Control::Auto, "0000000000000", {0, 902, 15, 217, 379, 11, 100}},
        CodewordCase{"FullGroup",
                     Control::Auto,
                     k44,
                     {0, 902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434}},
        CodewordCase{"GroupAndOneDigit",
                     Control::Auto,
                     k44 + "5",
                     {0, 902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434, 15}},
        CodewordCase{"TextAfterNumericLatches",
                     Control::Auto,
                     "1234567890123ABCDE",
                     {0, 902, 17, 110, 836, 811, 223, 900, 1, 63, 149}},
        // Other controls.
        CodewordCase{"TextAndByteKeepsDigitsOutOfNumeric",
                     Control::TextAndByte,
                     "1234567890123",
                     {0, 913, 49, 842, 94, 156, 218, 270, 32, 119}},
        CodewordCase{"ByteOnlyOneByteShifts", Control::ByteOnly, "A", {0, 913, 65}},
        CodewordCase{"ByteOnlySix", Control::ByteOnly, "ABCDEF", {0, 924, 109, 326, 368, 127, 330}},
        CodewordCase{"ByteOnlySeven", Control::ByteOnly, "ABCDEFG", {0, 901, 109, 326, 368, 127, 330, 71}}),
    [](const testing::TestParamInfo<CodewordCase>& info) { return std::string(info.param.name); });

struct SizingCase {
    const char* name;
    std::string input;
    Control control;
    Level level;
    int defaultColumns;
    int dataCodewords;
    int errorCodewords;
    int rows;
    int columns;
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

// n letters compact to n / 2 codewords (rounded up) after the descriptor.
std::string Letters(int n) {
    return std::string(static_cast<size_t>(n), 'A');
}

INSTANTIATE_TEST_SUITE_P(
    Levels, Pdf417Sizing,
    testing::Values(
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
        SizingCase{"AutoMediumSmall", "ABCDE", Control::Auto, Level::AutoMedium, 3, 4, 16, 7, 3},
        SizingCase{"AutoHighSmall", "ABCDE", Control::Auto, Level::AutoHigh, 3, 4, 32, 12, 3},
        SizingCase{"AutoLowLarge", Letters(1726), Control::Auto, Level::AutoLow, 3, 864, 64, 90, 11},
        SizingCase{"AutoMediumLarge", Letters(1726), Control::Auto, Level::AutoMedium, 3, 864, 256, 90, 13},
        SizingCase{"AutoHighCapsAt8", Letters(1726), Control::Auto, Level::AutoHigh, 3, 864, 512, 90, 16},
        SizingCase{"Level0", "ABCDE", Control::Auto, Level::Level_0, 3, 4, 2, 2, 3},
        SizingCase{"Level8", "ABCDE", Control::Auto, Level::Level_8, 3, 4, 512, 90, 6},
        // No lower bound on rows: one shifted byte at level 0 is two rows.
        SizingCase{"TwoRows", "A", Control::ByteOnly, Level::Level_0, 3, 3, 2, 2, 3},
        // One default column: rows follow the total up to 90.
        SizingCase{"Total90", Letters(146), Control::Auto, Level::AutoNormal, 1, 74, 16, 90, 1},
        SizingCase{"Total91", Letters(148), Control::Auto, Level::AutoNormal, 1, 75, 16, 90, 2},
        SizingCase{"Total2700", Letters(5142), Control::Auto, Level::AutoNormal, 1, 2572, 128, 90, 30}),
    [](const testing::TestParamInfo<SizingCase>& info) { return std::string(info.param.name); });

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

struct AspectCase {
    const char* name;
    std::string input;
    Control control;
    int total;
    int columns;
};

class Pdf417Aspect : public testing::TestWithParam<AspectCase> {};

TEST_P(Pdf417Aspect, PicksColumnsForTotal) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    enc.SetEncodingControl(c.control);
    enc.Encode(Bytes(c.input));
    ASSERT_EQ(enc.TotalLength(), c.total);
    EXPECT_EQ(enc.aspect_1to2_column(), c.columns);
}

INSTANTIATE_TEST_SUITE_P(Table, Pdf417Aspect,
                         testing::Values(AspectCase{"Total11", "A", Control::ByteOnly, 11, 2},
                                         AspectCase{"Total12", "ABCDE", Control::Auto, 12, 3},
                                         AspectCase{"Total26", Letters(34), Control::Auto, 26, 3},
                                         AspectCase{"Total27", Letters(36), Control::Auto, 27, 4},
                                         AspectCase{"Total925", Letters(1720), Control::Auto, 925, 19},
                                         AspectCase{"Total926", Letters(1722), Control::Auto, 926, 1}),
                         [](const testing::TestParamInfo<AspectCase>& info) {
                             return std::string(info.param.name);
                         });

struct ReshapeCase {
    const char* name;
    std::function<bool(Pdf417Encoder&)> request;
    bool accepted;
    int rows;
    int columns;
};

class Pdf417Reshape : public testing::TestWithParam<ReshapeCase> {};

// "ABCDE" at the defaults: 12 codewords in all, 4 rows of 3 columns.
TEST_P(Pdf417Reshape, ChangesSizingOnlyWhenPossible) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    enc.Encode(Bytes("ABCDE"));
    EXPECT_EQ(c.request(enc), c.accepted);
    EXPECT_EQ(enc.DataRows, c.rows);
    EXPECT_EQ(enc.DataColumns, c.columns);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Pdf417Reshape,
    testing::Values(
        ReshapeCase{"Columns4", [](Pdf417Encoder& e) { return e.SetDataColumns(4); }, true, 3, 4},
        ReshapeCase{"Columns5", [](Pdf417Encoder& e) { return e.SetDataColumns(5); }, true, 3, 5},
        ReshapeCase{"Columns6TooFewRows", [](Pdf417Encoder& e) { return e.SetDataColumns(6); }, false, 4, 3},
        ReshapeCase{"Columns0", [](Pdf417Encoder& e) { return e.SetDataColumns(0); }, false, 4, 3},
        ReshapeCase{"Columns31", [](Pdf417Encoder& e) { return e.SetDataColumns(31); }, false, 4, 3},
        ReshapeCase{"Rows2", [](Pdf417Encoder& e) { return e.SetDataRows(2); }, false, 4, 3},
        ReshapeCase{"Rows3", [](Pdf417Encoder& e) { return e.SetDataRows(3); }, true, 3, 4},
        ReshapeCase{"Rows12", [](Pdf417Encoder& e) { return e.SetDataRows(12); }, true, 12, 1},
        ReshapeCase{"Rows13", [](Pdf417Encoder& e) { return e.SetDataRows(13); }, true, 13, 1},
        ReshapeCase{"Rows91", [](Pdf417Encoder& e) { return e.SetDataRows(91); }, false, 4, 3}),
    [](const testing::TestParamInfo<ReshapeCase>& info) { return std::string(info.param.name); });

TEST(Pdf417Reshape, RefusesCountsTheDataCannotFill) {
    Pdf417Encoder enc;
    enc.DefaultDataColumns(30);
    enc.Encode(Bytes(Letters(5142)));  // 2700 codewords
    EXPECT_FALSE(enc.SetDataRows(3));
    EXPECT_FALSE(enc.SetDataColumns(1));
    EXPECT_EQ(enc.DataRows, 90);
    EXPECT_EQ(enc.DataColumns, 30);
}

struct SetterCase {
    const char* name;
    std::function<void(Pdf417Encoder&)> call;
    const char* message;  // null: accepted
    int barWidth;
    int rowHeight;
    int quietZone;
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

INSTANTIATE_TEST_SUITE_P(
    Limits, Pdf417Setters,
    testing::Values(
        SetterCase{"Defaults", [](Pdf417Encoder&) {}, nullptr, 2, 6, 4},
        SetterCase{"Width4RaisesHeightAndZone", [](Pdf417Encoder& e) { e.NarrowBarWidth(4); }, nullptr, 4, 12,
                   8},
        SetterCase{"Width1KeepsLargerHeight", [](Pdf417Encoder& e) { e.NarrowBarWidth(1); }, nullptr, 1, 6,
                   4},
        SetterCase{"Width100", [](Pdf417Encoder& e) { e.NarrowBarWidth(100); }, nullptr, 100, 300, 200},
        SetterCase{"Width0", [](Pdf417Encoder& e) { e.NarrowBarWidth(0); }, kBarWidth, 2, 6, 4},
        SetterCase{"Width101", [](Pdf417Encoder& e) { e.NarrowBarWidth(101); }, kBarWidth, 2, 6, 4},
        SetterCase{"Height11AfterWidth4",
                   [](Pdf417Encoder& e) {
                       e.NarrowBarWidth(4);
                       e.RowHeight(11);
                   },
                   kRowHeight, 4, 12, 8},
        SetterCase{"Height300", [](Pdf417Encoder& e) { e.RowHeight(300); }, nullptr, 2, 300, 4},
        SetterCase{"Height301", [](Pdf417Encoder& e) { e.RowHeight(301); }, kRowHeight, 2, 6, 4},
        SetterCase{"Height5", [](Pdf417Encoder& e) { e.RowHeight(5); }, kRowHeight, 2, 6, 4},
        SetterCase{"Zone3", [](Pdf417Encoder& e) { e.QuietZone(3); }, kQuietZone, 2, 6, 4},
        SetterCase{"Zone200", [](Pdf417Encoder& e) { e.QuietZone(200); }, nullptr, 2, 6, 200},
        SetterCase{"Zone201", [](Pdf417Encoder& e) { e.QuietZone(201); }, kQuietZone, 2, 6, 4},
        SetterCase{"Columns0", [](Pdf417Encoder& e) { e.DefaultDataColumns(0); },
                   "PDF417 Default data columns must be 1 to 30. Default is three.", 2, 6, 4},
        SetterCase{"Columns31", [](Pdf417Encoder& e) { e.DefaultDataColumns(31); },
                   "PDF417 Default data columns must be 1 to 30. Default is three.", 2, 6, 4},
        SetterCase{"Control3", [](Pdf417Encoder& e) { e.SetEncodingControl(static_cast<Control>(3)); },
                   "PDF417 Encoding control must be Auto, ByteOnly, or TextAndByte. Default is Auto.", 2, 6,
                   4},
        SetterCase{"LevelEx", [](Pdf417Encoder& e) { e.ErrorCorrection(Level::Level_Ex); },
                   "PDF417 Error correction request is invalid. Default is Auto normal.", 2, 6, 4},
        SetterCase{"LevelNegative", [](Pdf417Encoder& e) { e.ErrorCorrection(static_cast<Level>(-1)); },
                   "PDF417 Error correction request is invalid. Default is Auto normal.", 2, 6, 4}),
    [](const testing::TestParamInfo<SetterCase>& info) { return std::string(info.param.name); });

struct TextInputCase {
    const char* name;
    std::string text;
    std::vector<int> codewords;
};

class Pdf417TextInput : public testing::TestWithParam<TextInputCase> {};

TEST_P(Pdf417TextInput, EncodesUtf8Bytes) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    enc.Encode(c.text);
    EXPECT_EQ(enc.DataCodewords, c.codewords);
    EXPECT_EQ(enc.BarcodeStringData, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Utf8, Pdf417TextInput,
    testing::Values(TextInputCase{"Ascii", "ABCDE", {0, 1, 63, 149}},
                    TextInputCase{"TwoByteCharacter", "\xc3\xa9", {0, 901, 195, 169}},
                    TextInputCase{"FourByteCharacter", "\xf0\x9f\x98\x80", {0, 901, 240, 159, 152, 128}}),
    [](const testing::TestParamInfo<TextInputCase>& info) { return std::string(info.param.name); });

struct BadInputCase {
    const char* name;
    std::function<void(Pdf417Encoder&)> call;
    const char* message;
};

class Pdf417BadInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(Pdf417BadInput, ThrowsTheDocumentedError) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    try {
        c.call(enc);
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Pdf417BadInput,
    testing::Values(BadInputCase{"EmptyText", [](Pdf417Encoder& e) { e.Encode(std::string()); },
                                 "PDF417 Input barcode data string is null or empty."},
                    BadInputCase{"EmptyBytes",
                                 [](Pdf417Encoder& e) { e.Encode(std::vector<unsigned char>()); },
                                 "PDF417 Input binary barcode data is null or empty"},
                    BadInputCase{"LoneContinuationByte",
                                 [](Pdf417Encoder& e) { e.Encode(std::string("AB\x80")); },
                                 "wstring_convert::from_bytes"},
                    BadInputCase{"OverlongSlash", [](Pdf417Encoder& e) { e.Encode(std::string("\xc0\xaf")); },
                                 "wstring_convert::from_bytes"}),
    [](const testing::TestParamInfo<BadInputCase>& info) { return std::string(info.param.name); });

TEST(Pdf417BadInput, InvalidUtf8IsARangeError) {
    Pdf417Encoder enc;
    EXPECT_THROW(enc.Encode(std::string("\xff")), std::range_error);
}

}  // namespace

namespace {

struct ReuseCase {
    const char* name;
    std::function<void(Pdf417Encoder&)> steps;
    std::vector<int> codewords;
    int rows;
    int columns;
};

class Pdf417Reuse : public testing::TestWithParam<ReuseCase> {};

// One encoder, several Encode calls: the last one's data and options count.
TEST_P(Pdf417Reuse, LastEncodeWins) {
    const auto& c = GetParam();
    Pdf417Encoder enc;
    c.steps(enc);
    EXPECT_EQ(enc.DataCodewords, c.codewords);
    EXPECT_EQ(enc.DataRows, c.rows);
    EXPECT_EQ(enc.DataColumns, c.columns);
}

INSTANTIATE_TEST_SUITE_P(Sequences, Pdf417Reuse,
                         testing::Values(ReuseCase{"OtherData",
                                                   [](Pdf417Encoder& e) {
                                                       e.Encode(Bytes("ABCDE"));
                                                       e.Encode(Bytes("abcde"));
                                                   },
                                                   {0, 810, 32, 94},
                                                   4,
                                                   3},
                                         ReuseCase{"SameDataOtherControl",
                                                   [](Pdf417Encoder& e) {
                                                       e.Encode(Bytes("abcde"));
                                                       e.SetEncodingControl(Control::ByteOnly);
                                                       e.Encode(Bytes("abcde"));
                                                   },
                                                   {0, 901, 97, 98, 99, 100, 101},
                                                   5,
                                                   3},
                                         ReuseCase{"SameDataOtherLevelAndColumns",
                                                   [](Pdf417Encoder& e) {
                                                       e.Encode(Bytes("ABCDE"));
                                                       e.ErrorCorrection(Level::Level_5);
                                                       e.DefaultDataColumns(10);
                                                       e.Encode(Bytes("ABCDE"));
                                                   },
                                                   {0, 1, 63, 149},
                                                   7,
                                                   10},
                                         ReuseCase{"PrefixOfEarlierData",
                                                   [](Pdf417Encoder& e) {
                                                       e.Encode(Bytes("ABCDEFGH"));
                                                       e.Encode(Bytes("ABCDE"));
                                                   },
                                                   {0, 1, 63, 149},
                                                   4,
                                                   3}),
                         [](const testing::TestParamInfo<ReuseCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
