#include "shell/Startup.h"

#include <unistd.h>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "resources/Cursors.h"
#include "shell/CommandLine.h"
#include "shell/LanguageCommands.h"
#include "shell/MainLoop.h"
#include "shell/MenuResources.h"
#include "shell/RecentFiles.h"

namespace kvx {

using namespace platform;

int CanvasDepthFor(int desktopBitsPerPixel) {
    if (desktopBitsPerPixel == 16) return 16;
    if (desktopBitsPerPixel == 24 || desktopBitsPerPixel == 32) return 24;
    return 0;
}

bool StartEditor(Editor& editor) {
    editor.background = BackgroundTable{};

    const int depth = CanvasDepthFor(editor.windows.DesktopBitsPerPixel());
    if (depth == 0) {
        editor.prompts.MessageBox(DepthMessageText, DepthMessageTitle, MB_OK);
        return false;
    }

    editor.viewPopupMenu = LoadMenuResource("SUBMENU1", editor.language);
    editor.perspectivePopupMenu = LoadMenuResource("SUBMENU2", editor.language);
    // The cursor table is the platform's: views name cursors by their index in it.
    editor.tools.cursor = static_cast<CursorId>(resources::InitialCursorIndex);
    editor.shownPointer.cursor = editor.tools.cursor;

    const auto& classTable = WindowClassTable();
    for (std::size_t i = 0; i < classTable.size(); ++i) {
        editor.classes[i].Register(editor.windows, classTable[i]);
    }

    editor.app.showCommand = SW_SHOW;
    editor.app.bitsPerPixel = depth;

    editor.menuBar.Load("MENU1", editor.app, editor.language);
    editor.frame.SetupWithMenu(editor.app, editor.classes[0], editor.menuBar, FrameTitle);
    editor.frame.ApplyStylePreset(1);
    editor.menuBar.windowMenuIndex = WindowMenuIndex;
    editor.frame.Create(400, 400, SizeIsOuter);
    editor.windows.ShowWindow(editor.frame.handle, SW_SHOWMAXIMIZED);

    editor.menuBar.Check(cmd::Layer0);
    editor.menuBar.Check(cmd::Deplacement);
    CheckLanguageItem(editor);

    editor.colours = PackedColours::For(depth);

    editor.sceneRoot.Create();
    SceneHooks hooks;
    hooks.requestRedraw = [&editor](RedrawScope scope) { editor.RequestRedraw(scope); };
    hooks.sceneCleared = [&editor] {
        ResetAllViews(editor.viewStates);
        editor.PostCommand(cmd::Aligner);
    };
    hooks.prompts = &editor.prompts;
    editor.scene = std::make_unique<Scene>(editor.sceneRoot, std::move(hooks));

    // The dialog records (position, about, colour, point light) come with the dialogs.

    editor.mouse.worldY = 0.0;
    editor.menuBar.Check(cmd::Regles);
    editor.PostCommand(cmd::Aligner);
    return true;
}

int RunEditor(Editor& editor, EventPump& pump, const std::vector<std::string>& files) {
    LoadLanguage(editor);
    if (!StartEditor(editor)) return 0;
    LoadRecentFiles(editor);
    OpenCommandLineFiles(editor, files);
    editor.recovery.Start(editor, editor.recoveryFolder, std::to_string(::getpid()));
    const int status = static_cast<int>(RunMessageLoop(editor, pump));
    editor.recovery.Finish();  // a clean end: nothing left to recover
    return status;
}

}  // namespace kvx
