// Texts, lines, boxes and one-dimensional barcodes in both languages
// against golden/text.txt, golden/shapes.txt and golden/barcode1d.txt, and
// the KESH frame-character choice, whose later fallbacks no golden form
// reaches (the asterisk rows there pin the first two choices).
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <utility>

#include "EmitterGolden.h"
#include "generate/KESH.h"

namespace {

using namespace quillon_test;

constexpr int Ruler = 0, Points = 1, Percent = 2;

// A text AB at (100, 200) dots, 10 x 10 in percent, no font name or style.
struct Text {
    float x = 100, y = 200, sizeX = 10, sizeY = 10;
    std::string data = "AB", font;
    ScaleEnum scale = Dot;
    int unit = Percent, style = -1, align = 0, rotation = 0;

    Text& Size(int u, float sx, float sy) { return unit = u, sizeX = sx, sizeY = sy, *this; }
    Text& At(ScaleEnum s, float x_, float y_) { return scale = s, x = x_, y = y_, *this; }
    Text& Turn(int r, int a = 0) { return rotation = r, align = a, *this; }
    Text& Font(int s, std::string name) { return style = s, font = std::move(name), *this; }
    Text& Data(std::string d) { return data = std::move(d), *this; }
    void operator()() const {
        CreateTexts(x, y, sizeX, sizeY, data, scale, As<FontSizeUnitsEnum>(unit), As<FontStyleEnum>(style),
                    As<AlignEnum>(align), font, As<RotateEnum>(rotation));
    }
};

TEST(Emitters, Text) {
    // clang-format off
    CheckGolden("text", {
        {"percent outside 0-100 is 0", Text().Size(Percent, 150, -5)},
        {"percent limits included", Text().Size(Percent, 100, 0)},
        {"points 10 x 12", Text().Size(Points, 10, 12)},
        {"points below 1 fall back to multipliers", Text().Size(Points, 0.5f, 0.5f)},
        {"points need both sizes", Text().Size(Points, 10, 0.5f)},
        {"unknown size unit", Text().Size(7, 10, 12)},
        {"ruler in dots to points", Text().Size(Ruler, 50, 50)},
        // 6.35 mm is exactly 18 points only in single precision at 203 dpi.
        {"ruler in millimetres", Text().Size(Ruler, 6.35f, 6.35f).At(MM, 10, 20)},
        {"ruler in millimetres at 8 dots/mm", Text().Size(Ruler, 5, 10).At(MM, 10, 20), 8, MM},
        {"negative position truncates", Text().At(Dot, -2.9f, -0.5f)},
        {"clockwise points", Text().Size(Points, 10, 12).Turn(1)},
        {"counter-clockwise", Text().Turn(2)},
        {"inverted points", Text().Size(Points, 10, 12).Turn(3)},
        {"unknown rotation", Text().Turn(7)},
        {"center", Text().Turn(0, 2)},
        {"right and clockwise", Text().Turn(1, 3)},
        {"bold and italic", Text().Font(3, "")},
        {"style -2 is italic", Text().Font(-2, "")},
        {"bold named font", Text().Font(1, "CG Times")},
        {"every resident font", [] { for (char f = '1'; f <= '8'; ++f) Text().Font(-1, std::string(1, f))(); }},
        {"9 is not resident", Text().Font(-1, "9")},
        {"empty data", Text().Data("")},
        {"every printable byte", [] { std::string s; for (char c = 33; c < 127; ++c) s += c; Text().Data(s)(); }},
        {"two texts", [] { Text().Size(Points, 8, 8)(); Text().Data("CD").Turn(1, 2)(); }},
    });
    // clang-format on
}

void Line(float sx, float sy, float ex, float ey, float t, ScaleEnum s = Dot) {
    CreateLines(sx, sy, ex, ey, t, s);
}

TEST(Emitters, LinesAndBoxes) {
    // clang-format off
    CheckGolden("shapes", {
        {"horizontal", [] { Line(10, 20, 200, 20, 3); }},
        {"vertical", [] { Line(50, 10, 50, 90, 2); }},
        {"slanted", [] { Line(10, 20, 30, 40, 1); }},
        {"single point", [] { Line(5, 5, 5, 5, 1); }},
        // 0.2 mm at 8 dots/mm is 1.6 dots: truncated.
        {"millimetres truncate", [] { Line(1.25f, 2.5f, 10, 2.5f, 0.2f, MM); }, 8, MM},
        {"negative values", [] { Line(-2.9f, 2.9f, -10, -20, -1.5f); }},
        {"dot ruler on a millimetre printer", [] { Line(3, 4, 5, 6, 2); }, 12, MM},
        {"unknown ruler unit", [] { Line(3, 4, 5, 6, 2, As<ScaleEnum>(5)); }, 8, MM},
        {"box in inches", [] { CreateBoxs(0.5f, 0.5f, 1.5f, 1.0f, 0.01f, Inch); }},
        {"box end before start", [] { CreateBoxs(100, 100, 10, 20, 0.9f, MM); }, 8, MM},
        {"order and own rulers", [] { Line(1, 1, 2, 1, 0.5f, MM); CreateBoxs(1, 2, 3, 4, 1, Dot); Line(1, 1, 1, 2, 0.5f, MM); }, 8, MM},
    });
    // clang-format on
}

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
