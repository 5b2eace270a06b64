#include "platform/dialer.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr int handlerQueryTimeoutMs = 5000;

Dialer* installed = nullptr;

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

DesktopTelDialer::DesktopTelDialer(UrlOpener openUrl)
    : opener(openUrl ? std::move(openUrl) : UrlOpener(&QDesktopServices::openUrl)) {}

bool DesktopTelDialer::available() {
    // xdg-mime, run without a shell, knows the desktop's handler.
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

bool DesktopTelDialer::dial(const QString& number, const QString&) {
    const QUrl url = telUrl(number);
    return !url.isEmpty() && opener(url);
}

Dialer& dialer() {
    static DesktopTelDialer desktop;
    return installed ? *installed : desktop;
}

void setDialer(Dialer* replacement) {
    installed = replacement;
}

} // namespace platform
