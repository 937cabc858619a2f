#pragma once
// Which views must show a change again: none, the view it happened in, the six flat views, or
// all seven. Ordered from least to most.

namespace kvx {

enum class RedrawScope { None, ThisView, Orthographic, All };

}  // namespace kvx
