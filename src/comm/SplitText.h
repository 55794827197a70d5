#ifndef QUILLON_COMM_SPLITTEXT_H
#define QUILLON_COMM_SPLITTEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Splits at every separator, keeping empty parts ("a::b" has three).
inline std::vector<std::string> SplitText(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (;;) {
        std::size_t end = text.find(separator, begin);
        parts.emplace_back(
            text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        if (end == std::string_view::npos) return parts;
        begin = end + 1;
    }
}

// A decimal integer with an optional sign, read up to the first other
// character; 0 when there is none. Saturates instead of overflowing.
inline int ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < 10000000000LL) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483648LL) return -2147483647 - 1;
    return static_cast<int>(value);
}

}  // namespace quillon

#endif
