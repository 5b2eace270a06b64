#include "mainwin/restore_dlg.h"

#include "res/resource.h"

using namespace platform;

CRestoreDlg::CRestoreDlg(QStringList versionLines)
    : CDialog(res::IDD_RESTORE), lines(std::move(versionLines)) {}

const MessageMap& CRestoreDlg::GetMessageMap() const {
    static const MessageMap map{
        ON_LBN_DBLCLK(res::IDC_BACKUP_LIST, &CRestoreDlg::OnDblclkBackupList),
    };
    return map;
}

bool CRestoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CListBox* list = listBox(res::IDC_BACKUP_LIST);
    for (int i = 0; i < lines.size(); ++i)
        list->InsertString(i, lines[i]);
    list->SetCurSel(0);
    list->SetFocus();
    return false;
}

void CRestoreDlg::OnOK() {
    chosen = listBox(res::IDC_BACKUP_LIST)->GetCurSel();
    if (chosen >= 0)
        EndDialog(IDOK);
}

void CRestoreDlg::OnDblclkBackupList() {
    OnOK();
}
