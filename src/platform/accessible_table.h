#pragma once
// A control that paints a table itself is one blank surface to assistive
// technology. A table source describes what the control paints, cell by cell,
// and once exposed the control is read as a table of those cells: each cell
// named by its column's header and carrying its content as text.

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

namespace platform {

class AccessibleTableSource {
public:
    AccessibleTableSource() = default;
    // Withdraws the table: the control is read as it was before.
    virtual ~AccessibleTableSource();
    AccessibleTableSource(const AccessibleTableSource&) = delete;
    AccessibleTableSource& operator=(const AccessibleTableSource&) = delete;

    // From now on assistive technology reads control as a table over this source.
    void expose(QWidget* control);
    // Tells assistive technology that the rows have been replaced (another page).
    void announceRowsChanged();

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual QString columnHeader(int column) const = 0;
    virtual QString cellText(int row, int column) const = 0;
    // Where the cell is painted, in the control's coordinates.
    virtual QRect cellRect(int row, int column) const = 0;
    // A sentence on which rows are shown, read as the table's description.
    virtual QString rowsSummary() const = 0;

private:
    QPointer<QWidget> exposed;
};

} // namespace platform
