#include "shell/CommandTable.h"

#include <vector>

#include "shell/CommandRows.h"
#include "shell/Editor.h"
#include "shell/ViewWindowProc.h"
#include "views/tools/Tools.h"

namespace kvx {
namespace {

std::vector<CommandRow> JoinRows() {
    std::vector<CommandRow> rows = FrameCommandRows();
    for (auto part : {FlatViewCommandRows(), PerspectiveCommandRows()})
        rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

}  // namespace

std::span<const CommandRow> CommandTable() {
    static const std::vector<CommandRow> rows = JoinRows();
    return rows;
}

const CommandRow* FindCommand(CommandSource source, std::uint32_t id) {
    if (id == 0) return nullptr;
    for (const CommandRow& row : CommandTable()) {
        if (row.source == source && row.id == id) return &row;
    }
    return nullptr;
}

const CommandRow* FindKey(CommandSource source, std::uint32_t key) {
    if (key == 0) return nullptr;
    for (const CommandRow& row : CommandTable()) {
        if (row.source == source && row.key == key) return &row;
    }
    return nullptr;
}

void RunCommand(Editor& editor, ViewId view, const CommandRow& row) {
    const CommandCall call{editor, view, row};
    editor.statusNote.clear();
    if (row.tool)
        ApplyViewOutcome(editor, view, ChangeToolMode(*editor.scene, editor.tools, *row.tool));
    if (row.run) row.run(call);
    editor.RequestRedraw(row.redraw);
}

}  // namespace kvx
