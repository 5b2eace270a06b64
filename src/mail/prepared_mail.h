#pragma once
// A composed message checked and read in for a mail route: every recipient a
// plain address, every attachment read. Both routes refuse the same messages.

#include "mail/mail_transport.h"
#include "platform/mime_message.h"

#include <QStringList>

#include <optional>

struct PreparedMail {
    platform::MimeContent content; // no date: the route that writes one sets it
    QStringList addresses;         // the recipients' plain addresses, in order
    QStringList attachmentPaths;   // absolute
};

// Fills mail from content; nothing when the message can go, otherwise the
// failure to report. The sender is named by content and addressed as
// localSenderAddress.
std::optional<MailResult> prepareMail(const MailContent& content, PreparedMail& mail);
