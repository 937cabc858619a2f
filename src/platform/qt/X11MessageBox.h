#pragma once
// A message box drawn with the X server's own core drawing, for desktops of a depth the toolkit
// cannot paint (8 bits): a white window with the text in the server's "fixed" font and an OK
// button, answered by a click on the button or by Return, Space or Escape.

#include <string>

namespace kvx::qt {

// Shows the box on the display named by the environment and waits for the answer. False when no
// X display could be opened (nothing was shown). With `trace`, reports on stderr when it is drawn.
bool ShowCoreX11MessageBox(const std::string& text, const std::string& title, bool trace = false);

}  // namespace kvx::qt
