#include "support/scripted_interaction.h"

#include "platform/dialog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

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

namespace {

void waitUntilActive(QWidget* window) {
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000))
        qWarning("window did not become active");
}

// A box window takes the focus from the window under it and, once answered,
// hands it back, as the window manager does on the desktop.
void showAndAnswer(const MessageBoxRequest& request, QWidget* owner) {
    QPointer<QWidget> under = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Warning, request.caption, request.text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    waitUntilActive(&box);
    box.hide();
    if (under)
        waitUntilActive(under);
}

} // namespace

int ScriptedInteraction::messageBox(const MessageBoxRequest& request, QWidget* owner) {
    boxes.push_back(request);
    if (boxesUp > 0)
        surprises << "message box over a message box: " + request.text;
    int answer = IDCANCEL;
    if (!boxAnswers.empty()) {
        answer = boxAnswers.front();
        boxAnswers.pop_front();
    } else if ((request.type & MB_TYPEMASK) == MB_OK) {
        // An OK box needs no decision; anything else is a question nobody scripted.
        answer = IDOK;
    } else {
        surprises << "message box: " + request.text;
    }
    if (boxWindows && boxesUp == 0) {
        ++boxesUp;
        showAndAnswer(request, owner);
        --boxesUp;
    }
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
