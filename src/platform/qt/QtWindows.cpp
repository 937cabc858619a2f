#include "platform/qt/QtWindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "platform/Constants.h"
#include "platform/Message.h"
#include "platform/WindowConstants.h"
#include "platform/qt/KeyMap.h"

namespace kvx::qt {

using namespace platform;

namespace {

std::uint32_t PackSize(const QSize& s) {
    return PackMousePosition(s.width(), s.height());
}

std::uint32_t PackPoint(const QPoint& p) {
    return PackMousePosition(p.x(), p.y());
}

// Activation changes as the platform reports them to a window.
void PostActivation(const MessagePoster& post, bool active) {
    post(WM_NCACTIVATE, active ? 1u : 0u, 0);
    post(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

// The most the views' caption and borders take.
constexpr int MaxCaptionHeight = 19;
constexpr int MaxFrameWidth = 1;

class FrameStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int metricValue = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_TitleBarHeight) return std::min(metricValue, MaxCaptionHeight);
        if (metric == PM_MdiSubWindowFrameWidth) return std::min(metricValue, MaxFrameWidth);
        return metricValue;
    }
    // The toolkit's cross shrinks with the caption to a dot: a cross of its own size goes over
    // it.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        const auto* bar = qstyleoption_cast<const QStyleOptionTitleBar*>(option);
        if (control != CC_TitleBar || !bar || (bar->subControls & SC_TitleBarCloseButton) == 0)
            return;
        const QRect button = subControlRect(control, option, SC_TitleBarCloseButton, widget);
        if (!button.isValid()) return;
        const int margin = std::max(3, button.height() / 4);
        const QRectF cross = QRectF(button).adjusted(margin, margin, -margin, -margin);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool active = (bar->titleBarState & Qt::WindowActive) != 0;
        painter->setPen(QPen(
            bar->palette.color(active ? QPalette::HighlightedText : QPalette::WindowText), 1.6));
        painter->drawLine(cross.topLeft(), cross.bottomRight());
        painter->drawLine(cross.topRight(), cross.bottomLeft());
        painter->restore();
    }
};

QStyle* frameStyle = nullptr;

}  // namespace

QStyle* ViewFrameStyle() {
    if (!frameStyle) {
        frameStyle = new FrameStyle;
        qAddPostRoutine([] {
            delete frameStyle;
            frameStyle = nullptr;
        });
    }
    return frameStyle;
}

void PostKey(const MessagePoster& post, int key, Qt::KeyboardModifiers modifiers) {
    const std::uint32_t vk = VirtualKeyFromQt(key, modifiers);
    if (vk == 0) return;
    // Ctrl with a character key is a menu shortcut or nothing; it never reaches the views as the
    // plain key (Ctrl+S must not pick the fence).
    if (modifiers.testFlag(Qt::ControlModifier) && IsCharacterKey(vk)) return;
    post(modifiers.testFlag(Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 0);
}

FrameWidget::FrameWidget(MessagePoster post)
    : post_(std::move(post)), mdiArea_(new QMdiArea(this)) {
    mdiArea_->setBackground(QBrush(QColor(128, 128, 128)));  // the stock grey brush
    // Where the views do not fit (a small or scaled screen), scroll bars reach every one.
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    // A label rather than the bar's own message, which menu hints would overwrite.
    status_ = new QLabel(this);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(status_, 3);
    hint_ = new QLabel(this);
    statusBar()->addPermanentWidget(hint_, 2);
    // Long texts are cut at the frame's edge; they never widen the frame past the screen.
    for (QLabel* label : {status_, hint_})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    menuBar()->installEventFilter(this);
    setAcceptDrops(true);
}

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    return files;
}

}  // namespace

void FrameWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (!LocalFiles(e->mimeData()).empty()) e->acceptProposedAction();
}

void FrameWidget::dropEvent(QDropEvent* e) {
    std::vector<std::string> files = LocalFiles(e->mimeData());
    if (files.empty()) return;
    e->acceptProposedAction();
    dropped_ = std::move(files);
    post_(WM_DROPFILES, static_cast<std::uint32_t>(dropped_.size()), 0);
}

std::vector<std::string> FrameWidget::TakeDroppedFiles() {
    return std::exchange(dropped_, {});
}

void FrameWidget::ReturnKeyboardSoon() {
    QTimer::singleShot(0, this, [this] {
        // Left on the menu bar out of menu mode, the keyboard reaches nothing: a menu bar that
        // was given it when no window had it keeps it.
        if (menuBar()->hasFocus() && menuBar()->activeAction() == nullptr &&
            QApplication::activePopupWidget() == nullptr)
            setFocus(Qt::OtherFocusReason);
    });
}

bool FrameWidget::eventFilter(QObject* watched, QEvent* e) {
    if (watched == menuBar() && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease))
        ReturnKeyboardSoon();
    return QMainWindow::eventFilter(watched, e);
}

void FrameWidget::SetStatusText(const QString& text) {
    status_->setText(text);
}

void FrameWidget::SetStatusHint(const QString& text) {
    hint_->setText(text);
    // Without a hint the status text has the whole bar.
    hint_->setVisible(!text.isEmpty());
}

int FrameWidget::StatusBarHeight() const {
    return statusBar()->sizeHint().height();
}

void FrameWidget::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    post_(WM_MOVE, 0, PackPoint(centralWidget()->mapToGlobal(QPoint(0, 0))));
}

void FrameWidget::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    post_(WM_SIZE, 0, PackSize(centralWidget()->size()));
}

void FrameWidget::closeEvent(QCloseEvent* e) {
    // The frame procedure decides; the window goes when it is destroyed.
    e->ignore();
    post_(WM_CLOSE, 0, 0);
}

void FrameWidget::keyPressEvent(QKeyEvent* e) {
    PostKey(post_, e->key(), e->modifiers());
}

void FrameWidget::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange) PostActivation(post_, isActiveWindow());
}

ViewWidget::ViewWidget(MessagePoster post) : post_(std::move(post)) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ViewWidget::SetPixels(const PixelBuffer& pixels) {
    pixels_ = pixels;
    update();
}

void ViewWidget::ForgetPixels() {
    pixels_ = PixelBuffer{};
    update();
}

void ViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!pixels_.Drawable()) {
        painter.fillRect(rect(), QColor(128, 128, 128));
    } else {
        // The canvas's memory, wrapped without a copy.
        const QImage image(
            pixels_.base, pixels_.width, pixels_.height, pixels_.pitch,
            pixels_.bitsPerPixel == 16 ? QImage::Format_RGB16 : QImage::Format_BGR888);
        painter.drawImage(rect(), image);
    }
    post_(WM_PAINT, 0, 0);
}

void ViewWidget::SetConfined(bool confined) {
    if (confined == confined_) return;
    confined_ = confined;
    if (confined) {
        grabMouse();
    } else {
        releaseMouse();
    }
}

void ViewWidget::PostMouse(std::uint32_t message, QMouseEvent* e) {
    QPoint p = e->position().toPoint();
    if (confined_ && width() > 0 && height() > 0)
        p = QPoint(std::clamp(p.x(), 0, width() - 1), std::clamp(p.y(), 0, height() - 1));
    post_(message, MouseKeyFlags(e->buttons(), e->modifiers()), PackMousePosition(p.x(), p.y()));
}

void ViewWidget::mouseMoveEvent(QMouseEvent* e) {
    PostMouse(WM_MOUSEMOVE, e);
}

void ViewWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) PostMouse(WM_LBUTTONDOWN, e);
    if (e->button() == Qt::RightButton) PostMouse(WM_RBUTTONDOWN, e);
    if (e->button() == Qt::MiddleButton) PostMouse(WM_MBUTTONDOWN, e);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) PostMouse(WM_LBUTTONUP, e);
    if (e->button() == Qt::RightButton) PostMouse(WM_RBUTTONUP, e);
    if (e->button() == Qt::MiddleButton) PostMouse(WM_MBUTTONUP, e);
}

void ViewWidget::wheelEvent(QWheelEvent* e) {
    const int turn = e->angleDelta().y();
    if (turn == 0) return;
    const QPoint p = e->position().toPoint();
    const auto high =
        static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(turn, -32768, 32767)));
    post_(WM_MOUSEWHEEL,
          (static_cast<std::uint32_t>(high) << 16) | MouseKeyFlags(e->buttons(), e->modifiers()),
          PackMousePosition(p.x(), p.y()));
}

void ViewWidget::keyPressEvent(QKeyEvent* e) {
    PostKey(post_, e->key(), e->modifiers());
}

void ViewWidget::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    post_(WM_MOUSELEAVE, 0, 0);
}

ViewSubWindow::ViewSubWindow(MessagePoster post, ViewWidget* client)
    : post_(std::move(post)), client_(client) {
    setWidget(client);
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A caption with a close box, as the views' style asks; no minimise or maximise boxes.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setStyle(ViewFrameStyle());
}

void ViewSubWindow::SetViewGeometry(const QRect& outer) {
    setFixedSize(outer.size());
    move(outer.topLeft());
}

void ViewSubWindow::moveEvent(QMoveEvent* e) {
    QMdiSubWindow::moveEvent(e);
    post_(WM_MOVE, 0, PackPoint(pos()));
}

void ViewSubWindow::resizeEvent(QResizeEvent* e) {
    QMdiSubWindow::resizeEvent(e);
    post_(WM_SIZE, 0, PackSize(client_->size()));
}

void ViewSubWindow::closeEvent(QCloseEvent* e) {
    // The view's procedure releases the view and then destroys the window.
    e->ignore();
    post_(WM_CLOSE, 0, 0);
}

void ViewSubWindow::changeEvent(QEvent* e) {
    QMdiSubWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange) return;
    const bool active = windowState().testFlag(Qt::WindowActive);
    if (active == active_) return;
    active_ = active;
    PostActivation(post_, active);
}

}  // namespace kvx::qt
