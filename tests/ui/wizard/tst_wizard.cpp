// Both wizards driven by their controls' names, from the start screen to files renamed on disk.

#include "mainwindow_helper.h"

#include "ui/messagewindow.h"
#include "ui/previewflow.h"
#include "ui/previewmodel.h"
#include "ui/previewwindow.h"
#include "ui/widgets.h"
#include "ui/wizardwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeWidget>

using namespace tallowin;
using namespace testing;

namespace {

const QString Mp3Data = QStringLiteral(TALLOWIN_TEST_DATA "/mp3");

QStringList filesOn(const QString &dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

QStringList previewRows(const QTreeWidget *list) {
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + u'>' + list->topLevelItem(i)->text(1);
    return rows;
}

// The wizard of a running application, opened from the main window's toolbar.
struct Wizard {
    Fixture &f;
    ui::WizardWindow *w = nullptr;

    explicit Wizard(Fixture &fixture) : f(fixture) {
        f.click("cmdWizard");
        w = f.app->wizardWindow();
    }
    template <typename T = QWidget> T *get(const char *name) const {
        T *c = w->findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning("no control %s", name);
        return c;
    }
    void click(const char *name) { QTest::mouseClick(get<QWidget>(name), Qt::LeftButton); }
    // The screen shown: exactly one of the four.
    QString screen() const {
        QStringList shown;
        for (const char *s : {"pctStart", "fraStep1", "fraStep2MP3", "fraStep2Picture"})
            if (get<QWidget>(s)->isVisible())
                shown << QLatin1String(s);
        return shown.size() == 1 ? shown[0] : shown.join(u'+');
    }
    // Types a folder into the folder picker and waits for the list.
    bool chooseFolder(const QString &path) {
        QSignalSpy listed(w, &ui::WizardWindow::filesListed);
        auto *dir = get<QLineEdit>("dirFileLocation");
        dir->setText(path);
        QTest::keyClick(dir, Qt::Key_Return);
        return QTest::qWaitFor([&] { return !listed.isEmpty(); }, 10000);
    }
    // Chooses a wizard on the start screen and waits for its list.
    bool start(const char *area) {
        QSignalSpy listed(w, &ui::WizardWindow::filesListed);
        click(area);
        return QTest::qWaitFor([&] { return !listed.isEmpty(); }, 10000);
    }
    QStringList listed() const {
        QStringList out;
        for (const FileEntry &e : w->files())
            out << (e.checked ? QString() : QStringLiteral("-")) + e.fileName;
        return out;
    }
    void untick(int row) {
        QAbstractItemModel *m = get<QTableView>("lstFilesToRename")->model();
        m->setData(m->index(row, 0), Qt::Unchecked, Qt::CheckStateRole);
    }
};

// Finishes the wizard and renames from the main window's preview; waits for the relisting.
void finishAndRename(Fixture &f, Wizard &wizard) {
    QSignalSpy previewed(f.app->previewFlow(), &ui::PreviewFlow::previewFinished);
    wizard.click("cmdButton1");
    QVERIFY(!wizard.w->isVisible());
    QVERIFY(previewed.wait(10000));
    QVERIFY(f.app->previewWindow()->isVisible());
    QVERIFY(f.listAfter([&] {
        QTest::mouseClick(
            f.app->previewWindow()->findChild<QPushButton *>(QStringLiteral("cmdRename")),
            Qt::LeftButton);
    }));
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mp3WizardRenamesByTags() {
        QTemporaryDir dir;
        const QStringList sources{"vbr-xing.mp3", "mpeg2.mp3", "untagged-cbr.mp3",
                                  "id3v23-and-v1.mp3"};
        const QStringList names{"track 4.mp3", "Track 2.MP3", "track 3.mp3", "track 1.mp3"};
        for (int i = 0; i < sources.size(); ++i)
            QVERIFY(QFile::copy(Mp3Data + u'/' + sources[i], dir.filePath(names[i])));
        makeFiles(dir.path(), {"cover.jpg", "notes.txt"});
        Fixture f;
        f.w().rules().addRule(RuleKinds::LetterUpperCase);
        f.w().displayRules();

        Wizard wizard(f);
        QVERIFY(wizard.w->isVisible());
        QCOMPARE(wizard.screen(), QStringLiteral("pctStart"));
        QVERIFY(wizard.start("cmdMP3Wizard"));
        QCOMPARE(wizard.screen(), QStringLiteral("fraStep1"));
        QVERIFY(wizard.chooseFolder(dir.path()));
        QCOMPARE(wizard.listed(),
                 (QStringList{"track 1.mp3", "Track 2.MP3", "track 3.mp3", "track 4.mp3"}));
        wizard.untick(3);

        wizard.click("cmdButton1");
        QCOMPARE(wizard.screen(), QStringLiteral("fraStep2MP3"));
        auto *format = wizard.get<QComboBox>("cmbMP3Format");
        QCOMPARE(format->count(), 5);
        QCOMPARE(format->currentText(), QStringLiteral("%Artist% - %Album% - %SongName%"));
        auto *preview = wizard.get<QTreeWidget>("lstMP3preview");
        QCOMPARE(previewRows(preview),
                 (QStringList{"track 1.mp3>AC-DC - Back in Black - Hells Bells.mp3",
                              "Track 2.MP3>Low Rate - Twenty Two - Half Speed.MP3",
                              "track 3.mp3>%Artist% - %Album% - %SongName%.mp3"}));
        format->setCurrentIndex(0);
        QCOMPARE(previewRows(preview), (QStringList{"track 1.mp3>AC-DC - Hells Bells.mp3",
                                                    "Track 2.MP3>Low Rate - Half Speed.MP3",
                                                    "track 3.mp3>%Artist% - %SongName%.mp3"}));

        finishAndRename(f, wizard);
        // The wizard's rule replaced the user's; the untagged file keeps its name, as does
        // the unticked one.
        QCOMPARE(f.rules(), QStringList{"MP3 Files Change Name To: %Artist% - %SongName%"});
        QCOMPARE(filesOn(dir.path()),
                 (QStringList{"AC-DC - Hells Bells.mp3", "cover.jpg", "Low Rate - Half Speed.MP3",
                              "notes.txt", "track 3.mp3", "track 4.mp3"}));
        QCOMPARE(f.w().folder(), QDir(dir.path()).absolutePath());
        QTRY_COMPARE(f.settings.setting(Settings::App, Settings::Section, Settings::LastPath),
                     QDir(dir.path()).absolutePath());
    }

    void pictureWizardNamesAndCounts() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"IMG_3.jpg", "IMG_1.JPG", "IMG_2.jpeg", "scan.tiff", "logo.png",
                               "song.mp3", ".hidden.jpg"});
        Fixture f;
        Wizard wizard(f);
        QVERIFY(wizard.start("cmdPictureWizard"));
        QVERIFY(wizard.chooseFolder(dir.path()));
        QCOMPARE(wizard.listed(),
                 (QStringList{"IMG_1.JPG", "IMG_2.jpeg", "IMG_3.jpg", "scan.tiff"}));
        wizard.untick(3);
        wizard.click("cmdButton1");
        QCOMPARE(wizard.screen(), QStringLiteral("fraStep2Picture"));
        auto *name = wizard.get<QLineEdit>("txtPictureName");
        QCOMPARE(name->text(), QStringLiteral("PictureName"));
        QVERIFY(wizard.get<QRadioButton>("optPicNameFirst")->isChecked());
        auto *preview = wizard.get<QTreeWidget>("lstPicturePreview");
        QCOMPARE(previewRows(preview).value(0), QStringLiteral("IMG_1.JPG>PictureName0001.JPG"));

        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Holiday "));
        QCOMPARE(previewRows(preview),
                 (QStringList{"IMG_1.JPG>Holiday 0001.JPG", "IMG_2.jpeg>Holiday 0002.jpeg",
                              "IMG_3.jpg>Holiday 0003.jpg"}));
        // The other order shows as soon as it is chosen.
        wizard.click("optPicNumFirst");
        QCOMPARE(previewRows(preview).value(0), QStringLiteral("IMG_1.JPG>0001Holiday .JPG"));
        wizard.click("optPicNameFirst");

        finishAndRename(f, wizard);
        QCOMPARE(f.rules(),
                 (QStringList{"File Name: Set to Holiday  exactly",
                              "Auto Number: Place numbers at the end of the file name"}));
        QCOMPARE(filesOn(dir.path()),
                 (QStringList{".hidden.jpg", "Holiday 0001.JPG", "Holiday 0002.jpeg",
                              "Holiday 0003.jpg", "logo.png", "scan.tiff", "song.mp3"}));
    }

    // Leaving the wizard before Finish, by Cancel or Escape, changes nothing in the main window.
    void leavingEarlyKeepsTheMainWindow_data() {
        QTest::addColumn<QString>("area"); // the wizard chosen, "" for none
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("escape");
        QTest::newRow("start/cancel") << "" << 0 << false;
        QTest::newRow("start/escape") << "" << 0 << true;
        QTest::newRow("mp3-files/escape") << "cmdMP3Wizard" << 1 << true;
        QTest::newRow("mp3-format/escape") << "cmdMP3Wizard" << 2 << true;
        QTest::newRow("picture-files/escape") << "cmdPictureWizard" << 1 << true;
        QTest::newRow("picture-format/escape") << "cmdPictureWizard" << 2 << true;
        QTest::newRow("picture-format/back-to-start-cancel") << "cmdPictureWizard" << 2 << false;
    }
    void leavingEarlyKeepsTheMainWindow() {
        QFETCH(QString, area);
        QFETCH(int, step);
        QFETCH(bool, escape);
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.mp3", "b.jpg", "c.txt"});
        Fixture f;
        f.chooseFolder(dir.path());
        f.model().setChecked(2, false);
        f.w().rules().addRule(RuleKinds::Insert, QStringLiteral("new "), QStringLiteral("Start"));
        f.w().displayRules();
        const RuleTable rulesBefore = f.w().rules();
        const QStringList rulesShown = f.rules();
        const QStringList listBefore = f.names();

        Wizard wizard(f);
        if (!area.isEmpty()) {
            QVERIFY(wizard.start(area.toLatin1().constData()));
            QVERIFY(wizard.chooseFolder(dir.path()));
            QCOMPARE(wizard.listed().size(), 1);
        }
        if (step == 2)
            wizard.click("cmdButton1");
        QCOMPARE(wizard.w->step(), step);
        if (escape) {
            QApplication::setActiveWindow(wizard.w);
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : wizard.w,
                            Qt::Key_Escape);
        } else {
            for (int i = 0; i < step; ++i)
                wizard.click("cmdButton2");
            QCOMPARE(wizard.screen(), QStringLiteral("pctStart"));
            wizard.click("cmdButton1");
        }
        QVERIFY(!wizard.w->isVisible());
        QVERIFY(f.w().rules() == rulesBefore);
        QCOMPARE(f.rules(), rulesShown);
        QCOMPARE(f.names(), listBefore);
        QCOMPARE(f.model().checkedCount(), 2);
        QVERIFY(!f.app->previewWindow()->isVisible());
        QCOMPARE(filesOn(dir.path()), (QStringList{"a.mp3", "b.jpg", "c.txt"}));

        // Opened again, it starts over on the start screen.
        f.click("cmdWizard");
        QVERIFY(wizard.w->isVisible());
        QCOMPARE(wizard.screen(), QStringLiteral("pctStart"));
        QCOMPARE(wizard.w->kind(), WizardKind::None);
    }

    // Previous returns to the screen before with what the user chose there.
    void previousKeepsTheScreenBefore() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.jpg", "b.jpg", "c.jpg"});
        Fixture f;
        Wizard wizard(f);
        QVERIFY(wizard.start("cmdPictureWizard"));
        QVERIFY(wizard.chooseFolder(dir.path()));
        wizard.untick(0);
        wizard.click("cmdButton1");
        auto *name = wizard.get<QLineEdit>("txtPictureName");
        name->setText(QStringLiteral("Trip"));
        wizard.click("optPicNumFirst");

        wizard.click("cmdButton2");
        QCOMPARE(wizard.screen(), QStringLiteral("fraStep1"));
        QCOMPARE(wizard.listed(), (QStringList{"-a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(wizard.get<QLineEdit>("dirFileLocation")->text(),
                 QDir::toNativeSeparators(QDir(dir.path()).absolutePath()));
        QVERIFY(!wizard.get<QWidget>("cmdButton2")->isHidden());

        // Forward again: the name is kept, the order starts on name first.
        wizard.click("cmdButton1");
        QCOMPARE(wizard.screen(), QStringLiteral("fraStep2Picture"));
        QCOMPARE(name->text(), QStringLiteral("Trip"));
        QVERIFY(wizard.get<QRadioButton>("optPicNameFirst")->isChecked());
        QCOMPARE(previewRows(wizard.get<QTreeWidget>("lstPicturePreview")),
                 (QStringList{"b.jpg>Trip0001.jpg", "c.jpg>Trip0002.jpg"}));

        wizard.click("cmdButton2");
        wizard.click("cmdButton2");
        QCOMPARE(wizard.screen(), QStringLiteral("pctStart"));
        QVERIFY(wizard.get<QWidget>("cmdButton2")->isHidden());
        // The MP3 wizard on the same folder: the folder is kept, the list is its own.
        QVERIFY(wizard.start("cmdMP3Wizard"));
        QCOMPARE(wizard.w->folder(), QDir(dir.path()).absolutePath());
        QVERIFY(wizard.listed().isEmpty());
        // The MP3 screen starts on the third template every time it is entered.
        makeFiles(dir.path(), {"x.mp3"});
        QVERIFY(wizard.chooseFolder(dir.path()));
        wizard.click("cmdButton1");
        auto *format = wizard.get<QComboBox>("cmbMP3Format");
        format->setCurrentIndex(0);
        wizard.click("cmdButton2");
        wizard.click("cmdButton1");
        QCOMPARE(format->currentText(), QStringLiteral("%Artist% - %Album% - %SongName%"));
    }

    void nextNeedsATickedFile_data() {
        QTest::addColumn<QStringList>("files");
        QTest::newRow("all-unticked") << QStringList{"a.mp3", "b.MP3"};
        QTest::newRow("no-matching-file") << QStringList{"a.txt"};
    }
    void nextNeedsATickedFile() {
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        makeFiles(dir.path(), files);
        Fixture f;
        Wizard wizard(f);
        QVERIFY(wizard.start("cmdMP3Wizard"));
        QVERIFY(wizard.chooseFolder(dir.path()));
        for (int i = 0; i < int(wizard.w->files().size()); ++i)
            wizard.untick(i);
        wizard.click("cmdButton1");
        QTRY_VERIFY(f.app->messageWindow()->isVisible());
        QCOMPARE(f.app->messageWindow()->message(),
                 QStringLiteral("Please select a directory with at least 1 file to rename, if you "
                                "have unselected all files, please select at least one file by "
                                "checking the box next to it's name."));
        QCOMPARE(wizard.screen(), QStringLiteral("fraStep1"));
    }

    // The two button pictures: up and pressed for each step's label.
    void buttonPictures() {
        QTemporaryDir dir;
        makeFiles(dir.path(), {"a.jpg"});
        Fixture f;
        Wizard wizard(f);
        auto *forward = wizard.get<ui::PictureButton>("cmdButton1");
        auto *back = wizard.get<ui::PictureButton>("cmdButton2");
        // The pictures while pressed and after a release outside (which does not click).
        const auto pressAndRelease = [&](QWidget *button) {
            const auto picture = [&] {
                return button == forward ? wizard.w->forwardPicture() : wizard.w->backPicture();
            };
            QTest::mousePress(button, Qt::LeftButton);
            const int pressed = picture();
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-5, -5));
            return QPair<int, int>(picture(), pressed);
        };
        QCOMPARE(pressAndRelease(forward), (QPair<int, int>(1, 2)));
        QCOMPARE(wizard.w->step(), 0);
        QCOMPARE(forward->accessibleName(), QStringLiteral("Cancel"));
        QVERIFY(wizard.start("cmdPictureWizard"));
        QVERIFY(wizard.chooseFolder(dir.path()));
        QCOMPARE(pressAndRelease(forward), (QPair<int, int>(5, 6)));
        QCOMPARE(forward->accessibleName(), QStringLiteral("Next"));
        QCOMPARE(pressAndRelease(back), (QPair<int, int>(3, 4)));
        QCOMPARE(wizard.w->step(), 1);
        wizard.click("cmdButton1");
        QCOMPARE(pressAndRelease(forward), (QPair<int, int>(7, 8)));
        QCOMPARE(wizard.w->step(), 2);
        QCOMPARE(forward->accessibleName(), QStringLiteral("Finish"));
    }

    // "Show At Startup" is the stored start-up choice; the wizard's F1 asks for the help.
    void showAtStartupAndHelp() {
        Fixture f;
        Wizard wizard(f);
        auto *box = wizard.get<QCheckBox>("chkShowAtStartup");
        QVERIFY(!box->isChecked()); // nothing stored counts as 0
        wizard.click("chkShowAtStartup");
        QCOMPARE(f.settings.setting(Settings::App, Settings::StartupSection, Settings::ShowWizard),
                 QStringLiteral("1"));
        wizard.click("chkShowAtStartup");
        QCOMPARE(f.settings.setting(Settings::App, Settings::StartupSection, Settings::ShowWizard),
                 QStringLiteral("0"));
        f.settings.saveSetting(Settings::App, Settings::StartupSection, Settings::ShowWizard,
                               QStringLiteral("1"));
        f.restart();
        Wizard again(f);
        QVERIFY(again.get<QCheckBox>("chkShowAtStartup")->isChecked());

        QSignalSpy help(again.w, &ui::WizardWindow::helpPageRequested);
        QApplication::setActiveWindow(again.w);
        QTest::keyClick(again.w, Qt::Key_F1);
        QCOMPARE(help.size(), 1);
        QCOMPARE(help.at(0).at(0).toString(), QStringLiteral("index.html"));
    }

    // A remembered folder opens the wizard there; one that is gone leaves the current folder.
    void startsInTheRememberedFolder() {
        QTemporaryDir dir;
        Fixture f;
        f.settings.saveSetting(Settings::App, Settings::Section, Settings::LastPath, dir.path());
        f.restart();
        QCOMPARE(f.app->wizardWindow()->folder(), QDir(dir.path()).absolutePath());

        const QString gone = dir.path();
        dir.remove();
        f.settings.saveSetting(Settings::App, Settings::Section, Settings::LastPath, gone);
        f.restart();
        QCOMPARE(f.app->wizardWindow()->folder(), QDir::currentPath());
    }

    // Every control can be named by a screen reader and reached with the keyboard, and every
    // screen fits a small display.
    void controlsAreNamedAndFit() {
        Fixture f;
        Wizard wizard(f);
        for (const char *name :
             {"cmdMP3Wizard", "cmdPictureWizard", "drvFileLocation", "dirFileLocation",
              "cmdBrowseFolder", "lstFilesToRename", "cmbMP3Format", "lstMP3preview",
              "txtPictureName", "optPicNameFirst", "optPicNumFirst", "lstPicturePreview",
              "chkShowAtStartup", "cmdButton2", "cmdButton1"}) {
            QWidget *c = wizard.get<QWidget>(name);
            QVERIFY2(c && !c->accessibleName().isEmpty(), name);
            QVERIFY2(c->focusPolicy() & Qt::TabFocus, name);
        }
        QVERIFY(wizard.w->width() <= 1024 && wizard.w->height() <= 700);
        QVERIFY(wizard.w->minimumSizeHint().width() <= 1024);
        QVERIFY(wizard.w->minimumSizeHint().height() <= 700);
    }
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
