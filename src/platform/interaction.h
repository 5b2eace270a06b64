#pragma once
// The one seam through which everything that waits for a person passes:
// message boxes, the open-file dialog, the print-setup dialog and every modal
// dialog of the program. The desktop implementation shows the real thing; tests
// install an implementation that answers from a script and records what was shown.

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace platform {

class CDialog;

struct MessageBoxRequest {
    QString caption;
    QString text;
    unsigned type = 0; // MB_* buttons, icon and default button
    // Labels that replace the standard ones, in the order of the buttons
    // (Yes, No, Cancel); a question whose answers are not a plain yes or no.
    QStringList buttonTexts;
};

struct FileDialogRequest {
    QString title;
    QString initialFolder;
    QString nameFilter; // toolkit form, e.g. "Groups (*.k09)"
    bool open = true;
};

class Interaction {
public:
    virtual ~Interaction() = default;
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int messageBox(const MessageBoxRequest& request, QWidget* owner) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request, QWidget* owner) = 0;
    // Lets the user choose a printer (or a PDF file) into printer; false when cancelled.
    virtual bool printSetup(QPrinter& printer, QWidget* owner) = 0;
    // Called once a modal dialog is shown and its loop runs. The desktop does
    // nothing: the person drives it. Tests drive it with key and mouse events.
    virtual void modalDialogShown(CDialog& dialog) = 0;
};

// The interaction in force; the desktop one unless a test installed another.
Interaction& interaction();
// Installs an interaction (not owned); nullptr restores the desktop one.
void setInteraction(Interaction* replacement);

} // namespace platform
