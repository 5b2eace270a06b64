#include "platform/accessible_table.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>

namespace platform {
namespace {

// Controls read as tables, and what each one paints.
QHash<const QObject*, const AccessibleTableSource*>& exposedTables() {
    static QHash<const QObject*, const AccessibleTableSource*> tables;
    return tables;
}

class AccessibleTable;

// One painted cell. It has no object of its own; the table owns it and
// deletes it when the rows change.
class AccessibleCell : public QAccessibleInterface,
                       public QAccessibleTableCellInterface,
                       public QAccessibleTextInterface {
public:
    AccessibleCell(AccessibleTable& owner, int row, int column)
        : table_(owner), row_(row), column_(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return nullptr;
    }

    // Table cell: one plain cell, never selected.
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Text: the content, read-only, without caret or selection.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString all = content();
        if (end < 0 || end > all.size())
            end = int(all.size());
        start = qBound(0, start, end);
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(content().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QString content() const;

    AccessibleTable& table_;
    int row_;
    int column_;
};

class AccessibleTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    AccessibleTable(QWidget* control, const AccessibleTableSource& source)
        : QAccessibleWidget(control, QAccessible::Table), source_(source) {}
    ~AccessibleTable() override { dropCells(); }

    const AccessibleTableSource& source() const { return source_; }
    QWidget* control() const { return widget(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description)
            return source_.rowsSummary();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = columnCount();
        if (index < 0 || columns == 0 || index >= childCount())
            return nullptr;
        return cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int row = 0; row < rowCount(); ++row)
            for (int column = 0; column < columnCount(); ++column)
                if (source_.cellRect(row, column).contains(local))
                    return cellAt(row, column);
        return nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return nullptr;
        // A cell keeps its id while the rows stay, so assistive technology
        // meets the same object every time it asks.
        const int index = row * columnCount() + column;
        if (const auto it = cells.constFind(index); it != cells.cend())
            return QAccessible::accessibleInterface(it.value());
        auto* cell = new AccessibleCell(const_cast<AccessibleTable&>(*this), row, column);
        cells.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return source_.columnHeader(column); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return source_.columnCount(); }
    int rowCount() const override { return source_.rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { dropCells(); }

    // The cells of rows that are gone would read another row's data.
    void dropCells() {
        const auto ids = cells.values();
        cells.clear();
        for (QAccessible::Id id : ids)
            QAccessible::deleteAccessibleInterface(id);
    }

private:
    const AccessibleTableSource& source_;
    mutable QHash<int, QAccessible::Id> cells; // row * columns + column
};

bool AccessibleCell::isValid() const {
    return table_.isValid() && row_ < table_.rowCount() && column_ < table_.columnCount();
}

QWindow* AccessibleCell::window() const {
    return table_.window();
}

QAccessibleInterface* AccessibleCell::parent() const {
    return &table_;
}

QString AccessibleCell::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return table_.source().columnHeader(column_);
    case QAccessible::Value:
        return content();
    default:
        return QString();
    }
}

QRect AccessibleCell::rect() const {
    const QWidget* control = table_.control();
    const QRect local = table_.source().cellRect(row_, column_);
    return QRect(control->mapToGlobal(local.topLeft()), local.size());
}

QString AccessibleCell::content() const {
    return table_.source().cellText(row_, column_);
}

QAccessibleInterface* tableFactory(const QString&, QObject* object) {
    auto* control = qobject_cast<QWidget*>(object);
    const AccessibleTableSource* source = exposedTables().value(object);
    return control && source ? new AccessibleTable(control, *source) : nullptr;
}

// Drops the interface cached for control, so the next query builds it anew.
void forgetInterface(QWidget* control) {
    if (QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(control))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

} // namespace

AccessibleTableSource::~AccessibleTableSource() {
    if (!exposed)
        return;
    exposedTables().remove(exposed);
    forgetInterface(exposed);
}

void AccessibleTableSource::expose(QWidget* control) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(tableFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    if (!control)
        return;
    exposed = control;
    // Whatever was built for the control before reads it as a plain control.
    forgetInterface(control);
    exposedTables().insert(control, this);
    QObject::connect(control, &QObject::destroyed, [control] { exposedTables().remove(control); });
}

void AccessibleTableSource::announceRowsChanged() {
    if (!exposed)
        return;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(exposed);
    if (auto* table = dynamic_cast<AccessibleTable*>(accessible))
        table->dropCells();
    QAccessibleTableModelChangeEvent reset(exposed, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    QAccessibleEvent described(exposed, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

} // namespace platform
