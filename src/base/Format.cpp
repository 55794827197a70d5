#include "base/Format.h"

#include <vector>

namespace quillon {

void AppendFixed6(std::string& out, double value) {
    // 309 integer digits, the point and six decimals hold any finite double.
    char buf[330];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    out.append(buf, static_cast<size_t>(res.ptr - buf));
}

void AppendHex(std::string& out, std::string_view bytes, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    out.reserve(out.size() + bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(digits[byte >> 4]);
        out.push_back(digits[byte & 0x0f]);
    }
}

}  // namespace quillon
