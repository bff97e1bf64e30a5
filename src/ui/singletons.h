#pragma once

#include <QCoreApplication>
#include <QThread>

namespace tallowin::ui::detail {

// True on the thread that owns the application object (the user-interface thread).
inline bool onUiThread() {
    auto *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Runs `f` on the user-interface thread: at once when already there, else queued in order.
template <class F> void runOnUiThread(F &&f) {
    if (onUiThread())
        f();
    else if (auto *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::forward<F>(f), Qt::QueuedConnection);
}

} // namespace tallowin::ui::detail
