#pragma once
// The window procedure of the perspective view: its keys turn and move the layers, its popup
// menu colours and switches off the lights, sets the background and exports the picture.

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

// Handles the perspective view's input and commands; window management is shared with the other
// views (ViewWindowProc).
void PerspectiveInput(Editor& editor, const platform::Message& message);

}  // namespace kvx
