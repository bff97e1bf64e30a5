#include "ui/hooks.h"

#include <QDebug>

namespace tallowin::ui {

namespace {
QString g_lastHelpPage;
}

Hooks &hooks() {
    static Hooks h;
    return h;
}

void OpenHelpPage(const QString &page) {
    g_lastHelpPage = page;
    if (hooks().openHelpPage)
        hooks().openHelpPage(page);
}

QString lastHelpPage() { return g_lastHelpPage; }

void showMessage(const QString &text) {
    if (hooks().showMessage)
        hooks().showMessage(text);
    else
        qWarning().noquote() << text;
}

void showError(const ErrorReport &report) {
    if (hooks().showError)
        hooks().showError(report);
    else
        qWarning().noquote() << "Error Location:" << report.ErrorLocation
                             << "Error Number:" << report.ErrorNumber
                             << "Error Description:" << report.ErrorDescription;
}

} // namespace tallowin::ui
