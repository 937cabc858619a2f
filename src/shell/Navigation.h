#pragma once
// The mouse steering of the views, on the inputs the described views leave unused: in a flat
// view the wheel zooms about the pointer and a middle-button drag moves the view; in the
// perspective view a left or middle drag turns the camera about the model, Shift+drag slides it
// and the wheel brings it nearer or farther. And "Cadrer tout", which fits the model into every
// view.

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

// The wheel and the middle button of flat view `view`, and its mouse moves while the middle
// button drags. True when the message was steering (nothing else is done with it then).
bool FlatViewNavigation(Editor& editor, ViewId view, const platform::Message& m);
// The perspective view's mouse: true when the message was steering.
bool PerspectiveNavigation(Editor& editor, const platform::Message& m);

// Every flat view zoomed and moved so that what it shows fills about 90 % of it, and the
// perspective camera turned as it starts and placed so that the whole model is in view.
void FrameAll(Editor& editor);
// After a model came in (opened, imported, dropped): a note in the status bar when it would not
// show well at the start zoom.
void NoteFramingAfterLoad(Editor& editor);

}  // namespace kvx
