#include "shell/settingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace tallowin;

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingKeyGivesDefault();
    void valuesSurviveANewStore();
    void namesIgnoreCase_data();
    void namesIgnoreCase();
    void separatorsInNamesStayOneLevel();
    void unwritableFileIsReported();
    void filesReadAndWrittenLikeQSettings_data();
    void filesReadAndWrittenLikeQSettings();
    void otherEntriesSurviveAChange();
    void defaultFileFollowsXdgConfigHome();
};

void TestSettingsStore::missingKeyGivesDefault() {
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("t.ini")));
    QCOMPARE(s.setting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("1")),
             QStringLiteral("1"));
    QCOMPARE(s.setting(Settings::App, Settings::Section, Settings::LastPath), QString());
}

void TestSettingsStore::valuesSurviveANewStore() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/t.ini"));
    {
        SettingsStore s(file);
        QVERIFY(s.saveSetting(Settings::App, Settings::Section, Settings::LastPath,
                              QStringLiteral("/music/Ünïcode folder")));
        QVERIFY(s.saveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                              QStringLiteral("1")));
        QVERIFY(s.saveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                              QStringLiteral("0")));
    }
    SettingsStore again(file);
    QCOMPARE(again.setting(Settings::App, Settings::Section, Settings::LastPath),
             QStringLiteral("/music/Ünïcode folder"));
    QCOMPARE(again.setting(Settings::App, Settings::Section, Settings::ShowHidden),
             QStringLiteral("0"));
}

void TestSettingsStore::namesIgnoreCase_data() {
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("all-lower") << "tallowin"
                               << "startup"
                               << "showwizard";
    QTest::newRow("all-upper") << "TALLOWIN"
                               << "STARTUP"
                               << "SHOWWIZARD";
    QTest::newRow("mixed") << "Tallowin"
                           << "Startup"
                           << "ShowWizard";
}

void TestSettingsStore::namesIgnoreCase() {
    QFETCH(QString, app);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("t.ini")));
    QVERIFY(s.saveSetting(QStringLiteral("TALLOWIN"), QStringLiteral("Startup"),
                          QStringLiteral("ShowWizard"), QStringLiteral("0")));
    QCOMPARE(s.setting(app, section, key, QStringLiteral("1")), QStringLiteral("0"));
    QVERIFY(s.saveSetting(app, section, key, QStringLiteral("1")));
    QCOMPARE(s.setting(QStringLiteral("TALLOWIN"), QStringLiteral("Startup"),
                       QStringLiteral("ShowWizard")),
             QStringLiteral("1"));
}

void TestSettingsStore::separatorsInNamesStayOneLevel() {
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("t.ini")));
    QVERIFY(s.saveSetting(QStringLiteral("A/B"), QStringLiteral("C"), QStringLiteral("D"),
                          QStringLiteral("x")));
    QCOMPARE(s.setting(QStringLiteral("A"), QStringLiteral("B/C"), QStringLiteral("D")), QString());
    QCOMPARE(s.setting(QStringLiteral("a/b"), QStringLiteral("c"), QStringLiteral("d")),
             QStringLiteral("x"));
}

void TestSettingsStore::unwritableFileIsReported() {
    if (geteuid() == 0)
        QSKIP("root writes through file permissions");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
    SettingsStore s(file);
    QVERIFY(!s.saveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                           QStringLiteral("1")));
}

// Earlier versions kept the settings through QSettings: files either one wrote are the same
// settings to the other.
void TestSettingsStore::filesReadAndWrittenLikeQSettings_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "1";
    QTest::newRow("empty") << "";
    QTest::newRow("path-with-spaces") << "/music/My Albums/2024";
    QTest::newRow("non-ascii") << QString::fromUtf8("/musik/Über Ünïcode/日本");
    QTest::newRow("edge-blanks") << "  padded  ";
    QTest::newRow("separators") << "a,b;c=d#e";
    QTest::newRow("quotes-and-backslashes") << "say \"hi\" C:\\dir\\";
    QTest::newRow("control-then-hex-digit") << QString("line\nnext\tx\x01") + "abc\r";
    QTest::newRow("at-sign") << "@home";
    QTest::newRow("at-variant-lookalike") << "@Variant(x)";
    QTest::newRow("percent-and-slash-names") << "%2F/\\";
}

void TestSettingsStore::filesReadAndWrittenLikeQSettings() {
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString ours = dir.filePath(QStringLiteral("ours.ini"));
    const QString theirs = dir.filePath(QStringLiteral("theirs.ini"));
    const QString key = QStringLiteral("TALLOWIN/SETTINGS/LASTPATH");
    const QString oddKey = QStringLiteral("TALLOWIN/STARTUP%2FX/SHOW WIZARD");

    SettingsStore s(ours);
    QVERIFY(s.saveSetting(Settings::App, Settings::Section, Settings::LastPath, value));
    QVERIFY(s.saveSetting(Settings::App, QStringLiteral("Startup/x"), QStringLiteral("Show Wizard"),
                          value));
    {
        QSettings q(ours, QSettings::IniFormat);
        QCOMPARE(q.value(key).toString(), value);
        QCOMPARE(q.value(oddKey).toString(), value);
    }
    {
        QSettings q(theirs, QSettings::IniFormat);
        q.setValue(key, value);
        q.setValue(oddKey, value);
    }
    SettingsStore t(theirs);
    QCOMPARE(t.setting(Settings::App, Settings::Section, Settings::LastPath, "?"), value);
    QCOMPARE(
        t.setting(Settings::App, QStringLiteral("startup/X"), QStringLiteral("show wizard"), "?"),
        value);
    // A change to a file QSettings wrote keeps what it held.
    QVERIFY(t.saveSetting(Settings::App, Settings::Section, Settings::ShowTips, "0"));
    QSettings q(theirs, QSettings::IniFormat);
    QCOMPARE(q.value(key).toString(), value);
    QCOMPARE(q.value(QStringLiteral("TALLOWIN/SETTINGS/SHOWTIPS")).toString(), "0");
}

void TestSettingsStore::otherEntriesSurviveAChange() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("t.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        "; kept by hand\nloose=1\n\n[OTHER]\nx\\y=\"a, b\"\n\n[TALLOWIN]\nSETTINGS\\SHOWTIPS=1\n");
    f.close();
    SettingsStore s(file);
    QVERIFY(s.saveSetting(Settings::App, Settings::Section, Settings::ShowTips, "0"));
    QVERIFY(s.saveSetting(QStringLiteral("New"), QStringLiteral("A"), QStringLiteral("B"), "c"));
    QSettings q(file, QSettings::IniFormat);
    QCOMPARE(q.value("loose").toString(), "1");
    QCOMPARE(q.value("OTHER/x/y").toString(), "a, b");
    QCOMPARE(q.value("TALLOWIN/SETTINGS/SHOWTIPS").toString(), "0");
    QCOMPARE(q.value("NEW/A/B").toString(), "c");
}

void TestSettingsStore::defaultFileFollowsXdgConfigHome() {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QCOMPARE(SettingsStore::defaultFileName(),
             dir.filePath(QStringLiteral("tallowin/tallowin.ini")));
    SettingsStore s;
    QVERIFY(
        s.saveSetting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("0")));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("tallowin/tallowin.ini"))));
    qputenv("XDG_CONFIG_HOME", old);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
