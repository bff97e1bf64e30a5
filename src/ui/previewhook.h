#pragma once

namespace tallowin::ui {

class MainWindow;
class PreviewFlow;

// Makes the main window's Preview command (and the wizards, which call it) run the preview
// flow. Start-up calls it once.
void installPreviewHook();

// The preview flow that serves `window`, made on first use: it keeps the Preview button
// disabled while it runs, renames in the folder the window shows and relists it afterwards.
// Rows made elsewhere (a rename list file) go through it too, previewFlowFor(w).showRows(rows),
// so their rename relists the main window as well.
PreviewFlow &previewFlowFor(MainWindow &window);

} // namespace tallowin::ui
