// Loading one month's report into the fields, the fields' visibility, the
// participated and auxiliary-pioneer boxes, the status texts and the arrow
// keys between the fields.
#include "report/report_dlg.h"

#include "platform/group_text.h"
#include "platform/message_box.h"
#include "report/report_text.h"
#include "res/resource.h"
#include "session/session.h"

using namespace platform;

namespace {

constexpr int captionIds[] = {res::IDC_PLACEMENTS_CAPTION, res::IDC_VIDEOS_CAPTION,
                              res::IDC_HOURS_CAPTION, res::IDC_RETURN_VISITS_CAPTION,
                              res::IDC_STUDIES_CAPTION};
constexpr int editIds[] = {res::IDC_PLACEMENTS, res::IDC_VIDEOS, res::IDC_HOURS,
                           res::IDC_RETURN_VISITS, res::IDC_STUDIES};

} // namespace

void CReportDlg::LoadFields() {
    for (int k = 0; k < 5; ++k) {
        numEdits[size_t(k)].bind(editIds[k], this);
        CWnd* caption = GetDlgItem(captionIds[k]);
        caption->SetFont(GetStockFont(ANSI_VAR_FONT));
        caption->SetWindowText(AfxLoadString(res::IDS_FIELD_CAPTION_FIRST + unsigned(k)));
    }
    SetDlgItemText(res::IDC_MONTH_TEXT, MonthName(dialogMonth, false));

    const unsigned m = unsigned(dialogMonth);
    placementsValue = workRecord.placements(m, dialogSlot);
    videosValue = workRecord.videos(m, dialogSlot);
    hoursValue = workRecord.hours(m, dialogSlot);
    returnVisitsValue = workRecord.returnVisits(m, dialogSlot);
    studiesValue = workRecord.studyCount(m, dialogSlot);
    participatedChecked = workRecord.participated(m, dialogSlot) ? 1 : 0;

    creditValue = cellStatus() == 2 ? std::uint8_t(workRecord.creditHours(m, dialogSlot)) : 0;

    // A full remark table is told once for the month shown, not again when
    // the same month is loaded once more (closing the month list reloads it).
    std::string remark;
    remarkEntry = int(session.store().findOrAddRemark(unsigned(publisherNumber), m, dialogSlot,
                                                      remark, dialogMonth == noRoomMonth));
    const bool noRoom = remarkEntry == 0 || unsigned(remarkEntry) > session.store().remarkCount;
    noRoomMonth = noRoom ? dialogMonth : -1;
    remarkText = fromGroupText(report::trimBlanks(remark));

    UpdateCredit(int(workRecord.hours(m, dialogSlot)));
    UpdateData(false);
    SetDlgItemText(res::IDC_HOURS, QString::number(hoursValue));
    TickIfHours();
    ShowStatusTexts();
    ShowWarnings();
}

void CReportDlg::ApplyFieldVisibility() {
    for (int id : captionIds)
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    for (int id : editIds)
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    if (participatedChecked && pioneerFlag) {
        GetDlgItem(res::IDC_HOURS_CAPTION)->ShowWindow(SW_SHOW);
        GetDlgItem(res::IDC_HOURS)->ShowWindow(SW_SHOW);
    }
    if (participatedChecked) {
        GetDlgItem(res::IDC_STUDIES_CAPTION)->ShowWindow(SW_SHOW);
        GetDlgItem(res::IDC_STUDIES)->ShowWindow(SW_SHOW);
    }
    GetDlgItem(res::IDC_UNDER_ONE_HOUR)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_PARTICIPATED)->ShowWindow(SW_SHOW);
}

void CReportDlg::TickIfHours() {
    const QString hours = GetDlgItemText(res::IDC_HOURS);
    if (hours.size() > 1 || report::leadingNumber(hours) != 0) {
        CheckDlgButton(res::IDC_PARTICIPATED, BST_CHECKED);
        participatedChecked = 1;
    }
}

void CReportDlg::OnParticipated() {
    participatedChecked = IsDlgButtonChecked(res::IDC_PARTICIPATED) == BST_CHECKED ? 1 : 0;
    const int hoursShown = pioneerFlag && participatedChecked ? SW_SHOW : SW_HIDE;
    const int studiesShown = participatedChecked ? SW_SHOW : SW_HIDE;
    GetDlgItem(res::IDC_HOURS_CAPTION)->ShowWindow(hoursShown);
    GetDlgItem(res::IDC_HOURS)->ShowWindow(hoursShown);
    GetDlgItem(res::IDC_STUDIES_CAPTION)->ShowWindow(studiesShown);
    GetDlgItem(res::IDC_STUDIES)->ShowWindow(studiesShown);
    if (!participatedChecked) {
        SetDlgItemText(res::IDC_HOURS, "0");
        SetDlgItemText(res::IDC_STUDIES, "0");
        hoursValue = 0;
        studiesValue = 0;
    }
    enterMode = EnterNormal;
}

void CReportDlg::OnAuxPioneer() {
    pioneerFlag = IsDlgButtonChecked(res::IDC_AUX_PIONEER) == BST_CHECKED ? 1 : 0;
    ApplyFieldVisibility();
    TickIfHours();
    OnParticipated();
}

void CReportDlg::ShowStatusTexts() {
    static const unsigned statusTexts[] = {0, res::IDS_AUX_PIONEER, res::IDS_REGULAR_PIONEER,
                                           res::IDS_SPECIAL_PIONEER};
    static const unsigned privilegeTexts[] = {0, res::IDS_MINISTERIAL_SERVANT, res::IDS_ELDER,
                                              res::IDS_BAPTIZED_BROTHER};
    const unsigned status = cellStatus();
    const unsigned privilege = workRecord.privilege() & 3u;

    SetDlgItemText(res::IDC_STATUS_TEXT, status ? AfxLoadString(statusTexts[status]) : QString());
    if (status <= 1) {
        CheckDlgButton(res::IDC_AUX_PIONEER, status == 1 ? BST_CHECKED : BST_UNCHECKED);
        GetDlgItem(res::IDC_AUX_PIONEER)->ShowWindow(SW_SHOW);
        GetDlgItem(res::IDC_STATUS_TEXT)->ShowWindow(SW_HIDE);
    }
    SetDlgItemText(res::IDC_PRIVILEGE_TEXT,
                   privilege ? AfxLoadString(privilegeTexts[privilege]) : QString());
    SetDlgItemText(res::IDC_GROUP_TEXT,
                   AfxLoadString(res::IDS_GROUP) +
                       QString::asprintf(" %d", int(workRecord.groupNumber())));
    GetDlgItem(res::IDC_CREDIT_TEXT)->ShowWindow(status == 2 ? SW_SHOW : SW_HIDE);
}

void CReportDlg::JumpFocus(bool forward) {
    CWnd* focus = GetFocus();
    const int id = focus ? focus->GetDlgCtrlID() : 0;
    if (forward && id == res::IDC_HOURS)
        GotoDlgCtrl(GetDlgItem(res::IDC_PARTICIPATED));
    else if (!forward && id == res::IDC_PARTICIPATED)
        GotoDlgCtrl(GetDlgItem(res::IDC_HOURS));
    else if (forward)
        NextDlgCtrl();
    else
        PrevDlgCtrl();
}

void CReportDlg::OnPlacementsSetFocus() {
    enterMode = EnterNormal;
}

void CReportDlg::OnHoursKillFocus() {
    if (isRunning())
        UpdateCredit(hoursFieldNumber());
}
