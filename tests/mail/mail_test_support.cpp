#include "mail/mail_test_support.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

ScopedEnv::ScopedEnv(const char* variable, const QString& value)
    : name(variable), old(qgetenv(variable)), wasSet(qEnvironmentVariableIsSet(variable)) {
    qputenv(variable, value.toLocal8Bit());
}

ScopedEnv::~ScopedEnv() {
    if (wasSet)
        qputenv(name.constData(), old);
    else
        qunsetenv(name.constData());
}

RecordingMailTransport::RecordingMailTransport() {
    setMailTransport(this);
}

RecordingMailTransport::~RecordingMailTransport() {
    setMailTransport(nullptr);
}

MailResult RecordingMailTransport::send(const MailContent& content) {
    sent.push_back(content);
    if (whileSending)
        whileSending();
    return result;
}

StandInDialer::StandInDialer(bool withHandler) : handler(withHandler) {
    platform::setDialer(this);
}

StandInDialer::~StandInDialer() {
    platform::setDialer(nullptr);
}

bool StandInDialer::dial(const QString& number, const QString& calledParty) {
    numbers << number;
    calledParties << calledParty;
    return true;
}

StandInProgram::StandInProgram(const QString& programName, int exitCode, bool readsInput,
                               const QString& output)
    : name(programName) {
    const QString d = dir.path();
    QString script =
        QStringLiteral("#!/bin/sh\n"
                       ": > '%1/args'\n"
                       "for a in \"$@\"; do printf '%s\\0' \"$a\" >> '%1/args'; done\n")
            .arg(d);
    if (readsInput)
        script += QStringLiteral("/bin/cat > '%1/stdin'\n").arg(d);
    if (!output.isEmpty())
        script += QStringLiteral("printf '%s\\n' '%1'\n").arg(output);
    script += QStringLiteral("exit %1\n").arg(exitCode);
    QFile file(path());
    if (file.open(QIODevice::WriteOnly))
        file.write(script.toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup);
}

QString StandInProgram::path() const {
    return QDir(dir.path()).filePath(name);
}

bool StandInProgram::ran() const {
    return QFile::exists(QDir(dir.path()).filePath(QStringLiteral("args")));
}

QStringList StandInProgram::arguments() const {
    QFile file(QDir(dir.path()).filePath(QStringLiteral("args")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList list;
    for (const QByteArray& arg : file.readAll().split('\0'))
        list << QString::fromUtf8(arg);
    list.removeLast(); // after the last terminator
    return list;
}

QByteArray StandInProgram::input() const {
    QFile file(QDir(dir.path()).filePath(QStringLiteral("stdin")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString pythonProgram() {
    static const QString python = QFile::exists(QStringLiteral("/usr/bin/python3"))
                                      ? QStringLiteral("/usr/bin/python3")
                                      : QStandardPaths::findExecutable(QStringLiteral("python3"));
    return python;
}

QString mailTestFolder() {
    return QStringLiteral(MAIL_TEST_DIR);
}

QString pathWith(const QString& folder) {
    return folder + QStringLiteral(":/usr/bin:/bin");
}

QJsonObject inspectMail(const QByteArray& message) {
    QTemporaryFile file;
    if (!file.open())
        return {};
    file.write(message);
    file.close();
    QProcess python;
    python.start(
        pythonProgram(),
        {QDir(mailTestFolder()).filePath(QStringLiteral("inspect_mail.py")), file.fileName()});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning("inspect_mail.py: %s", python.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
