#pragma once
// The Targa image of the perspective view: an uncompressed 24-bit true-colour file of
// TargaSide x TargaSide pixels, 18-byte header, origin at the lower left (the bottom row comes
// first), each pixel as blue, green, red.

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "platform/Prompts.h"

namespace kvx {

inline constexpr std::int32_t TargaSide = 250;
inline constexpr std::size_t TargaHeaderSize = 18;
inline constexpr std::size_t TargaFileSize =
    TargaHeaderSize + std::size_t{TargaSide} * TargaSide * 3;
// What the export command shows when the image cannot be written.
inline constexpr const char* TargaSaveErrorText = "Erreur lors de la sauvegarde de l'image!";
inline constexpr const char* TargaSaveErrorTitle = "Attention...";

// The save dialog of "Sauvegarder...": its title, filters and flags; it keeps the last name.
platform::FileDialogSettings TargaSaveDialogSettings();

// "Sauvegarder...": asks for a name and writes the picture as it was last drawn. 1 written,
// 0 cancelled or failed (a failure shows the save error message).
int ExportTarga(const PixelBuffer& pixels, platform::Prompts& prompts,
                platform::FileDialogSettings& dialog);

// The whole file for the picture in pixels (16 or 24 bits). A 16-bit pixel w (5-6-5) becomes
// blue (w << 3) & 0xF8, green ((w >> 5) << 2) & 0xFC, red (w >> 8) & 0xF8; a 24-bit pixel's
// bytes are copied as they are. Pixels beyond the buffer's size come out black.
std::vector<std::uint8_t> EncodeTarga(const PixelBuffer& pixels);

// Writes the image of pixels to path as the scene saver writes scene files (ReplaceFile): into a
// temporary file beside the file path names, stored and renamed over it once complete, so a
// failed or refused write never leaves a half-written or destroyed file. Returns false when the
// file could not be written.
bool WriteTarga(const PixelBuffer& pixels, const std::string& path);

}  // namespace kvx
