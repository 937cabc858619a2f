#include "platform/qt/QtTrace.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QWidget>
#include <QWindow>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace kvx::qt {

namespace {

std::string Quoted(const QString& s) {
    return "\"" + s.toStdString() + "\"";
}

std::string Place(const QRect& r) {
    return "at " + std::to_string(r.x()) + " " + std::to_string(r.y()) + " size " +
           std::to_string(r.width()) + " " + std::to_string(r.height());
}

// A top-level window the user works with: the frame, a dialog, a message box or a menu (not a
// tooltip or a completion list).
QWidget* UserWindow(QObject* o) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w == nullptr || !w->isWindow()) return nullptr;
    const Qt::WindowType type = w->windowType();
    if (type == Qt::ToolTip || (type == Qt::Popup && qobject_cast<QMenu*>(w) == nullptr))
        return nullptr;
    return w;
}

// X's numbers for the mouse buttons.
int ButtonNumber(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::MiddleButton:
            return 2;
        case Qt::RightButton:
            return 3;
        default:
            return 0;
    }
}

bool traceTimes = false;

// Milliseconds of the monotonic clock, three decimals and a space.
std::string TimePrefix() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char text[40];
    std::snprintf(text, sizeof text, "%lld.%03ld ",
                  static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000,
                  (now.tv_nsec / 1000) % 1000);
    return text;
}

class Tracer : public QObject {
  public:
    explicit Tracer(const platform::MessageQueue& queue) : QObject(qApp), queue_(queue) {
        qApp->installEventFilter(this);
        // Connected after the window system's own handler, which sends what is pending to the
        // X server: the screen lines are written after it.
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { Flush(); });
    }
    void WritePending() {
        if (pending_.empty()) return;
        TraceWrite(pending_);
        pending_.clear();
        sinceIdle_ = true;
        std::fflush(stderr);
    }
    void IdleSoon() {
        idleDue_ = true;
        inputSinceDue_ = false;
    }
    const platform::MessageQueue& Queue() const { return queue_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
            case QEvent::KeyPress:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
                // Delivered to the window first, then to the widget: the window's copy counts.
                if (watched->isWindowType() && e->spontaneous()) Input(e);
                break;
            case QEvent::Shortcut:
                // A key press that was a shortcut reaches no window as a key.
                Now("input shortcut " + static_cast<QShortcutEvent*>(e)
                                            ->key()
                                            .toString(QKeySequence::PortableText)
                                            .toStdString());
                break;
            case QEvent::MouseMove:
                if (watched->isWindowType() && e->spontaneous()) {
                    const QPoint p = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
                    Now("pointer moved to " + std::to_string(p.x()) + " " + std::to_string(p.y()));
                }
                break;
            case QEvent::Show:
                if (QWidget* w = UserWindow(watched)) unexposed_.push_back(w);
                break;
            case QEvent::Expose:
                if (watched->isWindowType()) Exposed(static_cast<QWindow*>(watched));
                break;
            case QEvent::Move:
            case QEvent::Resize:
                if (QWidget* w = UserWindow(watched)) Moved(w);
                break;
            case QEvent::Hide:
                if (QWidget* w = UserWindow(watched)) Hidden(w);
                break;
            case QEvent::WindowActivate:
                if (QWidget* w = UserWindow(watched); w && qobject_cast<QMenu*>(w) == nullptr)
                    Later("window " + Quoted(w->windowTitle()) + " active");
                break;
            case QEvent::DragEnter:
                if (watched->isWidgetType()) Later("drag entered");
                break;
            case QEvent::Drop:
                if (watched->isWidgetType()) Later("dropped");
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void Now(const std::string& line) {
        TraceWrite("kolvex: " + line + "\n");
        sinceIdle_ = true;
        inputSinceDue_ = true;
    }
    void Later(const std::string& line) { pending_ += "kolvex: " + line + "\n"; }

    void Input(QEvent* e) {
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            Now("input key " +
                QKeySequence(k->key()).toString(QKeySequence::PortableText).toStdString());
            return;
        }
        const auto* m = static_cast<QMouseEvent*>(e);
        Now("input button " + std::to_string(ButtonNumber(m->button())) +
            (e->type() == QEvent::MouseButtonPress ? " down" : " up"));
    }

    // The first exposure after a window is shown puts it on the screen.
    void Exposed(QWindow* window) {
        if (!window->isExposed()) return;
        for (auto it = unexposed_.begin(); it != unexposed_.end();) {
            if (it->isNull()) {
                it = unexposed_.erase(it);
            } else if ((*it)->windowHandle() == window) {
                QWidget* w = *it;
                unexposed_.erase(it);
                Shown(w);
                return;
            } else {
                ++it;
            }
        }
    }

    void Shown(QWidget* w) {
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            Later("menu shown " + Quoted(menu->title()));
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || !a->isVisible()) continue;
                const QRect r = menu->actionGeometry(a);
                Later("menu item " + Quoted(a->text().section(QLatin1Char('\t'), 0, 0)) + " " +
                      Place(QRect(menu->mapToGlobal(r.topLeft()), r.size())));
            }
            return;
        }
        places_[w] = Place(w->frameGeometry());
        Later("window " + Quoted(w->windowTitle()) + " " + places_[w]);
    }

    void Moved(QWidget* w) {
        auto it = places_.find(w);
        if (it == places_.end() || !w->isVisible()) return;
        const std::string place = Place(w->frameGeometry());
        if (place == it->second) return;
        it->second = place;
        Later("window " + Quoted(w->windowTitle()) + " " + place);
    }

    void Hidden(QWidget* w) {
        std::erase_if(unexposed_, [w](const QPointer<QWidget>& p) { return p.isNull() || p == w; });
        if (auto* menu = qobject_cast<QMenu*>(w)) {
            Later("menu hidden " + Quoted(menu->title()));
        } else if (places_.erase(w) > 0) {
            Later("window " + Quoted(w->windowTitle()) + " hidden");
        }
    }

    void Flush() {
        WritePending();
        // Input that came in meanwhile has not been handled yet: the next wait tells.
        if (idleDue_ && sinceIdle_ && !inputSinceDue_ && queue_.Empty()) {
            TraceWrite("kolvex: idle\n");
            sinceIdle_ = false;
        }
        idleDue_ = false;
        std::fflush(stderr);
    }

    const platform::MessageQueue& queue_;
    std::string pending_;
    bool idleDue_ = false;
    bool sinceIdle_ = false;      // a line since the last "idle"
    bool inputSinceDue_ = false;  // input since the pump was about to wait
    std::vector<QPointer<QWidget>> unexposed_;
    std::map<QWidget*, std::string> places_;  // the windows on the screen and where
};

QPointer<Tracer> tracer;

}  // namespace

void SetTraceTimes(bool on) {
    traceTimes = on;
}

void TraceWrite(std::string_view lines) {
    if (!traceTimes) {
        std::fwrite(lines.data(), 1, lines.size(), stderr);
        std::fflush(stderr);
        return;
    }
    const std::string time = TimePrefix();
    std::string timed;
    timed.reserve(lines.size() + time.size() * 4);
    for (std::size_t at = 0; at < lines.size();) {
        const std::size_t end = lines.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? lines.size() : end + 1;
        timed += time;
        timed += lines.substr(at, next - at);
        at = next;
    }
    std::fwrite(timed.data(), 1, timed.size(), stderr);
    std::fflush(stderr);
}

void TraceLine(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string line(size > 0 ? static_cast<std::size_t>(size) + 1 : 1, '\0');
    std::vsnprintf(line.data(), line.size(), format, again);
    va_end(again);
    line.back() = '\n';
    TraceWrite(line);
}

void StartQtTrace(const platform::MessageQueue& queue) {
    if (!tracer) tracer = new Tracer(queue);
}

bool TraceBeforeWait() {
    if (!tracer) return true;
    QCoreApplication::sendPostedEvents();
    if (!tracer->Queue().Empty()) return false;
    tracer->IdleSoon();
    return true;
}

void TraceScreenNow() {
    if (tracer) tracer->WritePending();
}

}  // namespace kvx::qt
