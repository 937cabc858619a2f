// The Kolvex editor: the shell on the Qt platform.
//
// Built twice: `kolvex`, the editor users run, and `kolvex-harness` (KOLVEX_TEST_HARNESS) for the
// end-to-end tests, which alone lets the environment answer message boxes and file dialogs
// (KOLVEX_AUTO_ANSWER, KOLVEX_AUTO_FOLDER; see QtPrompts.h). The shipped editor never answers for
// the user.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/MessageQueue.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtTrace.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/qt/ToolkitFrench.h"
#include "shell/CommandLine.h"
#include "shell/Editor.h"
#include "shell/Startup.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

#ifdef KOLVEX_TEST_HARNESS
bool AutoAnswer() {
    return kvx::qt::QtPrompts::AutoAnswerFromEnvironment();
}
#else
bool AutoAnswer() {
    return false;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed.
    const kvx::CommandLine early = kvx::ParseCommandLine(Arguments(argc, argv));
    if (early.action == kvx::CommandLine::Action::Help) {
        std::fputs(kvx::EditorUsageText, stdout);
        return 0;
    }
    if (early.action == kvx::CommandLine::Action::Version) {
        std::printf("%s\n", kvx::EditorVersionText);
        return 0;
    }
    const auto wrongUse = [](const std::string& option) {
        std::fprintf(stderr, "kolvex: unknown option '%s'\n%s", option.c_str(),
                     kvx::EditorUsageText);
        return 2;
    };
    // Long options are all ours; short ones may be the toolkit's (-platform, -display...).
    if (early.action == kvx::CommandLine::Action::Wrong && early.wrong.starts_with("--"))
        return wrongUse(early.wrong);
    QApplication application(argc, argv);
    // What is left once the toolkit has taken its own options.
    const kvx::CommandLine line = kvx::ParseCommandLine(Arguments(argc, argv));
    if (line.action == kvx::CommandLine::Action::Wrong) return wrongUse(line.wrong);
    // The editor speaks French, and so do the toolkit's own dialogs and menus, unless the user
    // chose English (then the editor takes the translation away as it starts).
    kvx::qt::InstallToolkitFrench(application);
    // The diagnostic trace is asked for on the command line only (--trace, --trace-times).
    const bool trace = line.trace;
    kvx::qt::SetTraceTimes(line.traceTimes);
    kvx::platform::MessageQueue queue;
    kvx::qt::QtWindowSystem windows(queue);
    windows.SetTrace(trace);
    kvx::qt::QtPrompts prompts(AutoAnswer(), trace);
    kvx::qt::QtEventPump pump;
    kvx::qt::QtDialogHost dialogs(queue, trace);
    kvx::Editor editor(windows, prompts, queue);
    editor.dialogHost = &dialogs;
    editor.toolkitLanguage = [&application](kvx::Language language) {
        kvx::qt::SetToolkitFrench(application, language == kvx::Language::French);
    };
    editor.recoveryFolder = kvx::DefaultRecoveryFolder();
    kvx::qt::QtSettings settings;
    editor.settings = &settings;
    return kvx::RunEditor(editor, pump, line.files);
}
