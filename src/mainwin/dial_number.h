#pragma once
// Asks the telephone service to place a call.

#include "platform/dialer.h"

#include <QString>

// Hands number to dialer for calledParty. Tells the user when there is no
// telephone service; a call the service refuses passes silently.
void DialNumber(platform::Dialer& dialer, const QString& number, const QString& calledParty);
