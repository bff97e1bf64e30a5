#pragma once

#include "shell/errorreport.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>

#include <utility>
#include <vector>

namespace tallowin {
class SettingsStore;
}

namespace tallowin::ui {

// Writes settings on a thread of its own, one after the other in the order asked. A write
// replaces the settings file and waits for the disk to hold it, which can take a tenth of a
// second: the window must not stand still for that when a folder is chosen. A failed write is
// told on the user-interface thread as the system's error at the location given; at the latest
// when the writer is destroyed, which first waits for every write asked for.
class SettingsWriter : public QObject {
    Q_OBJECT
public:
    SettingsWriter(SettingsStore &settings, ErrorReporter &errors, QObject *parent = nullptr);
    ~SettingsWriter() override;

    // Stores `value` under the program's `section`/`key`.
    void save(const QString &section, const QString &key, const QString &value, qint32 location);
    // Waits until every write asked for is on disk and its failure, if any, told.
    void flush();

private:
    void tellFailures();

    SettingsStore &m_settings;
    ErrorReporter &m_errors;
    QMutex m_mutex;
    std::vector<std::pair<qint32, int>> m_failures; // location, errno; not told yet
    QThreadPool m_thread;
};

} // namespace tallowin::ui
