#pragma once
// The four dialogs as the editor opens them: the colour dialog (modal, for every colour command),
// the point-light dialog and the position read-out (modeless), and the about box (modal).

#include <optional>

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

// Shows the colour dialog; the picked colour after OK, nothing after Cancel, the close box or
// without a desktop to show it on.
std::optional<RgbColour> ShowColourDialog(Editor& editor);
// "Point Light" > "Editer...": opens the point-light dialog unless it is open.
void OpenPointLightDialog(Editor& editor);
// "Position de la souris": opens the position dialog unless it is open, and checks the item.
void OpenPositionDialog(Editor& editor);
// "About".
void ShowAboutBox(Editor& editor);
// Hands a message for a modeless dialog to its procedure; false when it is for no dialog.
bool DispatchDialogMessage(Editor& editor, const platform::Message& m);

}  // namespace kvx
