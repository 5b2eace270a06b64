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

class ListPageTable;

namespace platform {
class CDC;
}

class CListDlg : public platform::CDialog {
public:
    static constexpr int pageSize = 18; // publishers a page

    // The list of source's group; the dialog only reads it.
    explicit CListDlg(const ListSource& source, platform::CWnd* parent = nullptr);
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
    // What the list shows.
    const ListSource& listSource() const { return source; }
    // Publishers on the shown page.
    int shownRows() const;

    CGridButton grid;
    std::int32_t listTotal = 0;
    std::int32_t pageStart = 0; // publishers before the shown page
    std::int32_t pageEnd = 0;   // number of the last publisher shown
    QString nameCaption;        // loaded by every print job
    QString phoneCaption;

private:
    ListSource source;
    std::unique_ptr<ListPageTable> pageTable; // the page as screen readers read it
};
