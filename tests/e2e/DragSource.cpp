// A small window that drags files, as a file manager does, for the end-to-end test of files
// dropped on the editor:
//   kolvex_drag_source FILE...
// A press of the left button in its window starts a drag of the files (as file URLs); "drag
// started" on stdout tells that the drag runs.

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class Source : public QWidget {
  public:
    explicit Source(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle(QStringLiteral("kolvex-drag-source"));
        setFixedSize(120, 80);
    }

  protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* data = new QMimeData;
        data->setUrls(urls_);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        QTimer::singleShot(0, this, [] {
            std::puts("drag started");
            std::fflush(stdout);
        });
        drag->exec(Qt::CopyAction);
    }

  private:
    QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i)
        urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    Source source(urls);
    source.move(880, 600);
    source.show();
    return app.exec();
}
