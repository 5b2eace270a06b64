#pragma once
// Asks the system's telephony service to place a call.

#include <QString>

// Hands number to the telephony service for calledParty. Tells the user when
// there is no telephony service; a call the service refuses passes silently.
void DialNumber(const QString& number, const QString& calledParty);
