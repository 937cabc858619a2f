#pragma once
// Golden-image comparison: a rendered 250 x 250 picture against a reference image kept beside
// the tests (golden/<name>.tga, a run-length compressed Targa of the picture as the Targa export
// writes it). Running the tests with KOLVEX_UPDATE_GOLDEN=1 rewrites the references on purpose.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/PixelBuffer.h"

namespace kvx::test {

// Run-length compressed Targa (type 10) of 24-bit pixels, rows bottom first, and back.
std::vector<std::uint8_t> CompressTarga(const std::vector<std::uint8_t>& uncompressedFile);
bool DecompressTarga(const std::vector<std::uint8_t>& file,
                     std::vector<std::uint8_t>& uncompressedFile);

// Whether pixels match golden/<name>.tga. A mismatch writes the actual picture (uncompressed)
// to golden-actual/<name>.tga in the working directory and says how many pixels differ.
::testing::AssertionResult MatchesGolden(const PixelBuffer& pixels, const std::string& name);

}  // namespace kvx::test
