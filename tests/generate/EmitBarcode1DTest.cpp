// One-dimensional barcodes in both languages against golden/barcode1d.txt.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "EmitterGolden.h"

namespace {

using namespace quillon_test;

constexpr int Code93 = 1, Code39 = 2, Code128 = 3, EAN13 = 4, EAN8 = 5, UPCA = 6, I2of5 = 7, Codabar = 8;

// Code 128 of AB at (100, 200) dots, bars 2 and 2, height 10.
struct Bars {
    float x = 100, y = 200, narrow = 2, wide = 2, height = 10;
    std::string data = "AB";
    ScaleEnum scale = Dot;
    int type = Code128, rotation = 0;
    bool readable = false, pdfLocTop = false;

    Bars& Type(int t, float n, float w) { return type = t, narrow = n, wide = w, *this; }
    Bars& At(ScaleEnum s, float x_, float y_) { return scale = s, x = x_, y = y_, *this; }
    Bars& Height(float h, bool r = false) { return height = h, readable = r, *this; }
    Bars& Turn(int r) { return rotation = r, *this; }
    void operator()() const {
        CreateBarcode1D(x, y, data, scale, narrow, wide, height, As<BarcodeTypeEnum_1D>(type), readable,
                        As<RotateEnum>(rotation), pdfLocTop);
    }
};

TEST(Emitters, Barcode1D) {
    Bars star, flagged;
    star.data = "A*B";
    flagged.pdfLocTop = true;
    flagged.wide = 4;
    // clang-format off
    CheckGolden("barcode1d", {
        {"code 93", Bars().Type(Code93, 2, 6)}, {"code 39", Bars().Type(Code39, 2, 6)},
        {"code 128", Bars()}, {"ean 13", Bars().Type(EAN13, 3, 3)}, {"ean 8", Bars().Type(EAN8, 3, 3)},
        {"upc a", Bars().Type(UPCA, 3, 3)}, {"i2of5", Bars().Type(I2of5, 2, 4)},
        {"codabar", Bars().Type(Codabar, 2, 5)}, {"unknown type", Bars().Type(-1, 2, 7).Height(10, true)},
        {"code 93 is always 1:3", Bars().Type(Code93, 2, 5)}, {"code 39 2:5", Bars().Type(Code39, 2, 5)},
        {"code 39 other ratio", Bars().Type(Code39, 2, 7)}, {"code 128 wide ignored", Bars().Type(Code128, 2, 4)},
        // -2.5 + 0.5 truncates to -2, where rounding away from zero gives -3.
        {"negative widths", Bars().Type(Code128, -2.5f, -2.5f)}, {"half dot rounds up", Bars().Type(I2of5, 2.5f, 5.5f)},
        {"huge widths saturate", Bars().Type(Code93, 1e10f, 1e10f)},
        {"inches, human readable", Bars().Type(Code39, 0.01f, 0.02f).At(Inch, 0.05f, 0.1f).Height(1, true)},
        {"millimetres", Bars().Type(Code39, 0.25f, 0.75f).At(MM, 10, 20), 8, MM},
        {"no height", Bars().Height(0)},
        // 0.7 * 10 is exactly 7 in single precision, 6.99... in double.
        {"height 0.7", Bars().Height(0.7f)},
        {"clockwise, human readable", Bars().Turn(1).Height(10, true)}, {"counter-clockwise", Bars().Turn(2)},
        {"inverted", Bars().Turn(3)}, {"unknown rotation", Bars().Turn(7)}, {"asterisk in data", star},
        {"pdf417 location flag", flagged},
        {"unknown type after a line", [] { CreateLines(0, 0, 10, 0, 1, Dot); Bars().Type(0, 2, 7).Height(10, true)(); }},
    });
    // clang-format on
}

// The one float in the output does not follow the host's locale.
TEST(Barcode1DLocale, HeightIgnoresTheHostLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    CreateLabel(0, "L", 203, Inch);
    Bars().Height(0.7f)();
    const std::string text = Rendered();
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_NE(text.find("BARCODE 100,200,\"128\",INT(0.700000*DPI),0,0,2,2,\"AB\"\\r\\n"), std::string::npos);
}

}  // namespace
