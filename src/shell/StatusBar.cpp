#include "shell/StatusBar.h"

#include <cstdio>

#include "platform/Constants.h"

namespace kvx {

using namespace platform;

const char* ToolName(ToolMode mode) {
    switch (mode) {
        case ToolMode::CreateVertex:
            return "Creer vertex";
        case ToolMode::MoveXY:
            return "Déplacer XY";
        case ToolMode::MoveX:
            return "Déplacer X";
        case ToolMode::MoveY:
            return "Déplacer Y";
        case ToolMode::MoveZ:
            return "Déplacer Z";
        case ToolMode::SelectVertex:
            return "Selection vertex";
        case ToolMode::SelectFace:
            return "Selection face";
        case ToolMode::Fence:
            return "Fence";
        case ToolMode::ZoomPan:
            return "Deplacement";
        case ToolMode::ZoomLoupe:
            return "Loupe";
        case ToolMode::Rotate:
            return "Rotation";
        case ToolMode::ScaleXYZ:
            return "Homothétie XYZ";
        case ToolMode::ScaleXY:
            return "Homothétie XY";
        case ToolMode::ScaleX:
            return "Homothétie X";
        case ToolMode::ScaleY:
            return "Homothétie Y";
        case ToolMode::Mirror:
            return "Mirroir";
    }
    return "";
}

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
    return text;
}

void UpdateStatusBar(Editor& editor, const Message& m) {
    if (const ViewId v = editor.ViewOfWindow(m.window); v != 0) {
        if (m.message == WM_MOUSEMOVE) editor.mouseOverFlatView = v != ViewPerspective;
        if (m.message == WM_MOUSELEAVE) editor.mouseOverFlatView = false;
    }
    if (editor.frame.handle == NoWindow) return;
    std::string text = StatusText(editor);
    if (text == editor.statusText) return;
    editor.statusText = std::move(text);
    editor.windows.SetStatusText(editor.frame.handle, editor.statusText);
}

}  // namespace kvx
