#include "mail/prepared_mail.h"

#include <QFile>
#include <QFileInfo>

using platform::MailAddress;
using platform::MimeAttachment;
using platform::normalizedMailAddress;

namespace {

// Not QString::trimmed: a line break inside an entry is refused, and shown.
QString withoutBlanksAround(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && (text[first] == u' ' || text[first] == u'\t'))
        ++first;
    while (last > first && (text[last - 1] == u' ' || text[last - 1] == u'\t'))
        --last;
    return text.mid(first, last - first);
}

} // namespace

std::optional<MailResult> prepareMail(const MailContent& content, PreparedMail& mail) {
    // The first entry that names something and is no address is the one the
    // user is told about; an entry of blanks alone only stops the message.
    bool refused = false;
    QString named;
    for (const QString& entry : content.recipients) {
        const QString plain = withoutBlanksAround(entry);
        const auto address = normalizedMailAddress(plain);
        if (!address) {
            if (!refused || named.isEmpty())
                named = plain;
            refused = true;
            continue;
        }
        mail.addresses += *address;
        mail.content.to += MailAddress{entry, *address};
    }
    if (refused)
        return MailResult::failed(named);

    for (const QString& path : content.attachments) {
        const QFileInfo info(path);
        QFile input(path);
        if (path.isEmpty() || !info.isFile() || !input.open(QIODevice::ReadOnly))
            return MailResult::failed();
        const QByteArray data = input.readAll();
        if (input.error() != QFileDevice::NoError)
            return MailResult::failed();
        mail.content.attachments += MimeAttachment{info.fileName(), data};
        mail.attachmentPaths += info.absoluteFilePath();
    }
    mail.content.from = MailAddress{content.originatorName, platform::localSenderAddress()};
    mail.content.subject = content.subject;
    mail.content.body = content.body;
    return std::nullopt;
}
