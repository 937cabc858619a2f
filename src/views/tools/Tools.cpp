#include "views/tools/Tools.h"

#include <array>

#include "scene/Scene.h"
#include "views/DragSteps.h"

namespace kvx {
namespace {

struct ToolRow {
    ToolMode mode;
    const char* name;  // as the status bar shows it
    CursorId idleCursor;
    bool confinesOnPress;  // the cursor stays in the view until the drag ends
    ToolHandler press, move, release;
    ToolButtons buttons;
};

constexpr const char* Menu = "menu des outils";
constexpr const char* EndsOrMenu = "termine l'opération (sinon : menu des outils)";

// One row per mode, in mode order.
constexpr std::array<ToolRow, 16> ToolTable = {{
    {ToolMode::CreateVertex,
     "Creer vertex",
     CursorId::Cross,
     false,
     nullptr,
     nullptr,
     CreateVertexRelease,
     {"clic : crée un vertex au point cliqué, dans le layer courant", "", Menu}},
    {ToolMode::MoveXY,
     "Déplacer XY",
     CursorId::AllDirection,
     true,
     MovePress,
     MoveMove,
     MoveRelease,
     {"glisser : déplace la sélection dans le plan de la vue", "", Menu}},
    {ToolMode::MoveX,
     "Déplacer X",
     CursorId::RightLeft,
     true,
     MovePress,
     MoveMove,
     MoveRelease,
     {"glisser : déplace la sélection le long de l'axe horizontal de la vue", "", Menu}},
    {ToolMode::MoveY,
     "Déplacer Y",
     CursorId::UpDown,
     true,
     MovePress,
     MoveMove,
     MoveRelease,
     {"glisser : déplace la sélection le long de l'axe vertical de la vue", "", Menu}},
    {ToolMode::MoveZ,
     "Déplacer Z",
     CursorId::Profondeur,
     true,
     MovePress,
     MoveMove,
     MoveRelease,
     {"glisser verticalement : déplace la sélection en profondeur", "", Menu}},
    {ToolMode::SelectVertex,
     "Selection vertex",
     CursorId::Mire,
     false,
     nullptr,
     nullptr,
     SelectVertexRelease,
     {"clic : sélectionne le vertex le plus proche", "ajoute ou retire ce vertex", Menu}},
    {ToolMode::SelectFace,
     "Selection face",
     CursorId::SelectFace,
     false,
     nullptr,
     nullptr,
     SelectFaceRelease,
     {"clic : sélectionne la face sous le pointeur", "ajoute ou retire cette face", Menu}},
    {ToolMode::Fence,
     "Fence",
     CursorId::Fence,
     true,
     FencePress,
     FenceMove,
     FenceRelease,
     {"glisser : sélectionne ou désélectionne les vertex du rectangle", "", Menu}},
    {ToolMode::ZoomPan,
     "Deplacement",
     CursorId::Main,
     true,
     PanPress,
     PanMove,
     PanRelease,
     {"glisser : fait glisser la vue", "", Menu}},
    {ToolMode::ZoomLoupe,
     "Loupe",
     CursorId::Loupe,
     true,
     LoupePress,
     LoupeMove,
     LoupeRelease,
     {"glisser : agrandit le rectangle tracé à toute la vue", "", Menu}},
    {ToolMode::Rotate,
     "Rotation",
     CursorId::Cross,
     true,
     RotatePress,
     RotateMove,
     RotateScaleRelease,
     {"glisser verticalement : tourne la sélection autour du point de départ", "", EndsOrMenu}},
    {ToolMode::ScaleXYZ,
     "Homothétie XYZ",
     CursorId::Cross,
     true,
     ScalePress,
     ScaleMove,
     RotateScaleRelease,
     {"glisser verticalement : agrandit ou réduit la sélection sur les trois axes", "",
      EndsOrMenu}},
    {ToolMode::ScaleXY,
     "Homothétie XY",
     CursorId::Cross,
     true,
     ScalePress,
     ScaleMove,
     RotateScaleRelease,
     {"glisser verticalement : agrandit ou réduit la sélection dans le plan de la vue", "",
      EndsOrMenu}},
    {ToolMode::ScaleX,
     "Homothétie X",
     CursorId::Cross,
     true,
     ScalePress,
     ScaleMove,
     RotateScaleRelease,
     {"glisser verticalement : agrandit ou réduit la sélection à l'horizontale", "", EndsOrMenu}},
    {ToolMode::ScaleY,
     "Homothétie Y",
     CursorId::Cross,
     true,
     ScalePress,
     ScaleMove,
     RotateScaleRelease,
     {"glisser verticalement : agrandit ou réduit la sélection à la verticale", "", EndsOrMenu}},
    {ToolMode::Mirror,
     "Mirroir",
     CursorId::Mirroir,
     true,
     MirrorPress,
     MirrorMove,
     MirrorRelease,
     {"glisser : trace la ligne du miroir ; la sélection s'y reflète au relâcher", "", Menu}},
}};

const ToolRow& Row(ToolMode mode) {
    return ToolTable[static_cast<std::size_t>(ToolModeValue(mode) - 1)];
}

void Run(ToolHandler handler, ToolContext& ctx, ViewOutcome& out) {
    if (handler) handler(ctx, out);
}

// Ends a rotation or scaling: the cursor shows "CROSS" and may leave the view again.
void EndRotateOrScale(Scene& scene, ToolState& tools, ViewOutcome& out) {
    tools.rotateActive = false;
    tools.scaleActive = false;
    tools.cursor = CursorId::Cross;
    tools.confined = false;
    if (tools.anyMoved) {
        RefreshNormals(scene, tools);
        out.Redraw(RedrawScope::All);
    }
}

// Ends every left-button drag still running, without its last step (its tool was changed while
// the button was held, or the view went).
void EndLeftButtonDrags(ToolState& t, ViewOutcome& out) {
    t.moveDragActive = false;
    t.moveOrigin.Clear();
    t.fenceDragActive = false;
    t.mirrorDragActive = false;
    t.pan.End();
    if (t.loupe.active) {
        t.loupe.active = false;
        out.Redraw(RedrawScope::ThisView);
    }
}

// Frees a held cursor unless a rotation or scaling still holds it, and brings the normals of
// moved vertices up to date once no operation is running.
void SettleAfterDrag(Scene& scene, ToolState& t, ViewOutcome& out) {
    if (t.rotateActive || t.scaleActive) return;
    t.confined = false;
    if (t.anyMoved) {
        RefreshNormals(scene, t);
        out.Redraw(RedrawScope::All);
    }
}

}  // namespace

const char* ToolName(ToolMode mode) {
    return Row(mode).name;
}

CursorId IdleCursor(ToolMode mode) {
    return Row(mode).idleCursor;
}

ToolButtons ToolHelp(ToolMode mode) {
    return Row(mode).buttons;
}

ViewOutcome ToolMouseMove(ToolContext& ctx) {
    ViewOutcome out;
    Run(Row(ctx.mode).move, ctx, out);
    return out;
}

ViewOutcome ToolLeftDown(ToolContext& ctx) {
    ViewOutcome out;
    ctx.tools.leftButtonDown = true;
    const ToolRow& row = Row(ctx.mode);
    if (row.confinesOnPress) ctx.tools.confined = true;
    Run(row.press, ctx, out);
    return out;
}

ViewOutcome ToolLeftUp(ToolContext& ctx) {
    ViewOutcome out;
    ToolState& t = ctx.tools;
    t.leftButtonDown = false;
    // Rotation and scaling keep the cursor until the right button ends them.
    if (!t.rotateActive && !t.scaleActive) t.confined = false;
    Run(Row(ctx.mode).release, ctx, out);
    EndLeftButtonDrags(t, out);
    SettleAfterDrag(ctx.scene, t, out);
    return out;
}

ViewOutcome ToolRightUp(ToolContext& ctx) {
    ViewOutcome out;
    ToolState& t = ctx.tools;
    if ((ctx.mode == ToolMode::Rotate && t.rotateActive) ||
        (IsScaleTool(ctx.mode) && t.scaleActive)) {
        EndRotateOrScale(ctx.scene, t, out);
        return out;
    }
    // With the left button held the menu would swallow its release and leave the drag running.
    if (!t.leftButtonDown) out.openPopup = true;
    return out;
}

ViewOutcome ChangeToolMode(Scene& scene, ToolState& tools, ToolMode to) {
    ViewOutcome out;
    if ((tools.rotateActive && to != ToolMode::Rotate) || (tools.scaleActive && !IsScaleTool(to)))
        EndRotateOrScale(scene, tools, out);
    out.newMode = to;
    tools.cursor = tools.scaleActive    ? CursorId::Scale
                   : tools.rotateActive ? CursorId::Rotate
                                        : IdleCursor(to);
    return out;
}

ViewOutcome AbandonOperations(Scene& scene, ToolState& tools) {
    ViewOutcome out;
    tools.leftButtonDown = false;
    EndLeftButtonDrags(tools, out);
    if (tools.rotateActive || tools.scaleActive) EndRotateOrScale(scene, tools, out);
    SettleAfterDrag(scene, tools, out);
    return out;
}

}  // namespace kvx
