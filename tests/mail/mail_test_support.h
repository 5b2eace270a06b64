#pragma once
// Helpers of the mail tests: a mail transport and a dialer that stand in for
// the machine's, programs that stand in for sendmail, xdg-email or xdg-mime
// and keep what they are given, the environment of one test, and the
// independent check of a message by Python's email package.

#include "mail/mail_transport.h"
#include "platform/dialer.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <vector>

// Takes the place of the machine's mail route while it lives: keeps every
// message it is given and answers with result.
class RecordingMailTransport : public MailTransport {
public:
    RecordingMailTransport();
    ~RecordingMailTransport() override;
    RecordingMailTransport(const RecordingMailTransport&) = delete;
    RecordingMailTransport& operator=(const RecordingMailTransport&) = delete;

    MailResult send(const MailContent& content) override;

    MailResult result;
    std::vector<MailContent> sent;
    // Runs inside send, to look at the program while the message is on its way.
    std::function<void()> whileSending;
};

// Takes the place of the desktop's dialer while it lives.
class StandInDialer : public platform::Dialer {
public:
    explicit StandInDialer(bool withHandler);
    ~StandInDialer() override;
    StandInDialer(const StandInDialer&) = delete;
    StandInDialer& operator=(const StandInDialer&) = delete;

    bool available() override { return handler; }
    bool dial(const QString& number, const QString& calledParty) override;

    bool handler;
    QStringList numbers;
    QStringList calledParties;
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* variable, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray name;
    QByteArray old;
    bool wasSet;
};

// A shell script of the given name in a folder of its own that records its
// arguments and (when readsInput) its standard input, prints output and ends
// with exitCode.
class StandInProgram {
public:
    StandInProgram(const QString& programName, int exitCode = 0, bool readsInput = true,
                   const QString& output = QString());
    QString folder() const { return dir.path(); }
    QString path() const;
    bool ran() const;
    QStringList arguments() const;
    QByteArray input() const;

private:
    QTemporaryDir dir;
    QString name;
};

// The python3 to run the checks with; found before any test changes PATH.
QString pythonProgram();
// What Python's email package reads in message (see inspect_mail.py); empty
// when the check could not run.
QJsonObject inspectMail(const QByteArray& message);
// The folder of the test sources (the Python helpers live there).
QString mailTestFolder();
// A PATH of folder and the system folders the stand-in scripts need.
QString pathWith(const QString& folder);
