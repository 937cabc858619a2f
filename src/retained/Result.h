#pragma once
// Results of engine calls: negative is failure, as the callers test it.

#include <cstdint>

namespace kvx::rm {

using Result = std::int32_t;
inline constexpr Result Ok = 0;
inline constexpr Result ErrBadValue = -1;   // an index or argument out of range
inline constexpr Result ErrNotFound = -2;   // a visual, light or child that is not there
inline constexpr Result ErrBadObject = -3;  // an object that is not created or not usable
inline constexpr Result ErrFull = -4;       // a face that already holds its most corners

inline constexpr bool Succeeded(Result r) {
    return r >= 0;
}

// How a new transform combines with a frame's current one M: REPLACE (T), BEFORE (T * M) or
// AFTER (M * T, in the parent's axes about the parent's origin).
enum class Combine : std::int32_t { Replace = 0, Before = 1, After = 2 };

enum class LightType : std::int32_t { Ambient = 0, Point = 1, Spot = 2, Directional = 3 };

}  // namespace kvx::rm
