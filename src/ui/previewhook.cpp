#include "ui/previewhook.h"

#include "ui/filelistmodel.h"
#include "ui/hooks.h"
#include "ui/mainwindow.h"
#include "ui/previewflow.h"

#include <QPointer>

namespace tallowin::ui {

PreviewFlow &previewFlowFor(MainWindow &window) {
    if (auto *flow = window.findChild<PreviewFlow *>(QString(), Qt::FindDirectChildrenOnly))
        return *flow;
    auto *flow = new PreviewFlow(&window, &window);
    QPointer<MainWindow> w(&window);
    flow->setFolderSource([w] { return w ? w->folder() : QString(); });
    QObject::connect(flow, &PreviewFlow::previewEnabledChanged, &window,
                     [w](bool enabled) { w->setPreviewRunning(!enabled); });
    QObject::connect(flow, &PreviewFlow::renameFinished, &window,
                     [w] { w->GetDirectoryFiles(); });
    return *flow;
}

void installPreviewHook() {
    hooks().preview = [](MainWindow &window) {
        previewFlowFor(window).preview(window.folder(), window.fileList()->rows(),
                                       window.rules());
    };
}

} // namespace tallowin::ui
