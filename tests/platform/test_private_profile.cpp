// The settings file: reading what is there, and changing one key while keeping
// everything else byte for byte.

#include "platform/private_profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

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

    // Something other than a settings file under the settings file's name is
    // neither waited on nor read without end, and is left as it is.
    void notASettingsFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("read");
        QTest::addColumn<bool>("written");
        QTest::newRow("pipe") << "pipe"
                              << "default" << false;
        QTest::newRow("link to /dev/zero") << "zero"
                                           << "default" << false;
        QTest::newRow("folder") << "folder"
                                << "default" << false;
        QTest::newRow("larger than a settings file") << "large"
                                                     << "default" << false;
        QTest::newRow("long but a settings file") << "long"
                                                  << "/a/G.k09" << true;
    }
    void notASettingsFile() {
        QFETCH(QString, kind);
        QFETCH(QString, read);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath("dravo.ini");
        const QByteArray settings = "[Last]\nLoadPath=/a/G.k09\n";
        const QByteArray comment = "; " + QByteArray(100, 'x') + '\n';
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path), 0600), 0);
        else if (kind == "zero")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "large")
            put(path, settings + comment.repeated(64 * 1024 / comment.size() + 1));
        else
            put(path, settings + comment.repeated(64 * 1024 / comment.size() - 1));
        struct stat before {};
        QCOMPARE(::lstat(QFile::encodeName(path), &before), 0);
        const QByteArray bytesBefore = S_ISREG(before.st_mode) ? contents(path) : QByteArray();

        ::alarm(20); // a read that waits or never ends kills the test instead of hanging it
        const QString value = readProfileString(path, "Last", "LoadPath", "default");
        const bool wrote = writeProfileString(path, "Last", "Post", "Piet");
        ::alarm(0);
        QCOMPARE(value, read);
        QCOMPARE(wrote, written);
        struct stat after {};
        QCOMPARE(::lstat(QFile::encodeName(path), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        if (written) {
            QCOMPARE(readProfileString(path, "Last", "Post"), QString("Piet"));
            QCOMPARE(readProfileString(path, "Last", "LoadPath"), QString("/a/G.k09"));
        } else {
            QCOMPARE(after.st_ino, before.st_ino);
            if (S_ISREG(before.st_mode))
                QCOMPARE(contents(path), bytesBefore);
        }
    }

    void unwritableFileReportsFailure() {
        QVERIFY(!writeProfileString("/proc/version/dravo.ini", "Last", "Post", "x"));
    }
};

QTEST_MAIN(PrivateProfileTest)
#include "test_private_profile.moc"
