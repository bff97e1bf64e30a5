#pragma once

#include <QString>

namespace tallowin {

// Per-user text values addressed by application, section and key, kept in an INI file under
// $XDG_CONFIG_HOME/tallowin/. Names compare without regard to case: they are stored upper-cased,
// so "Tallowin"/"Startup" and "TALLOWIN"/"STARTUP" name the same value.
class SettingsStore {
public:
    // The store of the current user.
    SettingsStore();
    // A store kept in the given file (tests, other profiles).
    explicit SettingsStore(const QString &fileName);

    // The stored text, or `defaultValue` when the key is missing.
    QString GetSetting(const QString &application, const QString &section, const QString &key,
                       const QString &defaultValue = {}) const;
    // Stores the value at once; false when the file could not be written.
    bool SaveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value);

    QString fileName() const { return m_fileName; }
    // $XDG_CONFIG_HOME/tallowin/tallowin.ini (XDG_CONFIG_HOME defaulting to ~/.config).
    static QString defaultFileName();

private:
    QString m_fileName;
};

// The names the program keeps its five settings under.
namespace Settings {
inline const QString App = QStringLiteral("TALLOWIN");
inline const QString Section = QStringLiteral("SETTINGS");
inline const QString StartupSection = QStringLiteral("Startup");
inline const QString ShowHidden = QStringLiteral("SHOWHIDDEN");
inline const QString ShowSystem = QStringLiteral("SHOWSYSTEM");
inline const QString LastPath = QStringLiteral("LASTPATH");
inline const QString ShowTips = QStringLiteral("SHOWTIPS");
inline const QString ShowWizard = QStringLiteral("ShowWizard");
} // namespace Settings

} // namespace tallowin
