#include "collection/list_dlg.h"

#include "collection/check_mark.h"
#include "collection/list_page_table.h"
#include "platform/dc.h"
#include "platform/message_box.h"
#include "res/resource.h"

#include <algorithm>

using namespace platform;

CListDlg::CListDlg(const ListSource& listed, CWnd* parent)
    : CDialog(res::IDD_LIST, parent), source(listed) {}

CListDlg::~CListDlg() = default;

const MessageMap& CListDlg::GetMessageMap() const {
    static const MessageMap map{
        ON_BN_CLICKED(res::IDC_NEXT_PAGE, &CListDlg::OnNextPage),
        ON_BN_CLICKED(res::IDC_PREV_PAGE, &CListDlg::OnPrevPage),
        ON_BN_CLICKED(res::IDC_PRINT_SETUP, &CListDlg::OnPrintSetup),
        ON_BN_CLICKED(res::IDC_PRINT, &CListDlg::OnPrint),
    };
    return map;
}

void CListDlg::DoDataExchange(CDataExchange*) {}

bool CListDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    grid.SubclassDlgItem(res::IDC_GRID, this);
    grid.rectCached = 0;
    SetWindowText(AfxFormatString1(res::IDS_REPORT_TITLE,
                                   AfxLoadString(res::IDS_MONTH_FIRST + source.reportMonth)));
    // The caption names only the month; a screen reader says what the window is.
    SetAccessibleName(AfxFormatString1(res::IDS_LIST_WINDOW_NAME, GetWindowText()));
    listTotal = source.store.publisherCount;
    pageStart = 0;
    pageEnd = std::min(listTotal, pageSize);
    pageTable = std::make_unique<ListPageTable>(*this);
    pageTable->expose(grid.widget());
    GetDlgItem(res::IDC_NEXT_PAGE)->SetAccessibleName(AfxLoadString(res::IDS_NEXT_PAGE_NAME));
    UpdatePageButtons();
    return true;
}

int CListDlg::shownRows() const {
    return std::clamp(pageEnd - pageStart, 0, pageSize);
}

void CListDlg::OnNextPage() {
    pageEnd = listTotal - pageEnd > pageSize ? pageEnd + pageSize : listTotal;
    pageStart = std::max(pageEnd - pageSize, 0);
    UpdatePageButtons();
    if (grid.widget())
        grid.widget()->update();
    if (pageTable)
        pageTable->announceRowsChanged();
}

void CListDlg::OnPrevPage() {
    // On the first page this button reads "> > >" and leads forward.
    if (pageStart == 0) {
        OnNextPage();
        return;
    }
    pageStart = pageStart > pageSize ? pageStart - pageSize : 0;
    pageEnd = std::min(listTotal, pageStart + pageSize);
    UpdatePageButtons();
    if (grid.widget())
        grid.widget()->update();
    if (pageTable)
        pageTable->announceRowsChanged();
}

void CListDlg::UpdatePageButtons() {
    CWnd* left = GetDlgItem(res::IDC_PREV_PAGE);
    CWnd* right = GetDlgItem(res::IDC_NEXT_PAGE);
    if (!left || !right)
        return;
    if (listTotal < pageSize + 1) {
        left->ShowWindow(SW_HIDE);
        right->ShowWindow(SW_HIDE);
        return;
    }
    if (pageStart != 0) {
        left->SetWindowText("< < <");
        left->SetAccessibleName(AfxLoadString(res::IDS_PREV_PAGE_NAME));
    } else {
        left->SetWindowText("> > >");
        left->SetAccessibleName(AfxLoadString(res::IDS_NEXT_PAGE_NAME));
        right->ShowWindow(SW_HIDE);
    }
    if (pageEnd == listTotal)
        right->ShowWindow(SW_HIDE);
    if (pageEnd < listTotal && pageStart > 0)
        right->ShowWindow(SW_SHOW);
}

void CListDlg::PaintPage(int left, int top, int right, int bottom, CDC* dc) {
    const int L = left;
    const int T = top;
    const int W = right;
    const int H = bottom;
    const int cxB = GetSystemMetrics(SM_CXBORDER);
    const int cyB = GetSystemMetrics(SM_CYBORDER);
    // The header band and all rows of a page share the surface; with a
    // pitch of H / 18 the last row would fall outside it and never be seen.
    const int rowH = H / (pageSize + 1);
    const int colW = W / 11;
    int x[5];
    for (int k = 0; k < 5; ++k)
        x[k] = L + W / 4 + k * colW;

    dc->FillSolidRect(L, T, W + 1, H + 5 * cyB, dc->GetBkColor());
    const bool greek = source.store.languageName == "greek";

    dc->SelectStockObject(LTGRAY_BRUSH);
    dc->SelectStockObject(NULL_PEN);
    dc->Rectangle(L, T, L + W + 1, T + rowH + 1);

    dc->SetBkMode(TRANSPARENT);
    dc->SelectStockObject(BLACK_PEN);
    for (int k = 0; k < 5; ++k) {
        dc->MoveTo(x[k], T);
        dc->LineTo(x[k], T + H + 3 * cyB);
    }
    for (int k = 1; k <= pageSize; ++k) {
        dc->MoveTo(L, T + k * rowH);
        dc->LineTo(L + W, T + k * rowH);
    }

    dc->SelectStockObject(ANSI_VAR_FONT);
    dc->SetTextAlign(TA_LEFT);
    dc->TextOut(L + 2 * cxB, T + cyB, AfxLoadString(res::IDS_NAME_CAPTION));
    dc->SetTextAlign(TA_RIGHT);
    dc->TextOut(x[1] - 8 * cxB, T + cyB, AfxLoadString(res::IDS_SERVICE_CAPTION));
    dc->TextOut(x[2] - 8 * cxB, T + cyB, AfxLoadString(res::IDS_STUDIES_CAPTION));
    dc->TextOut(x[3] - 8 * cxB, T + cyB, AfxLoadString(res::IDS_AUX_CAPTION));
    dc->TextOut(x[4] - 8 * cxB, T + cyB, AfxLoadString(res::IDS_HOURS_CAPTION));
    dc->TextOut(greek ? L + W - W / 20 : L + W - W / 6, T + cyB,
                AfxLoadString(res::IDS_REMARK_CAPTION));

    const int rows = std::min(pageSize, pageEnd - pageStart);
    for (int i = 0; i < rows; ++i) {
        const unsigned publisher = unsigned(pageStart + i + 1);
        const int yRow = T + (i + 1) * rowH + cyB;
        const int yTick = T + (i + 1) * rowH + 13 * cyB - cyB / 3;
        const ListRow row = readListRow(source, publisher);

        dc->SetTextAlign(TA_LEFT);
        // A long name is cut at its column instead of running over the next.
        const RECT nameClip{L, yRow, x[0], T + (i + 2) * rowH + cyB};
        dc->ExtTextOut(L + 2 * cxB, yRow, ETO_CLIPPED, &nameClip, row.name);
        DrawCheckMark(dc, x[1] - 20 * cxB, yTick, row.participated, 9);
        dc->SetTextAlign(TA_RIGHT);
        if (row.studies != 0)
            dc->TextOut(x[2] - 10 * cxB, yRow, QString::number(row.studies));
        DrawCheckMark(dc, x[3] - 20 * cxB, yTick, row.auxiliaryPioneer, 9);
        if (row.hours != 0)
            dc->TextOut(x[4] - 10 * cxB, yRow, QString::number(row.hours));
        if (!row.remark.isEmpty()) {
            dc->SetTextAlign(TA_LEFT);
            const RECT clip{L + 6 * (W / 10) + 2 * cxB, yRow, L + W, T + (i + 2) * rowH + cyB};
            dc->ExtTextOut(L + W / 4 + 5 * (W / 13) - 5 * cxB, yRow, ETO_CLIPPED, &clip,
                           row.remark);
        }
    }
}
