// Construction, message map, initialisation and data exchange of the report
// dialog.
#include "report/report_dlg.h"

#include "platform/data_exchange.h"
#include "platform/message_box.h"
#include "res/resource.h"
#include "session/session.h"

using namespace platform;

CReportDlg::CReportDlg(Session& runSession, unsigned publisher, CWnd* parent)
    : CDialog(res::IDD_REPORT, parent), publisherNumber(int(publisher)), session(runSession) {}

CReportDlg::~CReportDlg() = default;

const MessageMap& CReportDlg::GetMessageMap() const {
    static const MessageMap map{
        ON_BN_CLICKED(res::IDC_CHANGE_MONTH, &CReportDlg::OnChangeMonth),
        ON_LBN_DBLCLK(res::IDC_MONTH_LIST, &CReportDlg::OnMonthListClose),
        ON_LBN_KILLFOCUS(res::IDC_MONTH_LIST, &CReportDlg::OnMonthListClose),
        ON_LBN_SELCHANGE(res::IDC_MONTH_LIST, &CReportDlg::OnMonthListSelChange),
        ON_BN_CLICKED(res::IDC_MONTH_LIST_OK, &CReportDlg::OnMonthListClose),
        ON_BN_CLICKED(res::IDC_REMARKS, &CReportDlg::OnRemarks),
        ON_EN_KILLFOCUS(res::IDC_REMARK_EDIT, &CReportDlg::OnRemarkKillFocus),
        ON_EN_SETFOCUS(res::IDC_PLACEMENTS, &CReportDlg::OnPlacementsSetFocus),
        ON_EN_KILLFOCUS(res::IDC_HOURS, &CReportDlg::OnHoursKillFocus),
        ON_BN_CLICKED(res::IDC_AUX_PIONEER, &CReportDlg::OnAuxPioneer),
        ON_BN_CLICKED(res::IDC_PARTICIPATED, &CReportDlg::OnParticipated),
    };
    return map;
}

void CReportDlg::takeMonthFlags() {
    // The whole status byte: other bits than the status also show the hours.
    pioneerFlag = workRecord.pioneerStatus(unsigned(dialogMonth), dialogSlot);
    participatedChecked = workRecord.participated(unsigned(dialogMonth), dialogSlot) ? 1 : 0;
}

unsigned CReportDlg::cellStatus() const {
    return workRecord.pioneerStatus(unsigned(dialogMonth), dialogSlot) & 3u;
}

bool CReportDlg::OnInitDialog() {
    // The base initialisation is not run: LoadFields fills the controls.
    const groupdata::GroupStore& store = session.store();
    if (publisherNumber < 1 || publisherNumber > int(store.publisherCount)) {
        // Nothing to show a report of.
        EndDialog(IDCANCEL);
        return false;
    }
    dialogMonth = store.reportMonth % groupdata::monthCount;
    dialogSlot = store.yearSlot;

    const QString name = session.displayText(unsigned(publisherNumber), false);
    SetWindowText(name);
    // A screen reader announces the window; the name alone does not say what it is.
    SetAccessibleName(AfxFormatString1(res::IDS_REPORT_WINDOW_NAME, name));
    SetDlgItemText(res::IDC_PUBLISHER_NAME, name);

    CListBox* months = listBox(res::IDC_MONTH_LIST);
    months->ResetContent();
    for (int i = 0; i < int(groupdata::monthCount); ++i)
        months->InsertString(i, MonthName(i, false));
    months->SetCurSel(dialogMonth);

    GetDlgItem(res::IDC_MONTH_LIST)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_MONTH_LIST_OK)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_REMARK_EDIT)->ShowWindow(SW_HIDE);

    workRecord = store.publisher(unsigned(publisherNumber));
    takeMonthFlags();
    ApplyFieldVisibility();

    CWnd* changeMonth = GetDlgItem(res::IDC_CHANGE_MONTH);
    changeMonth->SetFont(GetStockFont(ANSI_VAR_FONT));
    changeMonth->SetWindowText(AfxLoadString(res::IDS_CHANGE_MONTH));

    EnableToolTips(true);
    LoadFields();
    CenterWindow();
    return true;
}

namespace {

// The overseer cannot see the hidden count fields, so their limits would only
// block a commit he has no way to fix: a hidden field carries its stored value
// through unchanged, a shown one is held to its limit.
void limitShownField(CDataExchange* pDX, int id, unsigned value, unsigned maxValue) {
    CWnd* field = pDX->m_pDlgWnd->GetDlgItem(id);
    if (field && field->IsWindowVisible())
        DDV_MinMaxUInt(pDX, value, 0, maxValue);
}

} // namespace

void CReportDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, res::IDC_VIDEOS, videosValue);
    limitShownField(pDX, res::IDC_VIDEOS, videosValue, 4095);
    DDX_Text(pDX, res::IDC_PLACEMENTS, placementsValue);
    limitShownField(pDX, res::IDC_PLACEMENTS, placementsValue, 4095);
    DDX_Text(pDX, res::IDC_RETURN_VISITS, returnVisitsValue);
    limitShownField(pDX, res::IDC_RETURN_VISITS, returnVisitsValue, 511);
    DDX_Text(pDX, res::IDC_STUDIES, studiesValue);
    limitShownField(pDX, res::IDC_STUDIES, studiesValue, 63);
    DDX_Check(pDX, res::IDC_PARTICIPATED, participatedChecked);
}

bool CReportDlg::OnToolTipNeedText(int id, QString& text) {
    if (id != res::IDC_PARTICIPATED)
        return false;
    text = AfxLoadString(res::IDS_PARTICIPATED_TIP);
    return true;
}
