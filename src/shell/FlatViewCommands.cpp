// The flat views' popup menu "SUBMENU1" and their keys: rows and handlers. The letters and Tab
// choose tools, Space builds a face, the arrows nudge the selection, B V C X hide and show.

#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "scene/Scene.h"
#include "scene/SceneHistory.h"
#include "shell/CommandRows.h"
#include "shell/Editor.h"
#include "shell/Navigation.h"
#include "shell/PlacementDialog.h"
#include "shell/ViewWindowProc.h"
#include "views/DragSteps.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

using namespace platform;
using S = RedrawScope;

void ChooseTool(const CommandCall& c, ToolMode mode) {
    ApplyViewOutcome(c.editor, c.view, ChangeToolMode(*c.editor.scene, c.editor.tools, mode));
}

// Tab walks the move tools, the quote key the selection tools; from elsewhere each starts its
// family.
void NextMoveTool(const CommandCall& c) {
    const ToolMode m = c.editor.toolMode();
    ChooseTool(c, m >= ToolMode::MoveXY && m < ToolMode::MoveZ
                      ? static_cast<ToolMode>(ToolModeValue(m) + 1)
                      : ToolMode::MoveXY);
}

void NextSelectionTool(const CommandCall& c) {
    const ToolMode m = c.editor.toolMode();
    ChooseTool(c, m >= ToolMode::SelectVertex && m < ToolMode::Fence
                      ? static_cast<ToolMode>(ToolModeValue(m) + 1)
                      : ToolMode::SelectVertex);
}

template <NudgeDirection direction>
void Nudge(const CommandCall& c) {
    Editor& editor = c.editor;
    if (NudgeSelection(*editor.scene, editor.tools, c.view, direction))
        RefreshNormals(*editor.scene, editor.tools);
}

// The light takes the world cursor on the view's two axes; the third coordinate stays.
void PlaceLight(const CommandCall& c) {
    Editor& editor = c.editor;
    const ViewAxisSet a = ViewAxes(c.view);
    PointLightMarker& light = editor.lightPlacement;
    double* coordinates[3] = {&light.x, &light.y, &light.z};
    *coordinates[a.uAxis] = editor.mouse.World(a.uAxis);
    *coordinates[a.vAxis] = editor.mouse.World(a.vAxis);
    editor.pointLight.SetPosition(light.x, light.y, light.z);
}

// Only a picked colour changes the faces and redraws.
void ColourFaces(const CommandCall& c) {
    Editor& editor = c.editor;
    if (const auto colour = editor.ChooseColour()) {
        editor.scene->SetSelectedFacesColor(colour->red, colour->green, colour->blue);
        editor.RequestRedraw(S::All);
    }
}

constexpr CommandRow Item(const char* menu, const char* label, std::uint32_t id,
                          CommandHandler run) {
    return CommandRow{
        .source = CommandSource::FlatView, .menu = menu, .label = label, .id = id, .run = run};
}

constexpr CommandRow Tool(const char* menu, const char* label, std::uint32_t id, ToolMode mode) {
    return CommandRow{
        .source = CommandSource::FlatView, .menu = menu, .label = label, .id = id, .tool = mode};
}

constexpr CommandRow Separator(const char* menu) {
    return CommandRow{.source = CommandSource::FlatView, .menu = menu};
}

constexpr CommandRow KeyOnly(std::uint32_t key, CommandHandler run) {
    return CommandRow{.source = CommandSource::FlatView, .key = key, .run = run};
}

template <auto member>
void OnScene(const CommandCall& c) {
    ((*c.editor.scene).*member)();
}

// What hiding and showing records.
constexpr unsigned hiding = PartVisibility | PartSelection;

void SelectionRows(std::vector<CommandRow>& rows) {
    constexpr const char* selection = "SPM1/Selection...";
    rows.insert(
        rows.end(),
        {
            Tool(selection, "Vertex", cmd::SelectVertex, ToolMode::SelectVertex).Key('Q'),
            Tool(selection, "Face", cmd::SelectFace, ToolMode::SelectFace).Key('D'),
            Tool(selection, "Fence", cmd::SelectFence, ToolMode::Fence).Key('S'),
            Separator(selection),
            Item(selection, "Face des vertex", cmd::FacesOfVertices,
                 OnScene<&Scene::SelectFacesOfVertices>)
                .Records(PartSelection)
                .Redraws(S::Orthographic),
            Item(selection, "Vertex des faces", cmd::VerticesOfFaces,
                 OnScene<&Scene::SelectVerticesOfFaces>)
                .Records(PartSelection)
                .Redraws(S::Orthographic),
            Tool("SPM1/Creer...", "Vertex", cmd::CreateVertex, ToolMode::CreateVertex).Key('W'),
            Item("SPM1/Creer...", "Face", cmd::CreateFace, OnScene<&Scene::CreateFaceFromSelection>)
                .Key(VK_SPACE)
                .Help("crée une face des vertex sélectionnés, dans l'ordre de sélection")
                .Records(PartStructure)
                .Redraws(S::All),
        });
}

void MoveAndZoomRows(std::vector<CommandRow>& rows) {
    constexpr const char* moves = "SPM1/Deplacer...";
    constexpr const char* display = "SPM1/Affichage";
    rows.insert(
        rows.end(),
        {
            Tool(moves, "Déplacer XY", cmd::MoveXY, ToolMode::MoveXY).Key('E'),
            Tool(moves, "Déplacer X", cmd::MoveX, ToolMode::MoveX).Key('R'),
            Tool(moves, "Déplacer Y", cmd::MoveY, ToolMode::MoveY).Key('T'),
            Tool(moves, "Déplacer Z", cmd::MoveZ, ToolMode::MoveZ).Key('G'),
            Separator(moves),
            Tool(moves, "Rotation", cmd::Rotate, ToolMode::Rotate),
            Tool("SPM1/Deplacer.../Homothétie", "XYZ", cmd::ScaleXYZ, ToolMode::ScaleXYZ),
            Tool("SPM1/Deplacer.../Homothétie", "XY", cmd::ScaleXY, ToolMode::ScaleXY),
            Tool("SPM1/Deplacer.../Homothétie", "X", cmd::ScaleX, ToolMode::ScaleX),
            Tool("SPM1/Deplacer.../Homothétie", "Y", cmd::ScaleY, ToolMode::ScaleY),
            Tool(moves, "Mirroir", cmd::Mirror, ToolMode::Mirror),
            Tool("SPM1/Zoom...", "Loupe", cmd::ZoomLoupe, ToolMode::ZoomLoupe),
            Item("SPM1/Zoom...", "Normal", cmd::ZoomNormal,
                 [](const CommandCall& c) { ResetZoom(c.editor.viewStates[c.view]); })
                .Redraws(S::Orthographic),
            Tool("SPM1/Zoom...", "Deplacement", cmd::ZoomPan, ToolMode::ZoomPan),
            Item("SPM1/Zoom...", "Out", cmd::ZoomOut,
                 [](const CommandCall& c) { ZoomOutView(c.editor.viewStates[c.view]); })
                .Redraws(S::Orthographic),
            Separator("SPM1/Zoom..."),
            Item("SPM1/Zoom...", "Cadrer tout", cmd::CadrerTout,
                 [](const CommandCall& c) { FrameAll(c.editor); })
                .Key('F')
                .Help(
                    "cadre tout le modèle dans toutes les vues ; la caméra reprend sa direction de "
                    "départ"),
            Item(display, "Afficher les vertex", cmd::ShowVertices,
                 OnScene<&Scene::ShowAllVertices>)
                .Records(hiding)
                .Redraws(S::All),
            Item(display, "Cacher les vertex", cmd::HideVertices,
                 OnScene<&Scene::HideSelectedVertices>)
                .Key('B')
                .Help("cache les vertex sélectionnés")
                .Records(hiding)
                .Redraws(S::Orthographic),
            Separator(display),
            Item(display, "Afficher les faces", cmd::ShowFaces, OnScene<&Scene::ShowAllFaces>)
                .Key('X')
                .Help("affiche toutes les faces")
                .Records(hiding),
            Item(display, "Cacher les faces", cmd::HideFaces, OnScene<&Scene::HideSelectedFaces>)
                .Key('C')
                .Help("cache les faces sélectionnées")
                .Records(hiding),
        });
}

void EditRows(std::vector<CommandRow>& rows) {
    rows.insert(
        rows.end(),
        {
            Separator("SPM1"),
            Item("SPM1/Edition/Render Type", "Flat", cmd::RenderFlat,
                 [](const CommandCall& c) {
                     c.editor.scene->SetSelectedFacesRenderType(RenderFlat);
                 })
                .Records(PartFaceAttributes),
            Item("SPM1/Edition/Render Type", "Smooth", cmd::RenderSmooth,
                 [](const CommandCall& c) {
                     c.editor.scene->SetSelectedFacesRenderType(RenderSmooth);
                 })
                .Records(PartFaceAttributes),
            Item("SPM1/Edition", "Inverser", cmd::FlipFaces, OnScene<&Scene::FlipSelectedFaces>)
                .Records(PartStructure),
            Item("SPM1/Edition", "Couleur...", cmd::FaceColour, ColourFaces)
                .Records(PartFaceAttributes),
            Separator("SPM1/Edition"),
            Item("SPM1/Edition", "Retourner les faces", cmd::RetournerFaces,
                 OnScene<&Scene::ReverseSelectedFaces>)
                .Records(PartCornerOrder)
                .Help("retourne les faces sélectionnées sur place : la vue Perspective montre leur "
                      "autre côté"),
            Item("SPM1/Edition", "Position des vertex...", cmd::PositionVertex,
                 [](const CommandCall& c) { EditVertexPositions(c.editor); })
                .Records(PartPositions)
                .Help("position tapée du vertex sélectionné, ou déplacement, rotation et échelle "
                      "tapés des vertex sélectionnés"),
            Item("SPM1/Perspective", "Lumiere", cmd::PlaceLight, PlaceLight).Redraws(S::All),
            Item("SPM1", "Fermer le Menu", cmd::CloseMenu, nullptr),
        });
}

void KeyRows(std::vector<CommandRow>& rows) {
    rows.insert(
        rows.end(),
        {
            // Keys without a menu item. V shows the vertices again but, unlike its menu item,
            // leaves the perspective picture as it is.
            KeyOnly('V', OnScene<&Scene::ShowAllVertices>)
                .Records(hiding)
                .Redraws(S::Orthographic)
                .Help("affiche tous les vertex"),
            KeyOnly(VK_TAB, NextMoveTool).Help("outil de déplacement suivant (XY, X, Y, Z)"),
            KeyOnly(VK_OEM_7, NextSelectionTool)
                .Help("outil de sélection suivant (vertex, face, fence)"),
            KeyOnly(VK_LEFT, Nudge<NudgeDirection::Left>)
                .Records(PartPositions)
                .Redraws(S::All)
                .Help("déplace la sélection de 0,1 vers la gauche de la vue"),
            KeyOnly(VK_UP, Nudge<NudgeDirection::Up>)
                .Records(PartPositions)
                .Redraws(S::All)
                .Help("déplace la sélection de 0,1 vers le haut de la vue"),
            KeyOnly(VK_RIGHT, Nudge<NudgeDirection::Right>)
                .Records(PartPositions)
                .Redraws(S::All)
                .Help("déplace la sélection de 0,1 vers la droite de la vue"),
            KeyOnly(VK_DOWN, Nudge<NudgeDirection::Down>)
                .Records(PartPositions)
                .Redraws(S::All)
                .Help("déplace la sélection de 0,1 vers le bas de la vue"),
        });
}

}  // namespace

std::vector<CommandRow> FlatViewCommandRows() {
    std::vector<CommandRow> rows;
    SelectionRows(rows);
    MoveAndZoomRows(rows);
    EditRows(rows);
    KeyRows(rows);
    return rows;
}

}  // namespace kvx
