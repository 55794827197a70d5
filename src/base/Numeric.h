#ifndef QUILLON_BASE_NUMERIC_H
#define QUILLON_BASE_NUMERIC_H

#include <climits>
#include <cmath>

// The library's two float-to-int rules. Positions truncate toward zero,
// module sizes round halves away from zero; neither ever reaches undefined
// behaviour: NaN gives 0 and values outside int clamp to its limits.
namespace quillon {

inline int TruncToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return INT_MAX;
    if (value <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(value);
}

// Same rule for a double.
inline int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return INT_MAX;
    if (value <= -2147483649.0) return INT_MIN;
    return static_cast<int>(value);
}

// Nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3).
inline int RoundToInt(float value) {
    return TruncToInt(std::round(value));
}

}  // namespace quillon

#endif
