// The remark editor and the credit hours of regular pioneers, which the
// remark carries as its leading number.
#include "report/report_dlg.h"

#include "groupdata/cp1252.h"
#include "platform/message_box.h"
#include "report/report_text.h"
#include "res/resource.h"
#include "session/session.h"

#include <QTimer>

#include <algorithm>

using namespace platform;

void CReportDlg::OnRemarks() {
    enterMode = EnterRemark;
    GetDlgItem(res::IDC_CHANGE_MONTH)->ShowWindow(SW_HIDE);
    CWnd* editor = GetDlgItem(res::IDC_REMARK_EDIT);
    // Alt+M again while the editor is open only returns to it: what is being
    // typed is not replaced by the stored remark.
    if (!editor->IsWindowVisible()) {
        editor->ShowWindow(SW_SHOW);
        editor->SetWindowText(remarkText);
    }
    editor->SetFocus();
}

bool CReportDlg::encodeRemark(const QString& kept, std::string& bytes, bool refocusLater) {
    // The group file holds Windows-1252 only: a character it has no byte for
    // would be stored as something else, so the overseer corrects it first.
    const std::string utf8 = kept.toStdString();
    const groupdata::Cp1252Encoding encoded = groupdata::utf8ToCp1252(utf8);
    if (encoded.ok()) {
        bytes = encoded.text;
        return true;
    }
    const int at = int(QString::fromStdString(utf8.substr(0, encoded.offendingAt)).size());
    AfxMessageBox(
        AfxFormatString1(res::IDS_REMARK_BAD_CHARACTER, QString::fromUcs4(&encoded.offending, 1)),
        MB_ICONEXCLAMATION);
    auto selectCharacter = [this, at] {
        auto* editor = dynamic_cast<CEdit*>(GetDlgItem(res::IDC_REMARK_EDIT));
        if (!isRunning() || !editor || !editor->IsWindowVisible())
            return;
        editor->SetFocus();
        editor->SetSel(at, at + 1);
    };
    // From a kill-focus notification the editor is still losing the focus:
    // take it back once that is over.
    if (refocusLater)
        QTimer::singleShot(0, window(), selectCharacter);
    else
        selectCharacter();
    return false;
}

void CReportDlg::OnRemarkKillFocus() {
    CWnd* editor = GetDlgItem(res::IDC_REMARK_EDIT);
    // Nothing to close once the dialog ends, or when the editor is already closed.
    if (!isRunning() || !editor->IsWindowVisible())
        return;
    const QString text = editor->GetWindowText();
    const QString kept = text.left(remarkLength);
    std::string bytes;
    if (!encodeRemark(kept, bytes, true)) {
        enterMode = EnterRemark;
        return;
    }

    editor->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_CHANGE_MONTH)->ShowWindow(SW_SHOW);
    remarkText = kept;

    // An empty remark, or one that begins with a blank, is no remark. The store
    // is not asked to unlink it: the record there changes only at commit.
    bool stored = false;
    if (!bytes.empty() && bytes.front() != ' ')
        stored = session.store().storeRemark(unsigned(publisherNumber), unsigned(dialogMonth),
                                             dialogSlot, unsigned(remarkEntry), bytes);
    workRecord.setRemarkIndex(unsigned(dialogMonth), dialogSlot,
                              stored ? std::uint16_t(remarkEntry) : 0);

    if (report::trimBlanks(text.toStdString()).empty())
        creditValue = 0;
    UpdateCredit(hoursFieldNumber());
    OnOK();
}

void CReportDlg::UpdateCredit(int hours) {
    creditText.clear();
    if (cellStatus() != 2)
        return;
    const long long h = hours;
    long long credit = creditValue;
    if (h > 54)
        credit = 0;
    if (credit != 0 && 55 - h < credit)
        credit = 55 - h;
    if (credit != 0 && remarkText.isEmpty())
        remarkText = QString::asprintf("%d +", int(credit)) + AfxLoadString(res::IDS_CREDIT_HOURS);

    qsizetype digitCount = 0;
    while (digitCount < remarkText.size() && remarkText[digitCount] >= '0' &&
           remarkText[digitCount] <= '9')
        ++digitCount;
    if (digitCount > 0)
        credit = std::min(remarkText.left(std::min<qsizetype>(digitCount, 3)).toInt(), 255);

    const qsizetype unlimited = remarkText.indexOf('!');
    if (unlimited < 0 || unlimited > 5) {
        const qsizetype star = remarkText.indexOf('*');
        const long long extra = star >= 1 && star <= 4 ? std::min<long long>(credit, 40) : 0;
        if (h > 54 || extra + h > 54)
            credit = extra;
        if (credit != 0 && extra != 0 && extra + h < 55 && credit + h > 54)
            credit = 55 - h;
        if (extra == 0 && credit != 0 && 55 - h < credit)
            credit = 55 - h;
    }
    creditValue = std::uint8_t(credit);
    if (creditValue != 0)
        creditText = QString::asprintf("( + %d ", int(creditValue)) +
                     AfxLoadString(res::IDS_CREDIT_HOURS) + " )";
    SetDlgItemText(res::IDC_CREDIT_TEXT, creditText);
}
