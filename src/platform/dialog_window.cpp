#include "platform/dialog_window.h"

#include "platform/dialog.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

namespace platform {
namespace {

// Alt with a key that types a character. AltGr, which types characters on
// many keyboards, does not count: it arrives as Ctrl+Alt or as its own modifier.
bool isMnemonicKey(const QKeyEvent& key) {
    const auto modifiers = key.modifiers();
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier) &&
           !key.text().isEmpty() && key.text()[0].isPrint();
}

} // namespace

DialogWindow::DialogWindow(CDialog& owner, QWidget* parent) : QDialog(parent), dialog(owner) {}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::NoModifier)
            break;
        // Enter on a push button presses it; anywhere else it is the default button's command.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isVisible())
            button->click();
        else
            dialog.SendNotification(dialog.GetDefID(), BN_CLICKED);
        return;
    case Qt::Key_Escape:
        if (modifiers != Qt::NoModifier)
            break;
        dialog.SendNotification(IDCANCEL, BN_CLICKED);
        return;
    case Qt::Key_Space:
        if (modifiers == Qt::AltModifier && !dialog.GetSystemMenu()->items().empty()) {
            dialog.showSystemMenu(mapToGlobal(QPoint(0, 0)));
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close box and Alt+F4 are the system menu's Close: the dialog decides.
    event->ignore();
    if (dialog.isRunning())
        dialog.OnSysCommand(SC_CLOSE, 0);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (dialog.GetSystemMenu()->items().empty())
        return QDialog::contextMenuEvent(event);
    dialog.showSystemMenu(event->globalPos());
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control)
        return false;
    const int id = control->property("ctrlId").toInt();
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Alt+Space belongs to the window menu, also when a list or a button
        // (which take Space themselves) has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier &&
            !dialog.GetSystemMenu()->items().empty()) {
            dialog.showSystemMenu(mapToGlobal(QPoint(0, 0)));
            return true;
        }
        // An Alt+letter that reaches an edit field matched no visible button:
        // it is a mnemonic all the same, never text to type.
        if (isMnemonicKey(*key) && qobject_cast<QLineEdit*>(control))
            return true;
        break;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // Notifications tell of the focus moving between the dialog's own
        // controls. A window that comes up over the dialog (a message box, a
        // menu) leaves the focus where it was; a handler that opens a box must
        // not be called again because of that box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        dialog.SendNotification(id, event->type() == QEvent::FocusIn ? NM_SETFOCUS : NM_KILLFOCUS);
        break;
    }
    case QEvent::ToolTip: {
        if (!dialog.toolTips)
            return false;
        QString text;
        if (dialog.OnToolTipNeedText(id, text) && !text.isEmpty())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
        else
            QToolTip::hideText();
        return true;
    }
    default:
        break;
    }
    return false;
}

} // namespace platform
