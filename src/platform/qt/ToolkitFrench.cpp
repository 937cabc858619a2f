#include "platform/qt/ToolkitFrench.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace kvx::qt {
namespace {

// The translation installed, while it is.
QPointer<QTranslator>& Installed() {
    static QPointer<QTranslator> translator;
    return translator;
}

}  // namespace

bool InstallToolkitFrench(QCoreApplication& app) {
    return SetToolkitFrench(app, true);
}

bool SetToolkitFrench(QCoreApplication& app, bool french) {
    QPointer<QTranslator>& installed = Installed();
    if (!french) {
        if (installed) {
            QCoreApplication::removeTranslator(installed);
            delete installed.data();
        }
        return true;
    }
    if (installed) return true;
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    installed = translator;
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kvx::qt
