#include "mainwin/dial_number.h"

#include "platform/message_box.h"

using namespace platform;

void DialNumber(Dialer& dialer, const QString& number, const QString& calledParty) {
    // Asked at every call: the telephone handler may come or go while the program runs.
    if (!dialer.available()) {
        AfxMessageBox(QStringLiteral("Telephone service not available"), MB_OK);
        return;
    }
    dialer.dial(number, calledParty);
}
