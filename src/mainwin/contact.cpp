// Publisher contact: the telephone numbers, calling and the reminder.
#include "mail/mapi_mail.h"
#include "mainwin/dial_number.h"
#include "mainwin/main_dlg.h"
#include "mainwin/res_string.h"
#include "platform/message_box.h"
#include "res/resource.h"

using namespace platform;

void CMainDlg::OnNextPhone() {
    ++phoneCursor;
    if (phoneCursor >= phoneCount)
        phoneCursor = 0;
    SetDlgItemText(res::IDC_PHONE_NUMBER, fromGroupText(phoneList[phoneCursor]));
    publisherList.SetFocus();
}

void CMainDlg::OnDial() {
    // The publisher of the line selected when the contact state was gathered,
    // so the name goes with the number shown.
    const auto p = unsigned(publisherList.GetItemData(selectedItem));
    DialNumber(fromGroupText(phoneList[phoneCursor]), displayText(p, false));
    publisherList.SetFocus();
}

void CMainDlg::OnPreviewReminder() {
    AfxMessageBox(ResString(res::IDS_REMINDER, res::IDS_MONTH_FIRST + reportMonth), MB_OK);
}

void CMainDlg::OnMailReminder() {
    const QString address = fromGroupText(contactEmail);
    AfxMessageBox(address, MB_OK);

    CMapiMail mail;
    if (mail.takeError() != CMapiMail::mailOk)
        return; // the mail object has said why
    // ResString's text lives only until its next call: keep a copy.
    const QString reminder = ResString(res::IDS_REMINDER, res::IDS_MONTH_FIRST + reportMonth);
    mail.originatorName = QStringLiteral("Drav");
    mail.addRecipients(address);
    mail.setSubject(QStringLiteral("Report"));
    mail.body = reminder;
    mail.send(0);
}
