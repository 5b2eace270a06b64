#pragma once
// The main window: the publisher list of the loaded group, the counts of
// missing reports, and the buttons that open every other dialog. It owns the
// session of the run and hands it to the dialogs it opens.

#include "groupdata/group_store.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/group_text.h"
#include "session/session.h"
#include "session/store_message_boxes.h"

#include <QIcon>
#include <QString>

#include <cstdint>
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
    // Writes the loaded group back over its file, after keeping a copy of it;
    // only a group file of more than one publisher is written.
    void saveLoadedGroup();
    // Keeps a copy of the group file the exit is about to replace.
    void keepBackup(const QString& groupFile);

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
    void showAboutBox();
    // Hides the contact controls and gives the OK button its plain caption.
    void clearContact();
    QString plainOkCaption;
    // Whether the desktop can place a call, so that "Bel" is worth showing.
    bool canDial();
    std::optional<bool> dialAvailable;
};
