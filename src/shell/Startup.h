#pragma once
// Start-up of the editor and its whole run.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/MessageQueue.h"
#include "shell/Editor.h"

namespace kvx {

// The depth the canvases use for a desktop depth: 16 stays 16, 24 and 32 give 24 (a 32-bit
// desktop carries 24 bits of colour), anything else 0 (refused).
int CanvasDepthFor(int desktopBitsPerPixel);

// Everything before the message loop: the depth check (with its message), resources, window
// classes, the frame with its menu and check marks, the 3D scene with its layers, and "Aligner"
// posted to the frame. False when the desktop depth is refused.
bool StartEditor(Editor& editor);

// Start-up, the files of the command line (CommandLine.h) and the message loop. 0 when the depth
// is refused, otherwise the last message's wParam.
int RunEditor(Editor& editor, platform::EventPump& pump,
              const std::vector<std::string>& files = {});

}  // namespace kvx
