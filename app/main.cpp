// The Kolvex editor: the shell on the Qt platform.

#include <QApplication>
#include <cstdlib>
#include <cstring>

#include "platform/MessageQueue.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/qt/ToolkitFrench.h"
#include "shell/Editor.h"
#include "shell/Startup.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The editor speaks French, and so do the toolkit's own dialogs and menus.
    kvx::qt::InstallToolkitFrench(application);
    kvx::platform::MessageQueue queue;
    kvx::qt::QtWindowSystem windows(queue);
    const char* trace = std::getenv("KOLVEX_TRACE");
    windows.SetTrace(trace != nullptr && std::strcmp(trace, "1") == 0);
    kvx::qt::QtPrompts prompts(kvx::qt::QtPrompts::AutoAnswerFromEnvironment());
    kvx::qt::QtEventPump pump;
    kvx::qt::QtDialogHost dialogs(queue);
    kvx::Editor editor(windows, prompts, queue);
    editor.dialogHost = &dialogs;
    return kvx::RunEditor(editor, pump);
}
