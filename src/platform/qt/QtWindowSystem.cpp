#include "platform/qt/QtWindowSystem.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/Constants.h"
#include "platform/WindowConstants.h"
#include "platform/qt/QtTrace.h"
#include "platform/qt/ReferenceWindow.h"
#include "resources/CursorImages.h"
#include "resources/Cursors.h"
#include "resources/Icon.h"

namespace kvx::qt {

using namespace platform;

namespace {

// A cursor picture as a Qt cursor.
QCursor CursorFromPicture(const resources::CursorImage& picture) {
    QImage image(resources::CursorSize, resources::CursorSize, QImage::Format_ARGB32);
    for (int y = 0; y < resources::CursorSize; ++y) {
        const std::string_view row = picture.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < resources::CursorSize; ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            image.setPixel(x, y,
                           c == '#'   ? qRgba(0, 0, 0, 255)
                           : c == 'o' ? qRgba(255, 255, 255, 255)
                                      : qRgba(0, 0, 0, 0));
        }
    }
    return QCursor(QPixmap::fromImage(image), picture.hotX, picture.hotY);
}

// The cursor table as Qt cursors: built the first time a view needs one, dropped with the
// application (their pixmaps must not outlive it).
std::vector<QCursor> viewCursors;

const QCursor& ViewCursor(int index) {
    if (viewCursors.empty()) {
        for (int i = 0; i < static_cast<int>(resources::CursorNames.size()); ++i)
            viewCursors.push_back(CursorFromPicture(resources::CursorImageAt(i)));
        qAddPostRoutine([] { viewCursors.clear(); });
    }
    const bool known = index >= 0 && index < static_cast<int>(viewCursors.size());
    return viewCursors[known ? static_cast<std::size_t>(index) : 0];
}

QString Text(const std::string& s) {
    return QString::fromUtf8(s.c_str());
}

Rect ToRect(const QRect& r) {
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The icon resource "ICON1" as a Qt icon.
QIcon ProgramIcon() {
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const char c =
                resources::Icon1[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            image.setPixel(x, y,
                           c == '#'   ? qRgba(0, 0, 0, 255)
                           : c == 'o' ? qRgba(0, 0, 255, 255)
                                      : qRgba(0, 0, 0, 0));
        }
    }
    return QIcon(QPixmap::fromImage(image));
}

// Keeps the cursor inside a screen rectangle while it is confined.
class CursorClamp : public QObject {
  public:
    explicit CursorClamp(std::optional<Rect>* clip) : clip_(clip) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::MouseMove && clip_->has_value()) {
            const Rect& r = **clip_;
            const QPoint p = QCursor::pos();
            const QPoint q(std::clamp(p.x(), r.left, r.right - 1),
                           std::clamp(p.y(), r.top, r.bottom - 1));
            if (q != p) QCursor::setPos(q);
        }
        return QObject::eventFilter(watched, e);
    }

  private:
    std::optional<Rect>* clip_;
};

CursorClamp* clampFilter = nullptr;

}  // namespace

QtWindowSystem::QtWindowSystem(MessageQueue& queue) : queue_(queue) {
    clampFilter = new CursorClamp(&clip_);
    qApp->installEventFilter(clampFilter);
    QApplication::setWindowIcon(ProgramIcon());
}

QtWindowSystem::~QtWindowSystem() {
    qApp->removeEventFilter(clampFilter);
    delete clampFilter;
    clampFilter = nullptr;
    timers_.clear();
    for (auto& [h, e] : entries_) {
        if (e.kind == Kind::Frame && e.widget) delete e.widget.data();
    }
}

WindowHandle QtWindowSystem::Add(Kind kind, QWidget* widget, WindowHandle owner,
                                 const std::string& title) {
    entries_[++nextHandle_] = Entry{kind, widget, owner, title};
    return nextHandle_;
}

const QtWindowSystem::Entry* QtWindowSystem::Find(WindowHandle window) const {
    auto it = entries_.find(window);
    if (it == entries_.end() || !it->second.widget) return nullptr;
    return &it->second;
}

void QtWindowSystem::SetTrace(bool on) {
    trace_ = on;
    if (on) StartQtTrace(queue_);
}

QWidget* QtWindowSystem::Widget(WindowHandle window) const {
    const Entry* e = Find(window);
    return e ? e->widget.data() : nullptr;
}

ViewWidget* QtWindowSystem::Client(WindowHandle window) const {
    const Entry* e = Find(window);
    if (!e || e->kind != Kind::View) return nullptr;
    return static_cast<ViewSubWindow*>(e->widget.data())->client();
}

void QtWindowSystem::SetStatusText(WindowHandle frame, const std::string& text) {
    const Entry* e = Find(frame);
    if (e && e->kind == Kind::Frame && e->widget)
        static_cast<FrameWidget*>(e->widget.data())->SetStatusText(Text(text));
    if (trace_) TraceLine("kolvex: status %s", text.c_str());
}

void QtWindowSystem::SetStatusHint(WindowHandle frame, const std::string& text) {
    const Entry* e = Find(frame);
    if (e && e->kind == Kind::Frame && e->widget)
        static_cast<FrameWidget*>(e->widget.data())->SetStatusHint(Text(text));
    if (trace_) std::fprintf(stderr, "kolvex: hint %s\n", text.c_str());
}

QAction* QtWindowSystem::MenuAction(std::uint32_t id) const {
    auto it = menuActions_.find(id);
    return it == menuActions_.end() ? nullptr : it->second.data();
}

MessagePoster QtWindowSystem::PosterFor(WindowHandle window) {
    return [this, window](std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam) {
        queue_.Post(window, message, wParam, lParam);
    };
}

int QtWindowSystem::DesktopBitsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

Point QtWindowSystem::ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return Point{};
    return Point{screen->geometry().width(), screen->geometry().height()};
}

// Qt needs no registration; the class names only name the windows.
bool QtWindowSystem::RegisterClass(const WindowClassInfo&) {
    return true;
}

void QtWindowSystem::UnregisterClass(const std::string&) {}

WindowHandle QtWindowSystem::CreateTopLevel(const std::string&, const std::string& title,
                                            std::uint32_t, std::uint32_t, Rect outer) {
    const WindowHandle handle = nextHandle_ + 1;
    auto* frame = new FrameWidget(PosterFor(handle));
    frame->setWindowTitle(Text(title));
    frame->move(outer.left, outer.top);
    frame->resize(outer.Width(), outer.Height() + frame->StatusBarHeight());
    Add(Kind::Frame, frame, NoWindow, title);
    if (frame_ == NoWindow) frame_ = handle;
    return handle;
}

WindowHandle QtWindowSystem::CreateMdiClient(WindowHandle frame, int) {
    const Entry* e = Find(frame);
    if (!e || e->kind != Kind::Frame) return NoWindow;
    return Add(Kind::MdiClient, static_cast<FrameWidget*>(e->widget.data())->mdiArea(), frame, {});
}

WindowHandle QtWindowSystem::CreateMdiChild(WindowHandle mdiClient, const std::string&,
                                            const std::string& title, std::uint32_t, Rect outer) {
    const Entry* e = Find(mdiClient);
    if (!e || e->kind != Kind::MdiClient) return NoWindow;
    auto* area = static_cast<QMdiArea*>(e->widget.data());
    const WindowHandle handle = nextHandle_ + 1;
    auto* client = new ViewWidget(PosterFor(handle));
    auto* sub = new ViewSubWindow(PosterFor(handle), client);
    sub->setWindowTitle(Text(title));
    area->addSubWindow(sub);
    sub->SetViewGeometry(QRect(outer.left, outer.top, outer.Width(), outer.Height()));
    ApplyCursor(client);
    Add(Kind::View, sub, mdiClient, title);
    return handle;
}

void QtWindowSystem::DestroyWindow(WindowHandle window) {
    auto it = entries_.find(window);
    if (it == entries_.end()) return;
    Entry entry = it->second;
    entries_.erase(it);
    for (auto t = timers_.begin(); t != timers_.end();) {
        t = t->first.first == window ? timers_.erase(t) : std::next(t);
    }
    if (!entry.widget) return;
    if (entry.kind == Kind::View) {
        auto* sub = static_cast<ViewSubWindow*>(entry.widget.data());
        if (confinedIn_ == sub->client()) ClipCursor(std::nullopt);
        if (QMdiArea* area = sub->mdiArea()) area->removeSubWindow(sub);
        delete sub;
    } else if (entry.kind == Kind::Frame) {
        // Its MDI client and views go with it.
        for (auto e = entries_.begin(); e != entries_.end();) {
            const bool child = e->second.owner == window ||
                               (e->second.kind == Kind::View && Find(e->second.owner) == nullptr);
            e = child ? entries_.erase(e) : std::next(e);
        }
        entry.widget->hide();
        delete entry.widget.data();
        if (frame_ == window) frame_ = NoWindow;
    }
}

void QtWindowSystem::ShowWindow(WindowHandle window, std::int32_t command) {
    QWidget* w = Widget(window);
    if (!w) return;
    switch (command) {
        case SW_HIDE:
            w->hide();
            break;
        case SW_SHOWMAXIMIZED: {
            w->showMaximized();
            // Without a window manager nobody resizes a maximised window: fill the screen's
            // available area ourselves when it is still at its normal size.
            QPointer<QWidget> guard(w);
            QTimer::singleShot(100, w, [guard] {
                const QScreen* screen = guard ? guard->screen() : nullptr;
                if (!screen || !guard->isMaximized()) return;
                const QRect available = screen->availableGeometry();
                if (guard->frameGeometry().size() != available.size())
                    guard->setGeometry(available);
            });
            break;
        }
        case SW_RESTORE:
            w->showNormal();
            break;
        default:
            w->show();
            break;
    }
}

void QtWindowSystem::MoveWindow(WindowHandle window, Rect outer) {
    const Entry* e = Find(window);
    if (!e) return;
    switch (e->kind) {
        case Kind::MdiClient:
            break;  // the frame's layout keeps it over the frame's client area
        case Kind::Frame: {
            auto* frame = static_cast<FrameWidget*>(e->widget.data());
            frame->move(outer.left, outer.top);
            frame->resize(outer.Width(), outer.Height() + frame->StatusBarHeight());
            break;
        }
        case Kind::View:
            static_cast<ViewSubWindow*>(e->widget.data())
                ->SetViewGeometry(QRect(outer.left, outer.top, outer.Width(), outer.Height()));
            break;
    }
}

void QtWindowSystem::SetWindowPosition(WindowHandle window, Point topLeft) {
    if (QWidget* w = Widget(window)) w->move(topLeft.x, topLeft.y);
}

bool QtWindowSystem::IsMinimized(WindowHandle window) {
    const QWidget* w = Widget(window);
    return w != nullptr && (w->isMinimized() || w->window()->isMinimized());
}

Rect QtWindowSystem::GetClientRect(WindowHandle window) {
    const Entry* e = Find(window);
    if (!e) return Rect{};
    QSize size;
    switch (e->kind) {
        case Kind::Frame:
            size = static_cast<FrameWidget*>(e->widget.data())->centralWidget()->size();
            break;
        case Kind::MdiClient:
            size = static_cast<QMdiArea*>(e->widget.data())->viewport()->size();
            break;
        case Kind::View:
            size = static_cast<ViewSubWindow*>(e->widget.data())->client()->size();
            break;
    }
    return Rect{0, 0, size.width(), size.height()};
}

Rect QtWindowSystem::GetWindowRect(WindowHandle window) {
    const Entry* e = Find(window);
    if (!e) return Rect{};
    if (e->kind == Kind::Frame) return ToRect(e->widget->frameGeometry());
    return ToRect(QRect(e->widget->mapToGlobal(QPoint(0, 0)), e->widget->size()));
}

Point QtWindowSystem::ClientToScreen(WindowHandle window, Point p) {
    const Entry* e = Find(window);
    if (!e) return p;
    QWidget* client = nullptr;
    switch (e->kind) {
        case Kind::Frame:
            client = static_cast<FrameWidget*>(e->widget.data())->centralWidget();
            break;
        case Kind::MdiClient:
            client = static_cast<QMdiArea*>(e->widget.data())->viewport();
            break;
        case Kind::View:
            client = static_cast<ViewSubWindow*>(e->widget.data())->client();
            break;
    }
    const QPoint q = client->mapToGlobal(QPoint(p.x, p.y));
    return Point{q.x(), q.y()};
}

Rect QtWindowSystem::AdjustWindowRect(Rect client, std::uint32_t style, bool hasMenu,
                                      std::uint32_t) {
    // MDI subwindows draw their own caption and border; measure them on a live one when there is
    // one, or ask the style.
    QMargins m;
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->second.kind == Kind::View && it->second.widget) {
            it->second.widget->ensurePolished();
            m = it->second.widget->contentsMargins();
            break;
        }
    }
    if (m.isNull()) {
        const QStyle* s = ViewFrameStyle();
        const int border = s->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        const int caption =
            (style & WS_CAPTION) == WS_CAPTION ? s->pixelMetric(QStyle::PM_TitleBarHeight) : 0;
        m = QMargins(border, caption + border, border, border);
    }
    const int menu = hasMenu ? QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) : 0;
    return Rect{client.left - m.left(), client.top - m.top() - menu, client.right + m.right(),
                client.bottom + m.bottom()};
}

void QtWindowSystem::AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items, bool menuBar,
                                  WindowHandle owner) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuItem::Kind::Popup:
                AddMenuItems(menu->addMenu(Text(item.text)), item.items, menuBar, owner);
                break;
            case MenuItem::Kind::Command: {
                QAction* action = menu->addAction(Text(item.text));
                action->setData(item.id);
                // Items become checkable once the program checks them.
                action->setCheckable(item.checked);
                action->setChecked(item.checked);
                if (menuBar) {
                    QList<QKeySequence> keys;
                    for (const std::string& k : item.shortcuts)
                        keys.append(QKeySequence::fromString(QString::fromStdString(k),
                                                             QKeySequence::PortableText));
                    action->setShortcuts(keys);
                    menuActions_[item.id] = action;
                    const std::uint32_t id = item.id;
                    QObject::connect(action, &QAction::triggered, action,
                                     [this, action, id, owner](bool checked) {
                                         // Only the program sets check marks: undo Qt's own toggle.
                                         if (action->isCheckable()) action->setChecked(!checked);
                                         queue_.Post(owner, WM_COMMAND, id, 0);
                                     });
                }
                break;
            }
        }
    }
}

void QtWindowSystem::FillWindowList(QMenu* menu) {
    // Below the "Fenetre" items: one entry per view window, the active one checked.
    for (QAction* a : menu->actions()) {
        if (a->property("kolvexWindowList").toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    const Entry* frame = Find(frame_);
    if (!frame) return;
    QMdiArea* area = static_cast<FrameWidget*>(frame->widget.data())->mdiArea();
    const auto subs = area->subWindowList();
    if (subs.isEmpty()) return;
    QAction* separator = menu->addSeparator();
    separator->setProperty("kolvexWindowList", true);
    int n = 1;
    for (QMdiSubWindow* sub : subs) {
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(sub->windowTitle()));
        a->setProperty("kolvexWindowList", true);
        a->setCheckable(true);
        a->setChecked(sub == area->activeSubWindow());
        QObject::connect(a, &QAction::triggered, area,
                         [area, sub] { area->setActiveSubWindow(sub); });
    }
}

void QtWindowSystem::SetMenu(WindowHandle frame, const Menu& menu) {
    const Entry* e = Find(frame);
    if (!e || e->kind != Kind::Frame) return;
    auto* window = static_cast<FrameWidget*>(e->widget.data());
    QMenuBar* bar = window->menuBar();
    bar->clear();
    menuActions_.clear();
    int index = 0;
    for (const MenuItem& popup : menu.popups) {
        QMenu* m = bar->addMenu(Text(popup.text));
        AddMenuItems(m, popup.items, true, frame);
        QObject::connect(m, &QMenu::aboutToHide, window,
                         [window] { window->ReturnKeyboardSoon(); });
        if (index++ == 8) {
            windowMenu_ = m;
            QObject::connect(m, &QMenu::aboutToShow, m, [this, m] { FillWindowList(m); });
        }
    }
}

void QtWindowSystem::CheckMenuItem(std::uint32_t id, bool checked) {
    // Only a checked item is checkable: an unchecked one looks like one never checked, with no
    // empty box.
    if (QAction* a = MenuAction(id)) {
        a->setChecked(false);
        a->setCheckable(checked);
        a->setChecked(checked);
    }
}

void QtWindowSystem::SetMenuItemText(std::uint32_t id, const std::string& text, bool shown) {
    if (QAction* a = MenuAction(id)) {
        a->setText(Text(text));
        a->setVisible(shown);
    }
}

void QtWindowSystem::SetMenuTexts(WindowHandle frame, const Menu& menu) {
    const Entry* e = Find(frame);
    if (!e || e->kind != Kind::Frame) return;
    const QList<QAction*> popups =
        static_cast<FrameWidget*>(e->widget.data())->menuBar()->actions();
    for (qsizetype n = 0; n < popups.size() && n < static_cast<qsizetype>(menu.popups.size());
         ++n) {
        popups[n]->setText(Text(menu.popups[static_cast<std::size_t>(n)].text));
        if (QMenu* m = popups[n]->menu())
            SetItemTexts(m, menu.popups[static_cast<std::size_t>(n)].items);
    }
    if (trace_) TraceMenuBar();
}

void QtWindowSystem::SetItemTexts(QMenu* menu, const std::vector<MenuItem>& items) {
    // The actions made from the items come first, in their order (the window list follows).
    const QList<QAction*> actions = menu->actions();
    for (qsizetype n = 0; n < actions.size() && n < static_cast<qsizetype>(items.size()); ++n) {
        const MenuItem& item = items[static_cast<std::size_t>(n)];
        if (item.kind == MenuItem::Kind::Separator) continue;
        // A command whose text the program gives while it runs (a recent file) keeps it.
        if (item.kind == MenuItem::Kind::Command && item.text.empty()) continue;
        actions[n]->setText(Text(item.text));
        if (item.kind == MenuItem::Kind::Popup && actions[n]->menu())
            SetItemTexts(actions[n]->menu(), item.items);
    }
}

void QtWindowSystem::TrackPopupMenu(const MenuItem& popup, std::uint32_t flags, Point screen,
                                    WindowHandle owner) {
    std::optional<std::uint32_t> chosen;
    if (popupAnswerer_) {
        chosen = popupAnswerer_(popup);
    } else {
        QMenu menu;
        AddMenuItems(&menu, popup.items, false, owner);
        QPoint at(screen.x, screen.y);
        const QSize size = menu.sizeHint();
        if (flags & TPM_CENTERALIGN) at.rx() -= size.width() / 2;
        if (flags & TPM_VCENTERALIGN) at.ry() -= size.height() / 2;
        if (trace_) {
            TraceLine("kolvex: popup menu at %d %d size %d %d", at.x(), at.y(), size.width(),
                      size.height());
        }
        if (QAction* a = menu.exec(at)) chosen = a->data().toUInt();
    }
    if (chosen) queue_.Post(owner, WM_COMMAND, *chosen, 0);
}

void QtWindowSystem::ApplyCursor(QWidget* widget) const {
    widget->setCursor(ViewCursor(cursorIndex_));
}

void QtWindowSystem::SetCursor(int index) {
    cursorIndex_ = index;
    for (auto& [h, e] : entries_) {
        if (e.kind == Kind::View && e.widget)
            ApplyCursor(static_cast<ViewSubWindow*>(e.widget.data())->client());
    }
}

void QtWindowSystem::ClipCursor(std::optional<Rect> screen) {
    clip_ = screen;
    if (confinedIn_) confinedIn_->SetConfined(false);
    confinedIn_ = nullptr;
    if (!screen) return;
    // The view whose client area is the rectangle holds the pointer until it is freed.
    for (auto& [h, e] : entries_) {
        if (e.kind != Kind::View || !e.widget) continue;
        ViewWidget* client = static_cast<ViewSubWindow*>(e.widget.data())->client();
        const QRect area(client->mapToGlobal(QPoint(0, 0)), client->size());
        if (area == QRect(screen->left, screen->top, screen->Width(), screen->Height())) {
            confinedIn_ = client;
            client->SetConfined(true);
            break;
        }
    }
}

bool QtWindowSystem::Present(WindowHandle window, const PixelBuffer& pixels) {
    ViewWidget* client = Client(window);
    if (!client) return false;
    client->SetPixels(pixels);
    if (trace_) TraceMenuBar();
    if (trace_) {
        const QPoint at = client->mapToGlobal(QPoint(0, 0));
        TraceLine("kolvex: presented \"%s\" at %d %d size %d %d", Find(window)->title.c_str(),
                  at.x(), at.y(), client->width(), client->height());
    }
    return true;
}

void QtWindowSystem::ForgetPixels(WindowHandle window) {
    if (ViewWidget* client = Client(window)) client->ForgetPixels();
}

void QtWindowSystem::SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t milliseconds) {
    auto& timer = timers_[{window, id}];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout,
                         [this, window, id] { queue_.Post(window, WM_TIMER, id, 0); });
    }
    timer->start(static_cast<int>(milliseconds));
}

void QtWindowSystem::KillTimer(WindowHandle window, std::uint32_t id) {
    timers_.erase({window, id});
}

std::vector<std::string> QtWindowSystem::TakeDroppedFiles() {
    const Entry* frame = Find(frame_);
    if (!frame) return {};
    return static_cast<FrameWidget*>(frame->widget.data())->TakeDroppedFiles();
}

void QtWindowSystem::TraceMenuBar() {
    const Entry* frame = Find(frame_);
    if (!frame) return;
    QMenuBar* bar = static_cast<FrameWidget*>(frame->widget.data())->menuBar();
    std::string lines;
    for (QAction* a : bar->actions()) {
        const QRect r = bar->actionGeometry(a);
        const QPoint at = bar->mapToGlobal(r.topLeft());
        lines += "kolvex: menu \"" + a->text().toStdString() + "\" at " + std::to_string(at.x()) +
                 " " + std::to_string(at.y()) + " size " + std::to_string(r.width()) + " " +
                 std::to_string(r.height()) + "\n";
    }
    if (lines == tracedMenus_) return;
    tracedMenus_ = lines;
    TraceWrite(lines);
}

void QtWindowSystem::ProcessNonInputEvents(int milliseconds) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, milliseconds);
    // The X server has what the events asked for; the trace says it.
    QGuiApplication::sync();
    qt::TraceScreenNow();
}

void QtWindowSystem::SetBusyCursor(bool busy) {
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    if (trace_) TraceLine("kolvex: busy cursor %s", busy ? "on" : "off");
}

bool QtEventPump::ProcessEvents(bool wait) {
    // Asked to wait, the editor has handled every message it was given.
    if (wait && !TraceBeforeWait()) return true;
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    return true;
}

void QtWindowSystem::ShowReference(const std::string& title, const std::string& html) {
    const Entry* frame = Find(frame_);
    if (!frame || !frame->widget) return;
    auto* window = static_cast<ReferenceWindow*>(reference_.data());
    if (!window) {
        window = new ReferenceWindow(frame->widget,
                                     [](int index) { return ViewCursor(index).pixmap(); });
        reference_ = window;
    }
    window->show();
    window->raise();
    window->activateWindow();
    FillReference(title, html);
}

void QtWindowSystem::UpdateReference(const std::string& title, const std::string& html) {
    if (reference_ && reference_->isVisible()) FillReference(title, html);
}

void QtWindowSystem::FillReference(const std::string& title, const std::string& html) {
    auto* window = static_cast<ReferenceWindow*>(reference_.data());
    window->setWindowTitle(Text(title));
    window->setHtml(Text(html));
    if (trace_) {
        const QRect r = window->frameGeometry();
        TraceLine("kolvex: reference \"%s\" at %d %d size %d %d", title.c_str(), r.x(), r.y(),
                  r.width(), r.height());
        for (const QString& line : window->toPlainText().split(QLatin1Char('\n')))
            TraceLine("kolvex: reference: %s", line.toUtf8().constData());
    }
}

}  // namespace kvx::qt
