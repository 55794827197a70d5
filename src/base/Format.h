#ifndef QUILLON_BASE_FORMAT_H
#define QUILLON_BASE_FORMAT_H

#include <charconv>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/TextBuffer.h"

// Numbers as text, appended to a std::string or a TextBuffer. Everything
// goes through std::to_chars, so a host that changed the C or C++ locale
// still gets "0.700000" and "-12", never "0,700000" or digit grouping.
namespace quillon {

template <typename Out, typename Number>
void AppendNumber(Out& out, Number value) {
    constexpr size_t kMax = 20;  // any 64-bit integer with its sign
    if constexpr (std::is_same_v<Out, TextBuffer>) {
        char* at = out.Space(kMax);
        out.Commit(std::to_chars(at, at + kMax, value).ptr);
    } else {
        char buf[kMax];
        out.append(buf, std::to_chars(buf, buf + kMax, value).ptr);
    }
}

template <typename Out>
void AppendInt(Out& out, long long value) {
    AppendNumber(out, value);
}

template <typename Out>
void AppendUnsigned(Out& out, unsigned long long value) {
    AppendNumber(out, value);
}

inline std::string IntToString(long long value) {
    std::string s;
    AppendInt(s, value);
    return s;
}

// Fixed notation with six digits after the point, as printf("%f") writes it
// in the C locale.
template <typename Out>
void AppendFixed6(Out& out, double value) {
    char buf[330];  // any finite double: 309 digits, sign, point, six decimals
    out.append(buf, std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6).ptr);
}

// Each byte, taken as an unsigned value, as two hexadecimal digits.
void AppendHex(std::string& out, std::string_view bytes, bool upperCase);

}  // namespace quillon

#endif
