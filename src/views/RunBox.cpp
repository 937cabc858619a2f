#include "views/RunBox.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>
#if defined(__x86_64__) || defined(__i386__)
#include <smmintrin.h>
#endif

namespace kvx {
namespace {

// RunBox one number at a time, for every processor.
void RunBoxPlain(const PixelPoint* table, std::size_t stride, const std::int32_t* rows,
                 std::size_t count, std::int32_t* lo, std::int32_t* hi) {
    const std::size_t width = 2 * stride;
    std::fill(lo, lo + width, std::numeric_limits<std::int32_t>::max());
    std::fill(hi, hi + width, std::numeric_limits<std::int32_t>::min());
    for (std::size_t k = 0; k < count; ++k) {
        const auto* row = reinterpret_cast<const std::int32_t*>(
            table + static_cast<std::size_t>(rows[k]) * stride);
        for (std::size_t j = 0; j < width; ++j) {
            lo[j] = std::min(lo[j], row[j]);
            hi[j] = std::max(hi[j], row[j]);
        }
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same, four numbers at a time, for a table of Stride views known where it is called.
template <std::size_t Stride>
[[gnu::target("sse4.1")]] void RunBoxSse41(const PixelPoint* table, const std::int32_t* rows,
                                           std::size_t count, std::int32_t* lo, std::int32_t* hi) {
    constexpr std::size_t Width = 2 * Stride, Whole = Width / 4, Vectors = (Width + 3) / 4;
    __m128i low[Vectors], high[Vectors];
    for (std::size_t v = 0; v < Vectors; ++v) {
        low[v] = _mm_set1_epi32(std::numeric_limits<std::int32_t>::max());
        high[v] = _mm_set1_epi32(std::numeric_limits<std::int32_t>::min());
    }
    for (std::size_t k = 0; k < count; ++k) {
        const auto* row =
            reinterpret_cast<const __m128i*>(table + static_cast<std::size_t>(rows[k]) * Stride);
        for (std::size_t v = 0; v < Whole; ++v) {
            const __m128i p = _mm_loadu_si128(row + v);
            low[v] = _mm_min_epi32(low[v], p);
            high[v] = _mm_max_epi32(high[v], p);
        }
        if constexpr (Whole < Vectors) {  // an odd number of views leaves two numbers
            const __m128i p = _mm_loadl_epi64(row + Whole);
            low[Whole] = _mm_min_epi32(low[Whole], p);
            high[Whole] = _mm_max_epi32(high[Whole], p);
        }
    }
    std::int32_t l[4 * Vectors], h[4 * Vectors];
    for (std::size_t v = 0; v < Vectors; ++v) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(l + 4 * v), low[v]);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(h + 4 * v), high[v]);
    }
    std::copy(l, l + Width, lo);
    std::copy(h, h + Width, hi);
}
#endif

}  // namespace

void RunBox(const PixelPoint* table, std::size_t stride, const std::int32_t* rows,
            std::size_t count, std::int32_t* lo, std::int32_t* hi) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool sse41 = __builtin_cpu_supports("sse4.1") != 0;
    if (sse41 && stride >= 1 && stride <= MaxGroup) {
        using Box = void (*)(const PixelPoint*, const std::int32_t*, std::size_t, std::int32_t*,
                             std::int32_t*);
        constexpr std::array<Box, MaxGroup> boxes{RunBoxSse41<1>, RunBoxSse41<2>, RunBoxSse41<3>,
                                                  RunBoxSse41<4>, RunBoxSse41<5>, RunBoxSse41<6>};
        boxes[stride - 1](table, rows, count, lo, hi);
#ifndef NDEBUG
        // Debug builds check the plain loop, which processors without these instructions take.
        std::array<std::int32_t, 2 * MaxGroup> plainLo, plainHi;
        RunBoxPlain(table, stride, rows, count, plainLo.data(), plainHi.data());
        assert(std::equal(lo, lo + 2 * stride, plainLo.begin()) &&
               std::equal(hi, hi + 2 * stride, plainHi.begin()));
#endif
        return;
    }
#endif
    RunBoxPlain(table, stride, rows, count, lo, hi);
}

}  // namespace kvx
