#include "shell/settingsstore.h"

#include <QFile>
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
    void defaultFileFollowsXdgConfigHome();
};

void TestSettingsStore::missingKeyGivesDefault() {
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("t.ini")));
    QCOMPARE(s.GetSetting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("1")),
             QStringLiteral("1"));
    QCOMPARE(s.GetSetting(Settings::App, Settings::Section, Settings::LastPath), QString());
}

void TestSettingsStore::valuesSurviveANewStore() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/t.ini"));
    {
        SettingsStore s(file);
        QVERIFY(s.SaveSetting(Settings::App, Settings::Section, Settings::LastPath,
                              QStringLiteral("/music/Ünïcode folder")));
        QVERIFY(s.SaveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                              QStringLiteral("1")));
        QVERIFY(s.SaveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                              QStringLiteral("0")));
    }
    SettingsStore again(file);
    QCOMPARE(again.GetSetting(Settings::App, Settings::Section, Settings::LastPath),
             QStringLiteral("/music/Ünïcode folder"));
    QCOMPARE(again.GetSetting(Settings::App, Settings::Section, Settings::ShowHidden),
             QStringLiteral("0"));
}

void TestSettingsStore::namesIgnoreCase_data() {
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("all-lower") << "tallowin" << "startup" << "showwizard";
    QTest::newRow("all-upper") << "TALLOWIN" << "STARTUP" << "SHOWWIZARD";
    QTest::newRow("mixed") << "Tallowin" << "Startup" << "ShowWizard";
}

void TestSettingsStore::namesIgnoreCase() {
    QFETCH(QString, app);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("t.ini")));
    QVERIFY(s.SaveSetting(QStringLiteral("TALLOWIN"), QStringLiteral("Startup"),
                          QStringLiteral("ShowWizard"), QStringLiteral("0")));
    QCOMPARE(s.GetSetting(app, section, key, QStringLiteral("1")), QStringLiteral("0"));
    QVERIFY(s.SaveSetting(app, section, key, QStringLiteral("1")));
    QCOMPARE(s.GetSetting(QStringLiteral("TALLOWIN"), QStringLiteral("Startup"),
                          QStringLiteral("ShowWizard")),
             QStringLiteral("1"));
}

void TestSettingsStore::separatorsInNamesStayOneLevel() {
    QTemporaryDir dir;
    SettingsStore s(dir.filePath(QStringLiteral("t.ini")));
    QVERIFY(s.SaveSetting(QStringLiteral("A/B"), QStringLiteral("C"), QStringLiteral("D"),
                          QStringLiteral("x")));
    QCOMPARE(s.GetSetting(QStringLiteral("A"), QStringLiteral("B/C"), QStringLiteral("D")),
             QString());
    QCOMPARE(s.GetSetting(QStringLiteral("a/b"), QStringLiteral("c"), QStringLiteral("d")),
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
    QVERIFY(!s.SaveSetting(Settings::App, Settings::Section, Settings::ShowHidden,
                           QStringLiteral("1")));
}

void TestSettingsStore::defaultFileFollowsXdgConfigHome() {
    QTemporaryDir dir;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QCOMPARE(SettingsStore::defaultFileName(), dir.filePath(QStringLiteral("tallowin/tallowin.ini")));
    SettingsStore s;
    QVERIFY(s.SaveSetting(Settings::App, Settings::Section, Settings::ShowTips, QStringLiteral("0")));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("tallowin/tallowin.ini"))));
    qputenv("XDG_CONFIG_HOME", old);
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
