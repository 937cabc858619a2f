#pragma once
// Steering the flat views with the mouse and framing the model: the wheel zooms about the point
// under the pointer, a middle-button drag carries the world with the pointer, and "Cadrer tout"
// fits what the views show into them.

#include <optional>

#include "views/ViewProjection.h"

namespace kvx {

class Scene;

// Zooms by `steps` wheel notches about the pixel (px, py): each notch towards the screen halves
// the view's width, each one away doubles it, as the loupe and "Out" do, within the widest and
// narrowest a view gets. The world point under the pixel stays under it.
void ZoomAboutPixel(ViewState& state, double px, double py, int steps);
// Moves the view so that the world follows the pointer by (dx, dy) pixels.
void PanByPixels(ViewState& state, double dx, double dy);

// The box around the vertices the flat views show (not hidden, on a shown layer); nothing when
// none is shown.
struct WorldBox {
    double low[3], high[3];
};
std::optional<WorldBox> ShownBox(const Scene& scene);
// The view's zoom and pan that make the box fill about 90 % of it, centred; a box without extent
// on the view's axes keeps the default width.
ViewState FramedView(const WorldBox& box, ViewId view, const ViewState& now);
// Whether the box would show badly at the start zoom: partly outside the default square, or
// smaller than an eighth of it.
bool NeedsFraming(const WorldBox& box);

}  // namespace kvx
