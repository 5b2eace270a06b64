#pragma once
// A count field of the report dialog: only digits, backspace and '.' are
// typed, a space turns the field into a selected "0", and the arrow keys move
// between the fields instead of the caret.

#include "platform/controls.h"

class CReportDlg;

class CNumEdit : public platform::CEdit {
public:
    // Binds this object to control id of the report dialog.
    void bind(int id, CReportDlg* dialog);

protected:
    void OnChar(unsigned ch) override;
    void OnKeyDown(unsigned key) override;

private:
    CReportDlg* owner = nullptr;
};
