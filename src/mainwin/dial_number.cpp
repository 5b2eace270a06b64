#include "mainwin/dial_number.h"

#include "platform/message_box.h"
#include "platform/telephony.h"

using namespace platform;

void DialNumber(const QString& number, const QString& calledParty) {
    std::unique_ptr<TelephonyLibrary> tapi = TelephonyLibrary::load(QStringLiteral("tapi32.dll"));
    if (!tapi) {
        AfxMessageBox(QStringLiteral("Telephone service not available"), MB_OK);
        return;
    }
    const TapiRequestMakeCallProc requestMakeCall =
        tapi->requestMakeCallProc("tapiRequestMakeCall");
    if (!requestMakeCall)
        AfxMessageBox(QStringLiteral("bad procaddress"), MB_OK);
    else
        requestMakeCall(number, QString(), calledParty, QString());
    tapi.reset();
}
