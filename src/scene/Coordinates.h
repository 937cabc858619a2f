#pragma once
// Scene coordinates are stored as 32-bit floats. A value computed in double precision is kept
// only when it converts to a finite float: anything that would round to infinity (or is not a
// number) is refused rather than stored, so every stored coordinate is finite and can be saved
// and read back.

#include <cmath>
#include <limits>

namespace kvx {

// The smallest magnitude that rounds to infinity as a float: the float maximum plus half its last
// step. Anything below it rounds to a finite float (at most the float maximum).
inline constexpr double FloatOverflowLimit = 0x1.ffffffp127;
static_assert(FloatOverflowLimit > std::numeric_limits<float>::max());

inline bool FitsFloat(double v) {
    return std::fabs(v) < FloatOverflowLimit;  // false for NaN as well
}

inline bool FitsFloat(double x, double y, double z) {
    return FitsFloat(x) && FitsFloat(y) && FitsFloat(z);
}

}  // namespace kvx
