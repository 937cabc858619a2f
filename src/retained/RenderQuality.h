#pragma once
// What a device's quality word asks of the renderer. The word is a set of bits: the shade bits
// choose flat or Gouraud colours, the light bits switch lighting on or off, the fill bits choose
// solid triangles or wireframe outlines. 0x89 is Gouraud, lit, solid; 0x40 is flat, unlit,
// wireframe.

#include <cstdint>

namespace kvx::rm {

// The two words the program sets.
inline constexpr std::uint32_t QualityWireframe = 0x40;
inline constexpr std::uint32_t QualityGouraud = 0x89;

inline constexpr std::uint32_t QualityShadeMask = 0x07;
inline constexpr std::uint32_t QualityShadeGouraud = 0x01;
inline constexpr std::uint32_t QualityLightMask = 0x18;
inline constexpr std::uint32_t QualityLightOn = 0x08;
inline constexpr std::uint32_t QualityFillMask = 0xC0;
inline constexpr std::uint32_t QualityFillWireframe = 0x40;

struct RenderMode {
    bool solid = true;    // filled, z-buffered triangles; otherwise polygon outlines
    bool lit = true;      // lights shade the corners; otherwise the face colours as they are
    bool gouraud = true;  // colours blend across a face; otherwise each face takes corner 0's
};

constexpr RenderMode DecodeQuality(std::uint32_t quality) {
    RenderMode mode;
    mode.solid = (quality & QualityFillMask) != QualityFillWireframe;
    mode.lit = (quality & QualityLightMask) == QualityLightOn;
    mode.gouraud = (quality & QualityShadeMask) == QualityShadeGouraud;
    return mode;
}

}  // namespace kvx::rm
