#pragma once
// The Qt widgets behind the platform's windows. They only translate: Qt events become messages
// on the program's queue, and a view's client area shows the pixels last presented to it.

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "canvas/PixelBuffer.h"
#include "platform/MessageQueue.h"

namespace kvx::qt {

// Posts a message for the window a widget stands for.
using MessagePoster =
    std::function<void(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam)>;

// Posts the key message for a Qt key event: WM_SYSKEYDOWN with Alt held, else WM_KEYDOWN.
void PostKey(const MessagePoster& post, int key, Qt::KeyboardModifiers modifiers);

// The MDI frame: a main window whose central widget is the MDI client.
class FrameWidget : public QMainWindow {
  public:
    explicit FrameWidget(MessagePoster post);
    QMdiArea* mdiArea() const { return mdiArea_; }
    void SetStatusText(const QString& text);
    void SetStatusHint(const QString& text);
    // The status bar's height: the frame grows by it, so the client area keeps its size.
    int StatusBarHeight() const;
    // Once the menu bar is done with the keyboard (a menu closed, menu mode left), the frame
    // takes it back when nothing else holds it, so that its keys (Escape) work again.
    void ReturnKeyboardSoon();
    // The local files of the last drop, taken once.
    std::vector<std::string> TakeDroppedFiles();

  protected:
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    MessagePoster post_;
    QMdiArea* mdiArea_;
    std::vector<std::string> dropped_;
    QLabel* hint_ = nullptr;
    QLabel* status_;
};

// A view's client area: shows the presented pixels stretched over itself and turns mouse and
// keyboard input into messages.
class ViewWidget : public QWidget {
  public:
    explicit ViewWidget(MessagePoster post);
    // The widget reads these pixels whenever it repaints, until SetPixels is called again.
    void SetPixels(const PixelBuffer& pixels);
    void ForgetPixels();
    bool HasPixels() const { return pixels_.base != nullptr; }
    // While confined, the pointer is held in this widget and every mouse position it reports
    // lies inside it.
    void SetConfined(bool confined);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void leaveEvent(QEvent* e) override;
    // Tab and Shift+Tab are keys of the views, not focus moves.
    bool focusNextPrevChild(bool) override { return false; }

  private:
    void PostMouse(std::uint32_t message, QMouseEvent* e);

    MessagePoster post_;
    PixelBuffer pixels_;
    bool confined_ = false;
};

// The style of the views' frames: the toolkit's own with a caption of at most 19 pixels and thin
// borders, so that views laid out at the described spacing never cover each other's pictures.
QStyle* ViewFrameStyle();

// The MDI child around a view: its moves, sizes, closing and activation become messages. Its
// size is the one the program sets (SetViewGeometry): the user cannot drag its borders.
class ViewSubWindow : public QMdiSubWindow {
  public:
    ViewSubWindow(MessagePoster post, ViewWidget* client);
    ViewWidget* client() const { return client_; }
    // Places the window and fixes its size.
    void SetViewGeometry(const QRect& outer);

  protected:
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    MessagePoster post_;
    ViewWidget* client_;
    bool active_ = false;
};

}  // namespace kvx::qt
