// The two float-to-int rules at their edges. Ordinary values (-2.9 to -2,
// 2.5 to 3), the resolution and the ruler conversions are pinned by the
// golden forms and emitter rows in millimetres and inches. Numbers as text
// at the ends of their ranges: that they ignore the host's locale is checked
// through a barcode height (tests/generate), the usual numbers and the
// hexadecimal bytes through the golden files.

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

#include "base/Coordinate.h"
#include "base/Format.h"
#include "base/Numeric.h"

namespace {

TEST(Units, RoundHalvesAwayFromZero) {
    const std::pair<float, int> rows[] = {{2.5f, 3},         {-2.5f, -3},
                                          {-0.5f, -1},       {1e20f, INT_MAX},
                                          {-1e20f, INT_MIN}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (auto [in, out] : rows) EXPECT_EQ(PrintPlane::Round(in), out) << in;
}

TEST(Units, TruncationSaturates) {
    const std::pair<float, int> rows[] = {{2147483520.0f, 2147483520},
                                          {2147483648.0f, INT_MAX},
                                          {-2147483648.0f, INT_MIN},
                                          {std::numeric_limits<float>::infinity(), INT_MAX},
                                          {-std::numeric_limits<float>::infinity(), INT_MIN},
                                          {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (auto [in, out] : rows) EXPECT_EQ(quillon::TruncToInt(in), out) << in;
    EXPECT_EQ(quillon::TruncToInt(-2147483648.9), INT_MIN);
    EXPECT_EQ(quillon::TruncToInt(1e300), INT_MAX);
}

TEST(Format, Numbers) {
    std::string out;
    quillon::AppendInt(out, LLONG_MIN);
    out += ' ';
    quillon::AppendUnsigned(out, ULLONG_MAX);
    out += ' ';
    quillon::AppendFixed6(out, -1e20);
    EXPECT_EQ(out, "-9223372036854775808 18446744073709551615 -100000000000000000000.000000");
}

}  // namespace
