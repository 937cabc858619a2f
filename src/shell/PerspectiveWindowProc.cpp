#include "shell/PerspectiveWindowProc.h"

#include "perspective/PerspectiveKeys.h"
#include "perspective/TargaExport.h"
#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "shell/CommandRows.h"
#include "shell/DialogCommands.h"
#include "shell/Navigation.h"
#include "shell/ViewWindowProc.h"

namespace kvx {
namespace {

using namespace platform;

// The directional and ambient lights take each byte divided by 256; the point light takes the
// bytes as they are.
void ColourLight(Editor& editor, Light& light, double divisor) {
    const auto colour = editor.ChooseColour();
    if (!colour) return;
    light.SetColor(colour->red / divisor, colour->green / divisor, colour->blue / divisor);
    editor.RequestRedraw(RedrawScope::All);
}

void ChooseBackground(const CommandCall& c) {
    if (const auto colour = c.editor.ChooseColour())
        c.editor.background.entries[ViewPerspective] = *colour;
}

// The picture as last drawn; nothing is rendered for the export.
void SaveImage(const CommandCall& c) {
    Editor& editor = c.editor;
    ExportTarga(editor.views[ViewPerspective].canvas.Surface(), editor.prompts, editor.targaDialog);
}

PerspectiveRig& Rig(const CommandCall& c) {
    return c.editor.views[ViewPerspective].rig;
}

constexpr CommandRow Item(const char* menu, const char* label, std::uint32_t id,
                          CommandHandler run) {
    return CommandRow{
        .source = CommandSource::Perspective, .menu = menu, .label = label, .id = id, .run = run};
}

}  // namespace

std::vector<CommandRow> PerspectiveCommandRows() {
    return {
        Item("SPM2/Point Light", "Editer...", cmd::PointLightEdit,
             [](const CommandCall& c) { OpenPointLightDialog(c.editor); }),
        Item("SPM2/Point Light", "Couleur...", cmd::PointLightColour,
             [](const CommandCall& c) { ColourLight(c.editor, c.editor.pointLight, 1.0); }),
        Item("SPM2/Point Light", "Désactiver", cmd::PointLightOff,
             [](const CommandCall& c) { c.editor.pointLight.SetColor(0, 0, 0); })
            .Redraws(RedrawScope::All),
        Item("SPM2/Directionnal Light", "Couleur...", cmd::DirectionalColour,
             [](const CommandCall& c) { ColourLight(c.editor, Rig(c).directional, 256.0); }),
        Item("SPM2/Directionnal Light", "Désactiver", cmd::DirectionalOff,
             [](const CommandCall& c) { Rig(c).directional.SetColor(0, 0, 0); })
            .Redraws(RedrawScope::All),
        Item("SPM2/Ambient Light", "Couleur...", cmd::AmbientColour,
             [](const CommandCall& c) { ColourLight(c.editor, Rig(c).ambient, 256.0); }),
        Item("SPM2/Ambient Light", "Désactiver", cmd::AmbientOff,
             [](const CommandCall& c) { Rig(c).ambient.SetColor(0, 0, 0); })
            .Redraws(RedrawScope::All),
        // The background redraws also when the choice was cancelled.
        Item("SPM2/Background", "Couleur...", cmd::BackgroundColour, ChooseBackground)
            .Redraws(RedrawScope::All),
        Item("SPM2", "Sauvegarder...", cmd::SaveImage, SaveImage),
        CommandRow{.source = CommandSource::Perspective, .menu = "SPM2"},
        Item("SPM2", "Cadrer tout", cmd::CadrerTout,
             [](const CommandCall& c) { FrameAll(c.editor); })
            .Key('F')
            .Help("cadre tout le modèle dans toutes les vues ; la caméra reprend sa direction de "
                  "départ"),
    };
}

void PerspectiveInput(Editor& editor, const Message& m) {
    if (PerspectiveNavigation(editor, m)) return;
    switch (m.message) {
        case WM_MOUSEMOVE:
            MouseToWorld(editor.mouse, editor.viewStates, ViewPerspective, m.lParam, false);
            break;
        case WM_RBUTTONUP:
            MouseToWorld(editor.mouse, editor.viewStates, ViewPerspective, m.lParam, false);
            ShowViewPopup(editor, ViewPerspective, editor.perspectivePopupMenu);
            break;
        case WM_KEYDOWN:
            if (const CommandRow* row = FindKey(CommandSource::Perspective, m.wParam)) {
                RunCommand(editor, ViewPerspective, *row);
                break;
            }
            [[fallthrough]];
        case WM_SYSKEYDOWN:
            if (PerspectiveKey(*editor.scene, m.message, m.wParam))
                editor.RequestRedraw(RedrawScope::ThisView, ViewPerspective);
            break;
        case WM_COMMAND:
            if (const CommandRow* row = FindCommand(CommandSource::Perspective, LowWord(m.wParam)))
                RunCommand(editor, ViewPerspective, *row);
            break;
        default:
            break;
    }
}

}  // namespace kvx
