#include "ui/hooks.h"

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

} // namespace tallowin::ui
