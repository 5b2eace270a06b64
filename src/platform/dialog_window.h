#pragma once
// The toolkit window behind a CDialog: it turns keys, clicks, focus changes and
// the close box into the commands and notifications the dialog's code expects.

#include <QDialog>

namespace platform {

class CDialog;

class DialogWindow : public QDialog {
    Q_OBJECT
public:
    DialogWindow(CDialog& owner, QWidget* parent);

    // Moves the focus to the next (or previous) visible, enabled tab stop.
    bool moveFocus(bool forward) { return focusNextPrevChild(forward); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDialog& dialog;
};

} // namespace platform
