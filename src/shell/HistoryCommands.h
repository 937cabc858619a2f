#pragma once
// Undo and redo as the editor offers them: which parts of the scene each message may change, the
// steps opened and closed around the messages, "Annuler" and "Rétablir", and the question asked
// before unsaved changes would be lost.

#include <cstdint>

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

inline constexpr const char* SaveChangesText = "Enregistrer les modifications ?";

// The parts a message to an orthographic view may change with the current tool.
unsigned ViewInputParts(const platform::Message& m, ToolMode mode);

// Around a message to an orthographic view: opens a step for the parts it may change, or carries
// on a drag, rotation or scaling that still runs; closes the step once none runs (they end with
// the release or the right button).
void BeginViewStep(Editor& editor, const platform::Message& m);
void EndStepIfIdle(Editor& editor);

// Around a command: it is always a step of its own, so a step still open (a rotation waiting for
// the right button) is closed first, and the command's step closes right after it.
void BeginCommandStep(Editor& editor, unsigned parts);
void EndCommandStep(Editor& editor);

// "Annuler" and "Rétablir": ignored while a step is open (a drag runs).
void UndoStep(Editor& editor);
void RedoStep(Editor& editor);

// Before the scene is replaced or the editor quits: true when it may go on. Unchanged scenes go
// on at once; otherwise "Enregistrer les modifications ?" with Oui (save first; a cancelled or
// failed save stops), Non and Annuler (stops).
bool ConfirmDiscardChanges(Editor& editor);

// "Enregistrer...": saves and, once saved, counts the scene as unchanged. 1 saved, 0 not.
int SaveAndMark(Editor& editor);
// "Enregistrer": saves to the scene's own file without a dialog, or as "Enregistrer..." when it
// has none. 1 saved, 0 not.
int QuickSave(Editor& editor);

}  // namespace kvx
