#pragma once
// What takes a composed message out of the program: the machine's mail route,
// or a stand-in in tests.

#include "mail/mail_content.h"

#include <QString>

struct MailResult {
    enum class Status {
        Sent,         // handed over: sent, or left to the mail client to send
        Cancelled,    // the user stopped it in the mail system; nothing to say
        NoMailSystem, // no mail route on this machine
        Unusable,     // a mail route is there but cannot be run
        Failed,       // the route refused or failed the message
    };
    Status status = Status::Sent;
    // For Failed: the recipient entry that is no usable address (blanks
    // around it removed); empty when the failure has another cause.
    QString refusedAddress;

    static MailResult failed(QString refused = QString()) {
        return MailResult{Status::Failed, std::move(refused)};
    }
};

class MailTransport {
public:
    virtual ~MailTransport() = default;
    // Blocks until the route has taken the message or given up.
    virtual MailResult send(const MailContent& content) = 0;
};

// The transport in force: the machine's mail route unless a test installed another.
MailTransport& mailTransport();
// Installs a transport (not owned); nullptr restores the machine's.
void setMailTransport(MailTransport* replacement);
