#pragma once
// The window procedures of the seven view windows: window management (move, size, activation,
// paint, close), and for the six orthographic views the mouse tools, keys and popup commands.
// Raw message parameters stop here; what the view code asks for comes back as a ViewOutcome.

#include "platform/Message.h"
#include "shell/Editor.h"
#include "views/tools/ViewOutcome.h"

namespace kvx {

void ViewWindowProc(Editor& editor, ViewId view, const platform::Message& message);

// Carries out what handling a message of view `view` asked for: the redraws, a new tool mode,
// the popup menu; then mirrors the tools' cursor and confinement.
void ApplyViewOutcome(Editor& editor, ViewId view, const ViewOutcome& outcome);

// Makes the views show the tools' cursor and hold the mouse inside view `view` while the tools
// confine it, calling the window system only where that changed.
void MirrorPointer(Editor& editor, ViewId view);
// Shows the first popup of menu centred on the mouse pixel of view `id`, owned by its window; the
// choice arrives later as WM_COMMAND to that window.
void ShowViewPopup(Editor& editor, ViewId id, const platform::Menu* menu);

}  // namespace kvx
