// The printer's resolution in both units, in single precision, and the two
// float-to-int rules. The other conversions of PrintPlane are used nowhere
// in the library and left untested; the live one, DotsPerUnit, is pinned by
// every golden form in millimetres and inches.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "base/Coordinate.h"
#include "base/Numeric.h"

namespace {

TEST(Units, ResolutionKeepsBothFormsInStep) {
    PrintResolution inch(203.0f, ScaleEnum::Inch);
    EXPECT_FLOAT_EQ(inch.getDotsPerMM(), 7.992126f);
    PrintResolution mm(8.0f, ScaleEnum::MM);
    EXPECT_EQ(mm.getDotsPerInch(), 8.0f * 25.4f);
    EXPECT_EQ(quillon::TruncToInt(mm.getDotsPerInch()), 203);
    EXPECT_THROW(PrintResolution(300.0f, ScaleEnum::Dot), std::invalid_argument);
}

// A millimetre ruler on an inch printer: 25.4 mm at 203 dpi is exactly one
// inch, 203 dots and not 202.
TEST(Units, DotsPerUnitOfTheRuler) {
    PrintResolution dpi203(203.0f, ScaleEnum::Inch);
    Ruler mm(ScaleEnum::MM);
    PrintPlane plane;
    EXPECT_EQ(quillon::TruncToInt(25.4f * plane.DotsPerUnit(&mm, &dpi203)), 203);
}

TEST(Units, RoundHalvesAwayFromZero) {
    const std::pair<float, int> rows[] = {{2.5f, 3},         {-2.5f, -3},
                                          {2.4999f, 2},      {-0.5f, -1},
                                          {101.5f, 102},     {0.49f, 0},
                                          {-0.49f, 0},       {1e20f, INT_MAX},
                                          {-1e20f, INT_MIN}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (auto [in, out] : rows) EXPECT_EQ(PrintPlane::Round(in), out) << in;
}

TEST(Units, TruncationSaturates) {
    const std::pair<float, int> rows[] = {{2.9f, 2},
                                          {-2.9f, -2},
                                          {2147483520.0f, 2147483520},
                                          {2147483648.0f, INT_MAX},
                                          {-2147483648.0f, INT_MIN},
                                          {std::numeric_limits<float>::infinity(), INT_MAX},
                                          {-std::numeric_limits<float>::infinity(), INT_MIN},
                                          {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (auto [in, out] : rows) EXPECT_EQ(quillon::TruncToInt(in), out) << in;
    EXPECT_EQ(quillon::TruncToInt(-2147483648.9), INT_MIN);
    EXPECT_EQ(quillon::TruncToInt(1e300), INT_MAX);
}

}  // namespace
