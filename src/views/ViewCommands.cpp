#include "views/ViewCommands.h"

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

}  // namespace

ViewOutcome ViewCommand(ToolContext& ctx, PointLightMarker& light, std::uint32_t id) {
    Scene& scene = ctx.scene;
    const auto choose = [&](ToolMode m) { return ChangeToolMode(scene, ctx.tools, m); };
    switch (id) {
        case cmd::MoveXY:
            return choose(ToolMode::MoveXY);
        case cmd::MoveX:
            return choose(ToolMode::MoveX);
        case cmd::MoveY:
            return choose(ToolMode::MoveY);
        case cmd::MoveZ:
            return choose(ToolMode::MoveZ);
        case cmd::SelectVertex:
            return choose(ToolMode::SelectVertex);
        case cmd::SelectFace:
            return choose(ToolMode::SelectFace);
        case cmd::SelectFence:
            return choose(ToolMode::Fence);
        case cmd::CreateVertex:
            return choose(ToolMode::CreateVertex);
        case cmd::ZoomLoupe:
            return choose(ToolMode::ZoomLoupe);
        case cmd::ZoomPan:
            return choose(ToolMode::ZoomPan);
        case cmd::Rotate:
            return choose(ToolMode::Rotate);
        case cmd::ScaleXYZ:
            return choose(ToolMode::ScaleXYZ);
        case cmd::ScaleXY:
            return choose(ToolMode::ScaleXY);
        case cmd::ScaleX:
            return choose(ToolMode::ScaleX);
        case cmd::ScaleY:
            return choose(ToolMode::ScaleY);
        case cmd::Mirror:
            return choose(ToolMode::Mirror);
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

}  // namespace kvx
