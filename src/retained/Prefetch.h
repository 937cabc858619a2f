#pragma once
// A hint to start loading the cache line that holds p. It changes no result; the renderer uses
// it to overlap the memory waits of scattered per-triangle data.

namespace kvx::rm {

inline void Prefetch(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

}  // namespace kvx::rm
