#ifndef QUILLON_PDF417_PDF417ENCODERTABLES_H
#define QUILLON_PDF417_PDF417ENCODERTABLES_H

#include <array>
#include <cstddef>
#include <cstdint>

// Fixed tables of the PDF417 symbology that the data compaction needs. The
// error-correction polynomials and the bar-space patterns are not here: the
// library sizes symbols and leaves drawing them to the printer.
class Pdf417EncoderTables {
  public:
    // An exact unsigned integer of up to 160 bits, little-endian 32-bit limbs:
    // enough for 900^14 and for "1" followed by 44 decimal digits.
    struct BigInt900 {
        std::array<std::uint32_t, 5> limb{};
    };

    // Marks a character that a text sub-mode cannot represent.
    static constexpr std::uint8_t kNotInSubMode = 127;

    static const std::int64_t Fact900[5];
    static const std::array<BigInt900, 15>& FactBigInt900;

    // Indexed by a 7-bit character code: the character's value in the text
    // compaction sub-mode of that name, or kNotInSubMode.
    static const std::array<std::uint8_t, 128> TextToUpper;
    static const std::array<std::uint8_t, 128> TextToLower;
    static const std::array<std::uint8_t, 128> TextToMixed;
    static const std::array<std::uint8_t, 128> TextToPunct;

    static std::array<BigInt900, 15> CalculateFactBigInt900();
};

#endif
