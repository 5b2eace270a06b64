// The Enter key and the OK button: moving from field to field, ending the
// remark editor, and committing the report into the group store.
#include "report/report_dlg.h"

#include "platform/data_exchange.h"
#include "report/report_text.h"
#include "res/resource.h"
#include "session/session.h"

#include <climits>

using namespace platform;

void CReportDlg::OnOK() {
    if (!isRunning())
        return;
    if (enterMode == EnterRemarkClosing) {
        enterMode = EnterNormal;
        return;
    }
    if (enterMode == EnterRemark) {
        // A remark the file cannot hold keeps the editor open.
        std::string bytes;
        if (!encodeRemark(GetDlgItemText(res::IDC_REMARK_EDIT).left(remarkLength), bytes, false))
            return;
        enterMode = EnterRemarkClosing;
        UpdateCredit(hoursFieldNumber());
        workRecord.setCreditHours(unsigned(dialogMonth), dialogSlot, creditValue);
        GetDlgItem(res::IDC_PARTICIPATED)->SetFocus();
        // Without a focus change (the window is not active) the editor got no
        // kill-focus notification; close it all the same.
        if (enterMode == EnterRemarkClosing && GetDlgItem(res::IDC_REMARK_EDIT)->IsWindowVisible())
            OnRemarkKillFocus();
        return;
    }

    CWnd* focus = GetFocus();
    const int focusId = focus ? focus->GetDlgCtrlID() : 0;
    if (focusId != IDOK && focusId != res::IDC_STUDIES) {
        NextDlgCtrl();
        return;
    }
    if (!UpdateData(true))
        return;
    if (!takeHoursValue())
        return;
    StoreFields();
    CommitRecord();
    EndDialog(IDOK);
}

int CReportDlg::hoursFieldNumber() {
    return report::leadingInt(GetDlgItemText(res::IDC_HOURS));
}

bool CReportDlg::takeHoursValue() {
    // The record keeps hours in 16 bits: a larger number would be stored as
    // something else entirely, so it is refused like any count out of range.
    const long long hours = report::leadingNumber(GetDlgItemText(res::IDC_HOURS));
    if (hours >= 0 && hours <= 0xFFFF) {
        hoursValue = unsigned(hours);
        return true;
    }
    // A field hidden after it was typed in (box 1050 unticked) is shown again,
    // so that the overseer can correct it.
    GetDlgItem(res::IDC_HOURS_CAPTION)->ShowWindow(SW_SHOW);
    GetDlgItem(res::IDC_HOURS)->ShowWindow(SW_SHOW);
    CDataExchange range(this, true);
    range.m_idLastControl = res::IDC_HOURS;
    DDV_MinMaxUInt(&range, UINT_MAX, 0, 0xFFFF);
    return false;
}

void CReportDlg::StoreFields() {
    const unsigned m = unsigned(dialogMonth);
    const unsigned s = dialogSlot;
    workRecord.setPlacements(m, s, std::uint16_t(placementsValue));
    workRecord.setVideos(m, s, std::uint16_t(videosValue));
    workRecord.setHours(m, s, std::uint16_t(hoursValue));
    workRecord.setReturnVisits(m, s, std::uint16_t(returnVisitsValue));

    std::uint16_t studies = workRecord.studies(m, s) & 0xF000;
    studies |= std::uint16_t(studiesValue & groupdata::studiesCountMask);
    const bool participated =
        IsDlgButtonChecked(res::IDC_PARTICIPATED) == BST_CHECKED || hoursValue || studiesValue;
    participatedChecked = participated ? 1 : 0;
    if (participated)
        studies |= groupdata::participatedBit;
    workRecord.setStudies(m, s, studies);

    const std::uint8_t status = workRecord.pioneerStatus(m, s);
    if ((status & 3u) <= 1) {
        const bool auxiliary = IsDlgButtonChecked(res::IDC_AUX_PIONEER) == BST_CHECKED;
        workRecord.setPioneerStatus(m, s, std::uint8_t((status & ~3u) | (auxiliary ? 1u : 0u)));
    }
    workRecord.setCreditHours(m, s, creditValue);
}

void CReportDlg::CommitRecord() {
    groupdata::GroupStore& store = session.store();
    store.replacePublisher(unsigned(publisherNumber), workRecord);
    if (otherMonth && !notCounted)
        store.setLateFlag(unsigned(publisherNumber), unsigned(dialogMonth));
    session.lastEntry = session.displayText(unsigned(publisherNumber), false);
}
