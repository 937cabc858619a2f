#pragma once
// The window procedures of the seven view windows: their window-management messages (move,
// size, activation, paint, close) and the mouse position. The mouse tools and the keyboard of
// the views build on these.

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

void ViewWindowProc(Editor& editor, ViewId view, const platform::Message& message);

}  // namespace kvx
