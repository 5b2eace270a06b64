// Sending the additions to the secretary: the whole group written to a .k19
// file beside the loaded group file, and mailed when the user agrees.
#include "mail/mapi_mail.h"
#include "mainwin/main_dlg.h"
#include "mainwin/res_string.h"
#include "platform/message_box.h"
#include "res/resource.h"

#include <string>

using namespace platform;

void CMainDlg::sendAdditions() {
    if (!hasGroupFileExtension(fromStorePath(loadedPath)))
        return;
    // Only the file's own extension changes: a folder whose name holds ".k09"
    // must keep its name, or the file would go to a folder that is not there.
    // The path stays in the file system's bytes, so any name survives.
    const std::string additionsFile = loadedPath.substr(0, loadedPath.size() - 4) + ".k19";
    if (!saveGroupFile(additionsFile))
        return; // the save has told the user
    const QString additionsPath = fromStorePath(additionsFile);
    QString message = AfxFormatString1(res::IDS_ADDITIONS_SAVED, additionsPath);

    const QString secretary = fromGroupText(header().email());
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
        QStringLiteral("%1 %2").arg(ResString(res::IDS_GROUP)).arg(groupNumber);
    const QString month = ResString(res::IDS_MONTH_FIRST + reportMonth);
    const QString subject = ResString(res::IDS_ADDITIONS_SUBJECT) + QStringLiteral(" - ") + month +
                            QStringLiteral(" - ") + groupText;
    const QString body = month + u' ' + ResString(res::IDS_ADDITIONS_BODY) + u' ' + groupText;

    CMapiMail mail;
    if (mail.takeError() != CMapiMail::mailOk)
        return; // the mail object has said why
    mail.originatorName = QStringLiteral("Drav");
    mail.addRecipients(secretary);
    mail.setSubject(subject);
    mail.body = body;
    mail.addAttachment(additionsPath);
    mail.send(0);
}
