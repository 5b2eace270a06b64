#include "platform/data_exchange.h"

#include "platform/dialog.h"
#include "platform/message_box.h"

namespace platform {
namespace {

const char* const positiveIntegerText = "Please enter a positive integer.";
const char* const integerRangeText = "Please enter an integer between %1 and %2.";

} // namespace

void CDataExchange::Fail() {
    hasFailed = true;
    if (CWnd* control = m_pDlgWnd->GetDlgItem(m_idLastControl)) {
        control->SetFocus();
        if (auto* edit = dynamic_cast<CEdit*>(control))
            edit->SetSel(0, -1);
    }
}

bool parseUnsigned(const QString& text, unsigned& value) {
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return false;
    unsigned long long result = 0;
    for (QChar c : digits) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + unsigned(c.unicode() - '0');
        if (result > 0xFFFFFFFFull)
            return false;
    }
    value = unsigned(result);
    return true;
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (pDX->failed())
        return;
    if (!control.isAttached())
        control.SubclassDlgItem(id, pDX->m_pDlgWnd);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    if (pDX->failed())
        return;
    pDX->m_idLastControl = id;
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->IsDlgButtonChecked(id);
    else
        pDX->m_pDlgWnd->CheckDlgButton(id, value ? BST_CHECKED : BST_UNCHECKED);
}

void DDX_Text(CDataExchange* pDX, int id, unsigned& value) {
    if (pDX->failed())
        return;
    pDX->m_idLastControl = id;
    if (!pDX->m_bSaveAndValidate) {
        pDX->m_pDlgWnd->SetDlgItemText(id, QString::number(value));
        return;
    }
    if (!parseUnsigned(pDX->m_pDlgWnd->GetDlgItemText(id), value)) {
        AfxMessageBox(positiveIntegerText, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDX_Text(CDataExchange* pDX, int id, QString& value) {
    if (pDX->failed())
        return;
    pDX->m_idLastControl = id;
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

void DDV_MinMaxUInt(CDataExchange* pDX, unsigned value, unsigned minValue, unsigned maxValue) {
    if (pDX->failed() || !pDX->m_bSaveAndValidate)
        return;
    if (value < minValue || value > maxValue) {
        AfxMessageBox(
            formatMessage(integerRangeText, QString::number(minValue), QString::number(maxValue)),
            MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

} // namespace platform
