#pragma once
// Dialog data exchange: moves values between a dialog's members and its controls
// and validates them on the way back, stopping at the first field that fails.

#include <QString>

namespace platform {

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* const m_pDlgWnd;
    const bool m_bSaveAndValidate;
    // The field the next validation refers to.
    int m_idLastControl = 0;
    bool failed() const { return hasFailed; }
    // Puts the focus on the last field, selects its text and stops the exchange.
    void Fail();

private:
    bool hasFailed = false;
};

// Each does nothing once the exchange has failed.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, unsigned& value);
void DDX_Text(CDataExchange* pDX, int id, QString& value);
void DDV_MinMaxUInt(CDataExchange* pDX, unsigned value, unsigned minValue, unsigned maxValue);

// Parses an unsigned decimal number with optional blanks around the digits.
bool parseUnsigned(const QString& text, unsigned& value);

} // namespace platform
