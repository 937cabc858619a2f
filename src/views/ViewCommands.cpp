#include "views/ViewCommands.h"

#include <utility>

#include "resources/CommandIds.h"
#include "scene/Scene.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

// The light takes the world cursor on the view's two axes; the third coordinate stays.
ViewOutcome PlaceLight(const ToolContext& ctx, PointLightMarker& light) {
    const ViewAxisSet a = ViewAxes(ctx.view);
    double* coordinates[3] = {&light.x, &light.y, &light.z};
    *coordinates[a.uAxis] = ctx.mouse.World(a.uAxis);
    *coordinates[a.vAxis] = ctx.mouse.World(a.vAxis);
    ViewOutcome out = ViewOutcome::Redrawing(RedrawScope::All);
    out.pointLightMoved = true;
    return out;
}

// The popup's tool commands and the tool each chooses.
constexpr std::pair<std::uint32_t, ToolMode> ToolCommands[] = {
    {cmd::MoveXY, ToolMode::MoveXY},
    {cmd::MoveX, ToolMode::MoveX},
    {cmd::MoveY, ToolMode::MoveY},
    {cmd::MoveZ, ToolMode::MoveZ},
    {cmd::SelectVertex, ToolMode::SelectVertex},
    {cmd::SelectFace, ToolMode::SelectFace},
    {cmd::SelectFence, ToolMode::Fence},
    {cmd::CreateVertex, ToolMode::CreateVertex},
    {cmd::ZoomLoupe, ToolMode::ZoomLoupe},
    {cmd::ZoomPan, ToolMode::ZoomPan},
    {cmd::Rotate, ToolMode::Rotate},
    {cmd::ScaleXYZ, ToolMode::ScaleXYZ},
    {cmd::ScaleXY, ToolMode::ScaleXY},
    {cmd::ScaleX, ToolMode::ScaleX},
    {cmd::ScaleY, ToolMode::ScaleY},
    {cmd::Mirror, ToolMode::Mirror},
};

// The popup's commands on the scene and the view.
ViewOutcome EditCommand(ToolContext& ctx, PointLightMarker& light, std::uint32_t id) {
    Scene& scene = ctx.scene;
    switch (id) {
        case cmd::CreateFace:
            scene.CreateFaceFromSelection();
            return ViewOutcome::Redrawing(RedrawScope::All);
        case cmd::HideVertices:
            scene.HideSelectedVertices();
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case cmd::ShowVertices:
            scene.ShowAllVertices();
            return ViewOutcome::Redrawing(RedrawScope::All);
        case cmd::HideFaces:
            scene.HideSelectedFaces();
            return {};
        case cmd::ShowFaces:
            scene.ShowAllFaces();
            return {};
        case cmd::FacesOfVertices:
            scene.SelectFacesOfVertices();
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case cmd::VerticesOfFaces:
            scene.SelectVerticesOfFaces();
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case cmd::ZoomNormal:
            ResetZoom(ctx.state);
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case cmd::ZoomOut:
            ZoomOutView(ctx.state);
            return ViewOutcome::Redrawing(RedrawScope::Orthographic);
        case cmd::FaceColour: {
            ViewOutcome out;
            out.chooseFaceColour = true;
            return out;
        }
        case cmd::FlipFaces:
            scene.FlipSelectedFaces();
            return {};
        case cmd::RenderFlat:
            scene.SetSelectedFacesRenderType(RenderFlat);
            return {};
        case cmd::RenderSmooth:
            scene.SetSelectedFacesRenderType(RenderSmooth);
            return {};
        case cmd::PlaceLight:
            return PlaceLight(ctx, light);
        default:  // "Fermer le Menu" and anything else
            return {};
    }
}

}  // namespace

ViewOutcome ViewCommand(ToolContext& ctx, PointLightMarker& light, std::uint32_t id) {
    for (const auto& [command, mode] : ToolCommands)
        if (command == id) return ChangeToolMode(ctx.scene, ctx.tools, mode);
    return EditCommand(ctx, light, id);
}

}  // namespace kvx
