// The publisher list of the main window: filling and filtering, the captions
// and counts, the contact controls of the selected publisher, opening another
// group file and opening the report dialog.

#include "main_window_harness.h"

#include "platform/constants.h"
#include "platform/dialer.h"
#include "platform/message_box.h"
#include "report/report_dlg.h"

#include <QCheckBox>

#include <sys/stat.h>

using fixture::Cell;
using fixture::Publisher;
using harness::dateOf;

namespace {

// March list of group 3, opened in April 2025: the reports are in slot 1.
fixture::Group listGroup() {
    fixture::Group group;
    group.month(2).number(3);
    group.publisher(Publisher("Zoë", "Jansen")
                        .phones("030-2345678", "06-12345678")
                        .email("zoe@example.nl")
                        .cell(Cell(2, 1).participated().studies(1)));
    group.publisher(
        Publisher("José", "Fernandes").phones("06-87654321").email(" jose@example.nl "));
    group.publisher(Publisher("Françoise", "Dubois")
                        .phones("030-1112233", "06-44455566", "0031-307778")
                        .cell(Cell(2, 0).participated()));
    group.publisher(
        Publisher("Pieter", "de Vries").email("pieter@example.nl").cell(Cell(2, 1).remark("ziek")));
    group.publisher(Publisher("Anna", "Bakker").phones("12345").email("@example.nl"));
    return group;
}

const QStringList allLines{"Jansen, Zoë", "Fernandes, José", "Dubois, Françoise",
                           "de Vries, Pieter", "Bakker, Anna"};

QList<unsigned> itemData(CMainDlg& dlg) {
    QList<unsigned> data;
    for (int i = 0; i < dlg.publisherList.GetCount(); ++i)
        data << unsigned(dlg.publisherList.GetItemData(i));
    return data;
}

void clickFilter(harness::MainWindow& run) {
    QWidget* box = run.control(res::IDC_FILTER_NO_REPORT);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

} // namespace

class PublisherListTest : public QObject {
    Q_OBJECT

private slots:
    void listShowsFileOrderLastNameFirst();
    void filterShowsOnlyMissingReports_data();
    void filterShowsOnlyMissingReports();
    void captionsAndCounts_data();
    void captionsAndCounts();
    void emptyStatesHideTheListButtons();
    void untickingTheFilterBringsBackTheButtons();
    void selectionSetsContactControls_data();
    void selectionSetsContactControls();
    void dialButtonFollowsTelephoneHandler_data();
    void dialButtonFollowsTelephoneHandler();
    void onePublisherKeepsTheOkCaption();
    void nextPhoneCyclesThroughNumbers();
    void previewShowsReminderText();
    void openAnotherFile_data();
    void openAnotherFile();
    void openDialogStartsInLoadedFolder_data();
    void openDialogStartsInLoadedFolder();
    void enterAndDoubleClickOpenReportDialog();
    void openingAnotherListSavesTheOldOne();
    void reportOnFilteredListRemovesLine_data();
    void reportOnFilteredListRemovesLine();
    void enterOnEmptyListDoesNothing();
    void enteredReportReachesCaptionsAndFile();
};

void PublisherListTest::listShowsFileOrderLastNameFirst() {
    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", listGroup()));

    QCOMPARE(run.lines(), allLines);
    QCOMPARE(itemData(dlg), (QList<unsigned>{1, 2, 3, 4, 5}));
    QCOMPARE(run.list()->currentRow(), 0);
    QVERIFY(run.list()->hasFocus());
    // Typing the start of a last name selects its line.
    QTest::keyClicks(run.list(), "Bak");
    QCOMPARE(run.list()->currentRow(), 4);
    QCOMPARE(run.text(platform::IDOK), QString("Post - Anna Bakker"));
}

void PublisherListTest::filterShowsOnlyMissingReports_data() {
    QTest::addColumn<int>("selectedBefore");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QString>("okCaption");

    QTest::newRow("line within the shorter list stays") << 2 << 2 << "Post - Anna Bakker";
    QTest::newRow("line beyond the shorter list falls back") << 4 << 0 << "Post - José Fernandes";
}

void PublisherListTest::filterShowsOnlyMissingReports() {
    QFETCH(int, selectedBefore);
    QFETCH(int, selectedAfter);
    QFETCH(QString, okCaption);

    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", listGroup()));
    const QString title = run.title();
    run.clickLine(selectedBefore);

    clickFilter(run);

    QCOMPARE(dlg.filterNoReport, 1);
    // Françoise reported in the other year's slot only.
    QCOMPARE(run.lines(), (QStringList{"Fernandes, José", "Dubois, Françoise", "Bakker, Anna"}));
    QCOMPARE(itemData(dlg), (QList<unsigned>{2, 3, 5}));
    QCOMPARE(run.list()->currentRow(), selectedAfter);
    QCOMPARE(dlg.selectedItem, selectedAfter);
    QCOMPARE(run.text(platform::IDOK), okCaption);
    QVERIFY(run.list()->hasFocus());
    QCOMPARE(run.title(), title);

    clickFilter(run);
    QCOMPARE(dlg.filterNoReport, 0);
    QCOMPARE(run.lines(), allLines);
}

void PublisherListTest::captionsAndCounts_data() {
    QTest::addColumn<int>("headerMonth");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("missing");

    QTest::newRow("March list") << 2 << "Maart-bericht - Groep 3 "
                                << "Ontbrekende Maart Rapoporten = 3";
    QTest::newRow("April list, whatever the calendar month") << 3 << "April-bericht - Groep 3 "
                                                             << "Ontbrekende April Rapoporten = 5";
}

void PublisherListTest::captionsAndCounts() {
    QFETCH(int, headerMonth);
    QFETCH(QString, title);
    QFETCH(QString, missing);

    harness::MainWindow run;
    run.writeSettings("", "Françoise Dubois");
    run.startWith(run.writeGroup("Groep.k09", listGroup().month(std::uint8_t(headerMonth))));

    QCOMPARE(run.title(), title);
    QCOMPARE(run.text(res::IDC_MISSING_COUNT), missing);
    QCOMPARE(run.text(res::IDC_PUBLISHER_COUNT), QString("Verkondigers = 5"));
    QCOMPARE(run.text(res::IDC_LAST_ENTRY), QString("Françoise Dubois"));
    QVERIFY(run.shown(res::IDC_SEND_ADDITIONS));
    QVERIFY(run.shown(res::IDC_VIEW_LIST));
    QVERIFY(run.shown(res::IDC_FILTER_NO_REPORT));
    QVERIFY(!qobject_cast<QCheckBox*>(run.control(res::IDC_FILTER_NO_REPORT))->isChecked());
}

void PublisherListTest::emptyStatesHideTheListButtons() {
    harness::MainWindow run;
    run.writeSettings("", "Zoë Jansen");
    // A start-up file that does not exist: an empty group for the computed month.
    run.startWith(run.path("Weg.k09"), dateOf(2025, 6, 2));
    QCOMPARE(run.title(), QString("Mei-bericht - Groep 0 "));
    QCOMPARE(run.text(res::IDC_MISSING_COUNT), QString("Ontbrekende Mei Rapoporten = 0"));
    QCOMPARE(run.text(res::IDC_PUBLISHER_COUNT), QString("Verkondigers = 0"));
    QCOMPARE(run.text(res::IDC_LAST_ENTRY), QString("Zoë Jansen"));
    QVERIFY(run.lines().isEmpty());
    for (int id : {res::IDC_SEND_ADDITIONS, res::IDC_VIEW_LIST, res::IDC_FILTER_NO_REPORT})
        QVERIFY2(!run.shown(id), qPrintable(QString::number(id)));

    // With the filter on, a group in which everyone reported shows no line:
    // the list buttons go, the filter box stays.
    run.dlg->CheckDlgButton(res::IDC_FILTER_NO_REPORT, platform::BST_CHECKED);
    run.dlg->filterNoReport = 1;
    fixture::Group complete;
    complete.month(4).number(8);
    complete.publisher(Publisher("Zoë", "Jansen").cell(Cell(4, 1).participated()));
    complete.publisher(Publisher("José", "Fernandes").cell(Cell(4, 1).remark("ziek")));
    run.script.answerFileDialog(run.writeGroup("Compleet.k09", complete));
    run.click(res::IDC_OPEN_GROUP);
    QVERIFY(run.lines().isEmpty());
    QCOMPARE(run.text(res::IDC_PUBLISHER_COUNT), QString("Verkondigers = 2"));
    QVERIFY(!run.shown(res::IDC_SEND_ADDITIONS));
    QVERIFY(!run.shown(res::IDC_VIEW_LIST));
    QVERIFY(run.shown(res::IDC_FILTER_NO_REPORT));
}

// The filter on, a list in which everyone reported is opened: the list is
// empty, and the buttons and the previous publisher's contact go. Unticking
// the filter brings the whole group back with its buttons.
void PublisherListTest::untickingTheFilterBringsBackTheButtons() {
    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", listGroup()));
    run.clickLine(1);
    QVERIFY(run.shown(res::IDC_PHONE_NUMBER));
    QVERIFY(run.shown(res::IDC_MAIL_REMINDER));
    clickFilter(run);
    QCOMPARE(dlg.filterNoReport, 1);

    fixture::Group complete;
    complete.month(2).number(8);
    complete.publisher(Publisher("Zoë", "Jansen").cell(Cell(2, 1).participated()));
    complete.publisher(
        Publisher("Kees", "de Boer").phones("030-1357913").cell(Cell(2, 1).remark("ziek")));
    run.script.answerFileDialog(run.writeGroup("Compleet.k09", complete));
    run.click(res::IDC_OPEN_GROUP);
    QVERIFY(run.lines().isEmpty());
    for (int id :
         {res::IDC_SEND_ADDITIONS, res::IDC_VIEW_LIST, res::IDC_PHONE_NUMBER, res::IDC_DIAL,
          res::IDC_NEXT_PHONE, res::IDC_MAIL_REMINDER, res::IDC_PREVIEW_REMINDER})
        QVERIFY2(!run.shown(id), qPrintable(QString::number(id)));
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), QString());
    QCOMPARE(run.text(platform::IDOK), QString("OK"));
    QVERIFY(run.shown(res::IDC_FILTER_NO_REPORT));

    clickFilter(run);
    QCOMPARE(dlg.filterNoReport, 0);
    QCOMPARE(run.lines(), (QStringList{"Jansen, Zoë", "de Boer, Kees"}));
    QVERIFY(run.shown(res::IDC_SEND_ADDITIONS));
    QVERIFY(run.shown(res::IDC_VIEW_LIST));
    QCOMPARE(run.text(platform::IDOK), QString("Post - Zoë Jansen"));

    // Ticked again on the complete list, the buttons go with the lines.
    clickFilter(run);
    QVERIFY(run.lines().isEmpty());
    QVERIFY(!run.shown(res::IDC_SEND_ADDITIONS));
    QVERIFY(!run.shown(res::IDC_VIEW_LIST));
    QVERIFY(run.script.unexpected().isEmpty());
}

void PublisherListTest::selectionSetsContactControls_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("okCaption");
    QTest::addColumn<QString>("phone"); // empty: number hidden
    QTest::addColumn<bool>("nextShown");
    QTest::addColumn<QString>("mailCaption"); // empty: mail buttons hidden

    QTest::newRow("two numbers, reported") << 0 << "Post - Zoë Jansen"
                                           << "030-2345678" << true << "";
    QTest::newRow("one number, missing, address trimmed")
        << 1 << "Post - José Fernandes"
        << "06-87654321" << false << "E-mail - jose@example.nl";
    QTest::newRow("three numbers, no address") << 2 << "Post - Françoise Dubois"
                                               << "030-1112233" << true << "";
    QTest::newRow("reported by remark, address on file") << 3 << "Post - Pieter de Vries"
                                                         << "" << false << "";
    QTest::newRow("short number, address without name") << 4 << "Post - Anna Bakker"
                                                        << "" << false << "";
}

void PublisherListTest::selectionSetsContactControls() {
    QFETCH(int, line);
    QFETCH(QString, okCaption);
    QFETCH(QString, phone);
    QFETCH(bool, nextShown);
    QFETCH(QString, mailCaption);

    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", listGroup()));
    // Away from the line first, so that both ways of selecting change it.
    run.clickLine(line == 0 ? 1 : 0);

    for (const char* how : {"mouse", "keyboard"}) {
        if (QByteArray(how) == "mouse") {
            run.clickLine(line);
        } else {
            run.clickLine(line == 0 ? 1 : 0);
            QTest::keyClick(run.list(), line == 0 ? Qt::Key_Up : Qt::Key_Down);
            if (line > 1)
                for (int i = 1; i < line; ++i)
                    QTest::keyClick(run.list(), Qt::Key_Down);
        }
        QCOMPARE(dlg.selectedItem, line);
        QCOMPARE(run.text(platform::IDOK), okCaption);
        QCOMPARE(run.text(res::IDC_PHONE_NUMBER), phone);
        QCOMPARE(run.shown(res::IDC_PHONE_NUMBER), !phone.isEmpty());
        QCOMPARE(run.shown(res::IDC_NEXT_PHONE), nextShown);
        QCOMPARE(run.shown(res::IDC_DIAL), !phone.isEmpty() && platform::dialer().available());
        QCOMPARE(run.shown(res::IDC_MAIL_REMINDER), !mailCaption.isEmpty());
        QCOMPARE(run.shown(res::IDC_PREVIEW_REMINDER), !mailCaption.isEmpty());
        if (!mailCaption.isEmpty())
            QCOMPARE(run.text(res::IDC_MAIL_REMINDER), mailCaption);
    }
}

void PublisherListTest::dialButtonFollowsTelephoneHandler_data() {
    QTest::addColumn<QByteArray>("handler"); // what the desktop names for tel: addresses
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("dialShown");

    QTest::newRow("handler, number") << QByteArray("softphone.desktop") << 1 << true;
    QTest::newRow("handler, no usable number") << QByteArray("softphone.desktop") << 4 << false;
    QTest::newRow("no handler, number") << QByteArray() << 1 << false;
}

void PublisherListTest::dialButtonFollowsTelephoneHandler() {
    QFETCH(QByteArray, handler);
    QFETCH(int, line);
    QFETCH(bool, dialShown);

    harness::MainWindow run;
    // The desktop's answer comes from xdg-mime; this one answers as told.
    QVERIFY(QDir(run.dir.path()).mkpath("bin"));
    QFile tool(run.path("bin/xdg-mime"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n" + (handler.isEmpty() ? QByteArray("exit 1") : "echo " + handler) +
               "\n");
    tool.close();
    QVERIFY(tool.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(run.path("bin")) + ':' + path);
    run.startWith(run.writeGroup("Groep.k09", listGroup()));

    run.clickLine(line == 0 ? 1 : 0);
    run.clickLine(line);
    qputenv("PATH", path);

    QCOMPARE(run.shown(res::IDC_DIAL), dialShown);
}

void PublisherListTest::onePublisherKeepsTheOkCaption() {
    harness::MainWindow run;
    fixture::Group one;
    one.month(2).number(1).publisher(
        Publisher("José", "Fernandes").phones("06-87654321").email("jose@example.nl"));
    run.startWith(run.writeGroup("Groep.k09", one));

    run.clickLine(0);
    QTest::keyClick(run.list(), Qt::Key_Down);

    QCOMPARE(run.lines(), QStringList{"Fernandes, José"});
    QCOMPARE(run.text(platform::IDOK), QString("OK"));
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), QString());
    QVERIFY(!run.shown(res::IDC_MAIL_REMINDER));
    QVERIFY(!run.shown(res::IDC_NEXT_PHONE));
}

void PublisherListTest::nextPhoneCyclesThroughNumbers() {
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", listGroup()));
    run.clickLine(2);

    QStringList shown{run.text(res::IDC_PHONE_NUMBER)};
    for (int i = 0; i < 3; ++i) {
        run.click(res::IDC_NEXT_PHONE);
        shown << run.text(res::IDC_PHONE_NUMBER);
        QVERIFY(run.list()->hasFocus());
    }
    QCOMPARE(shown, (QStringList{"030-1112233", "06-44455566", "0031-307778", "030-1112233"}));

    run.click(res::IDC_NEXT_PHONE);
    run.clickLine(0);
    run.clickLine(2);
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), QString("030-1112233"));
}

void PublisherListTest::previewShowsReminderText() {
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", listGroup()));
    run.clickLine(1);

    run.click(res::IDC_PREVIEW_REMINDER);

    QCOMPARE(run.script.messageBoxes().size(), size_t(1));
    const platform::MessageBoxRequest& box = run.script.messageBoxes().front();
    QCOMPARE(box.text, QString("Dien alstublieft uw rapport in voor Maart. \nDank je."));
    QCOMPARE(box.caption, platform::AfxGetAppName());
    QCOMPARE(box.type, unsigned(platform::MB_OK | platform::MB_ICONEXCLAMATION));
}

void PublisherListTest::openAnotherFile_data() {
    QTest::addColumn<QString>("answer"); // "cancel", or a file name in the folder
    QTest::addColumn<bool>("loads");
    QTest::addColumn<bool>("resetsDirectory");

    QTest::newRow("k09 file") << "Nieuw.k09" << true << true;
    QTest::newRow("K09 file") << "NIEUW.K09" << true << true;
    QTest::newRow("cancelled") << "cancel" << false << true;
    QTest::newRow("mixed-case extension ignored") << "Nieuw.K09x" << false << false;
    QTest::newRow("name without extension ignored") << "Nieuw" << false << false;
}

void PublisherListTest::openAnotherFile() {
    QFETCH(QString, answer);
    QFETCH(bool, loads);
    QFETCH(bool, resetsDirectory);

    harness::MainWindow run;
    run.writeSettings("", "Zoë Jansen");
    const QString first = run.writeGroup("Groep.k09", listGroup());
    CMainDlg& dlg = run.startWith(first);
    run.clickLine(4);

    // A May list opened in April is last year's: its reports are in slot 0.
    fixture::Group other;
    other.month(4).number(9);
    other.publisher(Publisher("Françoise", "Dubois").cell(Cell(4, 0).participated()));
    other.publisher(Publisher("Kees", "de Boer").phones("030-1357913"));
    other.publisher(Publisher("Eva", "Meijer").email("eva@example.nl"));
    const QString chosen = run.path(answer == "cancel" ? "Nieuw.k09" : answer);
    run.writeGroup(QFileInfo(chosen).fileName(), other);
    if (answer == "cancel")
        run.script.answerFileDialog(std::nullopt);
    else
        run.script.answerFileDialog(chosen);
    const QString elsewhere = run.path("elders");
    QVERIFY(QDir().mkpath(elsewhere));
    QVERIFY(QDir::setCurrent(elsewhere));
    run.list()->clearFocus();

    run.click(res::IDC_OPEN_GROUP);

    QCOMPARE(run.script.fileDialogs().size(), size_t(1));
    const platform::FileDialogRequest& request = run.script.fileDialogs().front();
    QCOMPARE(request.title, QString("Selecteer verzamellijst van de secretaris"));
    QVERIFY2(request.nameFilter.contains("(*.k09)"), qPrintable(request.nameFilter));
    QVERIFY(request.open);
    if (loads) {
        QCOMPARE(run.lines(), (QStringList{"Dubois, Françoise", "de Boer, Kees", "Meijer, Eva"}));
        QCOMPARE(run.title(), QString("Mei-bericht - Groep 9 "));
        QCOMPARE(run.text(res::IDC_MISSING_COUNT), QString("Ontbrekende Mei Rapoporten = 2"));
        QCOMPARE(run.text(res::IDC_LAST_ENTRY), QString());
        QVERIFY(dlg.session.lastEntry.isEmpty());
        QCOMPARE(fromStorePath(dlg.session.store().loadedPath), chosen);
        // The selected line was beyond the new list's end.
        QCOMPARE(dlg.selectedItem, 0);
        QCOMPARE(run.text(platform::IDOK), QString("Post - Françoise Dubois"));
    } else {
        QCOMPARE(run.lines(), allLines);
        QCOMPARE(run.text(res::IDC_LAST_ENTRY), QString("Zoë Jansen"));
        QCOMPARE(fromStorePath(dlg.session.store().loadedPath), first);
        QCOMPARE(dlg.selectedItem, 4);
    }
    QCOMPARE(QDir::currentPath(), resetsDirectory ? run.startFolder : elsewhere);
    QCOMPARE(run.list()->hasFocus(), resetsDirectory);
}

void PublisherListTest::openingAnotherListSavesTheOldOne() {
    // Reports entered into the open list reach its file before the next list
    // replaces them in memory.
    harness::MainWindow run;
    const QString first = run.writeGroup("Groep.K09", listGroup());
    CMainDlg& dlg = run.startWith(first);
    groupdata::PublisherRecord rec = dlg.session.store().publisher(1);
    rec.setStudies(5, 1, groupdata::participatedBit | 3);
    dlg.session.store().replacePublisher(1, rec);
    const QString next = run.writeGroup("Nieuw.k09", listGroup());
    run.script.answerFileDialog(next);

    run.click(res::IDC_OPEN_GROUP);

    fixture::Group expected = listGroup();
    expected.publishers[0].cell(Cell(5, 1).participated().studies(3));
    QCOMPARE(harness::fileBytes(first), harness::bytesOf(fixture::buildGroupFile(expected)));
    QCOMPARE(fromStorePath(dlg.session.store().loadedPath), next);
    QVERIFY(run.script.messageBoxes().empty());
}

void PublisherListTest::openDialogStartsInLoadedFolder_data() {
    QTest::addColumn<QString>("loaded"); // relative to the temporary folder
    QTest::addColumn<QString>("change"); // to the loaded file before the button
    QTest::addColumn<bool>("inLoadedFolder");

    QTest::newRow("loaded file still there") << "lijst/Groep.k09"
                                             << "" << true;
    QTest::newRow("loaded file gone") << "lijst/Groep.k09"
                                      << "remove" << false;
    // Looking at it must not wait for a writer.
    QTest::newRow("loaded file now a pipe") << "lijst/Groep.k09"
                                            << "pipe" << false;
}

void PublisherListTest::openDialogStartsInLoadedFolder() {
    QFETCH(QString, loaded);
    QFETCH(QString, change);
    QFETCH(bool, inLoadedFolder);

    harness::MainWindow run;
    QVERIFY(QDir(run.dir.path()).mkpath("lijst"));
    const QString file = run.writeGroup(loaded, listGroup());
    CMainDlg& dlg = run.startWith(file);
    if (!change.isEmpty())
        QVERIFY(QFile::remove(file));
    if (change == "pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(file), 0600), 0);
    run.script.answerFileDialog(std::nullopt);

    run.click(res::IDC_OPEN_GROUP);

    QCOMPARE(run.script.fileDialogs().front().initialFolder,
             inLoadedFolder ? QFileInfo(file).absolutePath() : dlg.startDirectory);
    QCOMPARE(dlg.startDirectory, run.startFolder);
}

void PublisherListTest::enterAndDoubleClickOpenReportDialog() {
    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", listGroup()));
    QList<int> opened;
    auto closeReport = [&](platform::CDialog& dialog) {
        QCOMPARE(dialog.templateId(), res::IDD_REPORT);
        opened << static_cast<CReportDlg&>(dialog).publisherNumber;
        dialog.EndDialog(platform::IDCANCEL);
    };

    run.clickLine(2);
    run.script.driveNextDialog(closeReport);
    QTest::keyClick(run.list(), Qt::Key_Return);

    run.script.driveNextDialog(closeReport);
    QListWidget* list = run.list();
    // A double-click is a click followed by the second press.
    run.clickLine(4);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->item(4)).center());

    run.clickLine(1);
    run.script.driveNextDialog(closeReport);
    run.click(platform::IDOK);

    QCOMPARE(opened, (QList<int>{3, 5, 2}));
    QCOMPARE(run.focusAfterModal(), run.list());
    QVERIFY(run.script.unexpected().isEmpty());
    QVERIFY(dlg.isRunning());
}

void PublisherListTest::reportOnFilteredListRemovesLine_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("selectedAfter");

    QTest::newRow("first line: the next one takes its place")
        << 0 << QStringList{"Dubois, Françoise", "Bakker, Anna"} << 0;
    QTest::newRow("last line: back to the first")
        << 2 << QStringList{"Fernandes, José", "Dubois, Françoise"} << 0;
    QTest::newRow("middle line: the next one takes its place")
        << 1 << QStringList{"Fernandes, José", "Bakker, Anna"} << 1;
}

void PublisherListTest::reportOnFilteredListRemovesLine() {
    QFETCH(int, line);
    QFETCH(QStringList, after);
    QFETCH(int, selectedAfter);

    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", listGroup()));
    clickFilter(run);
    run.clickLine(line);
    // The report dialog commits a report for its publisher.
    run.script.driveNextDialog([&](platform::CDialog& dialog) {
        auto& report = static_cast<CReportDlg&>(dialog);
        groupdata::PublisherRecord rec =
            dlg.session.store().publisher(unsigned(report.publisherNumber));
        rec.setParticipated(dlg.session.store().reportMonth, dlg.session.store().yearSlot, true);
        dlg.session.store().replacePublisher(unsigned(report.publisherNumber), rec);
        dialog.EndDialog(platform::IDOK);
    });

    QTest::keyClick(run.list(), Qt::Key_Return);

    QCOMPARE(run.lines(), after);
    QCOMPARE(run.list()->currentRow(), selectedAfter);
    QCOMPARE(
        run.text(platform::IDOK), "Post - " + [&] {
            const QStringList parts = after[selectedAfter].split(", ");
            return parts[1] + ' ' + parts[0];
        }());
}

void PublisherListTest::enterOnEmptyListDoesNothing() {
    harness::MainWindow run;
    CMainDlg& dlg = run.start();
    QTest::keyClick(run.list(), Qt::Key_Return);
    QTest::keyClick(run.control(platform::IDOK), Qt::Key_Space);
    QVERIFY(run.script.unexpected().isEmpty());
    QVERIFY(dlg.isRunning());
}

void PublisherListTest::enteredReportReachesCaptionsAndFile() {
    // The road of one report: Enter on a name, tick and Enter through the
    // report dialog, back to the list with new counts, and into the file at exit.
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", listGroup());
    CMainDlg& dlg = run.startWith(file);
    run.clickLine(1);
    QCOMPARE(run.text(res::IDC_MISSING_COUNT), QString("Ontbrekende Maart Rapoporten = 3"));
    int enters = 0;
    run.script.driveNextDialog([&](platform::CDialog& report) {
        QCOMPARE(report.templateId(), res::IDD_REPORT);
        // The test platform does not activate a dialog by itself; until then
        // its owner counts as active and has the keys.
        report.window()->activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == report.window(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        while (report.isRunning() && enters < 8) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            ++enters;
        }
    });

    QTest::keyClick(run.list(), Qt::Key_Return);

    QVERIFY2(run.script.unexpected().isEmpty(), qPrintable(run.script.unexpected().join('\n')));
    QVERIFY(!dlg.session.store().isReportMissing(2, 2, 1));
    QCOMPARE(run.text(res::IDC_MISSING_COUNT), QString("Ontbrekende Maart Rapoporten = 2"));
    QCOMPARE(run.text(res::IDC_LAST_ENTRY), QString("José Fernandes"));
    QCOMPARE(run.lines(), allLines);
    QCOMPARE(run.focusAfterModal(), run.list());

    run.dlg->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(run.dlg->window()));
    QTest::keyClick(run.list(), Qt::Key_Escape);
    QVERIFY(!dlg.isRunning());
    fixture::Group expected = listGroup();
    const QByteArray saved = harness::fileBytes(file);
    QVERIFY(saved != harness::bytesOf(fixture::buildGroupFile(expected)));
    // Read back, the file holds José's March report.
    CMainDlg reread;
    QVERIFY(reread.session.store().loadGroupFile(toStorePath(file)));
    QVERIFY(reread.session.store().publisher(2).participated(2, 1));
    QVERIFY(reread.session.store().isReportMissing(5, 2, 1));
    QCOMPARE(harness::fileBytes(run.settingsPath),
             ("[Last]\nLoadPath=" + file + "\nPost=José Fernandes\n").toUtf8());
}

QTEST_MAIN(PublisherListTest)
#include "test_publisher_list.moc"
