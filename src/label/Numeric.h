#ifndef QUILLON_LABEL_NUMERIC_H
#define QUILLON_LABEL_NUMERIC_H

#include <climits>
#include <cmath>

namespace quillon {

// Float-to-int truncation toward zero that never reaches undefined
// behaviour: NaN gives 0 and values outside int clamp to its limits.
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

}  // namespace quillon

#endif
