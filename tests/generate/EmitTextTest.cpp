// Texts, lines and boxes in both languages against golden/text.txt and
// golden/shapes.txt.
#include <gtest/gtest.h>

#include <string>

#include "EmitterGolden.h"

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

}  // namespace
