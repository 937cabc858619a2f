#pragma once
// The message loop: take a message, dispatch it to the window it is for, then redraw every open
// view that asked for it, the orthographic views in the order 1, 2, 3, 4, 6, 5 and then the
// perspective view.

#include "platform/MessageQueue.h"
#include "shell/Editor.h"

namespace kvx {

// Hands a message to the frame's or a view's procedure; messages for windows that no longer
// exist are dropped.
void DispatchMessage(Editor& editor, const platform::Message& message);
// Redraws the marked views and takes an animation step when the message is the animation tick.
void RedrawMarkedViews(Editor& editor, const platform::Message& message);
// One whole iteration for a message already taken.
void ProcessMessage(Editor& editor, const platform::Message& message);
// Runs until quitRequested; returns the wParam of the last message retrieved.
std::uint32_t RunMessageLoop(Editor& editor, platform::EventPump& pump);

}  // namespace kvx
