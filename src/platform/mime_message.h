#pragma once
// The text of one Internet mail message (RFC 5322 with MIME) as the sendmail
// route hands it to a sendmail-compatible program. Everything that ends up in
// a header is made safe here: texts that come from a group file can never add or
// break a header line.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace platform {

struct MailAddress {
    QString name; // display name; empty or equal to the address for none
    QString address;
};

struct MimeAttachment {
    QString fileName; // the name the receiver sees
    QByteArray data;
};

struct MimeContent {
    MailAddress from;
    QList<MailAddress> to;
    QString subject;
    QString body;
    QList<MimeAttachment> attachments;
    QDateTime date;
    QString messageId; // without angle brackets; made up when empty
};

// The address in the form a header and a command line take it as it stands:
// a dot-atom local part, "@", a host name (an international one in its ASCII
// form). Nothing when the address has blanks, quotes, angle brackets, line
// breaks or anything else that is not a plain address.
std::optional<QString> normalizedMailAddress(const QString& address);

// The message, lines ended by eol; nothing when an address of from or to is
// refused by normalizedMailAddress (refused then names the first such address).
std::optional<QByteArray> buildMimeMessage(const MimeContent& content, QString* refused = nullptr,
                                           const QByteArray& eol = "\r\n");

// The sender when the user has not named one: $EMAIL when it is a plain
// address, otherwise the login name at the host name.
QString localSenderAddress();

// Building blocks, exposed for their tests.
QByteArray rfc5322Date(const QDateTime& when);
QByteArray encodeQuotedPrintable(const QByteArray& text, const QByteArray& eol = "\r\n");
// Replaces line breaks and other control characters by blanks, so the text
// stays on its header line.
QString headerSafeText(const QString& text);

} // namespace platform
