#include "platform/mapi.h"

#include "platform/mime_message.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <set>

namespace platform {

namespace {

// A sendmail that talks to a slow server may take a while; one that hangs must
// not freeze the program for good.
constexpr int sendmailTimeoutMs = 120000;
// xdg-email returns once the mail client has the message, unless it runs the
// client in the foreground; then the compose window is up and the client is left
// running on its own.
constexpr int mailClientWaitMs = 10000;

using Delivery = std::function<ULONG(const MapiMessage&, FLAGS)>;

QStringList& fallbackPaths() {
    static QStringList paths = {QStringLiteral("/usr/sbin/sendmail"),
                                QStringLiteral("/usr/lib/sendmail")};
    return paths;
}

std::function<QDateTime()>& mailClock() {
    static std::function<QDateTime()> clock;
    return clock;
}

Delivery& deliverySubstitute() {
    static Delivery delivery;
    return delivery;
}

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

QString fromUtf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

// "SMTP:" and blanks around the address are not part of it.
QString plainAddress(const char* text) {
    QString address = fromUtf8(text);
    if (address.startsWith(u"SMTP:", Qt::CaseInsensitive))
        address.remove(0, 5);
    qsizetype first = 0, last = address.size();
    while (first < last && (address[first] == u' ' || address[first] == u'\t'))
        ++first;
    while (last > first && (address[last - 1] == u' ' || address[last - 1] == u'\t'))
        --last;
    return address.mid(first, last - first);
}

struct PreparedMail {
    MailContent content;
    QStringList recipients;
    QStringList attachmentPaths;
};

// The text without the placeholders the attachments take the place of.
QString noteText(const MapiMessage& message) {
    QByteArray note = message.lpszNoteText ? QByteArray(message.lpszNoteText) : QByteArray();
    std::set<ULONG, std::greater<ULONG>> positions;
    for (ULONG i = 0; i < message.nFileCount; ++i)
        positions.insert(message.lpFiles[i].nPosition);
    for (ULONG position : positions)
        if (position < ULONG(note.size()) && note[qsizetype(position)] == ' ')
            note.remove(qsizetype(position), 1);
    return QString::fromUtf8(note);
}

ULONG prepare(const MapiMessage& message, PreparedMail& mail) {
    for (ULONG i = 0; i < message.nRecipCount; ++i) {
        const MapiRecipDesc& recipient = message.lpRecips[i];
        if (recipient.ulRecipClass != MAPI_TO)
            return MAPI_E_BAD_RECIPTYPE;
        const auto address = normalizedMailAddress(
            plainAddress(recipient.lpszAddress ? recipient.lpszAddress : recipient.lpszName));
        if (!address)
            return MAPI_E_INVALID_RECIPS;
        mail.recipients += *address;
        mail.content.to += MailAddress{fromUtf8(recipient.lpszName), *address};
    }
    for (ULONG i = 0; i < message.nFileCount; ++i) {
        const MapiFileDesc& file = message.lpFiles[i];
        const QString path = fromUtf8(file.lpszPathName);
        const QFileInfo info(path);
        if (path.isEmpty() || !info.exists())
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        QFile input(path);
        if (!info.isFile() || !input.open(QIODevice::ReadOnly))
            return MAPI_E_ATTACHMENT_OPEN_FAILURE;
        const QByteArray data = input.readAll();
        if (input.error() != QFileDevice::NoError)
            return MAPI_E_ATTACHMENT_OPEN_FAILURE;
        const QString shown = file.lpszFileName ? fromUtf8(file.lpszFileName) : info.fileName();
        mail.content.attachments += MailAttachment{shown, data};
        mail.attachmentPaths += info.absoluteFilePath();
    }
    mail.content.body = noteText(message);
    mail.content.subject = fromUtf8(message.lpszSubject);
    QString sender = localSenderAddress();
    if (const MapiRecipDesc* originator = message.lpOriginator) {
        mail.content.from.name = fromUtf8(originator->lpszName);
        if (originator->lpszAddress) {
            const auto address = normalizedMailAddress(plainAddress(originator->lpszAddress));
            if (!address)
                return MAPI_E_INVALID_MESSAGE;
            sender = *address;
        }
    }
    mail.content.from.address = sender;
    mail.content.date = mailClock() ? mailClock()() : QDateTime::currentDateTime();
    return SUCCESS_SUCCESS;
}

ULONG runSendmail(const QString& program, const PreparedMail& mail) {
    if (mail.recipients.isEmpty())
        return MAPI_E_INVALID_RECIPS;
    const auto text = buildMimeMessage(mail.content, nullptr, "\n");
    if (!text)
        return MAPI_E_INVALID_RECIPS;
    QProcess process;
    process.setProgram(program);
    // "--" keeps an address that begins with "-" from being taken for an option.
    process.setArguments(QStringList{QStringLiteral("-i"), QStringLiteral("--")} + mail.recipients);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    if (!process.waitForStarted())
        return MAPI_E_FAILURE;
    process.write(*text);
    process.closeWriteChannel();
    if (!process.waitForFinished(sendmailTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return MAPI_E_FAILURE;
    }
    const bool sent = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return sent ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}

ULONG runMailClient(const QString& program, const PreparedMail& mail) {
    QStringList arguments{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                          headerSafeText(mail.content.subject), QStringLiteral("--body"),
                          mail.content.body};
    for (const QString& path : mail.attachmentPaths)
        arguments << QStringLiteral("--attach") << path;
    if (!mail.recipients.isEmpty()) {
        // One mailto: address for all recipients; it cannot be taken for an option.
        QStringList encoded;
        for (const QString& address : mail.recipients)
            encoded += QString::fromLatin1(QUrl::toPercentEncoding(address, "@"));
        arguments << QStringLiteral("mailto:") + encoded.join(u',');
    }
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return MAPI_E_FAILURE;
    }
    if (!process->waitForFinished(mailClientWaitMs)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return SUCCESS_SUCCESS;
    }
    const bool handed = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return handed ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}

} // namespace

QString findSendmail(bool* unusable) {
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
        for (qsizetype i = 0; found.isEmpty() && i < fallbackPaths().size(); ++i) {
            const QFileInfo file(fallbackPaths()[i]);
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

std::shared_ptr<MapiLibrary> MapiLibrary::load(const QString& fileName) {
    if (fileName.compare(u"MAPI32.DLL", Qt::CaseInsensitive) != 0)
        return nullptr;
    if (deliverySubstitute())
        return std::make_shared<MapiLibrary>(Route::Substitute, QString());
    bool unusable = false;
    const QString sendmail = findSendmail(&unusable);
    if (!sendmail.isEmpty())
        return std::make_shared<MapiLibrary>(Route::Sendmail, sendmail);
    // A program named outright that cannot run is not passed over for another route.
    if (unusable && !qEnvironmentVariableIsEmpty("DRAVO_SENDMAIL"))
        return std::make_shared<MapiLibrary>(Route::Broken, QString());
    const QString client = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (!client.isEmpty())
        return std::make_shared<MapiLibrary>(Route::DesktopClient, client);
    if (unusable)
        return std::make_shared<MapiLibrary>(Route::Broken, QString());
    return nullptr;
}

MapiSendMailProc MapiLibrary::sendMailProc(const char* procName) const {
    if (route_ == Route::Broken || qstrcmp(procName, "MAPISendMail") != 0)
        return {};
    const Route route = route_;
    const QString program = program_;
    const Delivery substitute = deliverySubstitute();
    return [route, program, substitute](LHANDLE, QWidget*, MapiMessage* message, FLAGS flags,
                                        ULONG) -> ULONG {
        if (!message)
            return MAPI_E_INVALID_MESSAGE;
        if (route == Route::Substitute)
            return substitute(*message, flags);
        PreparedMail mail;
        if (const ULONG refused = prepare(*message, mail))
            return refused;
        return route == Route::Sendmail ? runSendmail(program, mail) : runMailClient(program, mail);
    };
}

MapiLogonProc MapiLibrary::logonProc(const char* procName) const {
    if (route_ == Route::Broken || qstrcmp(procName, "MAPILogon") != 0)
        return {};
    // Neither route keeps a session: a sendmail program and the desktop client
    // look after their own accounts.
    return [](QWidget*, const char*, const char*, FLAGS, ULONG, LHANDLE* session) -> ULONG {
        if (session)
            *session = 1;
        return SUCCESS_SUCCESS;
    };
}

void setSendmailFallbackPaths(const QStringList& paths) {
    fallbackPaths() = paths;
}

QStringList sendmailFallbackPaths() {
    return fallbackPaths();
}

void setMailClock(std::function<QDateTime()> clock) {
    mailClock() = std::move(clock);
}

void setMailDeliverySubstitute(std::function<ULONG(const MapiMessage&, FLAGS)> delivery) {
    deliverySubstitute() = std::move(delivery);
}

} // namespace platform
