#include "mail/mail_content.h"

QStringList splitRecipients(const QString& list) {
    return list.split(u';', Qt::SkipEmptyParts);
}
