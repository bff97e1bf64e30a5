#include "editing/wizardrules.h"

#include "editing/ruledraft.h"
#include "engine/rulekinds.h"

#include <QDir>

namespace tallowin {

namespace {

// A rule of a kind every build has, described as the rules list shows it.
RuleSlot rule(const QString &keyword, const ParamValues &values) {
    const RuleKind *kind = findRuleKind(keyword);
    Q_ASSERT(kind);
    return makeRule(*kind, values);
}

} // namespace

bool wizardOffersFile(WizardKind kind, const QString &fileName) {
    static const QStringList mp3 = {QStringLiteral("mp3")};
    static const QStringList pictures = {QStringLiteral("gif"), QStringLiteral("jpg"),
                                         QStringLiteral("bmp"), QStringLiteral("raw"),
                                         QStringLiteral("tif"), QStringLiteral("jpeg"),
                                         QStringLiteral("pcx"), QStringLiteral("tiff")};
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString extension = fileName.mid(dot + 1);
    switch (kind) {
    case WizardKind::Mp3:
        return mp3.contains(extension, Qt::CaseInsensitive);
    case WizardKind::Picture:
        return pictures.contains(extension, Qt::CaseInsensitive);
    case WizardKind::None:
        break;
    }
    return false;
}

std::vector<FileEntry> wizardFiles(WizardKind kind, const FileRows &listed) {
    std::vector<FileEntry> out;
    for (size_t i = 0; i < listed.size(); ++i)
        if (wizardOffersFile(kind, listed.name(i)))
            out.push_back(listed[i]);
    return out;
}

std::vector<RuleSlot> mp3WizardRules(const QString &templ) {
    return {rule(RuleKinds::Mp3, {{QStringLiteral("template"), templ}})};
}

std::vector<RuleSlot> pictureWizardRules(const QString &name, bool nameFirst) {
    return {rule(RuleKinds::SetTo, {{QStringLiteral("name"), name}}),
            rule(RuleKinds::AutoStartEnd,
                 {{QStringLiteral("where"),
                   nameFirst ? QStringLiteral("End") : QStringLiteral("Start")},
                  {QStringLiteral("digits"), QStringLiteral("4")},
                  {QStringLiteral("increment"), QStringLiteral("1")},
                  {QStringLiteral("start"), QStringLiteral("1")}})};
}

std::vector<PreviewEntry> wizardPreview(const std::vector<RuleSlot> &rules, const QString &folder,
                                        const std::vector<FileEntry> &rows, ErrorReporter &errors) {
    RuleTable table;
    for (const RuleSlot &r : rules)
        table.addRule(r);
    // The rows up to the tenth ticked one, so each preview row keeps its index in `rows`.
    std::vector<FileEntry> first;
    int ticked = 0;
    for (const FileEntry &e : rows) {
        if (ticked == WizardPreviewRows)
            break;
        first.push_back(e);
        ticked += e.checked ? 1 : 0;
    }
    const RuleEngine engine(table, errors, Mp3KindContext{QDir(folder).absolutePath(), {}, {}});
    PreviewBuilder builder(engine, errors);
    return builder.build(first).rows;
}

} // namespace tallowin
