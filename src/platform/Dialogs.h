#pragma once
// Dialogs as the program describes them (templates in dialog units) and the desktop's part in
// showing them. A dialog's behaviour is the program's procedure; the desktop only builds the
// controls, hands the messages over and shows what the procedure asks for. The editor hosts them
// on Qt (qt/); tests answer modal dialogs with a script.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "platform/Message.h"

namespace kvx::platform {

inline constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;

struct DialogControl {
    enum class Kind { Button, DefaultButton, Label, Edit, ReadOnly, Icon };
    Kind kind = Kind::Label;
    std::uint32_t id = 0;  // 0xFFFF for controls the program never addresses
    std::string text;
    Rect units;  // left, top, right, bottom in dialog units
};

struct DialogTemplate {
    std::string name;
    std::string title;
    std::int32_t width = 0, height = 0;  // dialog units
    std::string font;
    std::int32_t points = 8;
    std::vector<DialogControl> controls;
};

// Gets every message of its dialog; true ends a modal dialog.
using DialogProcedure = std::function<bool(const Message&)>;

class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // Shows a modal dialog and returns when its procedure ends it. The procedure gets
    // WM_INITDIALOG first, then a button as WM_COMMAND with its identifier, the close box as
    // WM_CLOSE and the mouse over the client area in client pixels, each addressed to the
    // dialog's handle.
    virtual void RunModal(const DialogTemplate& dialog, DialogProcedure procedure) = 0;
    // Opens a modeless dialog; its messages are posted to the program's queue for the handle.
    virtual WindowHandle OpenModeless(const DialogTemplate& dialog) = 0;
    virtual void CloseModeless(WindowHandle dialog) = 0;
    virtual void SetItemText(WindowHandle dialog, std::uint32_t id, const std::string& text) = 0;
    // At most maxChars characters of an edit box.
    virtual std::string GetItemText(WindowHandle dialog, std::uint32_t id,
                                    std::size_t maxChars) = 0;
    // Shows these rectangles of pixels at the same client positions of the dialog, unscaled,
    // until the next call; the rest of the dialog shows its own face.
    virtual void PresentDialogRegions(WindowHandle dialog, const PixelBuffer& pixels,
                                      const std::vector<PixelRect>& regions) = 0;
};

}  // namespace kvx::platform
