#pragma once
// One mail message as the program composes it, before any mail route has
// looked at it.

#include <QString>
#include <QStringList>

struct MailContent {
    QString originatorName; // the sender's display name
    QStringList recipients; // addresses as the group file holds them, unchecked
    QString subject;
    QString body;
    QStringList attachments; // paths; the receiver sees each file's own name
};

// The entries of a ";"-separated address list. Empty entries (consecutive
// separators, a separator at either end) give nothing; blanks are kept, so a
// blank after a ";" belongs to the next entry.
QStringList splitRecipients(const QString& list);
