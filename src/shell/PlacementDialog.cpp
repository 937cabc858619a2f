#include "shell/PlacementDialog.h"

#include <cstdio>
#include <optional>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/DialogTemplates.h"
#include "scene/TypedPlacement.h"

namespace kvx {
namespace {

using namespace platform;

constexpr const char* AxisNames[] = {"x", "y", "z"};

std::string Shown(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

// The rows' boxes as numbers, or nothing after telling the user which box is refused and why.
std::optional<std::vector<std::array<double, 3>>> ReadRows(Editor& editor, WindowHandle dialog,
                                                           const std::vector<const char*>& rows) {
    std::vector<std::array<double, 3>> values(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::uint32_t a = 0; a < 3; ++a) {
            const std::uint32_t box =
                resources::IdPlacementBox + 3 * static_cast<std::uint32_t>(r) + a;
            std::string reason;
            const auto v = ReadTypedNumber(editor.dialogHost->GetItemText(dialog, box, 64), reason);
            if (!v) {
                editor.prompts.MessageBox(std::string("Valeur refusée (") + rows[r] + ", " +
                                              AxisNames[a] + ") : " + reason + ".",
                                          PlacementTitle, MB_OK);
                return std::nullopt;
            }
            values[r][a] = *v;
        }
    }
    return values;
}

}  // namespace

void EditVertexPositions(Editor& editor) {
    Scene& scene = *editor.scene;
    if (!editor.dialogHost) return;
    if (scene.selectedVertices.empty()) {
        editor.prompts.MessageBox("Sélectionnez d'abord un ou plusieurs vertex.", PlacementTitle,
                                  MB_OK);
        return;
    }
    const bool one = scene.selectedVertices.size() == 1;
    const std::vector<const char*> rows =
        one ? std::vector<const char*>{"Position"}
            : std::vector<const char*>{"Déplacer de", "Tourner (degrés)", "Échelle"};
    std::array<double, 9> start{0, 0, 0, 0, 0, 0, 1, 1, 1};
    if (one) {
        const Vertex& v = scene.vertices[static_cast<std::size_t>(scene.selectedVertices[0])];
        start = {v.x, v.y, v.z};
    }
    std::optional<std::vector<std::array<double, 3>>> typed;
    const auto& dialog = one ? resources::VertexPositionDialogTemplate()
                             : resources::SelectionPlacementDialogTemplate();
    editor.dialogHost->RunModal(dialog, [&](const Message& m) {
        if (m.message == WM_INITDIALOG) {
            for (std::uint32_t b = 0; b < 3 * rows.size(); ++b)
                editor.dialogHost->SetItemText(m.window, resources::IdPlacementBox + b,
                                               Shown(start[b]));
            return false;
        }
        if (m.message == WM_CLOSE) return true;
        if (m.message != WM_COMMAND) return false;
        if (LowWord(m.wParam) == IDCANCEL) return true;
        if (LowWord(m.wParam) != IDOK) return false;
        typed = ReadRows(editor, m.window, rows);
        return typed.has_value();  // a refused box keeps the dialog open
    });
    if (!typed) return;
    const bool placed = one ? PlaceSelectedVertex(scene, (*typed)[0])
                            : PlaceSelection(scene, {(*typed)[0], (*typed)[1], (*typed)[2]});
    if (!placed)
        editor.prompts.MessageBox(
            "Impossible : un vertex sortirait des coordonnées possibles "
            "(3.4e38). Rien n'a changé.",
            PlacementTitle, MB_OK);
}

}  // namespace kvx
