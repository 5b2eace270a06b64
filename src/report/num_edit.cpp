#include "report/num_edit.h"

#include "platform/constants.h"
#include "report/report_dlg.h"

using namespace platform;

void CNumEdit::bind(int id, CReportDlg* dialog) {
    owner = dialog;
    if (!isAttached())
        SubclassDlgItem(id, dialog);
}

void CNumEdit::OnChar(unsigned ch) {
    if ((ch >= '0' && ch <= '9') || ch == 8 || ch == '.') {
        Default();
        return;
    }
    if (ch == ' ') {
        // A quick way to a clean zero, ready to be typed over.
        SetSel(0, -1);
        ReplaceSel("0");
        SetSel(0, -1);
    }
    // Anything else is not part of a count.
}

void CNumEdit::OnKeyDown(unsigned key) {
    if (key == VK_RIGHT && owner) {
        owner->JumpFocus(true);
        return;
    }
    if (key == VK_LEFT && owner) {
        owner->JumpFocus(false);
        return;
    }
    Default();
}
