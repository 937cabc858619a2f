#include "platform/qt/QtSettings.h"

#include <QSettings>
#include <QStringList>

namespace kvx::qt {
namespace {

QSettings Store() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kolvex"),
                     QStringLiteral("Kolvex"));
}

}  // namespace

std::vector<std::string> QtSettings::StringList(const std::string& key) {
    std::vector<std::string> list;
    for (const QString& s : Store().value(QString::fromStdString(key)).toStringList())
        list.push_back(s.toStdString());
    return list;
}

void QtSettings::SetStringList(const std::string& key, const std::vector<std::string>& list) {
    QStringList values;
    for (const std::string& s : list)
        values << QString::fromStdString(s);
    QSettings store = Store();
    store.setValue(QString::fromStdString(key), values);
    store.sync();
}

}  // namespace kvx::qt
