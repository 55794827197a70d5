// Numbers as text at the ends of their ranges. That they ignore the host's
// locale is checked through a barcode height (tests/generate), the usual
// numbers and the hexadecimal bytes through the golden files.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/Format.h"

namespace {

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
