#include "shell/Editor.h"

#include <thread>

#include "interchange/ModelCommands.h"
#include "interchange/ObjCommands.h"
#include "perspective/TargaExport.h"
#include "platform/Constants.h"
#include "resources/CommandIds.h"
#include "scene/SceneFile.h"
#include "shell/DialogCommands.h"

namespace kvx {

int DefaultRedrawThreads() {
    return std::thread::hardware_concurrency() >= 2 ? 2 : 1;
}

Editor::Editor(platform::WindowSystem& windowSystem, platform::Prompts& p,
               platform::MessageQueue& q)
    : windows(windowSystem),
      languagePrompts(p, language),
      prompts(languagePrompts),
      queue(q),
      openDialog(SceneOpenDialogSettings()),
      saveDialog(SceneSaveDialogSettings()),
      targaDialog(TargaSaveDialogSettings()),
      objExportDialog(ObjExportDialogSettings()),
      objImportDialog(ObjImportDialogSettings()),
      modelExportDialog(ModelExportDialogSettings()),
      modelImportDialog(ModelImportDialogSettings()),
      menuBar(windowSystem),
      frame(windowSystem) {
    for (auto& w : viewWindows)
        w = std::make_unique<ChildWindow>(windowSystem);
    chooseColour = [this] { return ShowColourDialog(*this); };
}

Editor::~Editor() {
    for (ViewObject& v : views)
        v.Release();
}

ViewId Editor::ViewOfWindow(platform::WindowHandle window) const {
    if (window == platform::NoWindow) return ViewNone;
    for (const ViewId v : AllViews) {
        if (viewWindows[v]->handle == window) return v;
    }
    return ViewNone;
}

void Editor::PostCommand(std::uint32_t id) {
    queue.Post(frame.handle, platform::WM_COMMAND, id, 0);
}

}  // namespace kvx
