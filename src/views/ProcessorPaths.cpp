#include "views/ProcessorPaths.h"

#include <atomic>

namespace kvx {
namespace {

ProcessorPath BestPath() {
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("sse4.1"))
        return ProcessorPath::Avx2;
    if (__builtin_cpu_supports("sse4.1")) return ProcessorPath::Sse41;
#endif
    return ProcessorPath::Plain;
}

std::atomic<ProcessorPath>& Current() {
    static std::atomic<ProcessorPath> path{BestPath()};
    return path;
}

}  // namespace

bool ProcessorHas(ProcessorPath path) {
    static const ProcessorPath best = BestPath();
    return static_cast<int>(path) <= static_cast<int>(best);
}

ProcessorPath CurrentProcessorPath() {
    return Current().load(std::memory_order_relaxed);
}

bool UseProcessorPath(ProcessorPath path) {
    if (!ProcessorHas(path)) return false;
    Current().store(path, std::memory_order_relaxed);
    return true;
}

}  // namespace kvx
