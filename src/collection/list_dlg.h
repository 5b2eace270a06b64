#pragma once
// The collection list ("Verzamellijst"): the report month's reports of the
// whole group, 18 publishers a page, with the print-setup and print commands.
// It only reads the group data.

#include "collection/grid_button.h"
#include "collection/list_source.h"
#include "platform/dialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class CMainDlg;
class ListPageTable;

namespace platform {
class CDC;
}

class CListDlg : public platform::CDialog {
public:
    static constexpr int pageSize = 18; // publishers a page

    explicit CListDlg(platform::CWnd* parent = nullptr);
    ~CListDlg() override;

    bool OnInitDialog() override;
    void DoDataExchange(platform::CDataExchange* pDX) override;
    const platform::MessageMap& GetMessageMap() const override;

    void OnNextPage();
    void OnPrevPage();
    void UpdatePageButtons();
    void OnPrintSetup();
    void OnPrint();
    // Draws the shown page into the rectangle; the grid's paint handler calls it.
    void PaintPage(int left, int top, int right, int bottom, platform::CDC* dc);
    // What the list shows: the owner's group for this dialog's month; nothing
    // when the dialog has no owner.
    std::optional<ListSource> listSource() const;
    // Publishers on the shown page.
    int shownRows() const;

    std::uint8_t reportMonth = 0; // set by the opener before DoModal
    CGridButton grid;
    std::int32_t listTotal = 0;
    std::int32_t pageStart = 0; // publishers before the shown page
    std::int32_t pageEnd = 0;   // number of the last publisher shown
    QString nameCaption;        // loaded by every print job
    QString phoneCaption;
    CMainDlg* mainDlg = nullptr; // the owner, not owned

private:
    std::unique_ptr<ListPageTable> pageTable; // the page as screen readers read it
};
