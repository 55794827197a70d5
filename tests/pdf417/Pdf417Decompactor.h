#ifndef QUILLON_TESTS_PDF417_DECOMPACTOR_H
#define QUILLON_TESTS_PDF417_DECOMPACTOR_H

// A reader of PDF417 data codewords, written from the symbology's rules
// alone (text sub-modes with their latches and shifts, byte compaction in
// both forms and the one-byte shift, numeric compaction in groups of 15
// codewords), so that tests and the fuzzer can check that the encoder's
// codewords really carry the input bytes. Test code only.

#include <cstdint>
#include <string>
#include <vector>

namespace pdf417test {

// Turns codewords (the first one the length descriptor, skipped) back into
// bytes. Returns false with a reason on anything a reader would reject.
inline bool Decompact(const std::vector<int>& cw, std::vector<unsigned char>& out, std::string& why) {
    // Value -> character of each text sub-mode; '\0' marks a latch or shift.
    static const char kUpper[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
    static const char kLower[] = "abcdefghijklmnopqrstuvwxyz ";
    static const char kMixed[] = "0123456789&\r\t,:#-.$/+%*=^";
    static const char kPunct[] = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";
    enum Sub { kUp, kLow, kMix, kPun };

    out.clear();
    if (cw.empty()) return why = "no length descriptor", false;
    bool text = true;  // a symbol starts in text compaction, upper case
    Sub sub = kUp;
    bool shiftPunct = false, shiftUpper = false;
    size_t i = 1;
    auto textValue = [&](int v) -> bool {
        if (shiftPunct || shiftUpper) {
            const bool p = shiftPunct;
            shiftPunct = shiftUpper = false;
            if (p) {
                if (v > 28) return why = "value 29 after a punctuation shift", false;
                out.push_back(static_cast<unsigned char>(kPunct[v]));
            } else {
                if (v > 25) return why = "no letter after an upper-case shift", false;
                out.push_back(static_cast<unsigned char>('A' + v));
            }
            return true;
        }
        switch (sub) {
            case kUp:
            case kLow:
                if (v <= 26)
                    out.push_back(static_cast<unsigned char>((sub == kUp ? kUpper : kLower)[v]));
                else if (v == 27 && sub == kUp)
                    sub = kLow;
                else if (v == 27)
                    shiftUpper = true;
                else if (v == 28)
                    sub = kMix;
                else
                    shiftPunct = true;
                break;
            case kMix:
                if (v <= 24)
                    out.push_back(static_cast<unsigned char>(kMixed[v]));
                else if (v == 25)
                    sub = kPun;
                else if (v == 26)
                    out.push_back(' ');
                else if (v == 27)
                    sub = kLow;
                else if (v == 28)
                    sub = kUp;
                else
                    shiftPunct = true;
                break;
            case kPun:
                if (v <= 28)
                    out.push_back(static_cast<unsigned char>(kPunct[v]));
                else
                    sub = kUp;
                break;
        }
        return true;
    };
    // The codewords below 900 from i on.
    auto run = [&]() {
        size_t end = i;
        while (end < cw.size() && cw[end] >= 0 && cw[end] < 900) ++end;
        return end;
    };
    while (i < cw.size()) {
        const int c = cw[i];
        if (c < 0 || c > 928) return why = "codeword out of range at " + std::to_string(i), false;
        if (c >= 900) {
            // A filler shift at the end of text data applies to nothing.
            shiftPunct = shiftUpper = false;
        }
        if (c < 900) {
            if (!text) return why = "data codeword outside any mode at " + std::to_string(i), false;
            if (!textValue(c / 30) || !textValue(c % 30)) return false;
            ++i;
        } else if (c == 900) {
            text = true;
            sub = kUp;
            ++i;
        } else if (c == 913) {
            if (!text) return why = "one-byte shift outside text", false;
            if (i + 1 >= cw.size() || cw[i + 1] > 255 || cw[i + 1] < 0)
                return why = "bad shifted byte", false;
            out.push_back(static_cast<unsigned char>(cw[i + 1]));
            i += 2;
        } else if (c == 901 || c == 924) {
            ++i;
            const size_t end = run();
            const size_t n = end - i;
            if (n == 0) return why = "empty byte segment", false;
            size_t singles = 0;
            if (c == 924) {
                if (n % 5 != 0) return why = "924 segment not in groups of five", false;
            } else {
                singles = n % 5 == 0 ? 5 : n % 5;
            }
            for (; i + singles < end; i += 5) {
                std::uint64_t v = 0;
                for (int k = 0; k < 5; ++k) v = v * 900 + static_cast<std::uint64_t>(cw[i + k]);
                if (v >> 48) return why = "byte group beyond 48 bits", false;
                for (int k = 5; k >= 0; --k) out.push_back(static_cast<unsigned char>(v >> (8 * k)));
            }
            for (; i < end; ++i) {
                if (cw[i] > 255) return why = "single byte codeword above 255", false;
                out.push_back(static_cast<unsigned char>(cw[i]));
            }
            text = false;
        } else if (c == 902) {
            ++i;
            const size_t end = run();
            if (end == i) return why = "empty numeric segment", false;
            while (i < end) {
                const size_t groupEnd = end - i > 15 ? i + 15 : end;
                // Base 900 to decimal, in base-10^9 limbs, least significant first.
                std::vector<std::uint32_t> dec{0};
                for (; i < groupEnd; ++i) {
                    std::uint64_t carry = static_cast<std::uint64_t>(cw[i]);
                    for (auto& limb : dec) {
                        const std::uint64_t t = std::uint64_t{limb} * 900 + carry;
                        limb = static_cast<std::uint32_t>(t % 1000000000);
                        carry = t / 1000000000;
                    }
                    if (carry) dec.push_back(static_cast<std::uint32_t>(carry));
                }
                std::string digits = std::to_string(dec.back());
                for (size_t k = dec.size() - 1; k-- > 0;) {
                    std::string part = std::to_string(dec[k]);
                    digits.append(9 - part.size(), '0').append(part);
                }
                if (digits.size() < 2 || digits[0] != '1')
                    return why = "numeric group without its leading 1", false;
                out.insert(out.end(), digits.begin() + 1, digits.end());
            }
            text = false;
        } else {
            return why = "unexpected codeword " + std::to_string(c), false;
        }
    }
    return true;
}

}  // namespace pdf417test

#endif
