// Lines and boxes through the exported functions, each input rendered in
// both languages.
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

struct ShapeCase {
    const char* name;
    bool box;
    float sx, sy, ex, ey, thickness;
    ScaleEnum scale;
    float dotsPerUnit;  // printer resolution, with resolutionUnit
    ScaleEnum resolutionUnit;
    const char* vorn;
    const char* kesh;
};

constexpr bool Line = false, Box = true;

// clang-format off
const ShapeCase kShapes[] = {
    {"HorizontalIsStillDiagonalInVorn", Line, 10, 20, 200, 20, 3, Dot, 203, Inch, "DIAGONAL 10,20,200,20,3\r\n", "HORZ\r\n3;20;10;200\r\nSTOP\r\n"},
    {"VerticalWritesColumnFirst", Line, 50, 10, 50, 90, 2, Dot, 203, Inch, "DIAGONAL 50,10,50,90,2\r\n", "VERT\r\n2;50;10;90\r\nSTOP\r\n"},
    {"Slanted", Line, 10, 20, 30, 40, 1, Dot, 203, Inch, "DIAGONAL 10,20,30,40,1\r\n", "DIAG\r\n1;20;10;40;30\r\nSTOP\r\n"},
    {"SinglePointIsHorizontal", Line, 5, 5, 5, 5, 1, Dot, 203, Inch, "DIAGONAL 5,5,5,5,1\r\n", "HORZ\r\n1;5;5;5\r\nSTOP\r\n"},
    // 0.2 mm at 8 dots/mm is 1.6 dots: truncated, no rounding.
    {"MillimetresTruncate", Line, 1.25f, 2.5f, 10, 2.5f, 0.2f, MM, 8, MM, "DIAGONAL 10,20,80,20,1\r\n", "HORZ\r\n1;20;10;80\r\nSTOP\r\n"},
    {"NegativeTruncatesTowardZero", Line, -2.9f, 2.9f, -10, -20, -1.5f, Dot, 203, Inch, "DIAGONAL -2,2,-10,-20,-1\r\n", "DIAG\r\n-1;2;-2;-20;-10\r\nSTOP\r\n"},
    // The ruler of the object decides the unit, not the printer's.
    {"DotRulerOnMillimetrePrinter", Line, 3, 4, 5, 6, 2, Dot, 12, MM, "DIAGONAL 3,4,5,6,2\r\n", "DIAG\r\n2;4;3;6;5\r\nSTOP\r\n"},
    {"UnknownRulerUnitCountsAsDots", Line, 3, 4, 5, 6, 2, static_cast<ScaleEnum>(5), 8, MM, "DIAGONAL 3,4,5,6,2\r\n", "DIAG\r\n2;4;3;6;5\r\nSTOP\r\n"},
    // 0.5 in at 203 dpi is 101.5 dots: truncated to 101, never rounded.
    {"BoxInches", Box, 0.5f, 0.5f, 1.5f, 1.0f, 0.01f, Inch, 203, Inch, "BOX 101,101,304,203,2\r\n", "BOX\r\n2;101;101;203;304\r\nSTOP\r\n"},
    {"BoxEndBeforeStart", Box, 100, 100, 10, 20, 0.9f, MM, 8, MM, "BOX 800,800,80,160,7\r\n", "BOX\r\n7;800;800;160;80\r\nSTOP\r\n"},
};
// clang-format on

class ShapeTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, RendersInBothLanguages) {
    const ShapeCase& c = GetParam();
    auto add = [&c] {
        auto create = c.box ? CreateBoxs : CreateLines;
        ASSERT_NE(create(c.sx, c.sy, c.ex, c.ey, c.thickness, c.scale), nullptr);
    };
    EXPECT_EQ(ObjectText(kVorn, add, c.dotsPerUnit, c.resolutionUnit), c.vorn);
    EXPECT_EQ(ObjectText(kKesh, add, c.dotsPerUnit, c.resolutionUnit), c.kesh);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeTest, testing::ValuesIn(kShapes),
                         [](const testing::TestParamInfo<ShapeCase>& info) {
                             return std::string(info.param.name);
                         });

// Objects render in recording order, each with its own ruler.
TEST(ShapeRecording, ObjectsKeepOrderAndOwnRulers) {
    const std::string text = ObjectText(
        kKesh,
        [] {
            CreateLines(1, 1, 2, 1, 0.5f, MM);
            CreateBoxs(1, 2, 3, 4, 1, Dot);
            CreateLines(1, 1, 1, 2, 0.5f, MM);
        },
        8, MM);
    EXPECT_EQ(text,
              "HORZ\r\n4;8;8;16\r\nSTOP\r\n"
              "BOX\r\n1;2;1;4;3\r\nSTOP\r\n"
              "VERT\r\n4;8;8;16\r\nSTOP\r\n");
}

}  // namespace
