#include "mail/send_additions.h"

#include "mail/send_mail.h"
#include "platform/group_text.h"
#include "platform/message_box.h"
#include "platform/res_string.h"
#include "res/resource.h"

#include <string>

using namespace platform;

void sendAdditions(groupdata::GroupStore& store, MailTransport& transport) {
    const std::string& loadedPath = store.loadedPath;
    if (!hasGroupFileExtension(fromStorePath(loadedPath)))
        return;
    // Only the file's own extension changes: a folder whose name holds ".k09"
    // must keep its name, or the file would go to a folder that is not there.
    // The path stays in the file system's bytes, so any name survives.
    const std::string additionsFile = loadedPath.substr(0, loadedPath.size() - 4) + ".k19";
    if (!store.saveGroupFile(additionsFile))
        return; // the save has told the user
    const QString additionsPath = fromStorePath(additionsFile);
    QString message = AfxFormatString1(res::IDS_ADDITIONS_SAVED, additionsPath);

    const QString secretary = fromGroupText(store.header().email());
    if (!secretary.contains(u'@')) {
        AfxMessageBox(message, MB_OK);
        return;
    }
    // One ResString at a time: each call reuses the text the last one returned.
    message += ResString(res::IDS_ADDITIONS_ASK_MAIL);
    message += secretary;
    message += ResString(res::IDS_ADDITIONS_OR);
    message += ResString(res::IDS_ADDITIONS_ASK_LATER);
    if (AfxMessageBox(message, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    const QString groupText =
        QStringLiteral("%1 %2").arg(ResString(res::IDS_GROUP)).arg(store.groupNumber);
    const QString month = ResString(res::IDS_MONTH_FIRST + store.reportMonth);
    MailContent additions;
    additions.originatorName = QStringLiteral("Drav");
    additions.recipients = splitRecipients(secretary);
    additions.subject = ResString(res::IDS_ADDITIONS_SUBJECT) + QStringLiteral(" - ") + month +
                        QStringLiteral(" - ") + groupText;
    additions.body = month + u' ' + ResString(res::IDS_ADDITIONS_BODY) + u' ' + groupText;
    additions.attachments = QStringList{additionsPath};
    sendMail(transport, additions);
}
