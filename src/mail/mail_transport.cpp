#include "mail/mail_transport.h"

#include "mail/system_mail_transport.h"

namespace {
MailTransport* installed = nullptr;
}

MailTransport& mailTransport() {
    static SystemMailTransport machine;
    return installed ? *installed : machine;
}

void setMailTransport(MailTransport* replacement) {
    installed = replacement;
}
