#include "resources/DialogTemplates.h"

namespace kvx::resources {
namespace {

using platform::DialogControl;
using platform::DialogTemplate;
using Kind = platform::DialogControl::Kind;

constexpr std::uint32_t Static = 0xFFFF;

DialogControl Control(Kind kind, std::uint32_t id, std::string text, int x, int y, int w, int h) {
    return DialogControl{kind, id, std::move(text), {x, y, x + w, y + h}};
}

}  // namespace

const DialogTemplate& ColorDialogTemplate() {
    static const DialogTemplate t{"COLORDLG",
                                  "Dialog",
                                  292,
                                  95,
                                  "MS Sans Serif",
                                  8,
                                  {Control(Kind::DefaultButton, 1, "OK", 240, 5, 50, 14),
                                   Control(Kind::Button, 2, "Cancel", 240, 25, 50, 14)}};
    return t;
}

const DialogTemplate& PointLightDialogTemplate() {
    static const DialogTemplate t{
        "POINTLIGHTEDITDLG",
        "Point Light",
        194,
        62,
        "MS Sans Serif",
        8,
        {Control(Kind::Label, Static, "Atténuation Linéaire:", 7, 9, 90, 8),
         Control(Kind::Edit, IdLinearBox, "", 98, 7, 50, 12),
         Control(Kind::Label, Static, "Atténuation Constante:", 7, 27, 90, 8),
         Control(Kind::Edit, IdConstantBox, "", 98, 25, 50, 12),
         Control(Kind::Label, Static, "Atténuation Quadratique:", 7, 45, 90, 8),
         Control(Kind::Edit, IdQuadraticBox, "", 98, 43, 50, 12),
         Control(Kind::DefaultButton, 1, "OK", 154, 6, 35, 14),
         Control(Kind::Button, 2, "Cancel", 154, 24, 35, 14),
         Control(Kind::Button, IdUpdateButton, "Update", 154, 42, 35, 14)}};
    return t;
}

namespace {

// A dialog of rows of three boxes (x, y, z) under their heads, with OK and Cancel.
DialogTemplate PlacementTemplate(std::string name, std::vector<std::string> rows) {
    DialogTemplate t{std::move(name), "Position des vertex", 236, 0, "MS Sans Serif", 8, {}};
    const char* axes[] = {"x", "y", "z"};
    for (int a = 0; a < 3; ++a)
        t.controls.push_back(Control(Kind::Label, Static, axes[a], 74 + 52 * a, 5, 48, 8));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int y = 16 + 18 * static_cast<int>(r);
        t.controls.push_back(Control(Kind::Label, Static, rows[r], 5, y + 2, 66, 8));
        for (int a = 0; a < 3; ++a)
            t.controls.push_back(Control(
                Kind::Edit,
                IdPlacementBox + 3 * static_cast<std::uint32_t>(r) + static_cast<std::uint32_t>(a),
                "", 74 + 52 * a, y, 48, 12));
    }
    const int buttons = 20 + 18 * static_cast<int>(rows.size());
    t.controls.push_back(Control(Kind::DefaultButton, 1, "OK", 124, buttons, 50, 14));
    t.controls.push_back(Control(Kind::Button, 2, "Annuler", 178, buttons, 50, 14));
    t.height = buttons + 20;
    return t;
}

}  // namespace

const DialogTemplate& VertexPositionDialogTemplate() {
    static const DialogTemplate t = PlacementTemplate("VERTEXPOSDLG", {"Position"});
    return t;
}

const DialogTemplate& SelectionPlacementDialogTemplate() {
    static const DialogTemplate t =
        PlacementTemplate("SELECTIONPLACEDLG", {"Déplacer de", "Tourner (degrés)", "Échelle"});
    return t;
}

const DialogTemplate& PositionDialogTemplate() {
    static const DialogTemplate t{"POSITIONDLG",
                                  "Position",
                                  132,
                                  62,
                                  "MS Serif",
                                  6,
                                  {Control(Kind::Label, Static, "X:", 5, 6, 12, 8),
                                   Control(Kind::ReadOnly, 1000, "", 18, 4, 44, 11),
                                   Control(Kind::Label, Static, "Y:", 5, 24, 12, 8),
                                   Control(Kind::ReadOnly, 1001, "", 18, 22, 44, 11),
                                   Control(Kind::Label, Static, "Z:", 5, 42, 12, 8),
                                   Control(Kind::ReadOnly, 1002, "", 18, 40, 44, 11),
                                   Control(Kind::Label, Static, "SX:", 68, 6, 14, 8),
                                   Control(Kind::ReadOnly, 1005, "", 83, 4, 44, 11),
                                   Control(Kind::Label, Static, "SY:", 68, 24, 14, 8),
                                   Control(Kind::ReadOnly, 1004, "", 83, 22, 44, 11),
                                   Control(Kind::Label, Static, "SZ:", 68, 42, 14, 8),
                                   Control(Kind::ReadOnly, 1006, "", 83, 40, 44, 11)}};
    return t;
}

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate t{
        "ABOUTDLG",
        "A propos de ....",
        220,
        122,
        "MS Sans Serif",
        8,
        {Control(Kind::Icon, Static, "ICON1", 8, 8, 16, 16),
         Control(Kind::Label, Static, "Kolvex Editeur v1.0", 34, 12, 120, 8),
         Control(Kind::Label, Static, "Commentaires:", 8, 32, 80, 8),
         Control(Kind::Label, Static,
                 "Version 1.0b de Kolvex editeur. Il est beaucoup plus complet que la version 0.1 "
                 "mais la version 2.0 sera extremement plus performante. Donnez moi des nouvelles "
                 "par E-Mail si vous appréciez mon editeur! ;)) ",
                 8, 42, 204, 40),
         Control(Kind::Label, Static, "Kolvex: un modeleur de polygones.", 8, 86, 204, 8),
         Control(Kind::Label, Static, "Editeur, rendu et formats: l'equipe Kolvex.", 8, 96, 204, 8),
         Control(Kind::Label, Static, "Merci a tous ceux qui l'essaient.", 8, 106, 204, 8)}};
    return t;
}

}  // namespace kvx::resources
