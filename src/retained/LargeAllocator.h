#pragma once
// An allocator for the big tables (vertices, faces, normals). Blocks of 2 MiB and more are mapped
// directly and marked for transparent huge pages: a table of a million faces then costs a few
// hundred page faults instead of tens of thousands, which is what rebuilding a mesh after a
// deletion or a load spends most of its time on otherwise. Smaller blocks come from the heap.
// Under AddressSanitizer everything comes from the heap, so the sanitizer keeps watching it.

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace kvx {

inline constexpr std::size_t HugePageSize = std::size_t{2} << 20;

#if defined(__SANITIZE_ADDRESS__) || !defined(__linux__)
inline constexpr bool LargeAllocatorMaps = false;
#else
inline constexpr bool LargeAllocatorMaps = true;
#endif

// Mapped blocks are rounded up to whole huge pages.
inline std::size_t MappedSize(std::size_t bytes) {
    return (bytes + HugePageSize - 1) & ~(HugePageSize - 1);
}

inline void* AllocateLarge(std::size_t bytes) {
    if (!LargeAllocatorMaps || bytes < HugePageSize) return ::operator new(bytes);
#if defined(__linux__)
    const std::size_t size = MappedSize(bytes);
    // Map one huge page more than needed, so the block can start on a huge-page boundary.
    void* raw = ::mmap(nullptr, size + HugePageSize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + HugePageSize - 1) & ~(HugePageSize - 1);
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::uintptr_t end = start + size + HugePageSize;
    if (end > aligned + size)
        ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
#endif
}

inline void FreeLarge(void* p, std::size_t bytes) {
    if (!LargeAllocatorMaps || bytes < HugePageSize) {
        ::operator delete(p);
        return;
    }
#if defined(__linux__)
    ::munmap(p, MappedSize(bytes));
#endif
}

template <typename T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(AllocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { FreeLarge(p, n * sizeof(T)); }
    template <typename U>
    bool operator==(const LargeAllocator<U>&) const {
        return true;
    }
};

template <typename T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

}  // namespace kvx
