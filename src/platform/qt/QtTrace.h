#pragma once
// The diagnostic trace's view of the screen and of input, for scripts that drive the editor with
// real X input and must know when it has reacted. Besides the lines the window system, prompts
// and dialogs print themselves, with the trace on the editor reports on stderr:
// - "input key NAME", "input shortcut KEYS", "input button N down", "input button N up": each key
//   press (as a key or, when it is one, as a shortcut) and mouse button press or release the
//   window system delivers to one of the editor's windows, as it arrives,
//   and "pointer moved to X Y" for each move of the pointer over them (on the screen);
// - "menu shown \"TITLE\"" and then "menu item \"TEXT\" at X Y size W H" for each item, once a
//   menu (of the menu bar, a popup menu or a sub-menu) is on the screen; a popup menu's title is
//   empty; "menu hidden \"TITLE\"" once it has gone;
// - "window \"TITLE\" at X Y size W H" once a window (the frame, a dialog, a message box) is on
//   the screen and whenever it moves or changes size there, "window \"TITLE\" active" when it gets
//   the keyboard, "window \"TITLE\" hidden" when it goes;
// - "drag entered" and "dropped" when files are dragged over the frame and dropped on it;
// - "busy cursor on" and "busy cursor off" around long work (the status bar then says how long
//   it has run: "status Import en cours... 1 s");
// - "idle" when the editor has handled all it was given since the previous "idle" and waits.
// The lines about the screen are written only once the editor has sent the window system what
// they report, so that input sent after them finds the screen as they describe it.
// With times asked for (--trace-times), every line starts with the time it was written, in
// milliseconds of the system's monotonic clock (CLOCK_MONOTONIC, the clock a script's own
// monotonic time reads) with three decimals, and a space: "8231456.125 kolvex: idle". Without,
// the lines are exactly as above.

#include <string_view>

#include "platform/MessageQueue.h"

namespace kvx::qt {

// Whether each line of the trace starts with the time it was written (off until asked for).
void SetTraceTimes(bool on);
// Writes lines of the trace (each ending in a newline) on standard error at once, each after the
// time when times are on.
void TraceWrite(std::string_view lines);
// One line of the trace, printf-style, without its newline.
[[gnu::format(printf, 1, 2)]] void TraceLine(const char* format, ...);

// Starts the trace (once; the application must exist). `queue` is the editor's message queue.
void StartQtTrace(const platform::MessageQueue& queue);
// Called by the event pump before it waits with the editor's queue empty. With the trace on, the
// toolkit's pending events are delivered first (so "idle" comes after what they do); false when
// they gave the editor messages, which it must then take instead of waiting.
bool TraceBeforeWait();
// Writes the screen's lines gathered so far (windows shown, moved, hidden). The main loop writes
// them before it waits; long work, which never waits, writes them after each round of events, so
// a window hidden as the work starts is said to be hidden then.
void TraceScreenNow();

}  // namespace kvx::qt
