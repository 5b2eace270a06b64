#include "mail/system_mail_transport.h"

#include "mail/desktop_mail_transport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isRunnable(const QFileInfo& file) {
    return file.isFile() && file.isExecutable();
}

// Something is there under that name, even a link that leads nowhere.
bool isPresent(const QFileInfo& file) {
    return file.exists() || file.isSymLink();
}

// The first runnable program of that name in the absolute folders of PATH.
QString searchPath(const QString& name, bool* unusable) {
    const QStringList folders = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        if (!QDir::isAbsolutePath(folder))
            continue;
        const QFileInfo candidate(QDir(folder).filePath(name));
        if (isRunnable(candidate))
            return candidate.absoluteFilePath();
        if (isPresent(candidate))
            *unusable = true;
    }
    return QString();
}

} // namespace

QStringList standardSendmailPlaces() {
    return {QStringLiteral("/usr/sbin/sendmail"), QStringLiteral("/usr/lib/sendmail")};
}

QString findSendmail(const QStringList& fixedPlaces, bool* unusable) {
    bool broken = false;
    QString found;
    const QString chosen = qEnvironmentVariable("DRAVO_SENDMAIL");
    if (!chosen.isEmpty()) {
        if (chosen.contains(u'/')) {
            const QFileInfo file(chosen);
            if (isRunnable(file))
                found = file.absoluteFilePath();
            else
                broken = true;
        } else {
            found = searchPath(chosen, &broken);
            broken = broken || found.isEmpty();
        }
    } else {
        found = searchPath(QStringLiteral("sendmail"), &broken);
        for (qsizetype i = 0; found.isEmpty() && i < fixedPlaces.size(); ++i) {
            const QFileInfo file(fixedPlaces[i]);
            if (isRunnable(file))
                found = file.absoluteFilePath();
            else if (isPresent(file))
                broken = true;
        }
    }
    if (unusable)
        *unusable = found.isEmpty() && broken;
    return found;
}

SystemMailTransport::SystemMailTransport(QStringList sendmailPlaces, MailClock clock)
    : fixedPlaces(std::move(sendmailPlaces)), now(std::move(clock)) {}

MailResult SystemMailTransport::send(const MailContent& content) {
    bool unusable = false;
    const QString sendmail = findSendmail(fixedPlaces, &unusable);
    if (!sendmail.isEmpty())
        return SendmailTransport(sendmail, now).send(content);
    // A program named outright that cannot run is not passed over for another route.
    if (unusable && !qEnvironmentVariableIsEmpty("DRAVO_SENDMAIL"))
        return MailResult{MailResult::Status::Unusable, {}};
    const QString client = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (!client.isEmpty())
        return DesktopMailTransport(client).send(content);
    if (unusable)
        return MailResult{MailResult::Status::Unusable, {}};
    return MailResult{MailResult::Status::NoMailSystem, {}};
}
