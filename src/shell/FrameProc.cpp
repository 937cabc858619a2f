#include "shell/FrameProc.h"

#include "interchange/ObjCommands.h"
#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/DialogCommands.h"
#include "shell/DroppedFiles.h"
#include "shell/HistoryCommands.h"
#include "shell/RecentFiles.h"
#include "shell/ViewLifecycle.h"
#include "shell/ViewTable.h"
#include "shell/ViewWindowProc.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

using namespace platform;

// Flips a display flag and sets its item's check mark to match.
void Toggle(Editor& editor, std::int32_t& flag, std::uint32_t item) {
    flag = flag != 0 ? 0 : 1;
    editor.menuBar.SetChecked(item, flag == 1);
}

void CloseFrame(Editor& editor) {
    editor.display.viewSwitching = 1;
    editor.WaitUntilNotRedrawing();
    for (const ViewDescription& d : ViewTable) {
        if (editor.views[static_cast<std::size_t>(d.id)].isOpen == 1) {
            editor.queue.Post(editor.viewWindows[static_cast<std::size_t>(d.id)]->handle, WM_CLOSE);
        }
    }
    editor.display.quitRequested = 1;
    editor.windows.KillTimer(editor.frame.handle, AnimationTimerId);
    editor.windows.DestroyWindow(editor.frame.handle);
}

// After the frame moved or changed size every canvas must present over its view again.
void FrameGeometryChanged(Editor& editor) {
    editor.frame.UpdateGeometry();
    for (const ViewId v :
         {ViewTop, ViewBack, ViewFront, ViewBottom, ViewRight, ViewLeft, ViewPerspective}) {
        if (editor.views[static_cast<std::size_t>(v)].isOpen == 1) {
            editor.viewWindows[static_cast<std::size_t>(v)]->UpdateGeometry();
        }
    }
    editor.RequestRedraw(1);
}

void SelectLayer(Editor& editor, std::int32_t layer) {
    Scene& scene = *editor.scene;
    const std::int32_t old = scene.currentLayer;
    if (layer != old) {
        scene.SetCurrentLayer(layer);
        editor.menuBar.Uncheck(cmd::Layer0 + static_cast<std::uint32_t>(old));
        editor.menuBar.Check(cmd::Layer0 + static_cast<std::uint32_t>(layer));
    }
    editor.RequestRedraw(1);
}

void ToggleLights(Editor& editor) {
    Toggle(editor, editor.display.lightsOn, cmd::Lumieres);
    ViewObject& perspective = editor.views[ViewPerspective];
    if (editor.display.lightsOn == 1) {
        editor.pointLight.ShowMarker();
        perspective.rig.directional.ShowMarker();
    } else {
        editor.pointLight.HideMarker();
        perspective.rig.directional.HideMarker();
    }
    editor.RequestRedraw(0);
}

void Load(Editor& editor, int clearFirst) {
    std::string path;
    const int loaded =
        LoadScene(*editor.scene, editor.prompts, editor.openDialog, clearFirst, &path);
    // An opened file starts a new history and becomes the scene's own; an imported one is a step
    // that can be undone.
    if (loaded == 1 && clearFirst == 1) {
        SceneOpened(editor, path);
        return;
    }
    editor.RequestRedraw(0);
    editor.PostCommand(cmd::Aligner);
}

void RunFrameCommand(Editor& editor, std::uint32_t id) {
    DisplayState& d = editor.display;
    Scene& scene = *editor.scene;
    if (id >= cmd::Layer0 && id <= cmd::Layer9) {
        SelectLayer(editor, static_cast<std::int32_t>(id - cmd::Layer0));
        return;
    }
    for (const ViewDescription& view : ViewTable) {
        if (view.menuItem == id) {
            ToggleView(editor, view.id);
            return;
        }
    }
    switch (id) {
        case cmd::Nouveau:
            if (!ConfirmDiscardChanges(editor)) break;
            scene.ClearScene();
            editor.history.Clear();
            editor.documentPath.clear();
            editor.RequestRedraw(0);
            break;
        case cmd::Enregistrer:
            SaveAndMark(editor);
            break;
        case cmd::EnregistrerFichier:
            QuickSave(editor);
            break;
        case cmd::RecentFile0:
        case cmd::RecentFile0 + 1:
        case cmd::RecentFile0 + 2:
        case cmd::RecentFile0 + 3:
        case cmd::RecentFile0 + 4:
        case cmd::RecentFile0 + 5:
        case cmd::RecentFile0 + 6:
        case cmd::RecentFile0 + 7:
            OpenRecentFile(editor, id - cmd::RecentFile0);
            break;
        case cmd::Ouvrir:
            if (ConfirmDiscardChanges(editor)) Load(editor, 1);
            break;
        case cmd::Importer:
            Load(editor, 0);
            break;
        case cmd::Reset:
            for (ViewId v = ViewTop; v <= ViewBack; ++v) {
                ResetZoom(editor.viewStates[static_cast<std::size_t>(v)]);
            }
            editor.RequestRedraw(1);
            break;
        case cmd::Quitter:
            editor.queue.Post(editor.frame.handle, WM_CLOSE);
            break;
        case cmd::Copier:
            scene.CopySelection(0, 0, 0);
            ApplyViewOutcome(editor, ViewTop,
                             ChangeToolMode(scene, editor.tools, ToolMode::MoveXY));
            editor.RequestRedraw(1);
            break;
        case cmd::Suprimer:
            scene.DeleteSelectedFaces();
            break;
        case cmd::InverserSelection:
            scene.InvertSelection();
            editor.RequestRedraw(1);
            break;
        case cmd::SelectionnerFaces:
            scene.SelectAllFaces();
            editor.RequestRedraw(1);
            break;
        case cmd::SelectionnerVertex:
            scene.SelectAllVertices();
            editor.RequestRedraw(1);
            break;
        case cmd::AxeSouris:
            Toggle(editor, d.showMouseAxes, id);
            editor.RequestRedraw(1);
            break;
        case cmd::Regles:
            Toggle(editor, d.showRulers, id);
            editor.RequestRedraw(1);
            break;
        case cmd::Grille:
            Toggle(editor, d.showGrid, id);
            editor.RequestRedraw(1);
            break;
        case cmd::GrilleMagnetique:
            Toggle(editor, d.magneticGrid, id);
            break;
        case cmd::TousLesLayers:
            scene.ToggleAllLayers();
            editor.menuBar.SetChecked(id, scene.allLayers == 1);
            editor.RequestRedraw(1);
            break;
        case cmd::VecteursNormaux:
            Toggle(editor, d.showNormals, id);
            editor.RequestRedraw(1);
            break;
        case cmd::Lumieres:
            ToggleLights(editor);
            break;
        case cmd::PositionSouris:
            OpenPositionDialog(editor);
            break;
        case cmd::CreerFace:
            scene.CreateFaceFromSelection();
            editor.RequestRedraw(0);
            break;
        case cmd::Mesh:
            scene.GenerateMesh();
            break;
        case cmd::Stop:
            scene.placementFrame(0).SetRotationDegrees(0, 0, 0);
            d.animate = 0;
            editor.windows.KillTimer(editor.frame.handle, AnimationTimerId);
            editor.RequestRedraw(0);
            break;
        case cmd::Start:
            d.animate = 1;
            editor.windows.SetTimer(editor.frame.handle, AnimationTimerId,
                                    AnimationTickMilliseconds);
            break;
        case cmd::Aligner:
            AlignViews(editor);
            break;
        case cmd::Deplacement:
            d.pinViews = d.pinViews != 0 ? 0 : 1;
            editor.menuBar.SetChecked(id, d.pinViews == 0);
            break;
        case cmd::About:
            ShowAboutBox(editor);
            break;
        case cmd::ExporterObj:
            ExportObjScene(scene, editor.prompts, editor.objExportDialog);
            break;
        case cmd::ImporterObj:
            ImportObjScene(scene, editor.prompts, editor.objImportDialog);
            editor.RequestRedraw(0);
            editor.PostCommand(cmd::Aligner);
            break;
        case cmd::Annuler:
            UndoStep(editor);
            break;
        case cmd::Retablir:
            RedoStep(editor);
            break;
        default:
            break;
    }
}

}  // namespace

void FrameCommand(Editor& editor, std::uint32_t id) {
    BeginCommandStep(editor, FrameCommandParts(id));
    RunFrameCommand(editor, id);
    EndCommandStep(editor);
}

void FrameProc(Editor& editor, const Message& m) {
    switch (m.message) {
        case WM_CLOSE:
            // "Quitter", Escape and the close box all come here.
            if (ConfirmDiscardChanges(editor)) CloseFrame(editor);
            break;
        case WM_MOVE:
        case WM_SIZE:
            FrameGeometryChanged(editor);
            break;
        case WM_KEYDOWN:
            if (m.wParam == VK_ESCAPE) editor.queue.Post(editor.frame.handle, WM_CLOSE);
            break;
        case WM_DROPFILES:
            OpenDroppedFiles(editor, editor.windows.TakeDroppedFiles());
            break;
        case WM_COMMAND: {
            const std::uint32_t id = LowWord(m.wParam);
            if ((id >= cmd::FirstFrameCommand && id <= cmd::LastFrameCommand) ||
                (id >= cmd::FirstAddedCommand && id <= cmd::LastAddedCommand))
                FrameCommand(editor, id);
            break;
        }
        default:
            break;
    }
}

}  // namespace kvx
