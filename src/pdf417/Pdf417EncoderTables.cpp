#include "pdf417/Pdf417EncoderTables.h"

namespace {

using Table = std::array<std::uint8_t, 128>;

// Builds a sub-mode table from the characters of its values 0, 1, 2, ...;
// a '\0' in `chars` marks a value that is a latch or shift, not a character.
template <std::size_t N>
constexpr Table MakeTable(const char (&chars)[N]) {
    Table t{};
    for (auto& v : t) v = Pdf417EncoderTables::kNotInSubMode;
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (chars[i] != '\0') t[static_cast<unsigned char>(chars[i])] = static_cast<std::uint8_t>(i);
    return t;
}

// Values 26 to 29 (or 25 to 29) that are latches and shifts appear as '\0'.
constexpr char kUpper[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
constexpr char kLower[] = "abcdefghijklmnopqrstuvwxyz ";
constexpr char kMixed[] = "0123456789&\r\t,:#-.$/+%*=^\0 ";
constexpr char kPunct[] = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

}  // namespace

const std::int64_t Pdf417EncoderTables::Fact900[5] = {1, 900, 810000, 729000000, 656100000000};

const Table Pdf417EncoderTables::TextToUpper = MakeTable(kUpper);
const Table Pdf417EncoderTables::TextToLower = MakeTable(kLower);
const Table Pdf417EncoderTables::TextToMixed = MakeTable(kMixed);
const Table Pdf417EncoderTables::TextToPunct = MakeTable(kPunct);

std::array<Pdf417EncoderTables::BigInt900, 15> Pdf417EncoderTables::CalculateFactBigInt900() {
    std::array<BigInt900, 15> powers{};
    powers[0].limb[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t k = 0; k < powers[i].limb.size(); ++k) {
            std::uint64_t v = std::uint64_t{powers[i - 1].limb[k]} * 900 + carry;
            powers[i].limb[k] = static_cast<std::uint32_t>(v);
            carry = v >> 32;
        }
    }
    return powers;
}

namespace {
// Computed once, at start-up, before any encoder runs.
const std::array<Pdf417EncoderTables::BigInt900, 15> kFactBigInt900 =
    Pdf417EncoderTables::CalculateFactBigInt900();
}  // namespace

const std::array<Pdf417EncoderTables::BigInt900, 15>& Pdf417EncoderTables::FactBigInt900 = kFactBigInt900;
