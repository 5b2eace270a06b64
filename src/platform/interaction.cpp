#include "platform/interaction.h"

#include "platform/constants.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace platform {
namespace {

QMessageBox::Icon iconFor(unsigned type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::Warning;
    }
}

class DesktopInteraction : public Interaction {
public:
    int messageBox(const MessageBoxRequest& request, QWidget* owner) override {
        QMessageBox box(iconFor(request.type), request.caption, request.text, QMessageBox::NoButton,
                        owner);
        QList<QMessageBox::StandardButton> buttons;
        switch (request.type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            buttons = {QMessageBox::Ok, QMessageBox::Cancel};
            break;
        case MB_YESNO:
            buttons = {QMessageBox::Yes, QMessageBox::No};
            break;
        case MB_YESNOCANCEL:
            buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
            break;
        default:
            buttons = {QMessageBox::Ok};
            break;
        }
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            QPushButton* button = box.addButton(buttons[i]);
            if (i < request.buttonTexts.size())
                button->setText(request.buttonTexts[i]);
        }
        const qsizetype defaultIndex = (request.type & MB_DEFMASK) / MB_DEFBUTTON2;
        if (defaultIndex > 0 && defaultIndex < buttons.size())
            box.setDefaultButton(buttons[defaultIndex]);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            // A box with only OK that is closed by Esc still answers OK.
            return (request.type & MB_TYPEMASK) == MB_OK      ? IDOK
                   : (request.type & MB_TYPEMASK) == MB_YESNO ? IDNO
                                                              : IDCANCEL;
        }
    }

    std::optional<QString> fileDialog(const FileDialogRequest& request, QWidget* owner) override {
        const QString path =
            request.open ? QFileDialog::getOpenFileName(owner, request.title, request.initialFolder,
                                                        request.nameFilter)
                         : QFileDialog::getSaveFileName(owner, request.title, request.initialFolder,
                                                        request.nameFilter);
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }

    bool printSetup(QPrinter& printer, QWidget* owner) override {
        QPrintDialog dialog(&printer, owner);
        // Setting up only keeps the choice for the print jobs to come: its
        // button must not promise to print now.
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* confirm = buttons->button(QDialogButtonBox::Ok))
                confirm->setText("OK");
        return dialog.exec() == QDialog::Accepted;
    }

    void modalDialogShown(CDialog&) override {}
};

DesktopInteraction desktop;
Interaction* current = &desktop;

} // namespace

Interaction& interaction() {
    return *current;
}

void setInteraction(Interaction* replacement) {
    current = replacement ? replacement : &desktop;
}

} // namespace platform
