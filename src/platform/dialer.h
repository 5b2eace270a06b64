#pragma once
// Placing a telephone call through the desktop: the number goes as a tel:
// address to the desktop's telephone handler (a softphone, a phone-link
// program), which places the call.

#include <QString>
#include <QUrl>

#include <functional>

namespace platform {

class Dialer {
public:
    virtual ~Dialer() = default;
    // Whether a call can be placed at all.
    virtual bool available() = 0;
    // Asks for a call to number on behalf of calledParty; false when nothing
    // took the request.
    virtual bool dial(const QString& number, const QString& calledParty) = 0;
};

class DesktopTelDialer : public Dialer {
public:
    using UrlOpener = std::function<bool(const QUrl&)>;
    // openUrl hands a tel: address to the desktop; QDesktopServices::openUrl
    // unless a test watches.
    explicit DesktopTelDialer(UrlOpener openUrl = {});
    // Whether the desktop names a handler for tel: addresses.
    bool available() override;
    // A tel: address carries only the number; the called party has no place in it.
    bool dial(const QString& number, const QString& calledParty) override;

private:
    UrlOpener opener;
};

// The tel: address of a telephone number as people write it ("020 - 123 45 67",
// "+31 (6) 1234 5678"); an empty URL when it holds no digit.
QUrl telUrl(const QString& number);

// The dialer in force: the desktop's unless a test installed another.
Dialer& dialer();
// Installs a dialer (not owned); nullptr restores the desktop's.
void setDialer(Dialer* replacement);

} // namespace platform
