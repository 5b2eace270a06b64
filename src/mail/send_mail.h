#pragma once
// Sending one composed message on behalf of the user: the program waits for
// the transport, and the user hears once why a message did not go.

#include "mail/mail_transport.h"

// Hands content to transport with the program's window blocked and the wait
// cursor up, then reports the result. True when the message went or the user
// cancelled it; false after the user was told that it did not go.
bool sendMail(MailTransport& transport, const MailContent& content);

// The message box for result; nothing for a message sent or cancelled.
void reportMailResult(const MailResult& result);
