#include "perspective/TargaExport.h"

#include "platform/Constants.h"
#include "scene/FileAccess.h"
#include "scene/FileReplace.h"

namespace kvx {
namespace {

constexpr std::uint8_t TrueColourImage = 2;
constexpr std::uint8_t BitsPerPixel = 24;
constexpr std::uint8_t OriginLowerLeft = 0;

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

std::vector<std::uint8_t> EncodeTarga(const PixelBuffer& pixels) {
    std::vector<std::uint8_t> out(TargaFileSize, 0);
    out[2] = TrueColourImage;
    PutU16(out, 12, TargaSide);
    PutU16(out, 14, TargaSide);
    out[16] = BitsPerPixel;
    out[17] = OriginLowerLeft;
    if (!pixels.Drawable()) return out;
    std::size_t at = TargaHeaderSize;
    for (std::int32_t y = TargaSide - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < TargaSide; ++x, at += 3) {
            if (x >= pixels.width || y >= pixels.height) continue;  // outside the surface: black
            const std::uint8_t* p = pixels.Address(x, y);
            if (pixels.bitsPerPixel == 24) {
                out[at] = p[0];
                out[at + 1] = p[1];
                out[at + 2] = p[2];
            } else {
                const auto w = static_cast<std::uint32_t>(p[0] | p[1] << 8);
                out[at] = static_cast<std::uint8_t>((w << 3) & 0xF8);
                out[at + 1] = static_cast<std::uint8_t>(((w >> 5) << 2) & 0xFC);
                out[at + 2] = static_cast<std::uint8_t>((w >> 8) & 0xF8);
            }
        }
    }
    return out;
}

bool WriteTarga(const PixelBuffer& pixels, const std::string& path) {
    const std::vector<std::uint8_t> bytes = EncodeTarga(pixels);
    std::string reason;
    return ReplaceFileBytes(path, bytes.data(), bytes.size(), reason);
}

platform::FileDialogSettings TargaSaveDialogSettings() {
    platform::FileDialogSettings s;
    s.title = "Sauvegarde de la vue perspective";
    s.filters = {{"Fichiers TARGA ", "*.TGA"}, {"Tous les fichiers", "*.*"}};
    s.flags =
        platform::OFN_OVERWRITEPROMPT | platform::OFN_HIDEREADONLY | platform::OFN_PATHMUSTEXIST;
    s.keepFileName = true;
    return s;
}

int ExportTarga(const PixelBuffer& pixels, platform::Prompts& prompts,
                platform::FileDialogSettings& dialog) {
    // The file gets exactly the name typed: no extension is added.
    const auto name = prompts.SaveFileName(dialog);
    if (!name || name->empty()) return 0;
    if (!WriteTarga(pixels, *name)) {
        prompts.MessageBox(TargaSaveErrorText, TargaSaveErrorTitle, platform::MB_OK);
        return 0;
    }
    return 1;
}

}  // namespace kvx
