#pragma once
// An editor started on the fake window system, with helpers to send messages through the loop.

#include <gtest/gtest.h>

#include "platform/Constants.h"
#include "platform/Prompts.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "shell/Editor.h"
#include "shell/FakeWindowSystem.h"
#include "shell/MainLoop.h"
#include "shell/Startup.h"
#include "shell/ViewTable.h"

namespace kvx::test {

class EditorFixture : public ::testing::Test {
  protected:
    // Starts the editor at the given desktop depth and runs the posted "Aligner".
    void Start(int depth = 24) {
        ws.depth = depth;
        started = StartEditor(editor);
        Pump();
    }
    // Runs every queued message through the loop, as GetMessage would hand them over.
    void Pump() {
        platform::Message m;
        int guard = 0;
        while (editor.queue.TryTake(m) && ++guard < 1000)
            ProcessMessage(editor, m);
    }
    void Send(platform::WindowHandle window, std::uint32_t message, std::uint32_t wParam = 0,
              std::uint32_t lParam = 0) {
        queue.Post(window, message, wParam, lParam);
        Pump();
    }
    void Command(std::uint32_t id) { Send(editor.frame.handle, platform::WM_COMMAND, id); }
    // A mouse message to a view at a client position.
    void Mouse(ViewId v, std::uint32_t message, int x, int y, std::uint32_t flags = 0) {
        Send(ViewWindow(v).handle, message, flags, platform::PackMousePosition(x, y));
    }
    Scene& scene() { return *editor.scene; }
    ViewObject& View(ViewId v) { return editor.views[v]; }
    ChildWindow& ViewWindow(ViewId v) { return *editor.viewWindows[v]; }
    // Forgets what was presented so far.
    void ClearPresented() { ws.presentOrder.clear(); }

    FakeWindowSystem ws;
    platform::ScriptedPrompts prompts;
    platform::MessageQueue queue;
    Editor editor{ws, prompts, queue};
    bool started = false;
};

}  // namespace kvx::test
