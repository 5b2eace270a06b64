#pragma once
// The desktop's mail client, reached through xdg-email: it opens a new message
// with the recipients, subject, text and attachments filled in, and the user
// sends it from there.

#include "mail/mail_transport.h"

#include <QString>

class DesktopMailTransport : public MailTransport {
public:
    // program: the xdg-email to run.
    explicit DesktopMailTransport(QString program);
    MailResult send(const MailContent& content) override;

private:
    QString xdgEmail;
};
