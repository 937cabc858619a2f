// The Qt platform: events become the right messages, menus post their commands and keep only the
// program's check marks, a view shows exactly the presented pixels, the sizes the shell asks for
// come out, timers tick, and prompts answer by themselves when told to.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "canvas/Canvas.h"
#include "platform/Constants.h"
#include "platform/Dialogs.h"
#include "platform/WindowConstants.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/qt/ToolkitFrench.h"
#include "resources/CommandIds.h"
#include "shell/MenuResources.h"

namespace kvx::qt {
namespace {

using namespace platform;

QApplication& App() {
    static int argc = 1;
    static char name[] = "kolvex-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class QtPlatformTest : public ::testing::Test {
  protected:
    void SetUp() override {
        App();
        windows = std::make_unique<QtWindowSystem>(queue);
        frame = windows->CreateTopLevel("ClassFenetrePrincipale", "Kolvex v1.0", 0, 0,
                                        Rect{0, 0, 900, 700});
        windows->SetMenu(frame, MenuOf(CommandSource::Frame));
        windows->ShowWindow(frame, SW_SHOW);
        client = windows->CreateMdiClient(frame, 8);
        view =
            windows->CreateMdiChild(client, "ClassFenetreTOP", "Dessus", 0, Rect{0, 0, 260, 280});
        windows->ShowWindow(view, SW_SHOW);
        Settle();
        queue.Clear();
    }
    void TearDown() override {
        windows.reset();
        Settle();
    }
    void Settle() {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    // The messages queued so far, oldest first.
    std::vector<Message> Taken() {
        Settle();
        std::vector<Message> out;
        Message m;
        while (queue.TryTake(m))
            out.push_back(m);
        return out;
    }
    bool Has(const std::vector<Message>& ms, const Message& wanted) {
        for (const Message& m : ms)
            if (m == wanted) return true;
        return false;
    }

    MessageQueue queue;
    std::unique_ptr<QtWindowSystem> windows;
    WindowHandle frame = NoWindow, client = NoWindow, view = NoWindow;
};

TEST(KeyMapTest, QtKeysBecomeVirtualKeysAndMouseFlags) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Escape, {}), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Q, {}), static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_7, {}), static_cast<std::uint32_t>('7'));
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_PageUp, {}), VK_PRIOR);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Insert, {}), VK_INSERT);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Apostrophe, {}), VK_OEM_7);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Plus, Qt::KeypadModifier), VK_ADD);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::KeypadModifier), VK_SUBTRACT);
    EXPECT_NE(VirtualKeyFromQt(Qt::Key_Plus, {}), VK_ADD);  // not the keypad key
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Tab, {}), VK_TAB);
    EXPECT_EQ(MouseKeyFlags(Qt::LeftButton, Qt::ControlModifier), MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(MouseKeyFlags(Qt::NoButton, Qt::ControlModifier), MK_CONTROL);
    EXPECT_EQ(MouseKeyFlags(Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier),
              MK_RBUTTON | MK_SHIFT | MK_CONTROL);
}

TEST_F(QtPlatformTest, MouseInAViewBecomesMessagesWithClientPositions) {
    QWidget* w = windows->Client(view);
    ASSERT_NE(w, nullptr);
    QMouseEvent move(QEvent::MouseMove, QPointF(17, 42), w->mapToGlobal(QPointF(17, 42)),
                     Qt::NoButton, Qt::NoButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(w, &move);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 5), w->mapToGlobal(QPointF(3, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(4, 6), w->mapToGlobal(QPointF(4, 6)),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
    const auto ms = Taken();
    EXPECT_TRUE(Has(ms, Message{view, WM_MOUSEMOVE, MK_CONTROL, MakeLong(17, 42)}));
    EXPECT_TRUE(Has(ms, Message{view, WM_LBUTTONDOWN, MK_LBUTTON, MakeLong(3, 5)}));
    EXPECT_TRUE(Has(ms, Message{view, WM_RBUTTONUP, 0, MakeLong(4, 6)}));
}

TEST_F(QtPlatformTest, AltCombinationsAreSystemKeysAndTabReachesTheView) {
    QWidget* w = windows->Client(view);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::AltModifier);
    QCoreApplication::sendEvent(w, &home);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);  // not a focus move
    QCoreApplication::sendEvent(w, &tab);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(windows->Widget(frame), &esc);
    // Ctrl with a letter is a shortcut, never the letter; Ctrl with an arrow stays the arrow.
    QKeyEvent ctrlS(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
    QCoreApplication::sendEvent(w, &ctrlS);
    QKeyEvent ctrlLeft(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier);
    QCoreApplication::sendEvent(w, &ctrlLeft);
    const auto ms = Taken();
    EXPECT_TRUE(Has(ms, Message{view, WM_SYSKEYDOWN, VK_HOME, 0}));
    EXPECT_TRUE(Has(ms, Message{view, WM_KEYDOWN, VK_TAB, 0}));
    EXPECT_TRUE(Has(ms, Message{frame, WM_KEYDOWN, VK_ESCAPE, 0}));
    EXPECT_FALSE(Has(ms, Message{view, WM_KEYDOWN, 'S', 0}));
    EXPECT_TRUE(Has(ms, Message{view, WM_KEYDOWN, VK_LEFT, 0}));
}

TEST_F(QtPlatformTest, AConfinedViewReportsOnlyPositionsInsideIt) {
    QWidget* w = windows->Client(view);
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    windows->ClipCursor(Rect{at.x(), at.y(), at.x() + w->width(), at.y() + w->height()});
    QMouseEvent out(QEvent::MouseMove, QPointF(w->width() + 40, -7), QPointF(), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &out);
    windows->ClipCursor(std::nullopt);
    QCoreApplication::sendEvent(w, &out);
    const auto ms = Taken();
    const auto right = static_cast<std::uint16_t>(w->width() - 1);
    EXPECT_TRUE(Has(ms, Message{view, WM_MOUSEMOVE, MK_LBUTTON, MakeLong(right, 0)}));
    EXPECT_TRUE(
        Has(ms, Message{view, WM_MOUSEMOVE, MK_LBUTTON, PackMousePosition(w->width() + 40, -7)}));
}

TEST_F(QtPlatformTest, ClosingAWindowOnlyAsksTheProgram) {
    QCloseEvent close;
    QCoreApplication::sendEvent(windows->Widget(view), &close);
    QCloseEvent closeFrame;
    QCoreApplication::sendEvent(windows->Widget(frame), &closeFrame);
    const auto ms = Taken();
    EXPECT_TRUE(Has(ms, Message{view, WM_CLOSE, 0, 0}));
    EXPECT_TRUE(Has(ms, Message{frame, WM_CLOSE, 0, 0}));
    EXPECT_NE(windows->Widget(view), nullptr);  // still there until the program destroys it
    windows->DestroyWindow(view);
    EXPECT_EQ(windows->Widget(view), nullptr);
    EXPECT_FALSE(windows->Present(view, PixelBuffer{}));
}

// Moving and sizing a view are messages; the adjusted outer size gives the asked client size.
TEST_F(QtPlatformTest, MovingAndSizingAView) {
    const Rect outer =
        windows->AdjustWindowRect(Rect{0, 0, 250, 250}, WS_CAPTION | WS_SYSMENU, false, 0x300);
    windows->SetWindowPosition(view, Point{40, 30});
    windows->MoveWindow(view,
                        Rect{40, 30, 40 + outer.right - outer.left, 30 + outer.bottom - outer.top});
    const auto ms = Taken();
    bool moved = false, sized = false;
    for (const Message& m : ms) {
        moved = moved || (m.window == view && m.message == WM_MOVE);
        sized = sized || (m.window == view && m.message == WM_SIZE);
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(sized);
    EXPECT_EQ(windows->Widget(view)->pos(), QPoint(40, 30));
    const Rect c = windows->GetClientRect(view);
    EXPECT_EQ(c.right, 250);
    EXPECT_EQ(c.bottom, 250);
    const Point p = windows->ClientToScreen(view, Point{0, 0});
    EXPECT_EQ(QPoint(p.x, p.y), windows->Client(view)->mapToGlobal(QPoint(0, 0)));
}

// Views at the described spacing (273 pixels between rows, 256 between columns) covered row 249
// of the top row's pictures with the bottom row's frames; and a view's border could be dragged,
// stretching its picture while mouse positions kept to 250 pixels.
TEST_F(QtPlatformTest, RegressionViewsAtTheDescribedSpacingShowWholePicturesAndKeepTheirSize) {
    const Rect outer =
        windows->AdjustWindowRect(Rect{0, 0, 250, 250}, WS_CAPTION | WS_SYSMENU, false, 0x300);
    const Point places[] = {{0, 0}, {0, 273}, {256, 0}, {256, 273}};
    std::vector<WindowHandle> views;
    for (const Point& p : places) {
        const WindowHandle v =
            windows->CreateMdiChild(client, "ClassFenetreTOP", "Vue", 0,
                                    Rect{p.x, p.y, p.x + outer.Width(), p.y + outer.Height()});
        windows->ShowWindow(v, SW_SHOW);
        views.push_back(v);
    }
    Settle();
    for (const WindowHandle a : views) {
        ViewWidget* picture = windows->Client(a);
        ASSERT_EQ(picture->size(), QSize(250, 250));
        const QRect shown(picture->mapTo(picture->window(), QPoint(0, 0)), picture->size());
        for (const WindowHandle b : views) {
            if (a == b) continue;
            QWidget* frame = windows->Widget(b);
            const QRect covered(frame->mapTo(frame->window(), QPoint(0, 0)), frame->size());
            EXPECT_FALSE(shown.intersects(covered))
                << "view at " << shown.x() << "," << shown.y() << " under a frame at "
                << covered.x() << "," << covered.y();
        }
    }
    // Nothing the user does to the frame changes the picture's size.
    QWidget* frame = windows->Widget(views[0]);
    frame->resize(400, 380);
    Settle();
    EXPECT_EQ(windows->Client(views[0])->size(), QSize(250, 250));
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
}

TEST_F(QtPlatformTest, MenuCommandsArePostedAndOnlyTheProgramChecks) {
    QAction* grille = windows->MenuAction(cmd::Grille);
    QAction* nouveau = windows->MenuAction(cmd::Nouveau);
    ASSERT_NE(grille, nullptr);
    ASSERT_NE(nouveau, nullptr);
    EXPECT_EQ(grille->text(), QString("Grille"));
    EXPECT_EQ(windows->MenuAction(cmd::InverserSelection)->text(),
              QString::fromUtf8("Inverser la sélection"));
    EXPECT_EQ(windows->MenuAction(cmd::VueDerriere)->text(), QString::fromUtf8("Derrière"));
    nouveau->trigger();
    EXPECT_FALSE(nouveau->isChecked());
    windows->CheckMenuItem(cmd::Grille, true);
    grille->trigger();
    EXPECT_TRUE(grille->isChecked());  // Qt's own toggle is undone
    windows->CheckMenuItem(cmd::Grille, false);
    EXPECT_FALSE(grille->isChecked());
    // Regression: an item unchecked showed an empty box where a never-checked one shows nothing.
    EXPECT_EQ(grille->isCheckable(), nouveau->isCheckable());
    grille->trigger();
    EXPECT_FALSE(grille->isChecked());
    const auto ms = Taken();
    EXPECT_TRUE(Has(ms, Message{frame, WM_COMMAND, cmd::Nouveau, 0}));
    EXPECT_TRUE(Has(ms, Message{frame, WM_COMMAND, cmd::Grille, 0}));
}

TEST_F(QtPlatformTest, MenuTextsChangeInPlaceKeepingChecksShownItemsAndShortcuts) {
    windows->CheckMenuItem(cmd::Regles, true);
    windows->SetMenuItemText(cmd::RecentFile0, "1 a.KVX", true);
    windows->SetMenuItemText(cmd::RecentFile0 + 1, "", false);
    QAction* undo = windows->MenuAction(cmd::Annuler);
    windows->SetMenuTexts(frame, MenuOf(CommandSource::Frame, Language::English));
    EXPECT_EQ(windows->MenuAction(cmd::Annuler), undo);  // the same items, new texts
    EXPECT_EQ(undo->text(), QString("Undo"));
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(windows->MenuAction(cmd::Regles)->text(), QString("Rulers"));
    EXPECT_TRUE(windows->MenuAction(cmd::Regles)->isChecked());
    EXPECT_EQ(windows->MenuAction(cmd::RecentFile0)->text(), QString("1 a.KVX"));
    EXPECT_FALSE(windows->MenuAction(cmd::RecentFile0 + 1)->isVisible());
    QMenu* file =
        windows->MenuAction(cmd::Nouveau)->associatedObjects().isEmpty()
            ? nullptr
            : qobject_cast<QMenu*>(windows->MenuAction(cmd::Nouveau)->associatedObjects().first());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QString("File"));
    windows->SetMenuTexts(frame, MenuOf(CommandSource::Frame));
    EXPECT_EQ(file->title(), QString("Fichier"));
    EXPECT_EQ(undo->text(), QString("Annuler"));
}

TEST_F(QtPlatformTest, TheToolkitsOwnTextsFollowTheLanguage) {
    ASSERT_TRUE(SetToolkitFrench(*QCoreApplication::instance(), true));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
              QString("&Nom de fichier :"));
    ASSERT_TRUE(SetToolkitFrench(*QCoreApplication::instance(), false));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QString("File &name:"));
    ASSERT_TRUE(SetToolkitFrench(*QCoreApplication::instance(), true));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
              QString("&Nom de fichier :"));
}

TEST_F(QtPlatformTest, PopupChoiceArrivesAsACommandToItsOwner) {
    windows->SetPopupAnswerer([](const MenuItem& popup) -> std::optional<std::uint32_t> {
        EXPECT_EQ(popup.text, "SPM1");
        return cmd::ZoomNormal;
    });
    windows->TrackPopupMenu(MenuOf(CommandSource::FlatView).popups[0],
                            TPM_CENTERALIGN | TPM_VCENTERALIGN, Point{10, 10}, view);
    windows->SetPopupAnswerer([](const MenuItem&) { return std::optional<std::uint32_t>(); });
    windows->TrackPopupMenu(MenuOf(CommandSource::FlatView).popups[0], 0, Point{10, 10}, view);
    const auto ms = Taken();
    ASSERT_EQ(ms.size(), 1u);
    EXPECT_EQ(ms[0], (Message{view, WM_COMMAND, cmd::ZoomNormal, 0}));
}

TEST_F(QtPlatformTest, AViewShowsThePresentedPixelsStretched) {
    for (int bits : {16, 24}) {
        SCOPED_TRACE(bits);
        Canvas canvas;
        ASSERT_EQ(canvas.Create(10, 10, bits), 1);
        canvas.FillAll(canvas.Pack(155, 155, 155));
        canvas.Fill(PixelRect{0, 0, 5, 10}, canvas.Pack(255, 0, 0));
        ASSERT_TRUE(windows->Present(view, canvas.Surface()));
        ViewWidget* w = windows->Client(view);
        w->resize(40, 40);
        const QImage shot = w->grab().toImage();
        // Stretched four times: the left half red, the right half grey.
        EXPECT_EQ(QColor(shot.pixel(5, 20)), QColor(255, 0, 0));
        const QColor grey(shot.pixel(35, 20));
        EXPECT_EQ(grey.red() >> 3, 155 >> 3);
        EXPECT_EQ(grey.green() >> 2, 155 >> 2);
        if (bits == 24) {
            EXPECT_EQ(grey, QColor(155, 155, 155));
        }
        windows->ForgetPixels(view);
        EXPECT_FALSE(w->HasPixels());
    }
}

// GetMessage pumps until the timer's tick arrives; a killed timer ticks no more.
TEST_F(QtPlatformTest, TimersPostTicksUntilKilled) {
    windows->SetTimer(frame, 7, 1);
    QtEventPump pump;
    Message m;
    do {
        ASSERT_TRUE(GetMessage(queue, pump, m));
    } while (m.message != WM_TIMER);
    EXPECT_EQ(m, (Message{frame, WM_TIMER, 7, 0}));
    windows->KillTimer(frame, 7);
    queue.Clear();
    QThread::msleep(20);
    Settle();
    while (queue.TryTake(m))
        EXPECT_NE(m.message, WM_TIMER);
}

TEST_F(QtPlatformTest, DestroyingTheFrameTakesItsViews) {
    windows->DestroyWindow(frame);
    EXPECT_EQ(windows->Widget(frame), nullptr);
    EXPECT_EQ(windows->Widget(view), nullptr);
    windows->ForgetPixels(view);  // harmless on a gone window
}

TEST(QtPromptsTest, AutoAnswerPrintsAndAnswersWithoutShowingAnything) {
    App();
    QtPrompts prompts(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(prompts.MessageBox("Erreur lors du chargement du Fichier!", "Attenntion...", MB_OK),
              IDOK);
    FileDialogSettings settings{
        "Ouverture d'un fichier Kolvex...", {{"Fichiers Kolvex", "*.KVX"}}, 0, 1, {}, false, {}};
    EXPECT_FALSE(prompts.OpenFileName(settings).has_value());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("\"Attenntion...\": Erreur lors du chargement du Fichier!"),
              std::string::npos);
    EXPECT_NE(err.find("Ouverture d'un fichier Kolvex..."), std::string::npos);
    EXPECT_EQ(QtNameFilter(FileFilter{"Fichiers Kolvex", "*.KVX"}), "Fichiers Kolvex (*.KVX)");
}

// The toolkit's file dialogs and the views' window menus spoke English inside a French editor.
TEST_F(QtPlatformTest, RegressionTheToolkitsOwnTextsAreFrench) {
    ASSERT_TRUE(InstallToolkitFrench(*QCoreApplication::instance()));
    // As in the editor: windows made once the translation is in place.
    const WindowHandle made =
        windows->CreateMdiChild(client, "ClassFenetreTOP", "Dessus", 0, Rect{0, 0, 260, 280});
    auto* sub = static_cast<QMdiSubWindow*>(windows->Widget(made));
    QStringList texts;
    for (QAction* a : sub->systemMenu()->actions())
        texts << a->text();
    EXPECT_TRUE(texts.contains("&Fermer")) << texts.join(",").toStdString();
    EXPECT_FALSE(texts.contains("&Close")) << texts.join(",").toStdString();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
              QString("&Nom de fichier :"));
}

TEST_F(QtPlatformTest, FilesDroppedOnTheFrameAreHandedToTheProgram) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a b.KVX"), QUrl("https://example.invalid/x.obj"),
                  QUrl::fromLocalFile("/tmp/c.obj")});
    QWidget* frameWidget = windows->Widget(frame);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frameWidget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frameWidget, &drop);
    EXPECT_TRUE(Has(Taken(), Message{frame, WM_DROPFILES, 2, 0}));
    EXPECT_EQ(windows->TakeDroppedFiles(),
              (std::vector<std::string>{"/tmp/a b.KVX", "/tmp/c.obj"}));
    EXPECT_TRUE(windows->TakeDroppedFiles().empty());
}

// The recent files: kept in the user's settings file between runs, shown as menu items.
TEST_F(QtPlatformTest, SettingsLastBetweenRunsAndMenuItemsTakeTheirTexts) {
    const QString folder = QDir::tempPath() + "/kolvex-settings-" +
                           QString::number(QCoreApplication::applicationPid());
    qputenv("XDG_CONFIG_HOME", folder.toUtf8());
    {
        QtSettings settings;
        settings.SetStringList("recentFiles", {"/d/a b.KVX", "/d/é.KVX"});
    }
    EXPECT_TRUE(QFile::exists(folder + "/Kolvex/Kolvex.conf"));
    QtSettings again;
    EXPECT_EQ(again.StringList("recentFiles"),
              (std::vector<std::string>{"/d/a b.KVX", "/d/é.KVX"}));
    EXPECT_TRUE(again.StringList("nothing").empty());
    QDir(folder).removeRecursively();

    windows->SetMenuItemText(cmd::RecentFile0, "1 a b.KVX", true);
    windows->SetMenuItemText(cmd::RecentFile0 + 1, "", false);
    EXPECT_EQ(windows->MenuAction(cmd::RecentFile0)->text(), QString("1 a b.KVX"));
    EXPECT_TRUE(windows->MenuAction(cmd::RecentFile0)->isVisible());
    EXPECT_FALSE(windows->MenuAction(cmd::RecentFile0 + 1)->isVisible());
}

// The first visible top-level widget of type T, or null.
template <typename T>
T* Shown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
    return nullptr;
}

// Closed modeless dialogs stayed on screen with dead buttons: their deletion was only
// scheduled, and the editor's event pumping never carried it out.
TEST(QtDialogHostTest, RegressionAClosedModelessDialogLeavesTheScreen) {
    App();
    MessageQueue queue;
    QtDialogHost host(queue);
    DialogTemplate t;
    t.title = "Point Light";
    t.width = 100;
    t.height = 60;
    t.controls = {DialogControl{DialogControl::Kind::DefaultButton, 1, "OK", Rect{5, 40, 45, 54}}};
    for (int round = 0; round < 2; ++round) {
        const WindowHandle d = host.OpenModeless(t);
        QCoreApplication::processEvents();
        ASSERT_NE(Shown<QDialog>(), nullptr);
        host.CloseModeless(d);
        QCoreApplication::processEvents();
        EXPECT_EQ(Shown<QDialog>(), nullptr) << "round " << round;
        EXPECT_EQ(host.Dialog(d), nullptr);
        host.CloseModeless(d);  // twice is harmless
    }
}

// The overwrite question was asked about the name typed ("pyramide"), while the program then
// wrote "pyramide.KVX" over an existing file without a word.
TEST(QtPromptsTest, RegressionTheOverwriteQuestionNamesTheFileThatWillBeWritten) {
    App();
    const QString folder = QDir::tempPath() + "/kolvex-overwrite-" +
                           QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(folder);
    QFile existing(folder + "/pyramide.KVX");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtPrompts prompts(false);
    FileDialogSettings settings{"Sauvegarde d'un fichier Kolvex...",
                                {{"Fichiers Kolvex", "*.KVX"}},
                                OFN_OVERWRITEPROMPT,
                                1,
                                (folder + "/pyramide").toStdString(),
                                false,
                                "KVX"};
    QString asked;
    int step = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = Shown<QMessageBox>()) {
            asked = box->text();
            box->reject();  // no: back to the file dialog
        } else if (auto* dialog = Shown<QFileDialog>()) {
            // Queued: the question it asks is modal, and this timer must go on ticking.
            if (step++ == 0)
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            else
                dialog->reject();
        }
    });
    timer.start(50);
    EXPECT_FALSE(prompts.SaveFileName(settings).has_value());
    timer.stop();
    EXPECT_TRUE(asked.contains("pyramide.KVX")) << asked.toStdString();
    QDir(folder).removeRecursively();
}

}  // namespace
}  // namespace kvx::qt

// Fontconfig keeps a few allocations for the whole process; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
