#pragma once
// Scene coordinates are stored as 32-bit floats. A value computed in double precision is kept
// only when it converts to a finite float: anything larger than the float maximum (or not a
// number) is refused rather than stored as infinity, so every stored coordinate is finite and can
// be saved and read back.

#include <cmath>
#include <limits>

namespace kvx {

inline constexpr double MaxCoordinate = std::numeric_limits<float>::max();

inline bool FitsFloat(double v) {
    return std::fabs(v) <= MaxCoordinate;  // false for NaN as well
}

inline bool FitsFloat(double x, double y, double z) {
    return FitsFloat(x) && FitsFloat(y) && FitsFloat(z);
}

}  // namespace kvx
