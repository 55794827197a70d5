// Numbers as text: plain decimal, the one float format and hexadecimal
// bytes, whatever the host's locale.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <string>

#include "base/Format.h"

namespace {

TEST(Format, Numbers) {
    std::string out;
    quillon::AppendInt(out, LLONG_MIN);
    out += ' ';
    quillon::AppendUnsigned(out, ULLONG_MAX);
    out += ' ';
    quillon::AppendFixed6(out, 0.7f);
    out += ' ';
    quillon::AppendFixed6(out, -1e20);
    EXPECT_EQ(out, "-9223372036854775808 18446744073709551615 0.700000 -100000000000000000000.000000");
    EXPECT_EQ(quillon::IntToString(-12), "-12");
}

TEST(Format, NumbersIgnoreTheHostLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    std::string out;
    quillon::AppendFixed6(out, 1234.5);
    quillon::AppendInt(out, 1234567);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(out, "1234.5000001234567");
}

TEST(Format, HexBytesAreUnsigned) {
    std::string lower, upper;
    quillon::AppendHex(lower, std::string("\0\x7f\x80\xff", 4), false);
    quillon::AppendHex(upper,
                       "\xab"
                       "z",
                       true);
    EXPECT_EQ(lower, "007f80ff");
    EXPECT_EQ(upper, "AB7A");
}

}  // namespace
