#pragma once
// The list of kept versions of the open group file, newest first, from which
// the user picks the one to put back. It is handed the lines to show and
// tells which one was chosen.

#include "platform/dialog.h"

#include <QStringList>

class CRestoreDlg : public platform::CDialog {
public:
    explicit CRestoreDlg(QStringList versionLines);

    bool OnInitDialog() override;
    void OnOK() override;
    const platform::MessageMap& GetMessageMap() const override;
    void OnDblclkBackupList();

    // The line chosen with OK, Enter or a double-click; -1 when none.
    int chosen = -1;

private:
    QStringList lines;
};
