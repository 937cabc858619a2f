#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "platform/qt/QtTrace.h"

namespace kvx::qt {

using namespace platform;

// The dialog: controls from the template, the presented regions on its face, events turned into
// messages for `deliver`.
class DialogWidget : public QDialog {
  public:
    using Delivery =
        std::function<void(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam)>;

    DialogWidget(const DialogTemplate& t, Delivery deliver) : deliver_(std::move(deliver)) {
        setWindowTitle(QString::fromUtf8(t.title.c_str()));
        QFont f(QString::fromUtf8(t.font.c_str()));
        f.setPointSize(t.points);
        setFont(f);
        const QRect client = DialogUnitsToPixels(Rect{0, 0, t.width, t.height}, f);
        setFixedSize(client.size());
        for (const DialogControl& c : t.controls) {
            QWidget* w = nullptr;
            const QString text = QString::fromUtf8(c.text.c_str());
            switch (c.kind) {
                case DialogControl::Kind::Button:
                case DialogControl::Kind::DefaultButton: {
                    auto* b = new QPushButton(text, this);
                    b->setDefault(c.kind == DialogControl::Kind::DefaultButton);
                    b->setAutoDefault(false);
                    const std::uint32_t id = c.id;
                    connect(b, &QPushButton::clicked, this,
                            [this, id] { deliver_(WM_COMMAND, id, 0); });
                    w = b;
                    break;
                }
                case DialogControl::Kind::Edit:
                case DialogControl::Kind::ReadOnly: {
                    auto* e = new QLineEdit(text, this);
                    e->setReadOnly(c.kind == DialogControl::Kind::ReadOnly);
                    w = e;
                    break;
                }
                case DialogControl::Kind::Icon: {
                    auto* l = new QLabel(this);
                    l->setPixmap(QApplication::windowIcon().pixmap(32, 32));
                    w = l;
                    break;
                }
                case DialogControl::Kind::Label: {
                    auto* l = new QLabel(text, this);
                    l->setWordWrap(c.units.bottom - c.units.top > 12);  // several lines
                    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                    w = l;
                    break;
                }
            }
            w->setGeometry(DialogUnitsToPixels(c.units, f));
            w->setProperty("kolvexId", c.id);
        }
    }

    QWidget* Item(std::uint32_t id) const {
        for (QObject* o : children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && w->property("kolvexId").toUInt() == id) return w;
        }
        return nullptr;
    }

    void Present(const PixelBuffer& pixels, const std::vector<PixelRect>& regions) {
        if (!pixels.Drawable()) return;
        const QImage image(
            pixels.base, pixels.width, pixels.height, pixels.pitch,
            pixels.bitsPerPixel == 16 ? QImage::Format_RGB16 : QImage::Format_BGR888);
        image_ = image.copy();
        regions_ = regions;
        update();
    }

    void Deliver(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam) {
        deliver_(message, wParam, lParam);
    }

  protected:
    void paintEvent(QPaintEvent* e) override {
        QDialog::paintEvent(e);
        if (image_.isNull()) return;
        QPainter painter(this);
        for (const PixelRect& r : regions_) {
            const QRect area(r.left, r.top, r.right - r.left, r.bottom - r.top);
            painter.drawImage(area.topLeft(), image_, area);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) Mouse(WM_LBUTTONDOWN, e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) Mouse(WM_LBUTTONUP, e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) Mouse(WM_LBUTTONDBLCLK, e);
    }
    void mouseMoveEvent(QMouseEvent* e) override { Mouse(WM_MOUSEMOVE, e); }
    // The close box and Escape: the program decides.
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        deliver_(WM_CLOSE, 0, 0);
    }
    void reject() override { deliver_(WM_CLOSE, 0, 0); }

  private:
    void Mouse(std::uint32_t message, QMouseEvent* e) {
        const QPoint p = e->position().toPoint();
        std::uint32_t flags = e->buttons().testFlag(Qt::LeftButton) ? MK_LBUTTON : 0;
        deliver_(message, flags, PackMousePosition(p.x(), p.y()));
    }

    Delivery deliver_;
    QImage image_;
    std::vector<PixelRect> regions_;
};

QRect DialogUnitsToPixels(const Rect& units, const QFont& font) {
    const QFontMetrics fm(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    const int baseY = fm.height();
    const auto x = [&](int u) { return u * baseX / 4; };
    const auto y = [&](int u) { return u * baseY / 8; };
    return QRect(QPoint(x(units.left), y(units.top)),
                 QPoint(x(units.right) - 1, y(units.bottom) - 1));
}

QtDialogHost::~QtDialogHost() {
    for (auto& [h, d] : dialogs_)
        delete d.data();
}

DialogWidget* QtDialogHost::Dialog(WindowHandle dialog) const {
    auto it = dialogs_.find(dialog);
    return it == dialogs_.end() ? nullptr : it->second.data();
}

void QtDialogHost::RunModal(const DialogTemplate& t, DialogProcedure procedure) {
    const WindowHandle handle = ++nextHandle_;
    bool ended = false;
    DialogWidget* widget = nullptr;
    widget = new DialogWidget(t, [&, handle](std::uint32_t m, std::uint32_t w, std::uint32_t l) {
        if (ended) return;
        if (procedure(Message{handle, m, w, l})) {
            ended = true;
            widget->done(0);
        }
    });
    dialogs_[handle] = widget;
    if (trace_) TraceLine("kolvex: dialog \"%s\" opens", t.title.c_str());
    widget->Deliver(WM_INITDIALOG, 0, 0);
    if (!ended) widget->exec();
    dialogs_.erase(handle);
    delete widget;
}

WindowHandle QtDialogHost::OpenModeless(const DialogTemplate& t) {
    const WindowHandle handle = ++nextHandle_;
    auto* widget =
        new DialogWidget(t, [this, handle](std::uint32_t m, std::uint32_t w, std::uint32_t l) {
            queue_.Post(handle, m, w, l);
        });
    dialogs_[handle] = widget;
    widget->setModal(false);
    widget->show();
    queue_.Post(handle, WM_INITDIALOG, 0, 0);
    return handle;
}

void QtDialogHost::CloseModeless(WindowHandle dialog) {
    auto it = dialogs_.find(dialog);
    if (it == dialogs_.end()) return;
    // Gone at once: the editor's own event pumping never runs deferred deletions, and its queue
    // delivers the dialog's messages outside the dialog's own event handlers.
    QPointer<DialogWidget> widget = it->second;
    dialogs_.erase(it);
    if (widget) {
        widget->hide();
        delete widget.data();
    }
}

void QtDialogHost::SetItemText(WindowHandle dialog, std::uint32_t id, const std::string& text) {
    DialogWidget* d = Dialog(dialog);
    QWidget* w = d ? d->Item(id) : nullptr;
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(QString::fromUtf8(text.c_str()));
        e->setCursorPosition(0);  // the number's start stays in sight
    }
    if (auto* l = qobject_cast<QLabel*>(w)) l->setText(QString::fromUtf8(text.c_str()));
}

std::string QtDialogHost::GetItemText(WindowHandle dialog, std::uint32_t id, std::size_t maxChars) {
    DialogWidget* d = Dialog(dialog);
    auto* e = qobject_cast<QLineEdit*>(d ? d->Item(id) : nullptr);
    if (!e) return {};
    return e->text().left(static_cast<qsizetype>(maxChars)).toStdString();
}

void QtDialogHost::PresentDialogRegions(WindowHandle dialog, const PixelBuffer& pixels,
                                        const std::vector<PixelRect>& regions) {
    if (DialogWidget* d = Dialog(dialog)) d->Present(pixels, regions);
}

}  // namespace kvx::qt
