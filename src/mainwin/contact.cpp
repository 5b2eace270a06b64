// Publisher contact: the telephone numbers, calling and the reminder.
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
    // TODO(mail): DialNumber with the number shown and the publisher's name.
}

void CMainDlg::OnPreviewReminder() {
    AfxMessageBox(ResString(res::IDS_REMINDER, res::IDS_MONTH_FIRST + reportMonth), MB_OK);
}

void CMainDlg::OnMailReminder() {
    // TODO(mail): notice of the address, then mail the reminder.
}

void CMainDlg::sendAdditions() {
    // TODO(mail): the .k19 file and the mail to the secretary.
}
