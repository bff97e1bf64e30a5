#include "shell/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tallowin {

namespace {

// QSettings compares keys exactly on Linux; upper-casing every level makes the names
// case-insensitive. Slashes and backslashes would open sub-levels, so they are escaped.
QString level(const QString &name) {
    QString n = name.toUpper();
    n.replace(u'%', QStringLiteral("%25"));
    n.replace(u'/', QStringLiteral("%2F"));
    n.replace(u'\\', QStringLiteral("%5C"));
    return n;
}

QString path(const QString &application, const QString &section, const QString &key) {
    return level(application) + u'/' + level(section) + u'/' + level(key);
}

} // namespace

SettingsStore::SettingsStore() : m_fileName(defaultFileName()) {}

SettingsStore::SettingsStore(const QString &fileName) : m_fileName(fileName) {}

QString SettingsStore::defaultFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/tallowin/tallowin.ini");
}

QString SettingsStore::GetSetting(const QString &application, const QString &section,
                                  const QString &key, const QString &defaultValue) const {
    // A fresh reader each time: another instance (or a second program) may have written.
    QSettings s(m_fileName, QSettings::IniFormat);
    const QVariant v = s.value(path(application, section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

bool SettingsStore::SaveSetting(const QString &application, const QString &section,
                                const QString &key, const QString &value) {
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSettings s(m_fileName, QSettings::IniFormat);
    if (!s.isWritable())
        return false;
    s.setValue(path(application, section, key), value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace tallowin
