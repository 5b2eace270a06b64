// The settings file: reading what is there, and changing one key while keeping
// everything else byte for byte.

#include "platform/private_profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class PrivateProfileTest : public QObject {
    Q_OBJECT

private slots:
    void reading_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[Last]\nLoadPath=/a/Groep.k09\n") << "/a/Groep.k09";
        QTest::newRow("other case and blanks")
            << QByteArray("[last]\r\n loadpath = /a b/G.k09 \r\n") << "/a b/G.k09";
        QTest::newRow("key in another section")
            << QByteArray("[Other]\nLoadPath=x\n[Last]\nPost=y\n") << "";
        QTest::newRow("value with equals sign") << QByteArray("[Last]\nLoadPath=a=b\n") << "a=b";
        QTest::newRow("utf-8") << QByteArray("[Last]\nLoadPath=/home/zo\xc3\xab/G.k09\n")
                               << QString::fromUtf8("/home/zo\xc3\xab/G.k09");
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void reading() {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("dravo.ini");
        put(path, file);
        QCOMPARE(readProfileString(path, "Last", "LoadPath"), expected);
    }

    void missingFileReadsAsDefault() {
        QCOMPARE(readProfileString("/nonexistent/dravo.ini", "Last", "Post", "x"), QString("x"));
    }

    void writing_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "LoadPath"
                                  << "/g/G.k09" << QByteArray("[Last]\nLoadPath=/g/G.k09\n");
        QTest::newRow("replace in place")
            << QByteArray("[Last]\nLoadPath=old\nPost=Jan\n") << "LoadPath"
            << "new" << QByteArray("[Last]\nLoadPath=new\nPost=Jan\n");
        QTest::newRow("add to the section, keep the others")
            << QByteArray("; note\n[Last]\nLoadPath=a\n\n[Window]\nx=1\n") << "Post"
            << "Piet" << QByteArray("; note\n[Last]\nLoadPath=a\nPost=Piet\n\n[Window]\nx=1\n");
        QTest::newRow("empty value") << QByteArray("[Last]\nPost=Jan\n") << "Post"
                                     << "" << QByteArray("[Last]\nPost=\n");
        QTest::newRow("line breaks cannot add keys")
            << QByteArray("[Last]\n") << "Post"
            << "a\nLoadPath=/etc" << QByteArray("[Last]\nPost=a LoadPath=/etc\n");
    }
    void writing() {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath("dravo.ini");
        if (!before.isEmpty())
            put(path, before);
        QVERIFY(writeProfileString(path, "Last", key, value));
        QCOMPARE(contents(path), after);
    }

    void unwritableFileReportsFailure() {
        QVERIFY(!writeProfileString("/proc/version/dravo.ini", "Last", "Post", "x"));
    }
};

QTEST_MAIN(PrivateProfileTest)
#include "test_private_profile.moc"
