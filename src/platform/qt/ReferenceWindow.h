#pragma once
// The window of the key and tool reference: HTML text whose "cursor:N" images are the pictures
// of the cursor table.

#include <QPixmap>
#include <QTextBrowser>
#include <functional>

namespace kvx::qt {

class ReferenceWindow : public QTextBrowser {
  public:
    using CursorPicture = std::function<QPixmap(int index)>;
    ReferenceWindow(QWidget* parent, CursorPicture cursorPicture);

  protected:
    QVariant loadResource(int type, const QUrl& name) override;
    // Escape closes the window, as it closes the editor's dialogs.
    void keyPressEvent(QKeyEvent* e) override;

  private:
    CursorPicture cursorPicture_;
};

}  // namespace kvx::qt
