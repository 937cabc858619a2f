#include "shell/DialogCommands.h"

#include "dialogs/ColorDialog.h"
#include "dialogs/PointLightDialog.h"
#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "resources/CommandIds.h"
#include "resources/DialogTemplates.h"

namespace kvx {
namespace {

using namespace platform;

// A dialog as the desktop shows it: its title and texts in the editor's language.
DialogTemplate Shown(const Editor& editor, const DialogTemplate& french) {
    DialogTemplate shown = french;
    shown.title = InLanguage(editor.language, french.title);
    for (DialogControl& c : shown.controls)
        if (c.kind != DialogControl::Kind::Icon) c.text = InLanguage(editor.language, c.text);
    return shown;
}

// The point-light dialog's boxes through the dialog host.
class HostedBoxes : public PointLightDialogIo {
  public:
    HostedBoxes(DialogHost& host, WindowHandle dialog) : host_(host), dialog_(dialog) {}
    void SetText(std::uint32_t box, const std::string& text) override {
        host_.SetItemText(dialog_, box, text);
    }
    std::string Text(std::uint32_t box) override { return host_.GetItemText(dialog_, box, 24); }

  private:
    DialogHost& host_;
    WindowHandle dialog_;
};

void PointLightMessage(Editor& editor, const Message& m) {
    PointLight& light = editor.pointLight;
    HostedBoxes boxes(*editor.dialogHost, m.window);
    const auto result =
        PointLightDialogProc(m, Attenuation{light.linear, light.constant, light.quadratic}, boxes);
    if (result.apply) {
        light.SetAttenuation(result.apply->constant, result.apply->linear, result.apply->quadratic);
        editor.RequestRedraw(RedrawScope::All);
    }
    if (result.close) {
        editor.dialogHost->CloseModeless(m.window);
        editor.pointLightDialog = NoWindow;
    }
}

void PositionMessage(Editor& editor, const Message& m) {
    if (m.message != WM_CLOSE) return;
    editor.dialogHost->CloseModeless(m.window);
    editor.positionDialogHandle = NoWindow;
    editor.positionDialog = nullptr;
    editor.menuBar.Uncheck(cmd::PositionSouris);
}

}  // namespace

std::optional<RgbColour> ShowColourDialog(Editor& editor) {
    if (!editor.dialogHost) return std::nullopt;
    ColorDialogState& state = editor.colorDialog;
    state.StartShowing();
    Canvas canvas;
    canvas.Create(ColorDialogDrawWidth, ColorDialogDrawHeight, editor.app.bitsPerPixel);
    DialogHost& host = *editor.dialogHost;
    host.RunModal(Shown(editor, resources::ColorDialogTemplate()), [&](const Message& m) {
        bool redraw = false;
        const bool end = ColorDialogProc(state, m, redraw);
        if (redraw) {
            DrawColorDialog(state, canvas);
            host.PresentDialogRegions(m.window, canvas.Surface(), ColorDialogRegions());
        }
        return end;
    });
    if (!state.accepted) return std::nullopt;
    return RgbColour{state.picked.red, state.picked.green, state.picked.blue};
}

void OpenPointLightDialog(Editor& editor) {
    if (!editor.dialogHost || editor.pointLightDialog != NoWindow) return;
    editor.pointLightDialog =
        editor.dialogHost->OpenModeless(Shown(editor, resources::PointLightDialogTemplate()));
}

void OpenPositionDialog(Editor& editor) {
    if (!editor.dialogHost || editor.positionDialogHandle != NoWindow) return;
    DialogHost& host = *editor.dialogHost;
    const WindowHandle dialog =
        host.OpenModeless(Shown(editor, resources::PositionDialogTemplate()));
    editor.positionDialogHandle = dialog;
    editor.positionDialog = [&host, dialog](const std::array<PositionText, 5>& texts) {
        for (const PositionText& t : texts)
            host.SetItemText(dialog, static_cast<std::uint32_t>(t.control), t.text);
    };
    editor.menuBar.Check(cmd::PositionSouris);
}

void ShowAboutBox(Editor& editor) {
    if (!editor.dialogHost) return;
    editor.dialogHost->RunModal(Shown(editor, resources::AboutDialogTemplate()),
                                [](const Message& m) { return m.message == WM_CLOSE; });
}

bool DispatchDialogMessage(Editor& editor, const Message& m) {
    if (m.window == NoWindow) return false;
    if (m.window == editor.pointLightDialog) {
        PointLightMessage(editor, m);
        return true;
    }
    if (m.window == editor.positionDialogHandle) {
        PositionMessage(editor, m);
        return true;
    }
    return false;
}

}  // namespace kvx
