#include "support/scripted_interaction.h"

#include "platform/dialog.h"

#include <QDialog>

using namespace platform;

ScriptedInteraction::ScriptedInteraction() {
    setInteraction(this);
}

ScriptedInteraction::~ScriptedInteraction() {
    setInteraction(nullptr);
}

void ScriptedInteraction::answerMessageBox(int answer) {
    boxAnswers.push_back(answer);
}

void ScriptedInteraction::answerFileDialog(std::optional<QString> path) {
    fileAnswers.push_back({path.has_value(), path.value_or(QString())});
}

void ScriptedInteraction::answerPrintSetup(bool accept, std::function<void(QPrinter&)> change) {
    printAnswers.emplace_back(accept, std::move(change));
}

void ScriptedInteraction::driveNextDialog(std::function<void(CDialog&)> driver) {
    drivers.push_back(std::move(driver));
}

QStringList ScriptedInteraction::takeMessageTexts() {
    QStringList texts;
    for (const auto& box : boxes)
        texts << box.text;
    boxes.clear();
    return texts;
}

int ScriptedInteraction::messageBox(const MessageBoxRequest& request, QWidget*) {
    boxes.push_back(request);
    if (boxAnswers.empty()) {
        // An OK box needs no decision; anything else is a question nobody scripted.
        if ((request.type & MB_TYPEMASK) == MB_OK)
            return IDOK;
        surprises << "message box: " + request.text;
        return IDCANCEL;
    }
    const int answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedInteraction::fileDialog(const FileDialogRequest& request, QWidget*) {
    files.push_back(request);
    if (fileAnswers.empty()) {
        surprises << "file dialog: " + request.title;
        return std::nullopt;
    }
    const FileAnswer answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer.chosen)
        return std::nullopt;
    return answer.path;
}

bool ScriptedInteraction::printSetup(QPrinter& printer, QWidget*) {
    ++printSetupCount;
    if (printAnswers.empty()) {
        surprises << "print setup";
        return false;
    }
    auto [accept, change] = std::move(printAnswers.front());
    printAnswers.pop_front();
    if (accept && change)
        change(printer);
    return accept;
}

void ScriptedInteraction::modalDialogShown(CDialog& dialog) {
    if (drivers.empty()) {
        surprises << QString("dialog %1").arg(dialog.templateId());
        dialog.EndDialog(IDCANCEL);
        return;
    }
    auto driver = std::move(drivers.front());
    drivers.pop_front();
    driver(dialog);
    if (dialog.isRunning()) {
        surprises << QString("dialog %1 left open by its driver").arg(dialog.templateId());
        dialog.EndDialog(IDCANCEL);
    }
}
