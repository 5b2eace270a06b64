#include "mail/desktop_mail_transport.h"

#include "mail/prepared_mail.h"

#include <QProcess>
#include <QUrl>

namespace {

// xdg-email returns once the mail client has the message, unless it runs the
// client in the foreground; then the compose window is up and the client is left
// running on its own.
constexpr int mailClientWaitMs = 10000;

} // namespace

DesktopMailTransport::DesktopMailTransport(QString program) : xdgEmail(std::move(program)) {}

MailResult DesktopMailTransport::send(const MailContent& content) {
    PreparedMail mail;
    if (const auto refused = prepareMail(content, mail))
        return *refused;
    QStringList arguments{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                          platform::headerSafeText(mail.content.subject), QStringLiteral("--body"),
                          mail.content.body};
    for (const QString& path : mail.attachmentPaths)
        arguments << QStringLiteral("--attach") << path;
    if (!mail.addresses.isEmpty()) {
        // One mailto: address for all recipients; it cannot be taken for an option.
        QStringList encoded;
        for (const QString& address : mail.addresses)
            encoded += QString::fromLatin1(QUrl::toPercentEncoding(address, "@"));
        arguments << QStringLiteral("mailto:") + encoded.join(u',');
    }

    auto* process = new QProcess;
    process->setProgram(xdgEmail);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return MailResult::failed();
    }
    if (!process->waitForFinished(mailClientWaitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return MailResult{};
    }
    const bool handed = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return handed ? MailResult{} : MailResult::failed();
}
