#include "shell/StatusBar.h"

#include <cstdio>
#include <filesystem>

#include "platform/Constants.h"

namespace kvx {

using namespace platform;

std::string StatusText(const Editor& editor) {
    const Scene& scene = *editor.scene;
    const Language language = editor.language;
    const std::string tool = InLanguage(language, ToolName(editor.toolMode()));
    char text[320];
    int n = std::snprintf(text, sizeof text,
                          Pick(language,
                               "Vertex: %d (%d sélectionnés)   Faces: %d (%d sélectionnées)   "
                               "Layer: %d%s   Outil: %s",
                               "Vertices: %d (%d selected)   Faces: %d (%d selected)   "
                               "Layer: %d%s   Tool: %s"),
                          scene.vertexCount(), scene.selectedVertexCount(), scene.faceCount(),
                          scene.selectedFaceCount(), scene.currentLayer,
                          scene.allLayers == 1 ? Pick(language, " (tous)", " (all)") : "",
                          tool.c_str());
    if (editor.mouseOverFlatView && n > 0 && static_cast<std::size_t>(n) < sizeof text) {
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n),
                      "   X: %.3f  Y: %.3f  Z: %.3f", editor.mouse.worldX, editor.mouse.worldY,
                      editor.mouse.worldZ);
    }
    // Last, the scene's own file and whether it has unsaved changes.
    std::string status = text;
    const bool modified = editor.history.Modified();
    if (!editor.documentPath.empty() || modified) {
        status += Pick(language, "   Fichier: ", "   File: ");
        status += editor.documentPath.empty()
                      ? std::string(Pick(language, "sans nom", "untitled"))
                      : std::filesystem::path(editor.documentPath).filename().string();
        if (modified) status += Pick(language, " (modifié)", " (modified)");
    }
    return status;
}

std::string ToolHint(ToolMode mode, Language language) {
    const ToolButtons b = ToolHelp(mode);
    const auto in = [language](const char* french) { return InLanguage(language, french); };
    std::string hint = Pick(language, "Gauche : ", "Left: ") + in(b.left);
    if (*b.ctrlClick)
        hint += Pick(language, "  ·  Ctrl+clic : ", "  ·  Ctrl+click: ") + in(b.ctrlClick);
    return hint + Pick(language, "  ·  Droit : ", "  ·  Right: ") + in(b.right) +
           Pick(language, "  ·  F1 : aide", "  ·  F1: help");
}

void UpdateStatusBar(Editor& editor, const Message& m) {
    if (const ViewId v = editor.ViewOfWindow(m.window); v != 0) {
        if (m.message == WM_MOUSEMOVE) editor.mouseOverFlatView = v != ViewPerspective;
        if (m.message == WM_MOUSELEAVE) editor.mouseOverFlatView = false;
    }
    // A click or a key in any window ends the last command's note.
    if (m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN || m.message == WM_MBUTTONDOWN ||
        m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN)
        editor.statusNote.clear();
    if (editor.frame.handle == NoWindow) return;
    std::string text = editor.statusNote.empty() ? StatusText(editor) : editor.statusNote;
    if (text != editor.statusText) {
        editor.statusText = std::move(text);
        editor.windows.SetStatusText(editor.frame.handle, editor.statusText);
    }
    // A note has the whole bar; the hint comes back with the next click.
    std::string hint = !editor.statusNote.empty() ? std::string()
                       : editor.framingNote.empty()
                           ? ToolHint(editor.toolMode(), editor.language)
                           : InLanguage(editor.language, editor.framingNote);
    if (hint == editor.statusHint) return;
    editor.statusHint = std::move(hint);
    editor.windows.SetStatusHint(editor.frame.handle, editor.statusHint);
}

}  // namespace kvx
