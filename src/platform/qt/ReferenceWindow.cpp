#include "platform/qt/ReferenceWindow.h"

#include <QKeyEvent>
#include <QTextDocument>
#include <QUrl>

namespace kvx::qt {

ReferenceWindow::ReferenceWindow(QWidget* parent, CursorPicture cursorPicture)
    : QTextBrowser(parent), cursorPicture_(std::move(cursorPicture)) {
    // A window of its own above the frame, closed by its own close box.
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setOpenLinks(false);
    resize(760, 620);
}

void ReferenceWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(e);
}

QVariant ReferenceWindow::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::ImageResource && name.scheme() == QStringLiteral("cursor")) {
        bool ok = false;
        const int index = name.path().toInt(&ok);
        if (ok && cursorPicture_) return cursorPicture_(index);
    }
    return QTextBrowser::loadResource(type, name);
}

}  // namespace kvx::qt
