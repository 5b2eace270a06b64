#include "mainwin/about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(res::IDD_ABOUTBOX, nullptr) {}

void CAboutDlg::DoDataExchange(platform::CDataExchange*) {
    // The box shows fixed texts only; nothing to exchange.
}
