#pragma once
// The main window: the publisher list of the loaded group, the counts of
// missing reports, and the buttons that open every other dialog. It owns the
// group store and the report-month state for the whole run.

#include "groupdata/group_store.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/group_text.h"

#include <QIcon>
#include <QString>

#include <cstdint>
#include <optional>

// Shows the group store's messages in message boxes.
class StoreMessageBoxes : public groupdata::StoreMessages {
public:
    void lowMemory() override;
    void cannotCreate(const std::string& shownPath) override;
    void tooFewPublishers() override;
    void remarkTableFull() override;
};

class CMainDlg : public platform::CDialog, private StoreMessageBoxes, public groupdata::GroupStore {
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

    // A publisher's display name as the user reads it.
    QString displayText(unsigned publisher, bool lastNameFirst) const;

    platform::CListBox publisherList;
    int filterNoReport = 0;
    int selectedItem = 0;
    QString startDirectory;
    QString lastEntry;
    QIcon appIcon;

private:
    void showAboutBox();
    // Hides the contact controls and gives the OK button its plain caption.
    void clearContact();
    QString plainOkCaption;
    // Whether the desktop can place a call, so that "Bel" is worth showing.
    bool canDial();
    std::optional<bool> dialAvailable;
};
