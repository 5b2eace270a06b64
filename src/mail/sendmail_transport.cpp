#include "mail/sendmail_transport.h"

#include "mail/prepared_mail.h"

#include <QProcess>

namespace {

// A sendmail that talks to a slow server may take a while; one that hangs must
// not freeze the program for good.
constexpr int sendmailTimeoutMs = 120000;

} // namespace

SendmailTransport::SendmailTransport(QString program, MailClock clock)
    : sendmail(std::move(program)), now(std::move(clock)) {}

MailResult SendmailTransport::send(const MailContent& content) {
    PreparedMail mail;
    if (const auto refused = prepareMail(content, mail))
        return *refused;
    if (mail.addresses.isEmpty())
        return MailResult::failed();
    mail.content.date = now ? now() : QDateTime::currentDateTime();
    const auto text = platform::buildMimeMessage(mail.content, nullptr, "\n");
    if (!text)
        return MailResult::failed();

    QProcess process;
    process.setProgram(sendmail);
    // "--" keeps an address that begins with "-" from being taken for an option.
    process.setArguments(QStringList{QStringLiteral("-i"), QStringLiteral("--")} + mail.addresses);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted())
        return MailResult::failed();
    process.write(*text);
    process.closeWriteChannel();
    if (!process.waitForFinished(sendmailTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return MailResult::failed();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return MailResult::failed();
    return MailResult{};
}
