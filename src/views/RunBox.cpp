#include "views/RunBox.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <utility>

#include "views/ProcessorPaths.h"

namespace kvx {
namespace {

// RunBox one number at a time, on every processor.
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
using Four = std::int32_t __attribute__((vector_size(16)));

// The Count numbers from `at` (at most four) as a vector, read without passing the last.
template <std::size_t Count>
[[gnu::target("sse4.1"), gnu::always_inline]] inline Four Numbers(const std::int32_t* at) {
    if constexpr (Count >= 4) {
        Four p;
        std::memcpy(&p, at, sizeof p);
        return p;
    } else if constexpr (Count == 3) {
        return Four{at[0], at[1], at[2], 0};
    } else if constexpr (Count == 2) {
        return Four{at[0], at[1], 0, 0};
    } else {
        return Four{at[0], 0, 0, 0};
    }
}

// Writes the first Count numbers of p (at most four) to `at`.
template <std::size_t Count>
[[gnu::always_inline]] inline void Store(Four p, std::int32_t* at) {
    if constexpr (Count >= 4) {
        std::memcpy(at, &p, sizeof p);
    } else {
        for (std::size_t i = 0; i < Count; ++i)
            at[i] = p[i];
    }
}

// Takes a row of Width numbers into the least and the greatest, vector V of each for numbers
// 4 V .. 4 V + 3.
template <std::size_t Width, std::size_t... V>
[[gnu::target("sse4.1"), gnu::always_inline]] inline void TakeRow(const std::int32_t* row,
                                                                  Four* low, Four* high,
                                                                  std::index_sequence<V...>) {
    const Four p[] = {Numbers<std::min<std::size_t>(4, Width - 4 * V)>(row + 4 * V)...};
    ((low[V] = p[V] < low[V] ? p[V] : low[V]), ...);
    ((high[V] = p[V] > high[V] ? p[V] : high[V]), ...);
}

// The same, four numbers at a time, for a table of Width numbers a row known where it is called.
template <std::size_t Width>
[[gnu::target("sse4.1")]] void RunBoxSse41(const std::int32_t* table, const std::int32_t* rows,
                                           std::size_t count, std::int32_t* lo, std::int32_t* hi) {
    constexpr std::size_t Vectors = (Width + 3) / 4;
    Four low[Vectors], high[Vectors];
    for (std::size_t v = 0; v < Vectors; ++v) {
        low[v] = Four{} + std::numeric_limits<std::int32_t>::max();
        high[v] = Four{} + std::numeric_limits<std::int32_t>::min();
    }
    for (std::size_t k = 0; k < count; ++k) {
        const std::int32_t* row = table + static_cast<std::size_t>(rows[k]) * Width;
        TakeRow<Width>(row, low, high, std::make_index_sequence<Vectors>{});
    }
    [&]<std::size_t... V>(std::index_sequence<V...>) {
        (Store<std::min<std::size_t>(4, Width - 4 * V)>(low[V], lo + 4 * V), ...);
        (Store<std::min<std::size_t>(4, Width - 4 * V)>(high[V], hi + 4 * V), ...);
    }
    (std::make_index_sequence<Vectors>{});
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
    if (CurrentProcessorPath() != ProcessorPath::Plain && width >= 1 && width <= MaxRunBoxWidth) {
        constexpr auto boxes = RunBoxes(std::make_index_sequence<MaxRunBoxWidth>{});
        boxes[width - 1](table, rows, count, lo, hi);
        return;
    }
#endif
    RunBoxPlain(table, width, rows, count, lo, hi);
}

}  // namespace kvx
