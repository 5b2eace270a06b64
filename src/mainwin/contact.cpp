// Publisher contact: the telephone numbers, calling and the reminder.
#include "mail/mail_transport.h"
#include "mail/send_mail.h"
#include "mainwin/dial_number.h"
#include "mainwin/main_dlg.h"
#include "platform/message_box.h"
#include "platform/res_string.h"
#include "res/resource.h"

using namespace platform;

void CMainDlg::OnNextPhone() {
    ++store().phoneCursor;
    if (store().phoneCursor >= store().phoneCount)
        store().phoneCursor = 0;
    SetDlgItemText(res::IDC_PHONE_NUMBER, fromGroupText(store().phoneList[store().phoneCursor]));
    publisherList.SetFocus();
}

void CMainDlg::OnDial() {
    // The publisher of the line selected when the contact state was gathered,
    // so the name goes with the number shown.
    const auto p = unsigned(publisherList.GetItemData(selectedItem));
    DialNumber(dialer(), fromGroupText(store().phoneList[store().phoneCursor]),
               session.displayText(p, false));
    publisherList.SetFocus();
}

void CMainDlg::OnPreviewReminder() {
    AfxMessageBox(ResString(res::IDS_REMINDER, res::IDS_MONTH_FIRST + store().reportMonth), MB_OK);
}

void CMainDlg::OnMailReminder() {
    const QString address = fromGroupText(store().contactEmail);
    AfxMessageBox(address, MB_OK);

    MailContent reminder;
    reminder.originatorName = QStringLiteral("Drav");
    reminder.recipients = splitRecipients(address);
    reminder.subject = QStringLiteral("Report");
    reminder.body = ResString(res::IDS_REMINDER, res::IDS_MONTH_FIRST + store().reportMonth);
    sendMail(mailTransport(), reminder);
}
