#pragma once
// The sendmail route: a sendmail-compatible program (sendmail, msmtp-mta,
// postfix, ...) run without a shell, with the recipients as arguments and the
// MIME message on standard input. It sends at once, without a window.

#include "mail/mail_transport.h"

#include <QDateTime>
#include <QString>

#include <functional>

// The time written into a message's Date field; empty for the system clock.
using MailClock = std::function<QDateTime()>;

class SendmailTransport : public MailTransport {
public:
    explicit SendmailTransport(QString program, MailClock clock = {});
    MailResult send(const MailContent& content) override;

private:
    QString sendmail;
    MailClock now;
};
