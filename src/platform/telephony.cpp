#include "platform/telephony.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr int handlerQueryTimeoutMs = 5000;

std::function<bool(const QUrl&)>& urlOpener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

bool openUrl(const QUrl& url) {
    return urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
}

} // namespace

QUrl telUrl(const QString& number) {
    QString dialled;
    bool digits = false;
    for (QChar c : number) {
        const bool digit = c >= u'0' && c <= u'9';
        digits = digits || digit;
        // Blanks, dashes, brackets and letters only help people read the number.
        if (digit || c == u'*' || (c == u'+' && dialled.isEmpty()))
            dialled += c;
        else if (c == u'#')
            dialled += u"%23";
    }
    if (!digits)
        return QUrl();
    return QUrl(QStringLiteral("tel:") + dialled, QUrl::StrictMode);
}

bool telHandlerAvailable() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("x-scheme-handler/tel")});
    if (!query.waitForFinished(handlerQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

std::unique_ptr<TelephonyLibrary> TelephonyLibrary::load(const QString& fileName) {
    if (fileName.compare(u"tapi32.dll", Qt::CaseInsensitive) != 0 || !telHandlerAvailable())
        return nullptr;
    return std::make_unique<TelephonyLibrary>();
}

TapiRequestMakeCallProc TelephonyLibrary::requestMakeCallProc(const char* procName) const {
    if (qstrcmp(procName, "tapiRequestMakeCall") != 0)
        return {};
    // A tel: address carries only the number; the called party and the comment
    // have no place in it.
    return [](const QString& destAddress, const QString&, const QString&, const QString&) -> long {
        const QUrl url = telUrl(destAddress);
        if (url.isEmpty())
            return TAPIERR_INVALDESTADDRESS;
        return openUrl(url) ? TAPIERR_CONNECTED : TAPIERR_NOREQUESTRECIPIENT;
    };
}

void setUrlOpener(std::function<bool(const QUrl&)> opener) {
    urlOpener() = std::move(opener);
}

} // namespace platform
