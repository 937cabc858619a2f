#pragma once
// Which vector instructions the views' hot loops use: none (the plain path, on every processor),
// SSE4.1, or AVX2 with SSE4.1. The best path the processor has is taken unless another is chosen.
// Every path gives the same pixels; the tests draw on each path the processor has.

namespace kvx {

enum class ProcessorPath { Plain, Sse41, Avx2 };

// Whether this processor can take the path.
bool ProcessorHas(ProcessorPath path);
// The path the hot loops take.
ProcessorPath CurrentProcessorPath();
// Makes the hot loops take path from now on, while nothing is drawn. Refuses a path this
// processor lacks: returns false and keeps the path taken.
bool UseProcessorPath(ProcessorPath path);

}  // namespace kvx
