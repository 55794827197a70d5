#ifndef QUILLON_BASE_FORMAT_H
#define QUILLON_BASE_FORMAT_H

#include <charconv>
#include <string>
#include <string_view>

// Numbers as text. Everything goes through std::to_chars, so a host that
// changed the C or C++ locale still gets "0.700000" and "-12", never
// "0,700000" or digit grouping.
namespace quillon {

inline void AppendInt(std::string& out, long long value) {
    char buf[24];  // any long long with its sign
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
}

inline void AppendUnsigned(std::string& out, unsigned long long value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
}

inline std::string IntToString(long long value) {
    std::string s;
    AppendInt(s, value);
    return s;
}

// Fixed notation with six digits after the point, as printf("%f") writes it
// in the C locale.
void AppendFixed6(std::string& out, double value);

// Each byte, taken as an unsigned value, as two hexadecimal digits.
void AppendHex(std::string& out, std::string_view bytes, bool upperCase);

}  // namespace quillon

#endif
