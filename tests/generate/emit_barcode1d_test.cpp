// One-dimensional barcodes through the exported functions, each input
// rendered in both languages.
#include <gtest/gtest.h>

#include <clocale>
#include <stdexcept>
#include <string>
#include <vector>

#include "emit_support.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;
using quillon_test::ObjectText;

constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr ScaleEnum MM = ScaleEnum::MM;
constexpr ScaleEnum Inch = ScaleEnum::Inch;

// Unless a row says otherwise: data AB at (100, 200) dots, 203 dpi, height
// 10, no human-readable line, no rotation.
struct BarcodeCase {
    const char* name;
    float x = 100, y = 200;
    std::string data = "AB";
    ScaleEnum scale = Dot;
    float narrow, wide, height = 10;
    int type;  // BarcodeTypeEnum_1D, raw so that unknown values can be tried
    bool humanReadable = false;
    int rotation = 0;
    bool pdfLocTop = false;
    float dotsPerUnit = 203;  // printer resolution, with resolutionUnit
    ScaleEnum resolutionUnit = Inch;
    std::string vorn, vornPrinted, kesh;
};

constexpr int Code93 = 1, Code39 = 2, Code128 = 3, EAN13 = 4, EAN8 = 5, UPCA = 6, I2of5 = 7, Codabar = 8;

BarcodeCase Row(const char* name, int type, float narrow, float wide, std::string vorn,
                std::string vornPrinted, std::string kesh) {
    BarcodeCase c;
    c.name = name;
    c.type = type;
    c.narrow = narrow;
    c.wide = wide;
    c.vorn = std::move(vorn);
    c.vornPrinted = std::move(vornPrinted);
    c.kesh = std::move(kesh);
    return c;
}

// A Code 128 row with its input edited.
BarcodeCase Edited(const char* name, void (*edit)(BarcodeCase&), std::string vorn, std::string vornPrinted,
                   std::string kesh) {
    BarcodeCase c = Row(name, Code128, 2, 2, std::move(vorn), std::move(vornPrinted), std::move(kesh));
    edit(c);
    return c;
}

// clang-format off
std::vector<BarcodeCase> SymbologyCases() {
    return {
        Row("Code93", Code93, 2, 6, "BARCODE 100,200,\"93\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n", "",
            "BARCODE\r\nCODE93;XRD2:2:3:3:5:5:6:6;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code39", Code39, 2, 6, "BARCODE 100,200,\"39\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n", "",
            "BARCODE\r\nC3/9;XRD2:2:6:6;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code128", Code128, 2, 2, "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n", "",
            "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("EAN13", EAN13, 3, 3, "BARCODE 100,200,\"EAN13\",INT(10.000000*DPI),0,0,3,3,\"AB\"\r\n", "",
            "BARCODE\r\nEAN13;XRD3:3:2:2:4:4:3:3;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("EAN8", EAN8, 3, 3, "BARCODE 100,200,\"EAN8\",INT(10.000000*DPI),0,0,3,3,\"AB\"\r\n", "",
            "BARCODE\r\nEAN8;XRD3:3:2:2:4:4:3:3;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("UPCA", UPCA, 3, 3, "BARCODE 100,200,\"UPCA\",INT(10.000000*DPI),0,0,3,3,\"AB\"\r\n", "",
            "BARCODE\r\nUPC-A;XRD3:3:2:2:4:4:3:3;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("I2of5", I2of5, 2, 4, "BARCODE 100,200,\"25\",INT(10.000000*DPI),0,0,2,4,\"AB\"\r\n", "",
            "BARCODE\r\nI-2/5;XRD2:2:4:4;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Codabar", Codabar, 2, 5, "BARCODE 100,200,\"CODABAR\",INT(10.000000*DPI),0,0,2,5,\"AB\"\r\n", "",
            "BARCODE\r\nCODABAR;XRD2:2:5:5;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        // KESH renders what VORN rejects: an empty keyword and bare XRD.
        Row("NotDefinedInKesh", 0, 2, 6, "", "", "BARCODE\r\n;XRD;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
    };
}

std::vector<BarcodeCase> RatioCases() {
    return {
        Row("Code93AlwaysOneToThree", Code93, 2, 5, "BARCODE 100,200,\"93\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n",
            "Narrow:Wide must be 1:3\n", "BARCODE\r\nCODE93;XRD2:2:3:3:4:4:5:5;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code39TwoToFive", Code39, 2, 5, "BARCODE 100,200,\"39\",INT(10.000000*DPI),0,0,2,5,\"AB\"\r\n",
            "", "BARCODE\r\nC3/9;XRD2:2:5:5;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code39OtherRatioBecomesOneToThree", Code39, 2, 7, "BARCODE 100,200,\"39\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n",
            "Narrow:Wide must be 1:2 or 1:3 or 2:5\n", "BARCODE\r\nC3/9;XRD2:2:7:7;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code128WideIgnored", Code128, 2, 4, "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n",
            "Narrow:Wide must be 1:1\n", "BARCODE\r\nC128B;XRD2:2:2:2:4:4:4:4;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        // Widths round by adding 0.5 and truncating toward zero: -2.5 gives
        // -2 (rounding half away from zero would give -3), 2.5 gives 3.
        Row("NegativeWidthsTruncateAfterAddingHalf", Code128, -2.5f, -2.5f,
            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,-2,-2,\"AB\"\r\n", "",
            "BARCODE\r\nC128B;XRD-2:-2:-1:-1:-2:-2:-2:-2;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("HalfDotRoundsUp", I2of5, 2.5f, 5.5f, "BARCODE 100,200,\"25\",INT(10.000000*DPI),0,0,3,6,\"AB\"\r\n", "",
            "BARCODE\r\nI-2/5;XRD3:3:6:6;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        // Widths beyond int saturate; the tripled narrow bar is still exact.
        Row("HugeWidthsSaturate", Code93, 1e10f, 1e10f,
            "BARCODE 100,200,\"93\",INT(10.000000*DPI),0,0,2147483647,6442450941,\"AB\"\r\n", "Narrow:Wide must be 1:3\n",
            "BARCODE\r\nCODE93;XRD2147483647:2147483647:2147483647:2147483647:2147483647:2147483647:2147483647:2147483647;"
            "H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
    };
}

std::vector<BarcodeCase> LayoutCases() {
    return {
        // Inches at 203 dpi, the human-readable line takes 0.3 in of the 1 in height.
        Edited("InchesWithHumanReadable", [](BarcodeCase& c) { c.x = 0.05f; c.y = 0.1f; c.scale = Inch; c.narrow = 0.01f; c.wide = 0.02f; c.height = 1; c.type = Code39; c.humanReadable = true; },
               "BARCODE 10,20,\"39\",INT(0.700000*DPI),2,0,2,4,\"AB\"\r\n", "", "BARCODE\r\nC3/9;XRD2:2:4:4;H10;20;10\r\n*AB*\r\nPDF\r\nSTOP\r\n"),
        // 0.25 mm at 8 dots/mm is 2.0 dots, plus 0.5, truncated: 2.
        Edited("Millimetres", [](BarcodeCase& c) { c.x = 10; c.y = 20; c.scale = MM; c.narrow = 0.25f; c.wide = 0.75f; c.type = Code39; c.dotsPerUnit = 8; c.resolutionUnit = MM; },
               "BARCODE 80,160,\"39\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n", "",
               "BARCODE\r\nC3/9;XRD2:2:6:6;H100;160;80\r\n*AB*\r\n\r\nSTOP\r\n"),
        Edited("NoHeightNoHeightParameter", [](BarcodeCase& c) { c.height = 0; },
               "BARCODE 100,200,\"128\",0,0,2,2,\"AB\"\r\n", "", "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H0;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        // Single precision: 0.7 * 10 is exactly 7 in float (6.99... in double).
        Edited("HeightSevenTenths", [](BarcodeCase& c) { c.height = 0.7f; },
               "BARCODE 100,200,\"128\",INT(0.700000*DPI),0,0,2,2,\"AB\"\r\n", "",
               "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H7;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Edited("ClockWiseWithHumanReadable", [](BarcodeCase& c) { c.rotation = 1; c.humanReadable = true; },
               "BARCODE 100,200,\"128\",INT(9.700000*DPI),2,r90,90,2,2,\"AB\"\r\n", "",
               "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*;PDF\r\nCW\r\nSTOP\r\n"),
        Edited("CounterClockWise", [](BarcodeCase& c) { c.rotation = 2; },
               "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,r270,270,2,2,\"AB\"\r\n", "",
               "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*;\r\nCCW\r\nSTOP\r\n"),
        Edited("Inverted", [](BarcodeCase& c) { c.rotation = 3; },
               "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,r180,180,2,2,\"AB\"\r\n", "",
               "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*;\r\nINV\r\nSTOP\r\n"),
        Edited("UnknownRotationIsNone", [](BarcodeCase& c) { c.rotation = 7; },
               "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n", "",
               "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Edited("AsteriskInData", [](BarcodeCase& c) { c.data = "A*B"; },
               "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"A*B\"\r\n", "",
               "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n\"A*B\"\r\n\r\nSTOP\r\n"),
        // Notices come after the ratio warning; KESH has no place for the flag.
        Edited("PdfLocTopNotice", [](BarcodeCase& c) { c.pdfLocTop = true; c.wide = 4; },
               "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n",
               "Narrow:Wide must be 1:1\nParameter [PdfLocTop] is not supported.\n",
               "BARCODE\r\nC128B;XRD2:2:2:2:4:4:4:4;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
    };
}
// clang-format on

void Add(const BarcodeCase& c) {
    ASSERT_NE(CreateBarcode1D(c.x, c.y, c.data, c.scale, c.narrow, c.wide, c.height,
                              static_cast<BarcodeTypeEnum_1D>(c.type), c.humanReadable,
                              static_cast<RotateEnum>(c.rotation), c.pdfLocTop),
              nullptr);
}

class Barcode1DTest : public testing::TestWithParam<BarcodeCase> {};

TEST_P(Barcode1DTest, RendersInBothLanguages) {
    const BarcodeCase& c = GetParam();
    const auto add = [&c] { Add(c); };
    std::string printed;
    EXPECT_EQ(ObjectText(kKesh, add, c.dotsPerUnit, c.resolutionUnit, &printed), c.kesh);
    EXPECT_EQ(printed, "");
    if (c.vorn.empty()) return;  // rejected in VORN, see Barcode1DRejection
    EXPECT_EQ(ObjectText(kVorn, add, c.dotsPerUnit, c.resolutionUnit, &printed), c.vorn);
    EXPECT_EQ(printed, c.vornPrinted);
}

std::string CaseName(const testing::TestParamInfo<BarcodeCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Symbology, Barcode1DTest, testing::ValuesIn(SymbologyCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Ratio, Barcode1DTest, testing::ValuesIn(RatioCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Layout, Barcode1DTest, testing::ValuesIn(LayoutCases()), CaseName);

// VORN has no magnification for an unknown symbology: the label does not
// render, the caller's string keeps its text, and nothing is printed (the
// flag's notice and the ratio warning included) for the rejected object.
TEST(Barcode1DRejection, VornThrowsAndLeavesTheStringAlone) {
    for (int type : {0, -1}) {
        CreateLabel(kVorn, "L", 203, Inch);
        CreateLines(0, 0, 10, 0, 1, Dot);
        CreateBarcode1D(1, 2, "AB", Dot, 2, 7, 10, static_cast<BarcodeTypeEnum_1D>(type), true,
                        RotateEnum::None, true);
        std::string text = "previous";
        testing::internal::CaptureStdout();
        try {
            LabelToString(text);
            ADD_FAILURE() << "no exception";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(e.what(), "Magnification for Barcode type " + std::to_string(type) + " not handled");
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(text, "previous");
        CloseLabel();
    }
}

// The one float in the output is written the same whatever locale the host
// selected.
TEST(Barcode1DLocale, HeightIgnoresTheHostLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    BarcodeCase c = Row("", Code128, 2, 2, "", "", "");
    c.height = 0.7f;
    const std::string vorn = ObjectText(kVorn, [&c] { Add(c); });
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(vorn, "BARCODE 100,200,\"128\",INT(0.700000*DPI),0,0,2,2,\"AB\"\r\n");
}

}  // namespace
