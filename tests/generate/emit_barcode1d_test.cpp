// One-dimensional barcodes through the exported functions, each input
// rendered in both languages.
#include <gtest/gtest.h>

#include <clocale>
#include <stdexcept>
#include <string>
#include <vector>

#include "render_one_object.h"

namespace {

using quillon_test::kKesh;
using quillon_test::kVorn;
using quillon_test::RenderObjects;

constexpr ScaleEnum Dot = ScaleEnum::Dot;
constexpr ScaleEnum MM = ScaleEnum::MM;
constexpr ScaleEnum Inch = ScaleEnum::Inch;

struct BarcodeCase {
    const char* name;
    float x, y;
    std::string data;
    ScaleEnum scale;
    float narrow, wide, height;
    int type;  // BarcodeTypeEnum_1D, raw so that unknown values can be tried
    bool humanReadable;
    int rotation;
    bool pdfLocTop;
    float dotsPerUnit;  // printer resolution, with resolutionUnit
    ScaleEnum resolutionUnit;
    std::string vorn;
    std::string vornPrinted;
    std::string kesh;
};

constexpr int Code93 = 1, Code39 = 2, Code128 = 3, EAN13 = 4, EAN8 = 5, UPCA = 6, I2of5 = 7, Codabar = 8;

// Unless a row says otherwise: data AB at (100, 200) dots, 203 dpi, height
// 10, no human-readable line, no rotation.
BarcodeCase Row(const char* name, int type, float narrow, float wide, std::string vorn,
                std::string vornPrinted, std::string kesh) {
    return BarcodeCase{name,
                       100,
                       200,
                       "AB",
                       Dot,
                       narrow,
                       wide,
                       10,
                       type,
                       false,
                       0,
                       false,
                       203,
                       Inch,
                       std::move(vorn),
                       std::move(vornPrinted),
                       std::move(kesh)};
}

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
        Row("OutOfRangeInKesh", 42, 2, 6, "", "", "BARCODE\r\n;XRD;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
    };
}

std::vector<BarcodeCase> RatioCases() {
    return {
        Row("Code93AlwaysOneToThree", Code93, 2, 5,
            "BARCODE 100,200,\"93\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n", "Narrow:Wide must be 1:3\n",
            "BARCODE\r\nCODE93;XRD2:2:3:3:4:4:5:5;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code39OneToTwo", Code39, 3, 6, "BARCODE 100,200,\"39\",INT(10.000000*DPI),0,0,3,6,\"AB\"\r\n",
            "", "BARCODE\r\nC3/9;XRD3:3:6:6;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code39TwoToFive", Code39, 2, 5, "BARCODE 100,200,\"39\",INT(10.000000*DPI),0,0,2,5,\"AB\"\r\n",
            "", "BARCODE\r\nC3/9;XRD2:2:5:5;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code39OtherRatioBecomesOneToThree", Code39, 2, 7,
            "BARCODE 100,200,\"39\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n",
            "Narrow:Wide must be 1:2 or 1:3 or 2:5\n",
            "BARCODE\r\nC3/9;XRD2:2:7:7;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("Code128WideIgnored", Code128, 2, 4,
            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n", "Narrow:Wide must be 1:1\n",
            "BARCODE\r\nC128B;XRD2:2:2:2:4:4:4:4;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        // Widths round by adding 0.5 and truncating toward zero: -2.5 gives
        // -2 (rounding half away from zero would give -3), 2.5 gives 3.
        Row("NegativeWidthsTruncateAfterAddingHalf", Code128, -2.5f, -2.5f,
            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,-2,-2,\"AB\"\r\n", "",
            "BARCODE\r\nC128B;XRD-2:-2:-1:-1:-2:-2:-2:-2;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        // Widths beyond int saturate; the tripled narrow bar is still exact.
        Row("HugeWidthsSaturate", Code93, 1e10f, 1e10f,
            "BARCODE 100,200,\"93\",INT(10.000000*DPI),0,0,2147483647,6442450941,\"AB\"\r\n",
            "Narrow:Wide must be 1:3\n",
            "BARCODE\r\nCODE93;XRD2147483647:2147483647:2147483647:2147483647:2147483647:2147483647:"
            "2147483647:"
            "2147483647;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
        Row("HalfDotRoundsUp", I2of5, 2.5f, 5.5f,
            "BARCODE 100,200,\"25\",INT(10.000000*DPI),0,0,3,6,\"AB\"\r\n", "",
            "BARCODE\r\nI-2/5;XRD3:3:6:6;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"),
    };
}

BarcodeCase Changed(BarcodeCase c, const char* name, std::string vorn, std::string vornPrinted,
                    std::string kesh) {
    c.name = name;
    c.vorn = std::move(vorn);
    c.vornPrinted = std::move(vornPrinted);
    c.kesh = std::move(kesh);
    return c;
}

std::vector<BarcodeCase> LayoutCases() {
    const BarcodeCase base = Row("", Code128, 2, 2, "", "", "");
    std::vector<BarcodeCase> cases;
    // The worked example: inches at 203 dpi, the human-readable line takes
    // 0.3 in of the 1 in height.
    BarcodeCase inches = base;
    inches.x = 0.05f;
    inches.y = 0.1f;
    inches.scale = Inch;
    inches.narrow = 0.01f;
    inches.wide = 0.02f;
    inches.height = 1;
    inches.type = Code39;
    inches.humanReadable = true;
    cases.push_back(Changed(inches, "InchesWithHumanReadable",
                            "BARCODE 10,20,\"39\",INT(0.700000*DPI),2,0,2,4,\"AB\"\r\n", "",
                            "BARCODE\r\nC3/9;XRD2:2:4:4;H10;20;10\r\n*AB*\r\nPDF\r\nSTOP\r\n"));
    // 0.25 mm at 8 dots/mm is 2.0 dots, plus 0.5, truncated: 2.
    BarcodeCase mm = base;
    mm.x = 10;
    mm.y = 20;
    mm.scale = MM;
    mm.narrow = 0.25f;
    mm.wide = 0.75f;
    mm.type = Code39;
    mm.dotsPerUnit = 8;
    mm.resolutionUnit = MM;
    cases.push_back(Changed(mm, "Millimetres", "BARCODE 80,160,\"39\",INT(10.000000*DPI),0,0,2,6,\"AB\"\r\n",
                            "", "BARCODE\r\nC3/9;XRD2:2:6:6;H100;160;80\r\n*AB*\r\n\r\nSTOP\r\n"));
    BarcodeCase flat = base;
    flat.height = 0;
    cases.push_back(Changed(flat, "NoHeightNoHeightParameter", "BARCODE 100,200,\"128\",0,0,2,2,\"AB\"\r\n",
                            "", "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H0;200;100\r\n*AB*\r\n\r\nSTOP\r\n"));
    // Single precision: 0.7 * 10 is exactly 7 in float (6.99... in double).
    BarcodeCase tenths = base;
    tenths.height = 0.7f;
    cases.push_back(Changed(tenths, "HeightSevenTenths",
                            "BARCODE 100,200,\"128\",INT(0.700000*DPI),0,0,2,2,\"AB\"\r\n", "",
                            "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H7;200;100\r\n*AB*\r\n\r\nSTOP\r\n"));
    BarcodeCase cw = base;
    cw.rotation = 1;
    cw.humanReadable = true;
    cases.push_back(Changed(
        cw, "ClockWiseWithHumanReadable", "BARCODE 100,200,\"128\",INT(9.700000*DPI),2,r90,90,2,2,\"AB\"\r\n",
        "", "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*;PDF\r\nCW\r\nSTOP\r\n"));
    BarcodeCase ccw = base;
    ccw.rotation = 2;
    cases.push_back(Changed(ccw, "CounterClockWise",
                            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,r270,270,2,2,\"AB\"\r\n", "",
                            "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*;\r\nCCW\r\nSTOP\r\n"));
    BarcodeCase inv = base;
    inv.rotation = 3;
    cases.push_back(Changed(inv, "Inverted",
                            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,r180,180,2,2,\"AB\"\r\n", "",
                            "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*;\r\nINV\r\nSTOP\r\n"));
    BarcodeCase odd = base;
    odd.rotation = 7;
    cases.push_back(Changed(odd, "UnknownRotationIsNone",
                            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n", "",
                            "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"));
    BarcodeCase star = base;
    star.data = "A*B";
    cases.push_back(Changed(star, "AsteriskInData",
                            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"A*B\"\r\n", "",
                            "BARCODE\r\nC128B;XRD2:2:2:2:2:2:2:2;H100;200;100\r\n\"A*B\"\r\n\r\nSTOP\r\n"));
    // Notices come after the ratio warning; KESH has no place for the flag.
    BarcodeCase top = base;
    top.pdfLocTop = true;
    top.wide = 4;
    cases.push_back(Changed(top, "PdfLocTopNotice",
                            "BARCODE 100,200,\"128\",INT(10.000000*DPI),0,0,2,2,\"AB\"\r\n",
                            "Narrow:Wide must be 1:1\nParameter [PdfLocTop] is not supported.\n",
                            "BARCODE\r\nC128B;XRD2:2:2:2:4:4:4:4;H100;200;100\r\n*AB*\r\n\r\nSTOP\r\n"));
    return cases;
}

void Add(const BarcodeCase& c) {
    ASSERT_NE(CreateBarcode1D(c.x, c.y, c.data, c.scale, c.narrow, c.wide, c.height,
                              static_cast<BarcodeTypeEnum_1D>(c.type), c.humanReadable,
                              static_cast<RotateEnum>(c.rotation), c.pdfLocTop),
              nullptr);
}

class Barcode1DTest : public testing::TestWithParam<BarcodeCase> {};

TEST_P(Barcode1DTest, RendersInBothLanguages) {
    const BarcodeCase& c = GetParam();
    auto kesh = RenderObjects(kKesh, c.dotsPerUnit, c.resolutionUnit, [&c] { Add(c); });
    EXPECT_EQ(kesh.body, c.kesh);
    EXPECT_EQ(kesh.printed, "");
    if (c.vorn.empty()) return;  // rejected in VORN, see Barcode1DRejection
    auto vorn = RenderObjects(kVorn, c.dotsPerUnit, c.resolutionUnit, [&c] { Add(c); });
    EXPECT_EQ(vorn.body, c.vorn);
    EXPECT_EQ(vorn.printed, c.vornPrinted);
}

std::string CaseName(const testing::TestParamInfo<BarcodeCase>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Symbology, Barcode1DTest, testing::ValuesIn(SymbologyCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Ratio, Barcode1DTest, testing::ValuesIn(RatioCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Layout, Barcode1DTest, testing::ValuesIn(LayoutCases()), CaseName);

struct Rejection {
    int type;
    const char* message;
};

class Barcode1DRejection : public testing::TestWithParam<Rejection> {};

// VORN has no magnification for an unknown symbology: the label does not
// render, the caller's string keeps its text, and nothing is printed (the
// flag's notice and the ratio warning included) for the rejected object.
TEST_P(Barcode1DRejection, VornThrowsAndLeavesTheStringAlone) {
    CreateLabel(kVorn, "L", 203, Inch);
    CreateLines(0, 0, 10, 0, 1, Dot);
    CreateBarcode1D(1, 2, "AB", Dot, 2, 7, 10, static_cast<BarcodeTypeEnum_1D>(GetParam().type), true,
                    RotateEnum::None, true);
    std::string text = "previous";
    testing::internal::CaptureStdout();
    try {
        LabelToString(text);
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(text, "previous");
    CloseLabel();
}

INSTANTIATE_TEST_SUITE_P(Type, Barcode1DRejection,
                         testing::Values(Rejection{0, "Magnification for Barcode type 0 not handled"},
                                         Rejection{42, "Magnification for Barcode type 42 not handled"},
                                         Rejection{-1, "Magnification for Barcode type -1 not handled"}));

// The one float in the output is written the same whatever locale the host
// selected.
TEST(Barcode1DLocale, HeightIgnoresTheHostLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    BarcodeCase c = Row("", Code128, 2, 2, "", "", "");
    c.height = 0.7f;
    auto vorn = RenderObjects(kVorn, 203, Inch, [&c] { Add(c); });
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(vorn.body, "BARCODE 100,200,\"128\",INT(0.700000*DPI),0,0,2,2,\"AB\"\r\n");
}

TEST(Barcode1DRecording, NothingWithoutOpenLabel) {
    CloseLabel();
    EXPECT_EQ(CreateBarcode1D(1, 2, "AB", Dot, 2, 2, 10, BarcodeTypeEnum_1D::Code_128, false,
                              RotateEnum::None, false),
              nullptr);
}

}  // namespace
