#pragma once
// The frame window's procedure: its own messages (close, move, size, Escape) and every command
// of the menu bar "MENU1".

#include <cstdint>

#include "platform/Message.h"
#include "shell/Editor.h"

namespace kvx {

void FrameProc(Editor& editor, const platform::Message& message);
// One command of "MENU1"; identifiers outside 40001..40113 are left to default processing.
void FrameCommand(Editor& editor, std::uint32_t id);

}  // namespace kvx
