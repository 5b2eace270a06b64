// The toolkit's own dialogs speak Dutch: the standard buttons of a message
// box, the file dialog and the print-setup dialog, shown by the desktop
// interaction and answered here once they are up.

#include "platform/constants.h"
#include "platform/interaction.h"
#include "platform/win_app.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace platform;

namespace {

// Runs answer on the modal window of type W once it is up; a window that
// never comes fails the test instead of leaving it waiting.
template <class W> void whenUp(std::function<void(W&)> answer) {
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [answer, poll](int triesLeft) {
        if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget())) {
            answer(*window);
            return;
        }
        if (triesLeft == 0) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            QFAIL("the dialog did not come up");
        }
        QTimer::singleShot(20, [poll, triesLeft] { (*poll)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(250); });
}

QString plain(QString text) {
    return text.remove('&');
}

QString buttonText(QDialogButtonBox* box, QDialogButtonBox::StandardButton which) {
    QPushButton* button = box ? box->button(which) : nullptr;
    return button ? plain(button->text()) : QString();
}

} // namespace

class ToolkitLanguageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installToolkitTranslation()); }

    void messageBoxButtonsReadJaNee() {
        QStringList texts;
        whenUp<QMessageBox>([&texts](QMessageBox& box) {
            texts << plain(box.button(QMessageBox::Yes)->text())
                  << plain(box.button(QMessageBox::No)->text());
            box.button(QMessageBox::No)->click();
        });
        const int answer =
            interaction().messageBox({"dravo", "Klik Ja om te versturen.", MB_YESNO, {}}, nullptr);
        QCOMPARE(texts, (QStringList{"Ja", "Nee"}));
        QCOMPARE(answer, int(IDNO));
    }

    void fileDialogIsDutch() {
        QTemporaryDir dir;
        QString cancel;
        whenUp<QFileDialog>([&cancel](QFileDialog& dialog) {
            cancel = buttonText(dialog.findChild<QDialogButtonBox*>(), QDialogButtonBox::Cancel);
            dialog.reject();
        });
        const auto chosen = interaction().fileDialog(
            {"Selecteer verzamellijst van de secretaris", dir.path(), "Groepen (*.k09)", true},
            nullptr);
        QVERIFY(!chosen);
        QCOMPARE(cancel, QString("Annuleren"));
    }

    // Setting up only keeps the choice: the confirm button does not print.
    void printSetupConfirmsWithOk() {
        QPrinter printer(QPrinter::HighResolution);
        QString confirm, cancel;
        whenUp<QPrintDialog>([&](QPrintDialog& dialog) {
            auto* buttons = dialog.findChild<QDialogButtonBox*>();
            confirm = buttonText(buttons, QDialogButtonBox::Ok);
            cancel = buttonText(buttons, QDialogButtonBox::Cancel);
            dialog.reject();
        });
        QVERIFY(!interaction().printSetup(printer, nullptr));
        QCOMPARE(confirm, QString("OK"));
        QCOMPARE(cancel, QString("Annuleren"));
    }
};

QTEST_MAIN(ToolkitLanguageTest)
#include "test_toolkit_language.moc"
