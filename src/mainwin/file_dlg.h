#pragma once
// The dialog in which the user picks a group file to open.

#include "platform/file_dialog.h"

class CFileDlg : public platform::CFileDialog {
public:
    using CFileDialog::CFileDialog;
};
