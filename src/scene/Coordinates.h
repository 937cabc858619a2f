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

// The least and greatest of some stored coordinates on each axis. A sum rounds monotonically, so
// each of them plus an offset fits when the least and the greatest plus it do: a move of many
// vertices is checked in constant time.
struct CoordinateBounds {
    float low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool any = false;        // some coordinates were taken
    bool unordered = false;  // one of them is not a number

    void Take(float x, float y, float z) {
        const float c[3] = {x, y, z};
        for (int k = 0; k < 3; ++k) {
            unordered |= c[k] != c[k];
            if (!any || c[k] < low[k]) low[k] = c[k];
            if (!any || c[k] > high[k]) high[k] = c[k];
        }
        any = true;
    }
    // Whether every coordinate taken plus d (per axis) fits; true when none was taken.
    bool FitAfterAdding(const double d[3]) const {
        if (!any) return true;
        if (unordered) return false;
        for (int k = 0; k < 3; ++k)
            if (!FitsFloat(static_cast<double>(low[k]) + d[k]) ||
                !FitsFloat(static_cast<double>(high[k]) + d[k]))
                return false;
        return true;
    }
};

}  // namespace kvx
