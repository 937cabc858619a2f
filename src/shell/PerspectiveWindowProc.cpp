#include "shell/PerspectiveWindowProc.h"

#include "perspective/PerspectiveKeys.h"
#include "perspective/TargaExport.h"
#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "shell/DialogCommands.h"
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
    editor.RequestRedraw(0);
}

void SwitchOff(Editor& editor, Light& light) {
    light.SetColor(0, 0, 0);
    editor.RequestRedraw(0);
}

}  // namespace

void PerspectiveCommand(Editor& editor, std::uint32_t id) {
    PerspectiveRig& rig = editor.views[ViewPerspective].rig;
    switch (id) {
        case cmd::PointLightColour:
            ColourLight(editor, editor.pointLight, 1.0);
            break;
        case cmd::PointLightOff:
            SwitchOff(editor, editor.pointLight);
            break;
        case cmd::DirectionalColour:
            ColourLight(editor, rig.directional, 256.0);
            break;
        case cmd::DirectionalOff:
            SwitchOff(editor, rig.directional);
            break;
        case cmd::AmbientColour:
            ColourLight(editor, rig.ambient, 256.0);
            break;
        case cmd::AmbientOff:
            SwitchOff(editor, rig.ambient);
            break;
        case cmd::BackgroundColour: {
            const auto colour = editor.ChooseColour();
            if (colour) editor.background.entries[ViewPerspective] = *colour;
            editor.RequestRedraw(0);  // also when cancelled
            break;
        }
        case cmd::SaveImage:
            // The picture as last drawn; nothing is rendered for the export.
            ExportTarga(editor.views[ViewPerspective].canvas.Surface(), editor.prompts,
                        editor.targaDialog);
            break;
        case cmd::PointLightEdit:
            OpenPointLightDialog(editor);
            break;
        default:
            break;
    }
}

void PerspectiveInput(Editor& editor, const Message& m) {
    ViewObject& view = editor.views[ViewPerspective];
    switch (m.message) {
        case WM_MOUSEMOVE:
            MouseToWorld(editor.mouse, editor.viewStates, ViewPerspective, m.lParam, false);
            break;
        case WM_RBUTTONUP:
            MouseToWorld(editor.mouse, editor.viewStates, ViewPerspective, m.lParam, false);
            ShowViewPopup(editor, ViewPerspective, editor.perspectivePopupMenu);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (PerspectiveKey(*editor.scene, m.message, m.wParam)) view.needsRedraw = 1;
            break;
        case WM_COMMAND:
            PerspectiveCommand(editor, LowWord(m.wParam));
            break;
        default:
            break;
    }
}

}  // namespace kvx
