// The month list for late reports, the month names and the warning text that
// tells whether the entered values reach the branch report.
#include "report/report_dlg.h"

#include "platform/message_box.h"
#include "res/resource.h"
#include "session/session.h"

#include <QPushButton>

using namespace platform;

const QString& CReportDlg::MonthName(int month, bool withArticle) {
    monthText = AfxLoadString(res::IDS_MONTH_FIRST + unsigned(month));
    if (withArticle && session.store().languageName == "french") {
        const bool vowel = monthText.startsWith('a') || monthText.startsWith('o');
        monthText.prepend(vowel ? "d'" : "de ");
    }
    return monthText;
}

void CReportDlg::ShowWarnings() {
    const unsigned report = session.store().reportMonth % groupdata::monthCount;
    const bool special = (workRecord.pioneerStatus(report, dialogSlot) & 3u) == 3 ||
                         (workRecord.pioneerStatus(unsigned(dialogMonth), dialogSlot) & 3u) == 3;
    const bool hasHours = hoursValue != 0;

    QString text;
    notCounted = 0;
    otherMonth = dialogMonth != int(report) ? 1 : 0;
    GetDlgItem(res::IDC_WARNING_TEXT)->SetFont(GetStockFont(ANSI_VAR_FONT));

    if (hasHours)
        text = AfxFormatString2(res::IDS_ALREADY_ENTERED, MonthName(dialogMonth, true),
                                session.displayText(unsigned(publisherNumber), false));
    if (special) {
        text += "\n" + AfxLoadString(res::IDS_SPECIALS_NOT_COUNTED);
        notCounted = 1;
    } else {
        if (!monthListShown && otherMonth) {
            QString line;
            if (hasHours &&
                !session.store().isLateFlag(unsigned(publisherNumber), unsigned(dialogMonth))) {
                line = AfxFormatString1(res::IDS_NOT_ADDED, MonthName(int(report), true));
                notCounted = 1;
            } else {
                line = AfxFormatString1(res::IDS_ADDED, MonthName(int(report), true));
            }
            text += "\n" + line;
        }
        if (hasHours && !otherMonth)
            text += "\n" + AfxFormatString1(res::IDS_ADDED, MonthName(int(report), true));
    }
    SetDlgItemText(res::IDC_WARNING_TEXT, text);
}

void CReportDlg::OnChangeMonth() {
    monthListShown = 1;
    GetDlgItem(res::IDC_MONTH_LIST)->ShowWindow(SW_SHOW);
    for (int id : {res::IDC_REMARKS, res::IDC_CREDIT_TEXT, int(IDOK), int(IDCANCEL),
                   res::IDC_CHANGE_MONTH, res::IDC_GROUP_TEXT})
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    CWnd* close = GetDlgItem(res::IDC_MONTH_LIST_OK);
    close->ShowWindow(SW_SHOW);
    if (auto* button = qobject_cast<QPushButton*>(close->widget()))
        button->setDown(false);
    GetDlgItem(res::IDC_MONTH_LIST)->SetFocus();
}

void CReportDlg::OnMonthListSelChange() {
    const int selected = listBox(res::IDC_MONTH_LIST)->GetCurSel();
    if (selected < 0 || selected >= int(groupdata::monthCount))
        return;
    dialogMonth = selected;
    // A late month is shown as the dialog opens on the report month: the
    // pioneer status and the participation of that month decide which fields
    // show, so an auxiliary pioneer of that month can enter hours.
    takeMonthFlags();
    ApplyFieldVisibility();
    LoadFields();
}

void CReportDlg::OnMonthListClose() {
    // The list also loses the focus while the dialog closes; nothing to reload then.
    if (!isRunning())
        return;
    monthListShown = 0;
    GetDlgItem(res::IDC_MONTH_LIST)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_MONTH_LIST_OK)->ShowWindow(SW_HIDE);
    for (int id :
         {res::IDC_REMARKS, int(IDOK), int(IDCANCEL), res::IDC_CHANGE_MONTH, res::IDC_GROUP_TEXT})
        GetDlgItem(id)->ShowWindow(SW_SHOW);
    GetDlgItem(res::IDC_PARTICIPATED)->SetFocus();
    LoadFields();
}
