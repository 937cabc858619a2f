#include "views/ViewProjection.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>

#include "platform/Constants.h"
#include "scene/Vertex.h"

namespace kvx {

ViewAxisSet ViewAxes(ViewId view) {
    switch (view) {
        case ViewBottom:
            return {0, +1, 2, +1, 1};
        case ViewLeft:
            return {2, -1, 1, -1, 0};
        case ViewRight:
            return {2, +1, 1, -1, 0};
        case ViewFront:
            return {0, +1, 1, -1, 2};
        case ViewBack:
            return {0, -1, 1, -1, 2};
        default:
            return {0, +1, 2, -1, 1};  // top
    }
}

PixelPoint ProjectToView(float x, float y, float z, const ViewState& state, ViewId view) {
    if (!IsOrthographic(view)) return {};
    return ViewProjector(state, view)(x, y, z);
}

PixelPoint ProjectToView(const Vertex& v, const ViewState& state, ViewId view) {
    return ProjectToView(v.x, v.y, v.z, state, view);
}

PixelPosition ProjectPosition(float x, float y, float z, const ViewState& state, ViewId view) {
    if (!IsOrthographic(view)) return {};
    return ViewProjector(state, view).Position(x, y, z);
}

bool ViewProjector::NearAll(const float* xyz, std::size_t n, PixelPoint* out,
                            std::size_t stride) const {
    bool far = false;
#if defined(__SSE2__)
    // u and v side by side: the same operations in the same order as Unrounded, so every pixel
    // is the one Near gives.
    const __m128d sign = _mm_set_pd(axes_.vSign, axes_.uSign);
    const __m128d half = _mm_set1_pd(state_.width / 2);
    const __m128d centre = _mm_set_pd(state_.centerV, state_.centerU);
    const __m128d width = _mm_set1_pd(state_.width);
    const __m128d size = _mm_set1_pd(state_.pixelSize);
    const __m128d range = _mm_set1_pd(ExactPixelRange);
    const __m128d noSign = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const std::size_t ua = static_cast<std::size_t>(axes_.uAxis);
    const std::size_t va = static_cast<std::size_t>(axes_.vAxis);
    for (std::size_t i = 0; i < n; ++i, xyz += 3, out += stride) {
        const __m128d world = _mm_set_pd(xyz[va], xyz[ua]);
        const __m128d q =
            _mm_div_pd(_mm_sub_pd(_mm_add_pd(_mm_mul_pd(sign, world), half), centre), width);
        const __m128d p = _mm_mul_pd(q, size);
        // Both within range (a NaN is not): then the truncated pair, else FarPixel.
        if (_mm_movemask_pd(_mm_cmplt_pd(_mm_and_pd(p, noSign), range)) == 3) {
            const __m128i whole = _mm_cvttpd_epi32(p);
            out->x = _mm_cvtsi128_si32(whole);
            out->y = _mm_cvtsi128_si32(_mm_srli_si128(whole, 4));
        } else {
            *out = FarPixel;
            far = true;
        }
    }
#else
    for (std::size_t i = 0; i < n; ++i, xyz += 3, out += stride) {
        *out = Near(xyz[0], xyz[1], xyz[2]);
        far |= IsFar(*out);
    }
#endif
    return far;
}

void ProjectAllToView(const Vertex* vertices, std::size_t count, const ViewState& state,
                      ViewId view, PixelPoint* out) {
    if (!IsOrthographic(view)) {
        std::fill(out, out + count, PixelPoint{});
        return;
    }
    const ViewProjector project(state, view);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = project(vertices[i].x, vertices[i].y, vertices[i].z);
}

void MouseToWorld(MouseState& mouse, const ViewStates& states, ViewId view, std::uint32_t position,
                  bool magneticGrid) {
    mouse.previousMouseY = TruncateToInt32(mouse.pixelY);
    mouse.pixelX = platform::LowWord(position);
    mouse.pixelY = platform::HighWord(position);
    mouse.worldX = mouse.worldY = mouse.worldZ = 0;
    if (!IsOrthographic(view)) return;
    const ViewState& s = states[static_cast<std::size_t>(view)];
    const ViewAxisSet a = ViewAxes(view);
    const double u = mouse.pixelX / s.pixelSize * s.width - s.width / 2 + s.centerU;
    const double v = mouse.pixelY / s.pixelSize * s.width - s.width / 2 + s.centerV;
    mouse.SetWorld(a.uAxis, a.uSign * u);
    mouse.SetWorld(a.vAxis, a.vSign * v);
    if (!magneticGrid) return;
    mouse.worldX = std::trunc(mouse.worldX);
    mouse.worldY = std::trunc(mouse.worldY);
    mouse.worldZ = std::trunc(mouse.worldZ);
    const PixelPoint p =
        ProjectToView(static_cast<float>(mouse.worldX), static_cast<float>(mouse.worldY),
                      static_cast<float>(mouse.worldZ), s, view);
    mouse.pixelX = p.x;
    mouse.pixelY = p.y;
}

void ResetZoom(ViewState& state) {
    state.width = DefaultViewWidth;
    state.centerU = 0;
    state.centerV = 0;
}

void ZoomOutView(ViewState& state) {
    if (state.width * 2 <= MaxViewWidth) state.width *= 2;
}

void ResetAllViews(ViewStates& states) {
    for (ViewId v = ViewTop; v <= ViewBack; ++v)
        ResetZoom(states[static_cast<std::size_t>(v)]);
}

void PanDrag::Begin(const MouseState& mouse) {
    active = true;
    anchorX = mouse.pixelX;
    anchorY = mouse.pixelY;
}

bool PanDrag::Move(ViewState& state, const MouseState& mouse) {
    if (!active) return false;
    state.centerU += (mouse.pixelX - anchorX) / PanDivisor;
    state.centerV += (mouse.pixelY - anchorY) / PanDivisor;
    anchorX = mouse.pixelX;
    anchorY = mouse.pixelY;
    return true;
}

void LoupeDrag::Begin(const MouseState& mouse, ViewId view) {
    active = true;
    startX = TruncateToInt32(mouse.pixelX);
    startY = TruncateToInt32(mouse.pixelY);
    const ViewAxisSet a = ViewAxes(view);
    anchorU = mouse.World(a.uAxis);
    anchorV = mouse.World(a.vAxis);
}

bool LoupeDrag::End(ViewState& state, const MouseState& mouse, ViewId view) {
    if (!active) return false;
    active = false;
    const ViewAxisSet a = ViewAxes(view);
    const double cu = mouse.World(a.uAxis), cv = mouse.World(a.vAxis);
    const double width = std::max(std::abs(anchorU - cu), std::abs(anchorV - cv));
    if (!(width >= MinViewWidth) || !(width <= MaxViewWidth)) return false;
    state.width = width;
    state.centerU = width / 2 + std::min(a.uSign * anchorU, a.uSign * cu);
    state.centerV = width / 2 + std::min(a.vSign * anchorV, a.vSign * cv);
    return true;
}

}  // namespace kvx
