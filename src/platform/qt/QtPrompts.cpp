#include "platform/qt/QtPrompts.h"

#include <unistd.h>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Constants.h"
#include "platform/qt/QtTrace.h"
#include "platform/qt/X11MessageBox.h"

namespace kvx::qt {

using namespace platform;

namespace {

// The boxes and dialogs have no owner window, so nothing hands the keyboard back to the editor
// when they close (without a window manager nothing does at all): give it back to the window
// that had it, or to the frame, so that shortcuts and view keys work at once.
class FocusReturn {
  public:
    FocusReturn() : window_(QApplication::activeWindow()) {
        if (window_) return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMainWindow*>(w) && w->isVisible()) window_ = w;
    }
    ~FocusReturn() {
        if (window_) window_->activateWindow();
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

  private:
    QPointer<QWidget> window_;
};

// The extension of a dialog's first filter: ".KVX" for "*.KVX".
std::string FirstExtension(const FileDialogSettings& settings) {
    if (settings.filters.empty()) return {};
    const std::string& pattern = settings.filters.front().pattern;
    const std::size_t dot = pattern.find('.');
    return dot == std::string::npos || pattern.find('*', dot) != std::string::npos
               ? std::string()
               : pattern.substr(dot);
}

bool EndsWithNoCase(const std::string& s, const std::string& end) {
    if (end.empty() || s.size() < end.size()) return false;
    return QString::fromStdString(s.substr(s.size() - end.size()))
               .compare(QString::fromStdString(end), Qt::CaseInsensitive) == 0;
}

// The extension of a name filter's first pattern: "glb" for "glTF (*.glb *.GLB)", none for
// "Tous les fichiers (*.*)".
QString FilterSuffix(const QString& filter) {
    const QString pattern = filter.mid(filter.lastIndexOf(QLatin1Char('(')) + 1)
                                .section(QLatin1Char(' '), 0, 0)
                                .remove(QLatin1Char(')'));
    return pattern.startsWith(QLatin1String("*.")) && pattern.indexOf(QLatin1Char('*'), 2) < 0
               ? pattern.mid(2)
               : QString();
}

// A save dialog whose extension follows its filter: the overwrite question names the file that
// will really be written, in the format of the filter chosen.
void FollowFilterExtension(QFileDialog& dialog) {
    dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
}

}  // namespace

std::optional<std::string> QtPrompts::AutoFileName(const FileDialogSettings& settings, bool save) {
    const char* folder = std::getenv("KOLVEX_AUTO_FOLDER");
    if (folder == nullptr || *folder == '\0') return std::nullopt;
    const std::string extension = FirstExtension(settings);
    if (save) {
        return std::string(folder) + "/saved-" + std::to_string(::getpid()) + "-" +
               std::to_string(++autoSaves_) + extension;
    }
    // The latest file a save of this kind of file wrote there (by any run of the editor).
    namespace fs = std::filesystem;
    std::optional<std::string> latest;
    fs::file_time_type latestTime;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with("saved-") || !EndsWithNoCase(name, extension)) continue;
        const auto time = fs::last_write_time(e.path(), ec);
        if (ec || (latest && time < latestTime)) continue;
        latest = e.path().string();
        latestTime = time;
    }
    return latest;
}

bool QtPrompts::AutoAnswerFromEnvironment() {
    const char* v = std::getenv("KOLVEX_AUTO_ANSWER");
    return v != nullptr && std::strcmp(v, "1") == 0;
}

std::string QtNameFilter(const FileFilter& filter) {
    return filter.description + " (" + filter.pattern + ")";
}

int QtPrompts::MessageBox(const std::string& text, const std::string& title, std::uint32_t type) {
    const std::uint32_t buttons = type & 0xF;
    const bool question = buttons == MB_YESNOCANCEL || buttons == MB_YESNO;
    if (autoAnswer_) {
        // Scripts that answer every box by themselves never keep unsaved changes.
        TraceLine("kolvex: message box \"%s\": %s", title.c_str(), text.c_str());
        return question ? IDNO : IDOK;
    }
    // The toolkit paints nothing readable below 16 bits: the X server draws the box itself.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!question && screen && screen->depth() < 16 &&
        QGuiApplication::platformName() == QStringLiteral("xcb") &&
        ShowCoreX11MessageBox(text, title, trace_)) {
        if (trace_) {
            TraceLine("kolvex: message box \"%s\" answered: %s", title.c_str(), text.c_str());
        }
        return IDOK;
    }
    const FocusReturn focus;
    if (!question) {
        // No owner window, an OK button only.
        QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(title.c_str()),
                        QString::fromUtf8(text.c_str()), QMessageBox::Ok);
        box.exec();
        return IDOK;
    }
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(title.c_str()),
                    QString::fromUtf8(text.c_str()));
    const QuestionButtons& words = questionButtons();
    QPushButton* yes = box.addButton(QString::fromStdString(words.yes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromStdString(words.no), QMessageBox::NoRole);
    QPushButton* cancel =
        buttons == MB_YESNOCANCEL
            ? box.addButton(QString::fromStdString(words.cancel), QMessageBox::RejectRole)
            : nullptr;
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel ? cancel : no);
    if (trace_) {
        TraceLine("kolvex: question \"%s\" asked", text.c_str());
    }
    box.exec();
    const int answer = box.clickedButton() == yes  ? IDYES
                       : box.clickedButton() == no ? IDNO
                       : cancel                    ? IDCANCEL
                                                   : IDNO;
    if (trace_) {
        TraceLine("kolvex: question answered %d", answer);
    }
    return answer;
}

std::optional<std::string> QtPrompts::OpenFileName(FileDialogSettings& settings) {
    return FileName(settings, false);
}

std::optional<std::string> QtPrompts::SaveFileName(FileDialogSettings& settings) {
    return FileName(settings, true);
}

std::optional<std::string> QtPrompts::FileName(FileDialogSettings& settings, bool save) {
    if (autoAnswer_) {
        const std::optional<std::string> name = AutoFileName(settings, save);
        TraceLine("kolvex: file dialog \"%s\": %s", settings.title.c_str(),
                  name ? name->c_str() : "cancelled");
        return name;
    }
    const FocusReturn focus;
    QFileDialog dialog(nullptr, QString::fromUtf8(settings.title.c_str()));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const FileFilter& f : settings.filters)
        filters << QString::fromUtf8(QtNameFilter(f).c_str());
    dialog.setNameFilters(filters);
    if (settings.filterIndex >= 1 && settings.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[settings.filterIndex - 1]);
    }
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if ((settings.flags & OFN_OVERWRITEPROMPT) == 0)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        // The overwrite question then names the file that will really be written.
        if (!settings.defaultExtension.empty())
            dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
        if (settings.extensionFollowsFilter) FollowFilterExtension(dialog);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((settings.flags & OFN_FILEMUSTEXIST) != 0 ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    }
    if (!settings.fileName.empty()) dialog.selectFile(QString::fromStdString(settings.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    if (settings.keepFileName) settings.fileName = dialog.selectedFiles().first().toStdString();
    const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    if (chosen >= 0) settings.filterIndex = chosen + 1;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace kvx::qt
