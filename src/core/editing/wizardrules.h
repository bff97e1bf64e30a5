#pragma once

#include "engine/ruletable.h"
#include "files/directorylisting.h"
#include "preview/previewbuilder.h"
#include "shell/errorreport.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tallowin {

// The two wizards: each lists its own kind of file and writes a fixed set of rules.
enum class WizardKind { None = 0, Mp3 = 1, Picture = 2 };

// The MP3 wizard's name templates, in the order offered.
inline const QStringList Mp3WizardTemplates = {
    QStringLiteral("%Artist% - %SongName%"), QStringLiteral("%Genre% - %Artist% - %SongName%"),
    QStringLiteral("%Artist% - %Album% - %SongName%"),
    QStringLiteral("%Artist% - %Album% - %Track% - %SongName%"),
    QStringLiteral("%Album% - %Track% - %SongName%")};
// The template chosen on every entry to the MP3 wizard's second screen.
inline constexpr int DefaultMp3Template = 2;

// The picture wizard's base name until the user types another.
inline const QString DefaultPictureName = QStringLiteral("PictureName");

// How many ticked files a wizard's preview shows.
inline constexpr int WizardPreviewRows = 10;

// True when the wizard of `kind` offers `fileName`: by its extension, in any letter case
// ("mp3"; "gif", "jpg", "bmp", "raw", "tif", "jpeg", "pcx", "tiff").
bool wizardOffersFile(WizardKind kind, const QString &fileName);

// The files of a listing the wizard of `kind` offers, in listing order.
std::vector<FileEntry> wizardFiles(WizardKind kind, const FileRows &listed);

// The rule the MP3 wizard writes: the MP3 kind with `templ`, described as the rules list shows it.
std::vector<RuleSlot> mp3WizardRules(const QString &templ);

// The picture wizard's two rules: set the name part to `name`, then a four-digit counter from 1
// at the end (`nameFirst`) or at the start of it.
std::vector<RuleSlot> pictureWizardRules(const QString &name, bool nameFirst);

// The wizard's preview: the first ten ticked rows of `rows` (files in `folder`) under `rules`,
// built as the main window's preview builds it, so the names shown are the names the rename
// gives. A rule failure goes to `errors` and leaves the rows made before it.
std::vector<PreviewEntry> wizardPreview(const std::vector<RuleSlot> &rules, const QString &folder,
                                        const std::vector<FileEntry> &rows, ErrorReporter &errors);

} // namespace tallowin
