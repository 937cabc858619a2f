#pragma once
// Dialogs on Qt: a QDialog built from the template, with controls placed by dialog units
// converted with the dialog font's metrics, pixels the program presents drawn on its face, and
// every button, close and mouse event handed to the program's procedure (modal) or posted to the
// program's queue (modeless).

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <map>
#include <memory>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/MessageQueue.h"

class QWidget;

namespace kvx::qt {

// The pixel size of a dialog-unit rectangle for a font: x units are a quarter of the font's
// average character width, y units an eighth of its height.
QRect DialogUnitsToPixels(const platform::Rect& units, const QFont& font);

class DialogWidget;

class QtDialogHost : public platform::DialogHost {
  public:
    explicit QtDialogHost(platform::MessageQueue& queue, bool trace = false)
        : queue_(queue), trace_(trace) {}
    ~QtDialogHost() override;

    void RunModal(const platform::DialogTemplate& dialog,
                  platform::DialogProcedure procedure) override;
    platform::WindowHandle OpenModeless(const platform::DialogTemplate& dialog) override;
    void CloseModeless(platform::WindowHandle dialog) override;
    void SetItemText(platform::WindowHandle dialog, std::uint32_t id,
                     const std::string& text) override;
    std::string GetItemText(platform::WindowHandle dialog, std::uint32_t id,
                            std::size_t maxChars) override;
    void PresentDialogRegions(platform::WindowHandle dialog, const PixelBuffer& pixels,
                              const std::vector<PixelRect>& regions) override;

    // The dialog behind a handle, or null.
    DialogWidget* Dialog(platform::WindowHandle dialog) const;

  private:
    platform::MessageQueue& queue_;
    bool trace_;
    std::map<platform::WindowHandle, QPointer<DialogWidget>> dialogs_;
    // Handles far above the window system's, so the two never meet.
    platform::WindowHandle nextHandle_ = 0x10000;
};

}  // namespace kvx::qt
