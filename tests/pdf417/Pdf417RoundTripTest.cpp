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
    return testing::PrintToString(std::string(input.begin(), input.end()));
}

TEST(Pdf417RoundTrip, SharedCorpusEveryControl) {
    const auto corpus =
        pdf417test::LoadCorpus(std::string(QUILLON_TEST_DATA_DIR) + "/data/pdf417-corpus.txt");
    ASSERT_FALSE(corpus.empty()) << "corpus not found";
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

unsigned char OneByte(Kind kind, int r) {
    static const std::string punct = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";
    static const std::string mixed = "0123456789&\r\t,:#-.$/+%*=^ ";
    const char pu = punct[static_cast<size_t>(r) % punct.size()],
               mi = mixed[static_cast<size_t>(r) % mixed.size()];
    const int upper = 'A' + r % 26, lower = 'a' + r % 26, high = 0x80 + r % 128;
    switch (kind) {
        case Kind::Letters:
            return static_cast<unsigned char>((r & 1 ? 'a' : 'A') + (r >> 1) % 26);
        case Kind::Digits:
            return static_cast<unsigned char>(r % 50 == 0 ? ' ' : '0' + r % 10);
        case Kind::Punctuation:
            return static_cast<unsigned char>(r % 4 ? pu : upper);
        case Kind::TextMix: {
            const int k = r % 4;
            return static_cast<unsigned char>(k == 0 ? upper : k == 1 ? lower : k == 2 ? mi : pu);
        }
        case Kind::Binary:
            return static_cast<unsigned char>(r % 3 ? high : lower);
        // Text segments that end inside the punctuation sub-mode, split by
        // single bytes that keep text compaction going.
        case Kind::PunctAndBytes:
            return static_cast<unsigned char>(r % 9 == 0 ? high : r % 3 == 0 ? upper : pu);
        case Kind::Controls:
            return static_cast<unsigned char>(r % 2 ? r % 32 : 32 + r % 95);
        default:
            return static_cast<unsigned char>(r >> 12);
    }
}

std::vector<unsigned char> Generate(std::mt19937& rng, Kind kind, size_t length) {
    std::uniform_int_distribution<int> pick(0, 1 << 20);
    std::vector<unsigned char> out;
    while (out.size() < length) {
        const int r = pick(rng);
        out.push_back(OneByte(kind, r));
        // Runs of digits between the random bytes.
        if (kind == Kind::Everything && r % 7 == 0)
            for (size_t k = 0; k < static_cast<size_t>(r % 20) && out.size() < length; ++k)
                out.push_back(static_cast<unsigned char>('0' + k % 10));
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

}  // namespace
