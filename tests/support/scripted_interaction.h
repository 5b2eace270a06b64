#pragma once
// Answers everything that would wait for a person from a script the test writes
// in advance, and records what was shown. An unexpected prompt is answered with
// Cancel (or OK for a box that has nothing else) and recorded as unexpected, so a
// test never hangs on it and can fail on it.

#include "platform/interaction.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class ScriptedInteraction : public platform::Interaction {
public:
    ScriptedInteraction();
    ~ScriptedInteraction() override;

    // Queues the answer to the next message box (IDOK, IDYES, IDNO, IDCANCEL).
    void answerMessageBox(int answer);
    // Queues the answer to the next file dialog: a path, or nothing for Cancel.
    void answerFileDialog(std::optional<QString> path);
    // Queues the answer to the next print-setup dialog; change may alter the printer.
    void answerPrintSetup(bool accept, std::function<void(QPrinter&)> change = {});
    // From now on each message box also comes up as a window that takes the
    // keyboard focus until it is answered, as the desktop's boxes do; a box
    // asked for while one is up is recorded as unexpected.
    void showBoxesAsWindows(bool on = true) { boxWindows = on; }
    // Queues what to do with the next modal dialog once its loop runs: the
    // driver sends keys and clicks and must end the dialog.
    void driveNextDialog(std::function<void(platform::CDialog&)> driver);

    const std::vector<platform::MessageBoxRequest>& messageBoxes() const { return boxes; }
    const std::vector<platform::FileDialogRequest>& fileDialogs() const { return files; }
    int printSetups() const { return printSetupCount; }
    // Prompts that came without a queued answer, described for a failure message.
    const QStringList& unexpected() const { return surprises; }
    // Texts of the message boxes shown so far, and forgets them.
    QStringList takeMessageTexts();

    int messageBox(const platform::MessageBoxRequest& request, QWidget* owner) override;
    std::optional<QString> fileDialog(const platform::FileDialogRequest& request,
                                      QWidget* owner) override;
    bool printSetup(QPrinter& printer, QWidget* owner) override;
    void modalDialogShown(platform::CDialog& dialog) override;

private:
    std::deque<int> boxAnswers;
    // A path, or an empty one for Cancel (kept apart from std::optional,
    // which trips a false uninitialised-use warning of GCC 12).
    struct FileAnswer {
        bool chosen = false;
        QString path;
    };
    std::deque<FileAnswer> fileAnswers;
    std::deque<std::pair<bool, std::function<void(QPrinter&)>>> printAnswers;
    std::deque<std::function<void(platform::CDialog&)>> drivers;
    std::vector<platform::MessageBoxRequest> boxes;
    std::vector<platform::FileDialogRequest> files;
    int printSetupCount = 0;
    QStringList surprises;
    bool boxWindows = false;
    int boxesUp = 0;
};
