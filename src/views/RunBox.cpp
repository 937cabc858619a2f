#include "views/RunBox.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>
#include <utility>
#if defined(__x86_64__) || defined(__i386__)
#include <smmintrin.h>
#endif

namespace kvx {
namespace {

// RunBox one number at a time, for every processor.
void RunBoxPlain(const std::int32_t* table, std::size_t width, const std::int32_t* rows,
                 std::size_t count, std::int32_t* lo, std::int32_t* hi) {
    std::fill(lo, lo + width, std::numeric_limits<std::int32_t>::max());
    std::fill(hi, hi + width, std::numeric_limits<std::int32_t>::min());
    for (std::size_t k = 0; k < count; ++k) {
        const std::int32_t* row = table + static_cast<std::size_t>(rows[k]) * width;
        for (std::size_t j = 0; j < width; ++j) {
            lo[j] = std::min(lo[j], row[j]);
            hi[j] = std::max(hi[j], row[j]);
        }
    }
}

#if defined(__x86_64__) || defined(__i386__)
// The same, four numbers at a time, for a table of Width numbers a row known where it is called.
template <std::size_t Width>
[[gnu::target("sse4.1")]] void RunBoxSse41(const std::int32_t* table, const std::int32_t* rows,
                                           std::size_t count, std::int32_t* lo, std::int32_t* hi) {
    constexpr std::size_t Whole = Width / 4, Rest = Width % 4, Vectors = (Width + 3) / 4;
    __m128i low[Vectors], high[Vectors];
    for (std::size_t v = 0; v < Vectors; ++v) {
        low[v] = _mm_set1_epi32(std::numeric_limits<std::int32_t>::max());
        high[v] = _mm_set1_epi32(std::numeric_limits<std::int32_t>::min());
    }
    for (std::size_t k = 0; k < count; ++k) {
        const std::int32_t* numbers = table + static_cast<std::size_t>(rows[k]) * Width;
        const auto* row = reinterpret_cast<const __m128i*>(numbers);
        for (std::size_t v = 0; v < Whole; ++v) {
            const __m128i p = _mm_loadu_si128(row + v);
            low[v] = _mm_min_epi32(low[v], p);
            high[v] = _mm_max_epi32(high[v], p);
        }
        if constexpr (Rest != 0) {  // the numbers left over, read without passing the row's end
            __m128i p;
            if constexpr (Rest == 1) {
                p = _mm_cvtsi32_si128(numbers[4 * Whole]);
            } else if constexpr (Rest == 2) {
                p = _mm_loadl_epi64(row + Whole);
            } else {
                p = _mm_insert_epi32(_mm_loadl_epi64(row + Whole), numbers[4 * Whole + 2], 2);
            }
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

template <std::size_t... Widths>
constexpr auto RunBoxes(std::index_sequence<Widths...>) {
    using Box = void (*)(const std::int32_t*, const std::int32_t*, std::size_t, std::int32_t*,
                         std::int32_t*);
    return std::array<Box, sizeof...(Widths)>{RunBoxSse41<Widths + 1>...};
}
#endif

}  // namespace

void RunBox(const std::int32_t* table, std::size_t width, const std::int32_t* rows,
            std::size_t count, std::int32_t* lo, std::int32_t* hi) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool sse41 = __builtin_cpu_supports("sse4.1") != 0;
    if (sse41 && width >= 1 && width <= MaxRunBoxWidth) {
        constexpr auto boxes = RunBoxes(std::make_index_sequence<MaxRunBoxWidth>{});
        boxes[width - 1](table, rows, count, lo, hi);
#ifndef NDEBUG
        // Debug builds check the plain loop, which processors without these instructions take.
        std::array<std::int32_t, MaxRunBoxWidth> plainLo, plainHi;
        RunBoxPlain(table, width, rows, count, plainLo.data(), plainHi.data());
        assert(std::equal(lo, lo + width, plainLo.begin()) &&
               std::equal(hi, hi + width, plainHi.begin()));
#endif
        return;
    }
#endif
    RunBoxPlain(table, width, rows, count, lo, hi);
}

}  // namespace kvx
