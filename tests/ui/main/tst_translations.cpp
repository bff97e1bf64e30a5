#include "mainwindow_helper.h"

#include "base/progress.h"
#include "preview/previewbuilder.h"
#include "shell/coretext.h"
#include "shell/errorreport.h"
#include "shell/failurereason.h"
#include "ui/errorwindow.h"
#include "ui/messagewindow.h"
#include "ui/statuswindow.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTableView>
#include <QTranslator>

#include <cerrno>

using namespace tallowin;
using namespace testing;

namespace {

// Translates every text to "«source»": a text shown through a translation comes out marked,
// one that bypasses it (made before the translator was loaded, or never marked) plain.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char *, const char *source, const char *, int) const override {
        return QStringLiteral("«%1»").arg(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

QString marked(const QString &source) {
    return QStringLiteral("«%1»").arg(source);
}

// What a control shows: a button's or label's text, a frame's title, a box's hover text.
QString shown(QWidget *w, const QString &what) {
    if (what == u"tooltip")
        return w->toolTip();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return g->title();
    return {};
}

} // namespace

// With a language loaded, the windows show their own texts and the core's (rule pages,
// messages, error descriptions, progress captions) translated, while what the program writes
// or sends (error reports) keeps the texts as written.
class TestTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsStayAsWrittenWithoutLanguage();
    void windowsShowTranslatedTexts_data();
    void windowsShowTranslatedTexts();
    void coreTextsTranslatedWhereShown();
    void cleanup() { QCoreApplication::removeTranslator(&m_translator); }

private:
    MarkingTranslator m_translator;
};

void TestTranslations::textsStayAsWrittenWithoutLanguage() {
    // A name byte that is not UTF-8 is carried as a lone surrogate; looking the text up must
    // not turn it into a replacement character.
    const QString message = QStringLiteral("Unable to rename the file a") + QChar(0xDC80) +
                            QStringLiteral(".txt to b.txt because permission denied.");
    QCOMPARE(coreText(message), message);
    ui::MessageWindow window;
    window.showMessage(message);
    QCOMPARE(window.message(), message);
    QCOMPARE(failureReason(EACCES), QStringLiteral("permission denied"));
}

void TestTranslations::windowsShowTranslatedTexts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("what"); // "text" or "tooltip"
    QTest::addColumn<QString>("source");

    QTest::newRow("button") << "cmdPreview"
                            << "text"
                            << "&Preview";
    QTest::newRow("frame") << "fraFileLocation"
                           << "text"
                           << "Select Location of Files To Rename";
    QTest::newRow("toolbar caption") << "lblWizard"
                                     << "text"
                                     << "Wizard";
    QTest::newRow("hover text made before start-up")
        << "txtFileName"
        << "tooltip"
        << "Use this to limit the files you wish to view by broad definition.  Use * to specify "
           "ANY characters, for example \"My*\" would show only files that start with \"My\" "
           "such as \"MyPicture, MyMusic, etc.\"";
    QTest::newRow("rule option of the core") << "optStandardReplace"
                                             << "text"
                                             << "Replace";
    QTest::newRow("rule check box of the core") << "chkStandardReplaceFirstOnly"
                                                << "text"
                                                << "First Only";
    QTest::newRow("rule hover text of the core") << "optStandardExtReplace"
                                                 << "tooltip"
                                                 << "Replace this string with a new string.";
}

void TestTranslations::windowsShowTranslatedTexts() {
    QFETCH(QString, control);
    QFETCH(QString, what);
    QFETCH(QString, source);
    QCoreApplication::installTranslator(&m_translator);
    Fixture f;
    QWidget *w = f.get<QWidget>(qPrintable(control));
    QVERIFY(w);
    QCOMPARE(shown(w, what), marked(source));
    auto *list = f.get<QTableView>("lstFilesToRename");
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), marked("File Name"));
}

void TestTranslations::coreTextsTranslatedWhereShown() {
    QCoreApplication::installTranslator(&m_translator);

    ui::MessageWindow message;
    message.showMessage(NoRulesMessage);
    QCOMPARE(message.message(), marked(NoRulesMessage));

    ui::StatusWindow status;
    status.reset();
    QCOMPARE(status.status(), marked(PreparingPreviewCaption));

    // Texts with values are translated where the core makes them.
    QCOMPARE(failureReason(EACCES), marked("permission denied"));

    // The error window shows the description translated; the report sent keeps it as written.
    const ErrorReport report = ErrorReport::program(50, ErrorNumbers::TypeMismatch);
    QCOMPARE(report.description, QStringLiteral("Type mismatch"));
    ui::ErrorWindow error;
    error.showReport(report);
    auto *description = error.findChild<QLabel *>(QStringLiteral("lblErrorDescription"));
    QVERIFY(description);
    QCOMPARE(description->text(),
             marked(QStringLiteral("Error Description: %1")).arg(marked("Type mismatch")));
    QVERIFY(ui::ErrorWindow::reportQuery(report).contains(u"&errordescription=Type%20mismatch&"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
