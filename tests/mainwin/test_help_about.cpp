// The help text and the About box of the main window.

#include "main_window_harness.h"

#include "platform/constants.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

fixture::Group smallGroup() {
    fixture::Group group;
    group.month(2).number(3);
    group.publisher(fixture::Publisher("Zoë", "Jansen"));
    group.publisher(fixture::Publisher("José", "Fernandes"));
    return group;
}

// Picks the last entry of the window menu once it is open, by keyboard.
void chooseLastMenuEntry(QStringList& entries) {
    harness::chooseWindowMenuEntry(entries, 1);
}

} // namespace

class HelpAboutTest : public QObject {
    Q_OBJECT

private slots:
    void helpButtonShowsUsageText();
    void aboutBox_data();
    void aboutBox();
};

void HelpAboutTest::helpButtonShowsUsageText() {
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", smallGroup()));

    run.click(res::IDC_HELP_BUTTON);

    QCOMPARE(run.script.messageBoxes().size(), size_t(1));
    const platform::MessageBoxRequest& box = run.script.messageBoxes().front();
    QCOMPARE(box.caption, platform::AfxGetAppName());
    QCOMPARE(box.type, unsigned(platform::MB_OK | platform::MB_ICONINFORMATION));
    QVERIFY(box.text.startsWith("Tips voor het gebruik van Dravo   Belangrijk! de secretaris"));
    // The first text runs on into the second without a break.
    QVERIFY(box.text.contains("rapporten vezameld.Plaats het bestand op je Dravo icon"));
    QVERIFY(box.text.contains("op Enter.\n\nVul het rapport in"));
    QVERIFY(box.text.contains("Verander maand button klikken.\n\nAls je een modem hebt"));
    QVERIFY(box.text.contains("naar de secretaris.\n\nAnders moet je het .kl9 bestand"));
    QVERIFY(box.text.endsWith("op usbstick of iets dergelijks."));
    QString joined;
    for (unsigned id = 1059; id <= 1066; ++id)
        joined += platform::AfxLoadString(id);
    QCOMPARE(box.text, joined);
    QCOMPARE(run.focusAfterModal(), run.list());
}

void HelpAboutTest::aboutBox_data() {
    QTest::addColumn<QString>("openWith");
    QTest::addColumn<QString>("closeWith");

    QTest::newRow("F1, Enter") << "F1"
                               << "Enter";
    QTest::newRow("F1, Esc") << "F1"
                             << "Esc";
    QTest::newRow("F1, OK button") << "F1"
                                   << "click";
    QTest::newRow("Alt+Space menu, Enter") << "Alt+Space"
                                           << "Enter";
    QTest::newRow("context menu, Esc") << "context menu"
                                       << "Esc";
}

void HelpAboutTest::aboutBox() {
    QFETCH(QString, openWith);
    QFETCH(QString, closeWith);

    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", smallGroup()));
    run.clickLine(1);
    const QString okCaption = run.text(platform::IDOK);

    bool shown = false;
    run.script.driveNextDialog([&](platform::CDialog& about) {
        shown = true;
        QCOMPARE(about.templateId(), res::IDD_ABOUTBOX);
        QDialog* box = about.window();
        QCOMPARE(box->windowTitle(), QString("About Dravo"));
        QVERIFY(!(box->windowFlags() & Qt::WindowCloseButtonHint));
        // The main window takes no input while the box is open.
        QCOMPARE(QApplication::activeModalWidget(), box);
        QStringList texts;
        for (QLabel* label : box->findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains("Requires Groupx.k09 files from Marloc Version 10a or later"));
        if (closeWith == "Enter")
            QTest::keyClick(box, Qt::Key_Return);
        else if (closeWith == "Esc")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            QTest::mouseClick(about.GetDlgItem(platform::IDOK)->widget(), Qt::LeftButton);
        QVERIFY(!about.isRunning());
    });

    QStringList menu;
    if (openWith == "F1") {
        QTest::keyClick(run.list(), Qt::Key_F1);
    } else if (openWith == "Alt+Space") {
        chooseLastMenuEntry(menu);
        QTest::keyClick(run.list(), Qt::Key_Space, Qt::AltModifier);
    } else {
        chooseLastMenuEntry(menu);
        QWidget* target = run.list()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
    }

    QVERIFY(shown);
    if (openWith != "F1")
        QCOMPARE(menu.mid(menu.size() - 2), (QStringList{"-", "&About Dravo..."}));
    QVERIFY2(run.script.unexpected().isEmpty(), qPrintable(run.script.unexpected().join('\n')));
    // Nothing else changed: the main window runs on with its selection.
    QVERIFY(dlg.isRunning());
    QCOMPARE(run.text(platform::IDOK), okCaption);
    QCOMPARE(run.list()->currentRow(), 1);
}

QTEST_MAIN(HelpAboutTest)
#include "test_help_about.moc"
