#include "shell/filenamecodec.h"

#include <QtTest>

using namespace tallowin;

class TestFileNameCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void ruleTextKeepsBytes();
    void differentBytesStayDifferent();
    void absolutePathKeepsBytes_data();
    void absolutePathKeepsBytes();
};

void TestFileNameCodec::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ascii") << QByteArray("plain.txt") << QStringLiteral("plain.txt");
    QTest::newRow("utf-8") << QByteArray("R\xc3\xa9sum\xc3\xa9.txt")
                           << QStringLiteral("Résumé.txt");
    QTest::newRow("astral") << QByteArray("\xf0\x9f\x8e\xb5.mp3") << QStringLiteral("🎵.mp3");
    QTest::newRow("latin-1 byte") << QByteArray("caf\xe9.jpg") << QStringLiteral("caf\uFFFD.jpg");
    QTest::newRow("cut sequence") << QByteArray("a\xc3") << QStringLiteral("a\uFFFD");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QStringLiteral("\uFFFD\uFFFD");
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xb2\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
    QTest::newRow("above U+10FFFF")
        << QByteArray("\xf4\x90\x80\x80") << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
    QTest::newRow("lone continuation") << QByteArray("x\x80y") << QStringLiteral("x\uFFFDy");
}

void TestFileNameCodec::roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString text = nameFromBytes(bytes);
    QCOMPARE(nameToBytes(text), bytes);
    QCOMPARE(displayName(text), shown);
    QCOMPARE(hasEscapedBytes(text), shown.contains(QChar::ReplacementCharacter));
}

void TestFileNameCodec::ruleTextKeepsBytes() {
    // What a rule does to the text (an insert before the name) must leave the odd byte alone.
    const QString renamed = QStringLiteral("Greece ") + nameFromBytes(QByteArray("caf\xe9.jpg"));
    QCOMPARE(nameToBytes(renamed), QByteArray("Greece caf\xe9.jpg"));
    // A lone surrogate that is no escaped byte cannot be written as it is.
    QCOMPARE(nameToBytes(QString(QChar(0xD800)) + u'a'), QByteArray("?a"));
}

void TestFileNameCodec::differentBytesStayDifferent() {
    // Both show as "caf\uFFFD.jpg", yet they are two names and must not be taken for one.
    const QString a = nameFromBytes(QByteArray("caf\xe9.jpg"));
    const QString b = nameFromBytes(QByteArray("caf\xe8.jpg"));
    QCOMPARE(displayName(a), displayName(b));
    QVERIFY(a != b);
    QVERIFY(a.toCaseFolded() != b.toCaseFolded());
}

void TestFileNameCodec::absolutePathKeepsBytes_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("absolute"); // "@" stands for the current folder
    QTest::newRow("absolute") << QByteArray("/a/caf\xe9") << QByteArray("/a/caf\xe9");
    QTest::newRow("cleaned") << QByteArray("/a/./b/../caf\xe9//x/") << QByteArray("/a/caf\xe9/x");
    QTest::newRow("relative") << QByteArray("caf\xe9/\xff") << QByteArray("@/caf\xe9/\xff");
    QTest::newRow("current folder") << QByteArray("") << QByteArray("@");
}

void TestFileNameCodec::absolutePathKeepsBytes() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, absolute);
    // The journal keeps a run's folder by these bytes, and undo must find that folder again.
    absolute.replace('@', QFile::encodeName(QDir::currentPath()));
    QCOMPARE(nameToBytes(absolutePathOf(nameFromBytes(path))), absolute);
}

QTEST_APPLESS_MAIN(TestFileNameCodec)
#include "tst_filenamecodec.moc"
