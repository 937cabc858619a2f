#pragma once
// The editor's run-long objects in one place: the desktop seams, the display state, the window
// records, the 3D scene root with the scene, and the seven view objects. Start-up, the main loop,
// the frame commands and the view windows all work on it.
//
// Members are declared so that destruction releases the views before the scene and the scene
// before its 3D root.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialogs/ColorDialog.h"
#include "perspective/Lights.h"
#include "perspective/OrbitCamera.h"
#include "platform/Dialogs.h"
#include "platform/MessageQueue.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "platform/WindowSystem.h"
#include "retained/SceneNodes.h"
#include "scene/Scene.h"
#include "scene/SceneHistory.h"
#include "shell/BusyWork.h"
#include "shell/DisplayState.h"
#include "shell/Language.h"
#include "shell/LanguagePrompts.h"
#include "shell/MenuBar.h"
#include "shell/Recovery.h"
#include "shell/RedrawMarks.h"
#include "shell/ViewObject.h"
#include "shell/WindowClasses.h"
#include "shell/WindowRecords.h"
#include "views/PositionTexts.h"
#include "views/RenderPasses.h"
#include "views/ViewProjection.h"
#include "views/ViewsRedraw.h"
#include "views/tools/ToolState.h"

namespace kvx {

inline constexpr const char* FrameTitle = "Kolvex v1.0";
inline constexpr const char* DepthMessageText =
    "Vous devez configurer votre bureau avec 16 ou 24bits de profondeurs de couleur.";
inline constexpr const char* DepthMessageTitle = "Attention...";

// The timer that drives the perspective animation while "Start" is on: one 5-degree step a tick.
inline constexpr std::uint32_t AnimationTimerId = 1;
inline constexpr std::uint32_t AnimationTickMilliseconds = 40;

// Two where the machine has two cores or more, else one.
int DefaultRedrawThreads();

// The cursor the views show and whether the mouse is held in a view, as last given to the window
// system: the tools' state is mirrored there when it changes.
struct ShownPointer {
    CursorId cursor = CursorId::Cross;
    bool confined = false;
};

// A mouse drag that steers a view (the middle button in a flat view, a left or middle drag in
// the perspective view): the view and the pointer's last position in it.
struct NavigationDrag {
    ViewId view = ViewNone;
    std::int32_t x = 0, y = 0;
};

struct Editor {
    Editor(platform::WindowSystem& windowSystem, platform::Prompts& prompts,
           platform::MessageQueue& queue);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Marks the views that show a change for redrawing after the current message (ThisView:
    // the view `view`). Never draws.
    void RequestRedraw(RedrawScope scope, ViewId view = ViewNone) { redraw.Request(scope, view); }
    // Returns at once: on the one thread no message is dispatched while the loop redraws.
    void WaitUntilNotRedrawing() const {}
    // The view whose window this is, or ViewNone.
    ViewId ViewOfWindow(platform::WindowHandle window) const;
    void PostCommand(std::uint32_t id);
    // The colour the user picks through chooseColour, or nothing (cancelled or no dialog).
    std::optional<RgbColour> ChooseColour() const {
        return chooseColour ? chooseColour() : std::nullopt;
    }
    ToolMode toolMode() const { return display.toolMode; }

    platform::WindowSystem& windows;
    // The language of every menu, dialog and message (LanguageCommands.h switches it).
    Language language = Language::French;
    // The prompts the editor was given, reached through languagePrompts: the editor's texts go
    // to them in its language.
    LanguagePrompts languagePrompts;
    platform::Prompts& prompts;
    platform::MessageQueue& queue;
    // Gives the toolkit's own dialogs (file dialogs, edit boxes' menus) the language; empty where
    // they have none.
    std::function<void(Language)> toolkitLanguage;

    AppInfo app;
    DisplayState display;
    BackgroundTable background;
    PackedColours colours;
    ToolState tools;
    ShownPointer shownPointer;
    NavigationDrag navigation;
    OrbitCamera camera = OrbitCamera::Start();  // the perspective camera as the mouse steers it
    MouseState mouse;
    ViewStates viewStates;
    ViewsRedraw viewsRedraw;  // draws the views, on one thread or two
    // Threads that draw the marked views side by side (the main loop's and helpers); the
    // pictures are the same for any number.
    int redrawThreads = DefaultRedrawThreads();
    PointLightMarker lightPlacement;  // LightPlacement, where the views show the point light
    // Receives the mouse position texts on every mouse move over a flat view while the position
    // dialog is open; empty while it is closed.
    std::function<void(const std::array<PositionText, 5>&)> positionDialog;
    platform::FileDialogSettings openDialog;
    platform::FileDialogSettings saveDialog;
    platform::FileDialogSettings targaDialog;        // "Sauvegarder..." of the perspective view
    platform::FileDialogSettings objExportDialog;    // "Exporter OBJ..."
    platform::FileDialogSettings objImportDialog;    // "Importer OBJ..."
    platform::FileDialogSettings modelExportDialog;  // "Exporter..."
    platform::FileDialogSettings modelImportDialog;  // "Importer un modèle..."
    // Runs the reading and writing of big models beside the windows (BusyWork.h).
    BusyWork busyWork{*this};
    // Asks the user for a colour (the colour dialog): the picked bytes, or nothing when it was
    // cancelled or cannot be shown.
    std::function<std::optional<RgbColour>()> chooseColour;
    // Shows the dialogs; null where nothing can be shown (then no dialog opens).
    platform::DialogHost* dialogHost = nullptr;
    ColorDialogState colorDialog;  // its palette and selected cell last the whole run
    platform::WindowHandle pointLightDialog = platform::NoWindow;
    platform::WindowHandle positionDialogHandle = platform::NoWindow;
    std::string statusText;   // what the status bar shows
    std::string statusHint;   // and at its right
    std::string framingNote;  // shown there instead, after a model came in unseen
    // What the last command did, shown instead of the status text until the next command, click
    // or key (an export: the file written and what it leaves out).
    std::string statusNote;
    bool mouseOverFlatView = false;  // the status bar shows the mouse's world position

    std::array<WindowClassRecord, 9> classes;
    const platform::Menu* viewPopupMenu = nullptr;         // "SUBMENU1"
    const platform::Menu* perspectivePopupMenu = nullptr;  // "SUBMENU2"
    MenuBar menuBar;
    FrameWindow frame;
    PerView<std::unique_ptr<ChildWindow>> viewWindows;

    rm::SceneRoot sceneRoot;
    std::unique_ptr<Scene> scene;
    SceneHistory history;  // the user's steps on the scene, for "Annuler" and "Rétablir"
    PointLight pointLight;
    PerView<ViewObject> views;
    RedrawMarks redraw;  // the views waiting to be drawn again

    // The scene's own file: the one opened or last saved; empty for a new scene
    // (SetDocumentPath, RecentFiles.h, keeps the recent files with it).
    std::string documentPath;
    std::vector<std::string> recentFiles;  // newest first, at most eight
    platform::Settings* settings = nullptr;
    // Where recovery copies are kept (Recovery.h); empty keeps none.
    std::string recoveryFolder;
    RecoveryCopies recovery;
};

}  // namespace kvx
