#pragma once
// The shown page of the collection list as assistive technology reads it: one
// row per publisher on the page, in the columns the page paints.

#include "platform/accessible_table.h"

class CListDlg;

class ListPageTable : public platform::AccessibleTableSource {
public:
    explicit ListPageTable(const CListDlg& list) : listDlg(list) {}

    int rowCount() const override;
    int columnCount() const override;
    QString columnHeader(int column) const override;
    QString cellText(int row, int column) const override;
    QRect cellRect(int row, int column) const override;
    QString rowsSummary() const override;

private:
    const CListDlg& listDlg;
};
