#pragma once
// Our own Assisted Telephony: the library "tapi32.dll" with its entry point
// "tapiRequestMakeCall". A call request hands the number to the desktop as a
// tel: address; the desktop's telephone handler (a softphone, a phone-link
// program) places the call. Without a tel: handler the library cannot be loaded.

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace platform {

// Results of tapiRequestMakeCall.
enum : long {
    TAPIERR_CONNECTED = 0,
    TAPIERR_NOREQUESTRECIPIENT = -2,
    TAPIERR_INVALDESTADDRESS = -4
};

// Destination address, application name, called party, comment; a null text
// stands for none.
using TapiRequestMakeCallProc =
    std::function<long(const QString& destAddress, const QString& appName,
                       const QString& calledParty, const QString& comment)>;

class TelephonyLibrary {
public:
    // Loads the library of that name ("tapi32.dll"); nothing when the desktop
    // has no tel: handler.
    static std::unique_ptr<TelephonyLibrary> load(const QString& fileName);
    // The entry point by name; empty when the library has none of that name.
    TapiRequestMakeCallProc requestMakeCallProc(const char* procName) const;
};

// The tel: address of a telephone number as people write it ("020 - 123 45 67",
// "+31 (6) 1234 5678"); an empty URL when it holds no digit.
QUrl telUrl(const QString& number);

// Whether the desktop names a handler for tel: addresses (xdg-mime, without a shell).
bool telHandlerAvailable();

// Seam for tests: what hands a tel: address to the desktop; empty restores
// QDesktopServices::openUrl.
void setUrlOpener(std::function<bool(const QUrl&)> opener);

} // namespace platform
