#pragma once
// The main window: the publisher list of the loaded group, the counts of
// missing reports, and the buttons that open every other dialog. It owns the
// session of the run and hands it to the dialogs it opens.

#include "groupdata/file_stamp.h"
#include "groupdata/group_store.h"
#include "mainwin/backups.h"
#include "mainwin/instance_lock.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/group_text.h"
#include "session/session.h"
#include "session/store_message_boxes.h"

#include <QIcon>
#include <QSet>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class CMainDlg : public platform::CDialog {
public:
    explicit CMainDlg(platform::CWnd* parent = nullptr);
    ~CMainDlg() override;

    bool OnInitDialog() override;
    void OnOK() override;
    // The exit sequence: saves the group file, frees the store, writes the settings.
    void OnCancel() override;
    void DoDataExchange(platform::CDataExchange* pDX) override;
    const platform::MessageMap& GetMessageMap() const override;
    void OnSysCommand(unsigned id, long param) override;

    void FillPublisherList();
    void UpdateCaptions();
    void OnSelchangePublisherList();
    void OnFilterClicked();
    void OnOpenGroupFile();
    void OnSendAdditions();
    void OnViewList();
    void OnHelpButton();
    void OnDblclkPublisherList();
    // Publisher contact.
    void OnNextPhone();
    void OnDial();
    void OnPreviewReminder();
    void OnMailReminder();

    // Sets selectedItem to the selected line; false when no line is selected.
    bool rememberSelectedLine();
    // Writes the loaded group back over its file; only a group file of more
    // than one publisher is written. The first write of a file in a run keeps
    // a copy of it first. A file changed on disk since it was last read or
    // written is overwritten only when the user says so (attended) or never
    // (unattended). True when the group is on disk or has nothing to write.
    bool saveLoadedGroup(bool attended = true);
    // After a save that did not happen: asks whether to save elsewhere, drop
    // the entries, or go back to the list. True when the list may be let go.
    bool resolveUnsavedList();
    // The exit sequence for a session that ends without the user: saves
    // without asking (a file that cannot be written or was changed on disk is
    // left as it was), writes the settings. Runs at most once, like OnCancel.
    void endSessionUnattended();
    // Puts a kept version of the group file back, chosen from a list.
    void OnRestoreBackup();
    // Whether the exit sequence has run.
    bool exitDone() const { return exited; }

    platform::CListBox publisherList;
    int filterNoReport = 0;
    int selectedItem = 0;
    QString startDirectory;
    QIcon appIcon;
    StoreMessageBoxes storeMessages; // constructed before the session that reports to it
    // The run's group and report month; the dialogs opened from here are handed it.
    Session session;

private:
    groupdata::GroupStore& store() { return session.store(); }
    const groupdata::GroupStore& store() const { return session.store(); }
    // Takes the lock of groupFile for this window, keeping the current one
    // when that file is open elsewhere; says so and returns false then.
    bool lockGroupFile(const QString& groupFile);
    // The backups of group files, named by this window's clock.
    GroupBackups backupsOnOurClock() const;
    // Keeps a copy of groupFile before its first write of this run.
    void keepFirstBackup(const QString& groupFile);
    bool saveGroupAs(const QString& path);
    // Whether the file at path was changed by someone else since this run
    // last read or wrote it.
    bool changedOnDisk(const std::string& path) const;
    void rememberDiskState();
    void writeSettings();
    void showAboutBox();
    // Hides the contact controls and gives the OK button its plain caption.
    void clearContact();
    QString plainOkCaption;
    // Whether the desktop can place a call, so that "Bel" is worth showing.
    bool canDial();
    std::optional<bool> dialAvailable;
    // The files this run has kept a copy of, by absolute path.
    QSet<QString> backedUp;
    // The loaded file as this run last read or wrote it.
    groupdata::FileStamp diskState;
    bool exited = false;
    std::unique_ptr<InstanceLock> instanceLock;
};
