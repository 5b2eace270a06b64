#include "platform/controls.h"

#include "platform/constants.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace platform {
namespace {

QListWidget* listOf(QWidget* w) {
    return qobject_cast<QListWidget*>(w);
}

constexpr int itemDataRole = Qt::UserRole;

} // namespace

int CButton::GetCheck() const {
    auto* box = qobject_cast<QAbstractButton*>(widget());
    return box && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int state) {
    if (auto* box = qobject_cast<QAbstractButton*>(widget())) {
        // Setting the state from code is no click: no notification.
        QSignalBlocker quiet(box);
        box->setChecked(state == BST_CHECKED);
    }
}

void CEdit::SetSel(int start, int end) {
    auto* edit = qobject_cast<QLineEdit*>(widget());
    if (!edit)
        return;
    const int length = int(edit->text().size());
    if (end < 0 || end > length)
        end = length;
    start = qBound(0, start, length);
    edit->setSelection(start, end - start);
}

void CEdit::GetSel(int& start, int& end) const {
    auto* edit = qobject_cast<QLineEdit*>(widget());
    start = end = 0;
    if (!edit)
        return;
    if (edit->hasSelectedText()) {
        start = edit->selectionStart();
        end = edit->selectionEnd();
    } else {
        start = end = edit->cursorPosition();
    }
}

void CEdit::ReplaceSel(const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget()))
        edit->insert(text);
}

int CListBox::AddString(const QString& text) {
    auto* list = listOf(widget());
    if (!list)
        return LB_ERR;
    int index = list->count();
    if (list->property("sorted").toBool()) {
        // Case-insensitive order, as a sorted list box keeps it.
        index = 0;
        while (index < list->count() &&
               QString::compare(list->item(index)->text(), text, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    return InsertString(index, text);
}

int CListBox::InsertString(int index, const QString& text) {
    auto* list = listOf(widget());
    if (!list)
        return LB_ERR;
    if (index < 0 || index > list->count())
        index = list->count();
    QSignalBlocker quiet(list);
    list->insertItem(index, text);
    return index;
}

int CListBox::DeleteString(int index) {
    auto* list = listOf(widget());
    if (!list || index < 0 || index >= list->count())
        return LB_ERR;
    QSignalBlocker quiet(list);
    delete list->takeItem(index);
    return list->count();
}

void CListBox::ResetContent() {
    if (auto* list = listOf(widget())) {
        QSignalBlocker quiet(list);
        list->clear();
    }
}

int CListBox::GetCount() const {
    auto* list = listOf(widget());
    return list ? list->count() : 0;
}

int CListBox::GetCurSel() const {
    auto* list = listOf(widget());
    if (!list || list->currentRow() < 0 || !list->currentItem()->isSelected())
        return LB_ERR;
    return list->currentRow();
}

int CListBox::SetCurSel(int index) {
    auto* list = listOf(widget());
    if (!list)
        return LB_ERR;
    QSignalBlocker quiet(list);
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return index == -1 ? 0 : LB_ERR;
    }
    if (list->isVisible()) {
        list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
        // The toolkit's list view reports a new current line to assistive
        // technology as focused even when the list is not on screen; a list
        // that is hidden, or not shown yet, takes its line without the view.
        QItemSelectionModel* selection = list->selectionModel();
        QSignalBlocker quietView(selection);
        selection->setCurrentIndex(list->model()->index(index, 0),
                                   QItemSelectionModel::ClearAndSelect);
    }
    list->scrollToItem(list->item(index));
    return index;
}

std::uintptr_t CListBox::GetItemData(int index) const {
    auto* list = listOf(widget());
    if (!list || index < 0 || index >= list->count())
        return std::uintptr_t(LB_ERR);
    return list->item(index)->data(itemDataRole).value<quintptr>();
}

int CListBox::SetItemData(int index, std::uintptr_t data) {
    auto* list = listOf(widget());
    if (!list || index < 0 || index >= list->count())
        return LB_ERR;
    list->item(index)->setData(itemDataRole, QVariant::fromValue<quintptr>(data));
    return 0;
}

QString CListBox::GetText(int index) const {
    auto* list = listOf(widget());
    if (!list || index < 0 || index >= list->count())
        return QString();
    return list->item(index)->text();
}

} // namespace platform
