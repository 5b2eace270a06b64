#pragma once
// The machine's mail route, looked for afresh for every message, so a mail
// system installed while the program runs is found:
//   - a sendmail-compatible program: $DRAVO_SENDMAIL (a name on PATH or a
//     path), else "sendmail" on PATH, else the fixed places;
//   - otherwise the desktop's mail client through xdg-email;
//   - neither: NoMailSystem.
// A sendmail that is there but cannot be run (not executable, a folder, a
// dangling link) and no xdg-email, or a $DRAVO_SENDMAIL that cannot be run:
// Unusable.

#include "mail/sendmail_transport.h"

#include <QString>
#include <QStringList>

// Where a sendmail is looked for when PATH has none.
QStringList standardSendmailPlaces();

// The sendmail-compatible program to use: its path, or an empty text when
// there is none. unusable (when given) is set when a candidate was found that
// cannot be run.
QString findSendmail(const QStringList& fixedPlaces, bool* unusable = nullptr);

class SystemMailTransport : public MailTransport {
public:
    explicit SystemMailTransport(QStringList sendmailPlaces = standardSendmailPlaces(),
                                 MailClock clock = {});
    MailResult send(const MailContent& content) override;

private:
    QStringList fixedPlaces;
    MailClock now;
};
