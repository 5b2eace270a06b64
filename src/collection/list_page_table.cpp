#include "collection/list_page_table.h"

#include "collection/list_dlg.h"
#include "platform/message_box.h"
#include "res/resource.h"

#include <algorithm>

using platform::AfxLoadString;

namespace {

enum Column { NameColumn, ServiceColumn, StudiesColumn, AuxColumn, HoursColumn, RemarkColumn };
constexpr int columns = 6;
constexpr unsigned headers[columns] = {res::IDS_NAME_CAPTION,    res::IDS_SERVICE_CAPTION,
                                       res::IDS_STUDIES_CAPTION, res::IDS_AUX_CAPTION,
                                       res::IDS_HOURS_CAPTION,   res::IDS_REMARK_CAPTION};

QString tick(bool ticked) {
    return AfxLoadString(ticked ? res::IDS_YES : res::IDS_NO);
}

// A count the page leaves blank when it is 0.
QString count(unsigned value) {
    return value ? QString::number(value) : QString();
}

} // namespace

int ListPageTable::rowCount() const {
    return listDlg.shownRows();
}

int ListPageTable::columnCount() const {
    return columns;
}

QString ListPageTable::columnHeader(int column) const {
    return column >= 0 && column < columns ? AfxLoadString(headers[column]) : QString();
}

QString ListPageTable::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount())
        return QString();
    const ListRow line = readListRow(listDlg.listSource(), unsigned(listDlg.pageStart + row + 1));
    switch (column) {
    case NameColumn:
        return line.name;
    case ServiceColumn:
        return tick(line.participated);
    case StudiesColumn:
        return count(line.studies);
    case AuxColumn:
        return tick(line.auxiliaryPioneer);
    case HoursColumn:
        return count(line.hours);
    case RemarkColumn:
        return line.remark;
    default:
        return QString();
    }
}

QRect ListPageTable::cellRect(int row, int column) const {
    const QWidget* surface = listDlg.grid.widget();
    if (!surface || column < 0 || column >= columns)
        return QRect();
    // The page's lines as PaintPage draws them: a header band and 18 rows
    // below it, the name column a quarter wide, then five columns of W / 11.
    const int W = surface->width();
    const int rowH = surface->height() / (CListDlg::pageSize + 1);
    const auto line = [W](int k) { return W / 4 + k * (W / 11); };
    const int left = column == NameColumn ? 0 : line(column - 1);
    const int right = column == RemarkColumn ? W : line(column);
    return QRect(left, (row + 1) * rowH, right - left, rowH);
}

QString ListPageTable::rowsSummary() const {
    const int rows = rowCount();
    if (rows == 0)
        return QString();
    return AfxLoadString(res::IDS_LIST_ROWS_SHOWN)
        .arg(listDlg.pageStart + 1)
        .arg(listDlg.pageStart + rows)
        .arg(listDlg.listTotal);
}
