#include "shell/StatusBar.h"

#include <cstdio>
#include <filesystem>

#include "platform/Constants.h"

namespace kvx {

using namespace platform;

std::string StatusText(const Editor& editor) {
    const Scene& scene = *editor.scene;
    char text[320];
    int n = std::snprintf(text, sizeof text,
                          "Vertex: %d (%d sélectionnés)   Faces: %d (%d sélectionnées)   "
                          "Layer: %d%s   Outil: %s",
                          scene.vertexCount(), scene.selectedVertexCount(), scene.faceCount(),
                          scene.selectedFaceCount(), scene.currentLayer,
                          scene.allLayers == 1 ? " (tous)" : "", ToolName(editor.toolMode()));
    if (editor.mouseOverFlatView && n > 0 && static_cast<std::size_t>(n) < sizeof text) {
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n),
                      "   X: %.3f  Y: %.3f  Z: %.3f", editor.mouse.worldX, editor.mouse.worldY,
                      editor.mouse.worldZ);
    }
    // Last, the scene's own file and whether it has unsaved changes.
    std::string status = text;
    const bool modified = editor.history.Modified();
    if (!editor.documentPath.empty() || modified) {
        status += "   Fichier: ";
        status += editor.documentPath.empty()
                      ? std::string("sans nom")
                      : std::filesystem::path(editor.documentPath).filename().string();
        if (modified) status += " (modifié)";
    }
    return status;
}

std::string ToolHint(ToolMode mode) {
    const ToolButtons b = ToolHelp(mode);
    std::string hint = std::string("Gauche : ") + b.left;
    if (*b.ctrlClick) hint += "  ·  Ctrl+clic : " + std::string(b.ctrlClick);
    return hint + "  ·  Droit : " + b.right + "  ·  F1 : aide";
}

void UpdateStatusBar(Editor& editor, const Message& m) {
    if (const ViewId v = editor.ViewOfWindow(m.window); v != 0) {
        if (m.message == WM_MOUSEMOVE) editor.mouseOverFlatView = v != ViewPerspective;
        if (m.message == WM_MOUSELEAVE) editor.mouseOverFlatView = false;
    }
    if (editor.frame.handle == NoWindow) return;
    std::string text = StatusText(editor);
    if (text != editor.statusText) {
        editor.statusText = std::move(text);
        editor.windows.SetStatusText(editor.frame.handle, editor.statusText);
    }
    std::string hint =
        editor.framingNote.empty() ? ToolHint(editor.toolMode()) : editor.framingNote;
    if (hint == editor.statusHint) return;
    editor.statusHint = std::move(hint);
    editor.windows.SetStatusHint(editor.frame.handle, editor.statusHint);
}

}  // namespace kvx
