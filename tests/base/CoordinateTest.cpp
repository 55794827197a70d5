// Conversions from the caller's unit to dots and points, in single
// precision, and the two float-to-int rules.

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
    mm.setDotsPerInch(300.0f);
    EXPECT_EQ(mm.getDotsPerMM(), 300.0f / 25.4f);
    EXPECT_THROW(PrintResolution(300.0f, ScaleEnum::Dot), std::invalid_argument);
}

TEST(Units, Conversions) {
    PrintResolution dpi203(203.0f, ScaleEnum::Inch);
    PrintResolution dpmm8(8.0f, ScaleEnum::MM);
    Ruler dot(ScaleEnum::Dot), mm(ScaleEnum::MM), inch(ScaleEnum::Inch), odd(static_cast<ScaleEnum>(9));
    PrintPlane plane;
    struct Row {
        const char* what;
        float got;
        float expected;
    };
    const Row rows[] = {
        {"10 mm at 8 dots/mm", plane.ToDots(10.0f, &mm, &dpmm8), 80.0f},
        {"0.5 in at 203 dpi", plane.ToDots(0.5f, &inch, &dpi203), 101.5f},
        {"37 dots", plane.ToDots(37.0f, &dot, &dpi203), 37.0f},
        {"unknown unit counts as dots", plane.ToDots(37.0f, &odd, &dpi203), 37.0f},
        {"203 dots in points", plane.DotsToPoints(203.0f, &dpi203), 72.0f},
        {"1 in in points", plane.ToPoints(1.0f, &inch, &dpi203), 72.0f},
        {"2 in to mm", plane.ToMM(2.0f, &inch, &dpi203), 2.0f * 203.0f / (203.0f / 25.4f)},
        {"406 dots to inch", plane.ToInch(406.0f, &dot, &dpi203), 2.0f},
        {"mm to points ignores resolution", plane.MmToPoints(25.4f, nullptr), 72.0f},
        {"inch to points", plane.InchToPoints(0.5f, nullptr), 36.0f},
        {"mm to dots", plane.MmToDots(10.0f, &dpmm8), 80.0f},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.expected) << row.what;

    // 25.4 mm at 203 dpi is exactly one inch: 203 dots, not 202.
    EXPECT_EQ(quillon::TruncToInt(plane.ToDots(25.4f, &mm, &dpi203)), 203);
}

TEST(Units, PlaneFallsBackToItsOwnRulerAndResolution) {
    PrintResolution dpmm8(8.0f, ScaleEnum::MM);
    Ruler mm(ScaleEnum::MM);
    PrintPlane plane(&mm);
    plane.setPrinterResolution(&dpmm8);
    EXPECT_EQ(plane.ToDots(2.5f, nullptr, nullptr), 20.0f);
    Point p(1, 2);
    EXPECT_EQ(plane.ToDots(&p, nullptr, nullptr), nullptr);
    EXPECT_EQ(p.getX(), 1.0f);
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

TEST(Units, FontSizeAndCells) {
    FontSize size(12, 24);
    EXPECT_EQ(size.getX(), 12.0f);
    EXPECT_EQ(size.getY(), 24.0f);
    Ruler mm(ScaleEnum::MM);
    CellRect rect(0.3f, 0.9f, &mm);
    ICellRect& asRect = rect;
    EXPECT_EQ(asRect.getXdim(), 0.3f);
    EXPECT_EQ(asRect.getYdim(), 0.9f);
    EXPECT_EQ(asRect.getRuler(), &mm);
}

}  // namespace
