#pragma once
// The About box: the program's icon and name; OK, Enter and Esc close it.

#include "platform/dialog.h"

class CAboutDlg : public platform::CDialog {
public:
    CAboutDlg();
    void DoDataExchange(platform::CDataExchange* pDX) override;
};
