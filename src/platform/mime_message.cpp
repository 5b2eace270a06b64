#include "platform/mime_message.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

// Recommended header line length; the hard limit of 998 is never approached.
constexpr int foldWidth = 78;
// Raw bytes in one encoded word, so that a word with its "=?UTF-8?B?" frame
// fits on a line after the longest header name we write.
constexpr int encodedWordBytes = 39;

bool isAtext(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0x80)
        return false;
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
        return true;
    return QByteArrayView("!#$%&'*+-/=?^_`{|}~").contains(char(u));
}

bool isDotAtom(const QString& text) {
    if (text.isEmpty() || text.startsWith(u'.') || text.endsWith(u'.') || text.contains(u".."))
        return false;
    for (QChar c : text)
        if (c != u'.' && !isAtext(c))
            return false;
    return true;
}

bool isHostName(const QString& host) {
    if (host.isEmpty() || host.size() > 253)
        return false;
    const QStringList labels = host.split(u'.');
    for (const QString& label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(u'-') || label.endsWith(u'-'))
            return false;
        for (QChar c : label)
            if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-')
                return false;
    }
    return true;
}

bool isPrintableAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

// Joins tokens with blanks, breaking the line before a token that would pass
// the fold width. used is what the line already holds (the header name).
QByteArray foldTokens(const QList<QByteArray>& tokens, int used, const QByteArray& eol) {
    QByteArray out;
    int lineLength = used;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QByteArray& token = tokens[i];
        if (i > 0) {
            if (!token.isEmpty() && lineLength + 1 + token.size() > foldWidth) {
                out += eol;
                lineLength = 0;
            }
            out += ' ';
            ++lineLength;
        }
        out += token;
        lineLength += token.size();
    }
    return out;
}

// RFC 2047 "B" words, split between characters so each word decodes on its own.
QList<QByteArray> encodedWords(const QString& text) {
    QList<QByteArray> words;
    QByteArray chunk;
    auto flush = [&] {
        if (!chunk.isEmpty())
            words += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QByteArray bytes = text.mid(i, n).toUtf8();
        i += n - 1;
        if (chunk.size() + bytes.size() > encodedWordBytes)
            flush();
        chunk += bytes;
    }
    flush();
    return words;
}

bool needsEncodedWords(const QString& text) {
    if (!isPrintableAscii(text) || text.contains(u"=?"))
        return true;
    const QStringList words = text.split(u' ');
    for (const QString& word : words)
        if (word.size() > foldWidth - 12)
            return true;
    return false;
}

// An unstructured header text such as the subject.
QByteArray unstructuredField(const QByteArray& name, const QString& value, const QByteArray& eol) {
    const QString text = headerSafeText(value);
    QList<QByteArray> tokens;
    if (needsEncodedWords(text)) {
        tokens = encodedWords(text);
    } else {
        const QStringList words = text.split(u' ');
        for (const QString& word : words)
            tokens += word.toLatin1();
    }
    return name + ": " + foldTokens(tokens, name.size() + 2, eol);
}

// The display-name part of an address, as atoms, a quoted string or encoded words.
QList<QByteArray> phrase(const QString& name) {
    const QString text = headerSafeText(name).trimmed();
    if (needsEncodedWords(text))
        return encodedWords(text);
    bool atoms = true;
    for (QChar c : text)
        if (c != u' ' && !isAtext(c))
            atoms = false;
    if (atoms && !text.contains(u"  ")) {
        QList<QByteArray> tokens;
        const QStringList words = text.split(u' ');
        for (const QString& word : words)
            tokens += word.toLatin1();
        return tokens;
    }
    QByteArray quoted = text.toLatin1();
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    return {'"' + quoted + '"'};
}

QList<QByteArray> mailbox(const MailAddress& who, const QString& address) {
    const QString name = headerSafeText(who.name).trimmed();
    if (name.isEmpty() || name.compare(address, Qt::CaseInsensitive) == 0)
        return {address.toLatin1()};
    QList<QByteArray> tokens = phrase(name);
    tokens += '<' + address.toLatin1() + '>';
    return tokens;
}

QByteArray randomHex() {
    return QByteArray::number(QRandomGenerator::global()->generate64(), 16);
}

QString cleanFileName(const QString& fileName) {
    QString name = headerSafeText(fileName);
    name.replace(u'/', u'_').replace(u'\\', u'_');
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("attachment") : name;
}

bool isAttributeChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           QByteArrayView("!#$&+-.^_`|~").contains(c);
}

// One MIME parameter: quoted when short plain ASCII, otherwise in the RFC 2231
// form with a character set, split into numbered pieces when long.
QList<QByteArray> parameter(const QByteArray& attribute, const QString& value) {
    constexpr int pieceLength = 50;
    if (isPrintableAscii(value) && !value.contains(u'"') && !value.contains(u'\\') &&
        value.size() <= pieceLength)
        return {attribute + "=\"" + value.toLatin1() + '"'};
    QList<QByteArray> pieces{QByteArray()};
    const QByteArray utf8 = value.toUtf8();
    for (char c : utf8) {
        QByteArray token =
            isAttributeChar(c) ? QByteArray(1, c) : '%' + QByteArray(1, c).toHex().toUpper();
        if (pieces.last().size() + token.size() > pieceLength)
            pieces += QByteArray();
        pieces.last() += token;
    }
    if (pieces.size() == 1)
        return {attribute + "*=UTF-8''" + pieces[0]};
    QList<QByteArray> out;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        out +=
            attribute + '*' + QByteArray::number(i) + "*=" + (i == 0 ? "UTF-8''" : "") + pieces[i];
    return out;
}

QByteArray fieldWithParameters(const QByteArray& head, const QList<QByteArray>& parameters,
                               const QByteArray& eol) {
    QByteArray out = head;
    for (const QByteArray& p : parameters)
        out += ';' + eol + '\t' + p;
    return out;
}

QByteArray base64Lines(const QByteArray& data, const QByteArray& eol) {
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < encoded.size(); i += 76)
        out += encoded.mid(i, 76) + eol;
    return out;
}

} // namespace

QString headerSafeText(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029)
            c = u' ';
    }
    return out;
}

std::optional<QString> normalizedMailAddress(const QString& address) {
    if (address.count(u'@') != 1)
        return std::nullopt;
    const qsizetype at = address.indexOf(u'@');
    const QString local = address.left(at);
    QString domain = address.mid(at + 1);
    // A leading "|" or "/" would ask some sendmail programs for a pipe or a file.
    if (local.size() > 64 || !isDotAtom(local) || local.startsWith(u'|') || local.startsWith(u'/'))
        return std::nullopt;
    if (!isPrintableAscii(domain)) {
        for (QChar c : domain)
            if (c.unicode() < 0x80 && c != u'.' && c != u'-' && !c.isLetterOrNumber())
                return std::nullopt;
        domain = QString::fromLatin1(QUrl::toAce(domain));
    }
    if (!isHostName(domain))
        return std::nullopt;
    const QString result = local + u'@' + domain;
    if (result.size() > 254)
        return std::nullopt;
    return result;
}

QByteArray rfc5322Date(const QDateTime& when) {
    const int offset = when.offsetFromUtc();
    const int minutes = qAbs(offset) / 60;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(QChar(offset < 0 ? u'-' : u'+'))
                             .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    return (QLocale::c().toString(when, QStringLiteral("ddd, d MMM yyyy hh:mm:ss ")) + zone)
        .toLatin1();
}

QByteArray encodeQuotedPrintable(const QByteArray& text, const QByteArray& eol) {
    QByteArray normal = text;
    normal.replace("\r\n", "\n").replace('\r', '\n');
    const QList<QByteArray> lines = normal.split('\n');
    QByteArray out;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines[n];
        int lineLength = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto b = static_cast<unsigned char>(line[i]);
            const bool blank = b == ' ' || b == '\t';
            const bool literal =
                (b >= 33 && b <= 126 && b != '=') || (blank && i + 1 < line.size());
            const QByteArray token =
                literal ? QByteArray(1, char(b)) : '=' + QByteArray(1, char(b)).toHex().toUpper();
            if (lineLength + token.size() > 75) {
                out += '=' + eol;
                lineLength = 0;
            }
            out += token;
            lineLength += token.size();
        }
        if (n + 1 < lines.size())
            out += eol;
    }
    return out;
}

QString localSenderAddress() {
    if (auto email = normalizedMailAddress(qEnvironmentVariable("EMAIL")))
        return *email;
    QString user = qEnvironmentVariable("LOGNAME");
    if (!isDotAtom(user)) {
        const passwd* entry = getpwuid(getuid());
        user = entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
    }
    if (!isDotAtom(user))
        user = QStringLiteral("dravo");
    QString host = QSysInfo::machineHostName();
    if (!isHostName(host))
        host = QStringLiteral("localhost");
    return user + u'@' + host;
}

std::optional<QByteArray> buildMimeMessage(const MimeContent& content, QString* refused,
                                           const QByteArray& eol) {
    auto refuse = [&](const QString& address) {
        if (refused)
            *refused = address;
        return std::nullopt;
    };
    const auto from = normalizedMailAddress(content.from.address);
    if (!from)
        return refuse(content.from.address);
    QList<QByteArray> to;
    for (const MailAddress& who : content.to) {
        const auto address = normalizedMailAddress(who.address);
        if (!address)
            return refuse(who.address);
        QList<QByteArray> tokens = mailbox(who, *address);
        if (!to.isEmpty())
            to.last() += ',';
        to += tokens;
    }

    const QDateTime date = content.date.isValid() ? content.date : QDateTime::currentDateTime();
    const QString domain = from->mid(from->indexOf(u'@') + 1);
    auto messageId = normalizedMailAddress(content.messageId);
    if (!messageId)
        messageId = QString::fromLatin1(QByteArray::number(date.toMSecsSinceEpoch(), 16) + '.' +
                                        randomHex()) +
                    u'@' + domain;

    QByteArray out;
    out += "From: " + foldTokens(mailbox(content.from, *from), 6, eol) + eol;
    if (!to.isEmpty())
        out += "To: " + foldTokens(to, 4, eol) + eol;
    out += unstructuredField("Subject", content.subject, eol) + eol;
    out += "Date: " + rfc5322Date(date) + eol;
    out += "Message-ID: <" + messageId->toLatin1() + '>' + eol;
    out += "MIME-Version: 1.0" + eol;

    QByteArray text = content.body.toUtf8();
    if (!text.endsWith('\n') && !text.endsWith('\r'))
        text += '\n';
    const QByteArray textPart = "Content-Type: text/plain; charset=\"UTF-8\"" + eol +
                                "Content-Transfer-Encoding: quoted-printable" + eol + eol +
                                encodeQuotedPrintable(text, eol);
    if (content.attachments.isEmpty())
        return out + textPart;

    // "=_" cannot occur in quoted-printable or base64 text, so the boundary
    // never needs checking against the parts.
    const QByteArray boundary = "=_dravo_" + randomHex();
    out += fieldWithParameters("Content-Type: multipart/mixed", {"boundary=\"" + boundary + '"'},
                               eol) +
           eol + eol;
    out += "This is a message in MIME format." + eol;
    out += eol + "--" + boundary + eol + textPart;
    for (const MimeAttachment& attachment : content.attachments) {
        const QString name = cleanFileName(attachment.fileName);
        out += eol + "--" + boundary + eol;
        out += fieldWithParameters("Content-Type: application/octet-stream",
                                   parameter("name", name), eol) +
               eol;
        out += fieldWithParameters("Content-Disposition: attachment", parameter("filename", name),
                                   eol) +
               eol;
        out += "Content-Transfer-Encoding: base64" + eol + eol;
        out += base64Lines(attachment.data, eol);
    }
    out += eol + "--" + boundary + "--" + eol;
    return out;
}

} // namespace platform
