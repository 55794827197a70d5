// Texts through the exported functions, each input rendered in both
// languages.
#include <gtest/gtest.h>

#include <string>

#include "emit_support.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;
using quillon_test::ObjectText;

constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr ScaleEnum MM = ScaleEnum::MM;
constexpr ScaleEnum Inch = ScaleEnum::Inch;
constexpr int Ruler = 0, Points = 1, Percent = 2;

struct TextCase {
    const char* name;
    float x, y, sizeX, sizeY;
    std::string data;
    ScaleEnum scale;
    int unit;   // FontSizeUnitsEnum, raw so that unknown values can be tried
    int style;  // FontStyleEnum bits, -1 for none
    int align;
    std::string font;
    int rotation;
    float dotsPerUnit;  // printer resolution, with resolutionUnit
    ScaleEnum resolutionUnit;
    std::string vorn, kesh;
    std::string vornPrinted;  // standard output while rendering VORN
};

// Unless a row says otherwise: text AB at (100, 200) dots, 203 dpi, no font
// name, no style, default alignment, no rotation.
TextCase Row(const char* name, int unit, float sizeX, float sizeY, std::string vorn, std::string kesh) {
    return {name, 100, 200, sizeX, sizeY, "AB", Dot, unit, -1, 0, "", 0, 203, Inch, vorn, kesh, ""};
}

const std::string kVornFont = "FONT$ = \"0\"\r\n";
const std::string kKeshFont = "FONT;NAME 93779.sf\r\n";

// clang-format off
std::vector<TextCase> SizeCases() {
    return {
        Row("PercentFifty", Percent, 50, 50,  //
            kVornFont + "TEXT 100,(200 - 5*FV),FONT$,0,5,5,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;69;69;*AB*\r\nSTOP\r\n"),
        Row("PercentOutsideZeroToHundredIsZero", Percent, 150, -5,
            kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;0;0;*AB*\r\nSTOP\r\n"),
        Row("PercentLimitsIncluded", Percent, 100, 0,
            kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,10,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;0;139;*AB*\r\nSTOP\r\n"),
        Row("PointsWidthTenHeightTwelve", Points, 10, 12,
            kVornFont + "TEXT 100,(200-INT(12*DPI/72*0.79)),FONT$,0,10,12,\"AB\"\r\n", kKeshFont + "ALPHA\r\nPOINT;200;100;12;10;*AB*\r\nSTOP\r\n"),
        Row("PointsBelowOneFallBackToMultiplier", Points, 0.5f, 0.5f,
            kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;0;0;*AB*\r\nSTOP\r\n"),
        Row("PointsNeedBothSizes", Points, 10, 0.5f,
            kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,10,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;0;10;*AB*\r\nSTOP\r\n"),
        Row("UnknownSizeUnitGivesNoSize", 7, 10, 12,
            kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;0;0;*AB*\r\nSTOP\r\n"),
        Row("RulerInDotsToPoints", Ruler, 50, 50,  // 50 * 72 / 203 = 17.7
            kVornFont + "TEXT 100,(200-INT(17*DPI/72*0.79)),FONT$,0,17,17,\"AB\"\r\n", kKeshFont + "ALPHA\r\nPOINT;200;100;17;17;*AB*\r\nSTOP\r\n"),
        // 6.35 mm is exactly 18 points only in single precision at 203 dpi.
        {"RulerInMillimetres", 10, 20, 6.35f, 6.35f, "AB", MM, Ruler, -1, 0, "", 0, 203, Inch,
         kVornFont + "TEXT 79,(159-INT(18*DPI/72*0.79)),FONT$,0,18,18,\"AB\"\r\n", kKeshFont + "ALPHA\r\nPOINT;159;79;18;18;*AB*\r\nSTOP\r\n", ""},
        {"RulerInMillimetresAtEightDotsPerMm", 10, 20, 5, 10, "AB", MM, Ruler, -1, 0, "", 0, 8, MM,
         kVornFont + "TEXT 80,(160-INT(28*DPI/72*0.79)),FONT$,0,14,28,\"AB\"\r\n", kKeshFont + "ALPHA\r\nPOINT;160;80;28;14;*AB*\r\nSTOP\r\n", ""},
        {"NegativePositionTruncatesTowardZero", -2.9f, -0.5f, 10, 10, "AB", Dot, Percent, -1, 0, "", 0, 203,
         Inch, kVornFont + "TEXT -2,(0 - 1*FV),FONT$,0,1,1,\"AB\"\r\n",
         kKeshFont + "ALPHA\r\n0;-2;13;13;*AB*\r\nSTOP\r\n", ""},
    };
}

TextCase With(TextCase c, const char* name, int rotation, int align, std::string vorn, std::string kesh) {
    c.name = name;
    c.rotation = rotation;
    c.align = align;
    c.vorn = std::move(vorn);
    c.kesh = std::move(kesh);
    return c;
}

std::vector<TextCase> PlacementCases() {
    const TextCase multiplier = Row("", Percent, 10, 10, "", "");
    const TextCase points = Row("", Points, 10, 12, "", "");
    return {
        With(points, "ClockWisePoints", 1, 0,
             kVornFont + "TEXT (100+INT(12*DPI/72*0.79)),200,FONT$,90,10,12,\"AB\"\r\n",
             kKeshFont + "ALPHA\r\nCW;POINT;200;100;12;10;*AB*\r\nSTOP\r\n"),
        With(multiplier, "CounterClockWise", 2, 0,
             kVornFont + "TEXT (100 - 1*FV),200,FONT$,270,1,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\nCCW;200;100;13;13;*AB*\r\nSTOP\r\n"),
        With(points, "InvertedPoints", 3, 0,
             kVornFont + "TEXT 100,(200+INT(12*DPI/72*0.79)),FONT$,180,10,12,\"AB\"\r\n",
             kKeshFont + "ALPHA\r\nINV;POINT;200;100;12;10;*AB*\r\nSTOP\r\n"),
        With(multiplier, "UnknownRotationHasNoPosition", 7, 0, kVornFont + "TEXT FONT$,0,1,1,\"AB\"\r\n",
             kKeshFont + "ALPHA\r\n;200;100;13;13;*AB*\r\nSTOP\r\n"),
        With(multiplier, "LeftAlignmentWritesNothing", 0, 1,
             kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1,\"AB\"\r\n", kKeshFont + "ALPHA\r\n200;100;13;13;*AB*\r\nSTOP\r\n"),
        With(multiplier, "Center", 0, 2, kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1,2,\"AB\"\r\n",
             kKeshFont + "ALPHA\r\nCJUST;200;100;13;13;*AB*\r\nSTOP\r\n"),
        With(multiplier, "RightAndClockWise", 1, 3,
             kVornFont + "TEXT (100 + 1*FV),200,FONT$,90,1,1,3,\"AB\"\r\n", kKeshFont + "ALPHA\r\nRJUST;CW;200;100;13;13;*AB*\r\nSTOP\r\n"),
    };
}

TextCase Styled(const char* name, int style, std::string font, std::string vornFont, std::string keshFont,
                std::string printed) {
    TextCase c = Row(name, Percent, 10, 10, "", "");
    c.style = style;
    c.font = std::move(font);
    c.vorn = vornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1,\"AB\"\r\n";
    c.kesh = keshFont + "ALPHA\r\n200;100;13;13;*AB*\r\nSTOP\r\n";
    c.vornPrinted = std::move(printed);
    return c;
}

std::vector<TextCase> FontCases() {
    return {
        Styled("Normal", 0, "", kVornFont, kKeshFont, ""),
        Styled("BoldAndItalicInThatOrder", 3, "", kVornFont, "FONT;NAME 93779.sf;BOLD ON;SLANT RIGHT\r\n",
               "Parameter [Bold] is not supported.\nParameter [Italic] is not supported.\n"),
        Styled("MinusTwoIsItalic", -2, "", kVornFont, "FONT;NAME 93779.sf;SLANT RIGHT\r\n",
               "Parameter [Italic] is not supported.\n"),
        Styled("BoldOnly", 1, "CG Times", "FONT$ = \"CG Times\"\r\n", "FONT;NAME CG Times;BOLD ON\r\n",
               "Parameter [Bold] is not supported.\n"),
        Styled("ResidentFontSetsItsSize", -1, "3", "FONT$ = \"3\"\r\nFH = 16\r\nFV = 24\r\n",
               "FONT;NAME 3\r\n", ""),
        Styled("NineIsNotResident", -1, "9", "FONT$ = \"9\"\r\n", "FONT;NAME 9\r\n", ""),
    };
}

std::string AllPrintableAscii() {
    std::string s;
    for (int c = 33; c <= 126; ++c) s.push_back(static_cast<char>(c));
    return s;
}

TextCase Framed(const char* name, std::string data, std::string vornData, std::string keshData) {
    TextCase c = Row(name, Percent, 10, 10, "", "");
    c.data = data;
    c.vorn = kVornFont + "TEXT 100,(200 - 1*FV),FONT$,0,1,1," + vornData + "\r\n";
    c.kesh = kKeshFont + "ALPHA\r\n200;100;13;13;" + keshData + "\r\nSTOP\r\n";
    return c;
}

std::vector<TextCase> DataCases() {
    return {
        Framed("Empty", "", "\"\"", "**"),
        Framed("AsteriskInData", "A*B", "\"A*B\"", "\"A*B\""),
        Framed("QuoteIsNotEscaped", "A\"B", "\"A\"B\"", "*A\"B*"),
        // Every printable ASCII byte is taken, so the first byte above 127
        // frames the data.
        Framed("HighByteFrame", AllPrintableAscii(), "\"" + AllPrintableAscii() + "\"",
               "\x80" + AllPrintableAscii() + "\x80"),
    };
}

// clang-format on

class TextTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextTest, RendersInBothLanguages) {
    const TextCase& c = GetParam();
    auto add = [&c] {
        ASSERT_NE(CreateTexts(c.x, c.y, c.sizeX, c.sizeY, c.data, c.scale,
                              static_cast<FontSizeUnitsEnum>(c.unit), static_cast<FontStyleEnum>(c.style),
                              static_cast<AlignEnum>(c.align), c.font, static_cast<RotateEnum>(c.rotation)),
                  nullptr);
    };
    std::string printed;
    EXPECT_EQ(ObjectText(kVorn, add, c.dotsPerUnit, c.resolutionUnit, &printed), c.vorn);
    EXPECT_EQ(printed, c.vornPrinted);
    EXPECT_EQ(ObjectText(kKesh, add, c.dotsPerUnit, c.resolutionUnit, &printed), c.kesh);
    EXPECT_EQ(printed, "");
}

std::string CaseName(const testing::TestParamInfo<TextCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Size, TextTest, testing::ValuesIn(SizeCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Placement, TextTest, testing::ValuesIn(PlacementCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Font, TextTest, testing::ValuesIn(FontCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Data, TextTest, testing::ValuesIn(DataCases()), CaseName);

// Rendering reads only the recorded values: the same label renders the same
// text twice, and the VORN notices come once per rendering.
TEST(TextRecording, RenderingTwiceGivesTheSameText) {
    CreateLabel(kVorn, "L", 203, Inch);
    CreateTexts(1, 2, 10, 10, "AB", Dot, FontSizeUnitsEnum::Points, static_cast<FontStyleEnum>(3),
                AlignEnum::Default, "", RotateEnum::None);
    std::string first, second;
    testing::internal::CaptureStdout();
    LabelToString(first);
    LabelToString(second);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Parameter [Bold] is not supported.\nParameter [Italic] is not supported.\n"
              "Parameter [Bold] is not supported.\nParameter [Italic] is not supported.\n");
    EXPECT_EQ(first, second);
    CloseLabel();
}

}  // namespace
