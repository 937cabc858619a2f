// The menu bar "MENU1": its rows and their handlers.

#include "interchange/ModelCommands.h"
#include "interchange/ObjCommands.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "scene/SceneHistory.h"
#include "shell/CommandRows.h"
#include "shell/DialogCommands.h"
#include "shell/HistoryCommands.h"
#include "shell/KeyReference.h"
#include "shell/LanguageCommands.h"
#include "shell/Navigation.h"
#include "shell/RecentFiles.h"
#include "shell/ViewLifecycle.h"
#include "shell/ViewTable.h"
#include "shell/ViewWindowProc.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

using namespace platform;
using S = RedrawScope;

// Flips a display flag and sets its item's check mark to match.
void Toggle(const CommandCall& c, bool& flag) {
    flag = !flag;
    c.editor.menuBar.SetChecked(c.row.id, flag);
}

void SelectLayer(const CommandCall& c) {
    Scene& scene = *c.editor.scene;
    const std::int32_t old = scene.currentLayer;
    const auto layer = static_cast<std::int32_t>(c.row.id - cmd::Layer0);
    if (layer == old) return;
    scene.SetCurrentLayer(layer);
    c.editor.menuBar.Uncheck(cmd::Layer0 + static_cast<std::uint32_t>(old));
    c.editor.menuBar.Check(c.row.id);
}

void ToggleLights(const CommandCall& c) {
    Editor& editor = c.editor;
    Toggle(c, editor.display.lightsOn);
    PerspectiveRig& rig = editor.views[ViewPerspective].rig;
    if (editor.display.lightsOn) {
        editor.pointLight.ShowMarker();
        rig.directional.ShowMarker();
    } else {
        editor.pointLight.HideMarker();
        rig.directional.HideMarker();
    }
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
    NoteFramingAfterLoad(editor);
    editor.RequestRedraw(S::All);
    editor.PostCommand(cmd::Aligner);
}

void New(const CommandCall& c) {
    Editor& editor = c.editor;
    if (!ConfirmDiscardChanges(editor)) return;
    editor.scene->ClearScene();
    editor.history.Clear();
    editor.documentPath.clear();
    editor.RequestRedraw(S::All);
}

void Open(const CommandCall& c) {
    if (ConfirmDiscardChanges(c.editor)) Load(c.editor, 1);
}

void ResetZooms(const CommandCall& c) {
    for (const ViewId v : FlatViews)
        ResetZoom(c.editor.viewStates[v]);
}

void Copy(const CommandCall& c) {
    Editor& editor = c.editor;
    editor.scene->CopySelection(0, 0, 0);
    ApplyViewOutcome(editor, ViewTop,
                     ChangeToolMode(*editor.scene, editor.tools, ToolMode::MoveXY));
}

void ToggleAllLayers(const CommandCall& c) {
    c.editor.scene->ToggleAllLayers();
    c.editor.menuBar.SetChecked(c.row.id, c.editor.scene->allLayers == 1);
}

void Stop(const CommandCall& c) {
    Editor& editor = c.editor;
    editor.scene->placementFrame(0).SetRotationDegrees(0, 0, 0);
    editor.display.animate = false;
    editor.windows.KillTimer(editor.frame.handle, AnimationTimerId);
}

void Start(const CommandCall& c) {
    Editor& editor = c.editor;
    editor.display.animate = true;
    editor.windows.SetTimer(editor.frame.handle, AnimationTimerId, AnimationTickMilliseconds);
}

void TogglePinning(const CommandCall& c) {
    DisplayState& d = c.editor.display;
    d.pinViews = !d.pinViews;
    c.editor.menuBar.SetChecked(c.row.id, !d.pinViews);
}

void ImportObj(const CommandCall& c) {
    Editor& editor = c.editor;
    ImportObjScene(*editor.scene, editor.prompts, editor.objImportDialog);
    NoteFramingAfterLoad(editor);
    editor.PostCommand(cmd::Aligner);
}

void ExportModel(const CommandCall& c) {
    Editor& editor = c.editor;
    ModelExport written;
    if (!ExportModelScene(*editor.scene, editor.prompts, editor.modelExportDialog, editor.busyWork,
                          written))
        return;
    const bool french = editor.language == Language::French;
    editor.statusNote = Pick(editor.language, "Exporté : ", "Exported: ") + written.path;
    if (!written.summary.empty())
        editor.statusNote +=
            " (" + (french ? FrenchExportSummary(written.summary) : written.summary) + ")";
}

void ImportModel(const CommandCall& c) {
    Editor& editor = c.editor;
    ImportModelScene(*editor.scene, editor.prompts, editor.modelImportDialog, editor.busyWork);
    NoteFramingAfterLoad(editor);
    editor.PostCommand(cmd::Aligner);
}

void ToggleViewOfItem(const CommandCall& c) {
    for (const ViewDescription& view : ViewTable) {
        if (view.menuItem == c.row.id) ToggleView(c.editor, view.id);
    }
}

constexpr CommandRow Item(const char* menu, const char* label, std::uint32_t id,
                          CommandHandler run) {
    return CommandRow{
        .source = CommandSource::Frame, .menu = menu, .label = label, .id = id, .run = run};
}

constexpr CommandRow Separator(const char* menu) {
    return CommandRow{.source = CommandSource::Frame, .menu = menu};
}

void FileRows(std::vector<CommandRow>& rows) {
    rows.insert(
        rows.end(),
        {
            Item("Fichier", "Nouveau", cmd::Nouveau, New).Shortcut("Ctrl+N"),
            Item("Fichier", "Enregistrer...", cmd::Enregistrer,
                 [](const CommandCall& c) { SaveAndMark(c.editor); }),
            Item("Fichier", "Ouvrir...", cmd::Ouvrir, Open).Shortcut("Ctrl+O"),
            Item("Fichier", "Importer...", cmd::Importer,
                 [](const CommandCall& c) { Load(c.editor, 0); })
                .Records(PartStructure),
            Item("Fichier", "Reset", cmd::Reset, ResetZooms).Redraws(S::Orthographic),
            Item("Fichier", "Quitter", cmd::Quitter,
                 [](const CommandCall& c) { c.editor.queue.Post(c.editor.frame.handle, WM_CLOSE); })
                .Shortcut("Ctrl+Q"),
            Separator("Fichier"),
            Item("Fichier", "Exporter OBJ...", cmd::ExporterObj,
                 [](const CommandCall& c) {
                     ExportObjScene(*c.editor.scene, c.editor.prompts, c.editor.objExportDialog);
                 }),
            Item("Fichier", "Importer OBJ...", cmd::ImporterObj, ImportObj)
                .Records(PartStructure)
                .Redraws(S::All),
            Item("Fichier", "Exporter...", cmd::Exporter, ExportModel),
            Item("Fichier", "Importer un modèle...", cmd::ImporterModele, ImportModel)
                .Records(PartStructure)
                .Redraws(S::All),
            Separator("Fichier"),
            Item("Fichier", "Enregistrer", cmd::EnregistrerFichier,
                 [](const CommandCall& c) { QuickSave(c.editor); })
                .Shortcut("Ctrl+S"),
            Separator("Fichier"),
        });
    // The recent files, last of "Fichier": their texts are given while the editor runs.
    for (std::uint32_t n = 0; n < cmd::RecentFileCount; ++n)
        rows.push_back(Item("Fichier", "", cmd::RecentFile0 + n, [](const CommandCall& c) {
            OpenRecentFile(c.editor, c.row.id - cmd::RecentFile0);
        }));
}

void EditAndDisplayRows(std::vector<CommandRow>& rows) {
    rows.insert(rows.end(),
                {
                    Item("Edition", "Copier", cmd::Copier, Copy)
                        .Records(PartStructure)
                        .Redraws(S::Orthographic),
                    Item("Edition", "Suprimer", cmd::Suprimer,
                         [](const CommandCall& c) { c.editor.scene->DeleteSelectedFaces(); })
                        .Records(PartStructure),
                    Item("Edition", "Inverser la sélection", cmd::InverserSelection,
                         [](const CommandCall& c) { c.editor.scene->InvertSelection(); })
                        .Records(PartSelection)
                        .Redraws(S::Orthographic),
                    Item("Edition", "Sélectionner les faces", cmd::SelectionnerFaces,
                         [](const CommandCall& c) { c.editor.scene->SelectAllFaces(); })
                        .Records(PartSelection)
                        .Redraws(S::Orthographic),
                    Item("Edition", "Sélectionner les vertex", cmd::SelectionnerVertex,
                         [](const CommandCall& c) { c.editor.scene->SelectAllVertices(); })
                        .Shortcut("Ctrl+A")
                        .Records(PartSelection)
                        .Redraws(S::Orthographic),
                    Separator("Edition"),
                    Item("Edition", "Annuler", cmd::Annuler,
                         [](const CommandCall& c) { UndoStep(c.editor); })
                        .Shortcut("Ctrl+Z"),
                    Item("Edition", "Rétablir", cmd::Retablir,
                         [](const CommandCall& c) { RedoStep(c.editor); })
                        .Shortcut("Ctrl+Y", "Ctrl+Shift+Z"),
                    Item("Affichage", "Axe de la souris", cmd::AxeSouris,
                         [](const CommandCall& c) { Toggle(c, c.editor.display.showMouseAxes); })
                        .Redraws(S::Orthographic),
                    Item("Affichage", "Regles", cmd::Regles,
                         [](const CommandCall& c) { Toggle(c, c.editor.display.showRulers); })
                        .Redraws(S::Orthographic),
                    Item("Affichage", "Grille", cmd::Grille,
                         [](const CommandCall& c) { Toggle(c, c.editor.display.showGrid); })
                        .Redraws(S::Orthographic),
                    Item("Affichage", "Grille Magnetique", cmd::GrilleMagnetique,
                         [](const CommandCall& c) { Toggle(c, c.editor.display.magneticGrid); }),
                    Item("Affichage", "Tous les layers", cmd::TousLesLayers, ToggleAllLayers)
                        .Records(PartSelection)
                        .Redraws(S::Orthographic),
                    Item("Affichage", "Vecteurs Normaux", cmd::VecteursNormaux,
                         [](const CommandCall& c) { Toggle(c, c.editor.display.showNormals); })
                        .Redraws(S::Orthographic),
                    Item("Affichage", "Lumieres", cmd::Lumieres, ToggleLights).Redraws(S::All),
                    Item("Affichage", "Position de la souris", cmd::PositionSouris,
                         [](const CommandCall& c) { OpenPositionDialog(c.editor); }),
                });
}

void ViewAndLayerRows(std::vector<CommandRow>& rows) {
    rows.insert(rows.end(), {
                                Item("Vues", "Dessus", cmd::VueDessus, ToggleViewOfItem),
                                Item("Vues", "Bas", cmd::VueBas, ToggleViewOfItem),
                                Item("Vues", "Droite", cmd::VueDroite, ToggleViewOfItem),
                                Item("Vues", "Gauche", cmd::VueGauche, ToggleViewOfItem),
                                Item("Vues", "Devant", cmd::VueDevant, ToggleViewOfItem),
                                Item("Vues", "Derrière", cmd::VueDerriere, ToggleViewOfItem),
                                Item("Vues", "Perspective", cmd::VuePerspective, ToggleViewOfItem),
                            });
    static constexpr const char* LayerDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (std::uint32_t n = 0; n <= cmd::Layer9 - cmd::Layer0; ++n)
        rows.push_back(Item("Layer", LayerDigits[n], cmd::Layer0 + n, SelectLayer)
                           .Records(PartSelection)
                           .Redraws(S::Orthographic));
}

}  // namespace

std::vector<CommandRow> FrameCommandRows() {
    std::vector<CommandRow> rows;
    FileRows(rows);
    EditAndDisplayRows(rows);
    ViewAndLayerRows(rows);
    rows.insert(
        rows.end(),
        {
            Item("Creations", "Face", cmd::CreerFace,
                 [](const CommandCall& c) { c.editor.scene->CreateFaceFromSelection(); })
                .Records(PartStructure)
                .Redraws(S::All),
            Item("Shape", "Mesh", cmd::Mesh,
                 [](const CommandCall& c) { c.editor.scene->GenerateMesh(); })
                .Records(PartStructure),
            Item("Action", "Stop", cmd::Stop, Stop).Redraws(S::All),
            Item("Action", "Start", cmd::Start, Start),
            Item("Fenetre", "Aligner", cmd::Aligner,
                 [](const CommandCall& c) { AlignViews(c.editor); }),
            Item("Fenetre", "Deplacement", cmd::Deplacement, TogglePinning),
            Item("?", "About", cmd::About, [](const CommandCall& c) { ShowAboutBox(c.editor); }),
            Separator("?"),
            Item("?", "Aide...", cmd::Aide,
                 [](const CommandCall& c) { ShowKeyReference(c.editor); })
                .Shortcut("F1"),
            Separator("?"),
            Item("?", "English", cmd::English,
                 [](const CommandCall& c) { SwitchLanguage(c.editor, Language::English); }),
            Item("?", "Français", cmd::Francais,
                 [](const CommandCall& c) { SwitchLanguage(c.editor, Language::French); }),
        });
    return rows;
}

}  // namespace kvx
