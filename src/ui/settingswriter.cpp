#include "ui/settingswriter.h"

#include "shell/settingsstore.h"

#include <QMetaObject>

namespace tallowin::ui {

SettingsWriter::SettingsWriter(SettingsStore &settings, ErrorReporter &errors, QObject *parent)
    : QObject(parent), m_settings(settings), m_errors(errors) {
    m_thread.setMaxThreadCount(1); // one thread: the writes stay in order
}

SettingsWriter::~SettingsWriter() {
    flush();
}

void SettingsWriter::save(const QString &section, const QString &key, const QString &value,
                          qint32 location) {
    // `this` outlives the work: the destructor waits for it.
    m_thread.start([this, section, key, value, location] {
        const int e = m_settings.write(Settings::App, section, key, value);
        if (e == 0)
            return;
        {
            const QMutexLocker lock(&m_mutex);
            m_failures.emplace_back(location, e);
        }
        QMetaObject::invokeMethod(this, &SettingsWriter::tellFailures, Qt::QueuedConnection);
    });
}

void SettingsWriter::flush() {
    m_thread.waitForDone();
    tellFailures();
}

void SettingsWriter::tellFailures() {
    std::vector<std::pair<qint32, int>> told;
    {
        const QMutexLocker lock(&m_mutex);
        told.swap(m_failures);
    }
    for (const auto &[location, e] : told)
        m_errors.reportSystem(location, e);
}

} // namespace tallowin::ui
