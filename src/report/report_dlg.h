#pragma once
// The report dialog: one publisher's monthly report, entered by keyboard on a
// private copy of the publisher's record and written back into the group
// store in one step when the report is committed.

#include "groupdata/group_records.h"
#include "platform/dialog.h"
#include "report/num_edit.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string>

class Session;

class CReportDlg : public platform::CDialog {
public:
    // States of the Enter key handling.
    enum EnterMode { EnterNormal = 0, EnterRemark = 1, EnterRemarkClosing = 2 };

    // The report of publisher (1..publisherCount) in the session's group.
    CReportDlg(Session& session, unsigned publisher, platform::CWnd* parent = nullptr);
    ~CReportDlg() override;

    void DoDataExchange(platform::CDataExchange* pDX) override;
    bool OnInitDialog() override;
    void OnOK() override;
    const platform::MessageMap& GetMessageMap() const override;
    bool OnToolTipNeedText(int id, QString& text) override;

    // Fields and their visibility.
    void LoadFields();
    void ApplyFieldVisibility();
    void TickIfHours();
    void ShowStatusTexts();
    void JumpFocus(bool forward);
    void OnParticipated();
    void OnAuxPioneer();
    void OnPlacementsSetFocus();
    void OnHoursKillFocus();

    // Month selection and warnings.
    const QString& MonthName(int month, bool withArticle);
    void ShowWarnings();
    void OnChangeMonth();
    void OnMonthListSelChange();
    void OnMonthListClose();

    // Remarks and credit hours.
    void OnRemarks();
    void OnRemarkKillFocus();
    void UpdateCredit(int hours);

    // Commit.
    void StoreFields();
    void CommitRecord();

    unsigned videosValue = 0;
    unsigned placementsValue = 0;
    unsigned hoursValue = 0;
    unsigned returnVisitsValue = 0;
    unsigned studiesValue = 0;
    QString remarkText;
    int participatedChecked = 0;
    int publisherNumber = 0;
    int dialogMonth = 0;
    std::uint8_t dialogSlot = 0;
    std::uint8_t pioneerFlag = 0;
    int remarkEntry = 0;
    std::uint8_t creditValue = 0;
    int enterMode = EnterNormal;
    groupdata::PublisherRecord workRecord;
    std::array<CNumEdit, 5> numEdits; // controls 139..143
    int otherMonth = 0;
    int notCounted = 0;
    int monthListShown = 0;
    QString monthText;
    QString creditText;

private:
    // pioneerFlag and participatedChecked from the shown cell.
    void takeMonthFlags();
    // The status bits of the shown cell's pioneerStatus byte.
    unsigned cellStatus() const;
    // The leading decimal number of the hours field, saturated to int.
    int hoursFieldNumber();
    bool takeHoursValue();
    // The remark text in Windows-1252; false, after a message, when a
    // character has no byte there.
    bool encodeRemark(const QString& kept, std::string& bytes, bool refocusLater);

    static constexpr int remarkLength = 36;
    // The month whose cell found no room in the remark table, or -1.
    int noRoomMonth = -1;

    Session& session;
};
