// The floor for the program's start-up: a bare Qt dialog with a list of as
// many lines and as many buttons as the main window, shown once, then closed.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Velddienst rapporten");
    auto* list = new QListWidget(&dialog);
    list->setGeometry(10, 10, 200, 300);
    for (int i = 1; i <= 127; ++i)
        list->addItem(QString("Achternaam %1, Voornaam").arg(i));
    for (int i = 0; i < 10; ++i)
        (new QPushButton(QString("Knop %1").arg(i), &dialog))
            ->setGeometry(220, 10 + 30 * i, 200, 24);
    for (int i = 0; i < 4; ++i)
        (new QLabel(QString("Tekst %1").arg(i), &dialog))->setGeometry(220, 320 + 20 * i, 200, 16);
    dialog.resize(480, 420);
    QTimer::singleShot(0, &dialog, [&] { dialog.done(0); });
    return dialog.exec();
}
