// Writing the loaded group back to its file (after each stored report, before
// another list replaces it, and at exit), and what happens when that fails.
#include "mainwin/file_dlg.h"
#include "mainwin/main_dlg.h"
#include "platform/message_box.h"
#include "platform/res_string.h"
#include "platform/win_app.h"
#include "res/resource.h"

#include <QFileInfo>

using namespace platform;

bool CMainDlg::lockGroupFile(const QString& groupFile) {
    const QString canonical = QFileInfo(groupFile).canonicalFilePath();
    if (instanceLock && !canonical.isEmpty() && instanceLock->lockedPath() == canonical)
        return true;
    // A lock of its own for the new file, so that a refusal keeps the current one.
    auto candidate = std::make_unique<InstanceLock>();
    if (candidate->tryLock(groupFile)) {
        instanceLock = std::move(candidate);
        return true;
    }
    // Where no lock can be made at all, it cannot guard the file either, and
    // must not keep the user from the list.
    if (!candidate->heldByOther()) {
        instanceLock.reset();
        return true;
    }
    AfxMessageBox(AfxFormatString1(res::IDS_ALREADY_OPEN, groupFile), MB_OK);
    return false;
}

bool CMainDlg::changedOnDisk(const std::string& path) const {
    // Only a regular file someone else wrote needs asking about: a file that
    // is gone is simply written anew, and anything else cannot be written
    // over at all (the save itself says so, once).
    const groupdata::FileStamp now = groupdata::stampOf(path);
    return now.exists && QFileInfo(fromStorePath(path)).isFile() && now != diskState;
}

void CMainDlg::rememberDiskState() {
    diskState = groupdata::stampOf(store().loadedPath);
}

bool CMainDlg::saveLoadedGroup(bool attended) {
    // A ".K09" file is written back like a ".k09" one: it opens like one, and
    // leaving it alone would silently drop every report entered into it.
    const QString path = fromStorePath(store().loadedPath);
    if (!hasGroupFileExtension(path) || store().publisherCount <= 1)
        return true;
    if (changedOnDisk(store().loadedPath)) {
        // Unattended there is nobody to ask, and the other program's version
        // is kept as it is.
        if (!attended)
            return false;
        const int answer = AfxMessageBox(AfxFormatString1(res::IDS_CHANGED_ON_DISK, path),
                                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        if (answer != IDYES)
            return false;
    }
    keepFirstBackup(path);
    if (!store().saveGroupFile(store().loadedPath))
        return false;
    rememberDiskState();
    return true;
}

void CMainDlg::keepFirstBackup(const QString& groupFile) {
    // One copy a run, of the file as it was before this run wrote it: a copy
    // per stored report would push the older versions out within an evening.
    const QString key = QFileInfo(groupFile).absoluteFilePath();
    if (backedUp.contains(key))
        return;
    backedUp.insert(key);
    GroupBackups backups = backupsOnOurClock();
    QString folder;
    // A copy that cannot be made must not keep the entries from being saved.
    if (!backups.keepCopy(groupFile, &folder) && !storeMessages.quiet)
        AfxMessageBox(AfxFormatString2(res::IDS_BACKUP_FAILED, groupFile, folder), MB_OK);
}

bool CMainDlg::resolveUnsavedList() {
    const QStringList answers{ResString(res::IDS_SAVE_ELSEWHERE),
                              ResString(res::IDS_CLOSE_WITHOUT_SAVING),
                              ResString(res::IDS_BACK_TO_LIST)};
    for (;;) {
        // The default answer, and Esc, go back to the list: the entries are
        // dropped only when the user picks that.
        const int answer = AfxMessageBox(
            AfxFormatString1(res::IDS_UNSAVED_QUESTION, fromStorePath(store().loadedPath)),
            MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3, answers);
        if (answer == IDNO)
            return true;
        if (answer != IDYES)
            return false;

        const QString filter =
            QString("%1~%2~~").arg(ResString(res::IDS_OPEN_FILTER), "*.k09").replace('~', QChar(0));
        CFileDlg dlg(false, "k09", QString(), 0, filter);
        dlg.initialDir = QFileInfo(fromStorePath(store().loadedPath)).absolutePath();
        dlg.title = ResString(res::IDS_SAVE_AS_TITLE);
        if (dlg.DoModal() != IDOK)
            continue;
        QString chosen = dlg.GetPathName();
        if (!hasGroupFileExtension(chosen))
            chosen += ".k09";
        if (saveGroupAs(chosen))
            return true;
    }
}

bool CMainDlg::saveGroupAs(const QString& path) {
    // A file chosen to be written over keeps its copy like the loaded one.
    keepFirstBackup(path);
    if (!store().saveGroupFile(toStorePath(path)))
        return false;
    // The entries now live there: that is the list to open next time.
    store().loadedPath = toStorePath(path);
    rememberDiskState();
    return true;
}

void CMainDlg::writeSettings() {
    if (CWinApp* app = AfxGetApp()) {
        app->WriteProfileString("Last", "LoadPath", fromStorePath(store().loadedPath));
        app->WriteProfileString("Last", "Post", session.lastEntry);
    }
}

void CMainDlg::OnCancel() {
    if (!exited && !saveLoadedGroup() && !resolveUnsavedList()) {
        publisherList.SetFocus();
        return;
    }
    if (!exited) {
        exited = true;
        writeSettings();
    }
    if (store().dataValid)
        store().freeGroupBuffers();
    CDialog::OnCancel();
}

void CMainDlg::endSessionUnattended() {
    if (exited)
        return;
    exited = true;
    storeMessages.quiet = true;
    saveLoadedGroup(false);
    writeSettings();
}
