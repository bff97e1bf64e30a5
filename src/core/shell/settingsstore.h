#pragma once

#include "shell/errorreport.h"
#include "shell/filesystem.h"

#include <QString>

namespace tallowin {

// Per-user text values addressed by application, section and key, kept in an INI file under
// $XDG_CONFIG_HOME/tallowin/. Names compare without regard to case: they are stored upper-cased,
// so "Tallowin"/"Startup" and "TALLOWIN"/"STARTUP" name the same value. The file is in the
// form QSettings reads and writes (IniFormat), and is replaced whole on every change, so a
// failed write leaves the stored settings as they were.
class SettingsStore {
public:
    // The store of the current user.
    SettingsStore();
    // A store kept in the given file (tests, other profiles).
    explicit SettingsStore(const QString &fileName, FileSystem &fs = FileSystem::system());

    // The stored text, or `defaultValue` when the key is missing.
    QString setting(const QString &application, const QString &section, const QString &key,
                    const QString &defaultValue = {}) const;
    // Stores the value at once; false when the file could not be written (lastError() says
    // why). A file that cannot be read stores nothing rather than lose what it holds.
    bool saveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value);
    // The same, reporting a failure as the system's (its errno and text) at `location`.
    bool saveSetting(const QString &application, const QString &section, const QString &key,
                     const QString &value, ErrorReporter &errors, qint32 location);
    // Stores the value at once: 0, or the errno of why the file could not be written. Safe on
    // any thread: the writes of one program never interleave, so none loses another's value.
    int write(const QString &application, const QString &section, const QString &key,
              const QString &value) const;
    // The errno of the last saveSetting that failed; 0 after one that succeeded.
    int lastError() const { return m_lastError; }

    QString fileName() const { return m_fileName; }
    // $XDG_CONFIG_HOME/tallowin/tallowin.ini (XDG_CONFIG_HOME defaulting to ~/.config).
    static QString defaultFileName();

private:
    QString m_fileName;
    FileSystem &m_fs;
    int m_lastError = 0;
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
// The main window's place when it was last closed: "x,y,width,height".
inline const QString WindowGeometry = QStringLiteral("WINDOWGEOMETRY");
} // namespace Settings

} // namespace tallowin
