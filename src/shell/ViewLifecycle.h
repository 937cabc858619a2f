#pragma once
// Opening and closing the seven views, and "Aligner".

#include "shell/Editor.h"

namespace kvx {

// Creates the view's window (250 x 250 client pixels at (0, 0) of the MDI client), its canvas
// and, for the perspective view, its camera, lights and device; checks its "Vues" item.
void OpenView(Editor& editor, ViewId view);
// Releases the view's objects, destroys its window and clears its record; unchecks its item.
void CloseView(Editor& editor, ViewId view);
// The "Vues" commands: closes an open view, opens a closed one.
void ToggleView(Editor& editor, ViewId view);
// Opens every closed view and moves each to its place, in view order 1 to 7.
void AlignViews(Editor& editor);

}  // namespace kvx
