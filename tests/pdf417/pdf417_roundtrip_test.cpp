// Property: whatever the input, the codewords read back as the input bytes
// and the sizing holds every codeword within the symbol's limits.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Pdf417Corpus.h"
#include "Pdf417Decompactor.h"
#include "pdf417/Pdf417Encoder.h"

namespace {

using Control = Pdf417Encoder::EncodingControl;

// Empty when the input round-trips and sizes correctly; otherwise what failed.
std::string CheckOne(const std::vector<unsigned char>& input, Control control, bool emitterOrder) {
    Pdf417Encoder enc;
    enc.SetEncodingControl(control);
    if (emitterOrder) {
        enc.QuietZone(2 * enc.NarrowBarWidth());
        enc.DefaultDataColumns(1);
        enc.Encode(input);
        enc.DefaultDataColumns(enc.aspect_1to2_column());
    }
    enc.Encode(input);
    std::vector<unsigned char> back;
    std::string why;
    if (!pdf417test::Decompact(enc.DataCodewords, back, why)) return "unreadable: " + why;
    if (back != input) return "read back differs";
    const int total = enc.TotalLength();
    if (enc.DataColumns < 1 || enc.DataColumns > 30) return "columns out of range";
    if (enc.DataRows < 1 || enc.DataRows > 90) return "rows out of range";
    if (enc.DataRows * enc.DataColumns < total) return "symbol too small";
    // No spare row, or, at the 90-row limit, no spare column.
    const bool rowsTight = (enc.DataRows - 1) * enc.DataColumns < total;
    const bool columnsTight = enc.DataRows == 90 && 90 * (enc.DataColumns - 1) < total;
    if (!rowsTight && !columnsTight) return "a spare row or column";
    return {};
}

std::string Show(const std::vector<unsigned char>& input) {
    static const char hex[] = "0123456789abcdef";
    std::string s;
    for (unsigned char c : input) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            s += static_cast<char>(c);
        } else {
            s += "\\x";
            s += hex[c >> 4];
            s += hex[c & 15];
        }
    }
    return s;
}

TEST(Pdf417RoundTrip, SharedCorpusEveryControl) {
    const auto corpus =
        pdf417test::LoadCorpus(std::string(QUILLON_SOURCE_DIR) + "/../shared/bench/pdf417-corpus.txt");
    if (corpus.empty()) GTEST_SKIP() << "shared corpus not found";
    ASSERT_EQ(corpus.size(), 2000u);
    int checked = 0;
    for (size_t n = 0; n < corpus.size(); ++n) {
        for (Control control : {Control::Auto, Control::TextAndByte, Control::ByteOnly}) {
            for (bool emitterOrder : {false, true}) {
                const std::string failure = CheckOne(corpus[n], control, emitterOrder);
                ASSERT_EQ(failure, "") << "input " << n << " control " << control << ": " << Show(corpus[n]);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 12000);
}

// Byte classes that stress different compaction paths.
enum class Kind { Letters, Digits, Punctuation, TextMix, Binary, Controls, PunctAndBytes, Everything };

std::vector<unsigned char> Generate(std::mt19937& rng, Kind kind, size_t length) {
    static const std::string punct = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";
    static const std::string mixed = "0123456789&\r\t,:#-.$/+%*=^ ";
    std::uniform_int_distribution<int> byte(0, 255), pick(0, 1 << 20);
    std::vector<unsigned char> out;
    out.reserve(length);
    while (out.size() < length) {
        const int r = pick(rng);
        unsigned char c;
        switch (kind) {
            case Kind::Letters:
                c = static_cast<unsigned char>((r & 1 ? 'a' : 'A') + (r >> 1) % 26);
                break;
            case Kind::Digits:
                c = static_cast<unsigned char>(r % 50 == 0 ? ' ' : '0' + r % 10);
                break;
            case Kind::Punctuation:
                c = static_cast<unsigned char>(r % 4 ? punct[static_cast<size_t>(r) % punct.size()]
                                                     : 'A' + r % 26);
                break;
            case Kind::TextMix: {
                const int k = r % 4;
                c = static_cast<unsigned char>(k == 0   ? 'A' + r % 26
                                               : k == 1 ? 'a' + r % 26
                                               : k == 2 ? mixed[static_cast<size_t>(r) % mixed.size()]
                                                        : punct[static_cast<size_t>(r) % punct.size()]);
                break;
            }
            case Kind::Binary:
                c = static_cast<unsigned char>(r % 3 ? 0x80 + r % 128 : 'a' + r % 26);
                break;
            case Kind::PunctAndBytes:
                // Text segments that end inside the punctuation sub-mode,
                // split by single bytes that keep text compaction going.
                c = static_cast<unsigned char>(r % 9 == 0   ? 0x80 + r % 128
                                               : r % 3 == 0 ? 'A' + r % 26
                                                            : punct[static_cast<size_t>(r) % punct.size()]);
                break;
            case Kind::Controls:
                c = static_cast<unsigned char>(r % 2 ? r % 32 : 32 + r % 95);
                break;
            default:
                c = static_cast<unsigned char>(byte(rng));
                break;
        }
        out.push_back(c);
        // Runs of one kind: repeat the last byte class for a while.
        if (kind == Kind::Everything && r % 7 == 0) {
            const size_t run = static_cast<size_t>(r % 20);
            for (size_t k = 0; k < run && out.size() < length; ++k)
                out.push_back(static_cast<unsigned char>('0' + k % 10));
        }
    }
    return out;
}

TEST(Pdf417RoundTrip, RandomInputsOfEveryClass) {
    std::mt19937 rng(417);
    std::uniform_int_distribution<size_t> length(1, 700);
    int checked = 0;
    for (Kind kind : {Kind::Letters, Kind::Digits, Kind::Punctuation, Kind::TextMix, Kind::Binary,
                      Kind::Controls, Kind::PunctAndBytes, Kind::Everything}) {
        for (int n = 0; n < 400; ++n) {
            const auto input = Generate(rng, kind, n < 40 ? static_cast<size_t>(n % 13 + 1) : length(rng));
            for (Control control : {Control::Auto, Control::TextAndByte, Control::ByteOnly}) {
                const std::string failure = CheckOne(input, control, false);
                ASSERT_EQ(failure, "")
                    << "kind " << static_cast<int>(kind) << " control " << control << ": " << Show(input);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 8 * 400 * 3);
}

struct ReadBackCase {
    const char* name;
    std::vector<int> codewords;
    std::string bytes;
};

class Pdf417Decompactor : public testing::TestWithParam<ReadBackCase> {};

// The reader itself, on codewords worked out by hand.
TEST_P(Pdf417Decompactor, ReadsHandWorkedCodewords) {
    const auto& c = GetParam();
    std::vector<unsigned char> back;
    std::string why;
    ASSERT_TRUE(pdf417test::Decompact(c.codewords, back, why)) << why;
    EXPECT_EQ(std::string(back.begin(), back.end()), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Hand, Pdf417Decompactor,
    testing::Values(ReadBackCase{"Upper", {0, 1, 63, 149}, "ABCDE"},
                    ReadBackCase{"PunctLatchAndBack", {0, 28, 750, 32, 119, 59}, "A;<>@B"},
                    ReadBackCase{"NumericLeadingZeros", {0, 902, 15, 217, 379, 11, 100}, "0000000000000"},
                    ReadBackCase{"ByteGroupAndSingle", {0, 901, 109, 326, 368, 127, 330, 71}, "ABCDEFG"},
                    ReadBackCase{"ShiftedByte", {0, 1, 63, 149, 913, 66, 156}, "ABCDEBFG"}),
    [](const testing::TestParamInfo<ReadBackCase>& info) { return std::string(info.param.name); });

}  // namespace
