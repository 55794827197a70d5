#ifndef QUILLON_GENERATE_DOTS_H
#define QUILLON_GENERATE_DOTS_H

#include <cstdint>

#include "base/Coordinate.h"
#include "base/Numeric.h"

namespace quillon {

// Every conversion from an object's numbers to printer dots. A number is
// multiplied by the dots per unit of the object's ruler in single
// precision, value first, as the printer-side numbers were always computed;
// then each kind of number takes its own rule to a whole number of dots.
class Dots {
  public:
    explicit Dots(float dotsPerUnit, float dotsPerInch = 0.0f)
        : _perUnit(dotsPerUnit), _perInch(dotsPerInch) {}
    // The ruler's unit on the printer: dots per millimetre, per inch, or 1.
    static Dots For(IPrintResolution* resolution, IRuler* ruler) {
        PrintPlane plane;
        return Dots(plane.DotsPerUnit(ruler, resolution), resolution ? resolution->getDotsPerInch() : 0.0f);
    }

    float PerUnit() const { return _perUnit; }
    float PerInch() const { return _perInch; }
    // Unrounded dots.
    float Exact(float value) const { return value * _perUnit; }
    // Positions, lengths and thicknesses truncate toward zero.
    int Position(float value) const { return TruncToInt(value * _perUnit); }
    // Module sizes round halves away from zero.
    int Module(float value) const { return RoundToInt(value * _perUnit); }
    // Bar widths add half a dot and truncate (-1.2 dots gives 0).
    int Bar(float value) const { return TruncToInt(value * _perUnit + 0.5f); }
    // A size in the ruler's unit as typographic points (1/72 inch).
    float Points(float value) const { return value * _perUnit * 72.0f / _perInch; }

    // base + count * cell in two's complement, as the printer's 32-bit
    // arithmetic has it: a huge module size wraps an anchor instead of
    // overflowing.
    static int WrappedSum(int base, int count, int cell) {
        const uint32_t sum =
            static_cast<uint32_t>(base) + static_cast<uint32_t>(count) * static_cast<uint32_t>(cell);
        return static_cast<int32_t>(sum);
    }

  private:
    float _perUnit;
    float _perInch;
};

// A start point in dots.
struct Anchor {
    int x;
    int y;
};

inline Anchor AnchorOf(const Dots& dots, float x, float y) {
    return {dots.Position(x), dots.Position(y)};
}

}  // namespace quillon

#endif
