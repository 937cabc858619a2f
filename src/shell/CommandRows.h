#pragma once
// The rows of each menu, each kept beside its handlers; CommandTable() joins them.

#include <vector>

#include "shell/CommandTable.h"

namespace kvx {

std::vector<CommandRow> FrameCommandRows();        // "MENU1"
std::vector<CommandRow> FlatViewCommandRows();     // "SUBMENU1" and the flat views' keys
std::vector<CommandRow> PerspectiveCommandRows();  // "SUBMENU2"

}  // namespace kvx
