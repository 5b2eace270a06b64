// The group file follows every stored report at once, and a save that cannot
// happen (the file is gone, replaced, changed by someone else) never ends the
// program quietly: the user decides, and the default keeps the list open.

#include "main_window_harness.h"
#include "mainwin/backups.h"
#include "platform/constants.h"
#include "platform/message_box.h"
#include "platform/res_string.h"
#include "reports_on_disk.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

using harness::fileBytes;
using platform::IDCANCEL;
using platform::IDNO;
using platform::IDYES;

namespace {

// 10 April 2025: the March reports, year slot 1.
constexpr unsigned march = 2;
constexpr unsigned slot = 1;

fixture::Group threePublishers() {
    fixture::Group group;
    group.month(march).number(3);
    group.publisher(fixture::Publisher("Zoë", "Jansen"));
    group.publisher(fixture::Publisher("José", "Fernandes"));
    group.publisher(fixture::Publisher("Anna", "Bakker"));
    return group;
}

using Reports = QList<QPair<int, int>>;

// The (publisher, Bible studies) reports of March in the file; a file that is
// not one whole group file reads as {-1, -1}.
Reports onDisk(const QString& file) {
    const ReportsOnDisk found = reportsOnDisk(file, march, slot);
    return found.whole ? found.reports : Reports{{-1, -1}};
}

// The same list as another program wrote it later: another group number and a
// remark more (so that it differs in size too, whatever the clock's grain).
fixture::Group theirVersion() {
    fixture::Group group = threePublishers();
    group.number(9);
    group.publishers[0].cell(fixture::Cell(march, slot).remark("ziek"));
    return group;
}

// Stores a report for list line `line` by keyboard: Space, Enter, the number, Enter.
void storeReport(harness::MainWindow& run, int line, int studies) {
    run.clickLine(line);
    run.script.driveNextDialog([studies](platform::CDialog& report) {
        report.window()->activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == report.window(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QString::number(studies));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!report.isRunning());
    });
    QTest::keyClick(run.list(), Qt::Key_Return);
}

bool hasReport(CMainDlg& dlg, unsigned publisher) {
    return !dlg.session.store().isReportMissing(publisher, march, slot);
}

QStringList backupsOf(const QString& file) {
    return QDir(GroupBackups().folderFor(file)).entryList(QDir::Files, QDir::Name);
}

// Replaces the group file by a folder of the same name: nothing can be saved over it.
void replaceByFolder(const QString& file) {
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkdir(file));
}

QString unsavedQuestion(const QString& file) {
    return platform::AfxFormatString1(res::IDS_UNSAVED_QUESTION, file);
}

QString cannotCreate(const QString& file) {
    return platform::AfxFormatString1(res::IDS_CANNOT_CREATE, file);
}

// Opens the window menu with Alt+Space and picks "Vorige versie terugzetten...",
// the entry above the separator and About.
void chooseRestore(harness::MainWindow& run, QStringList& entries) {
    harness::chooseWindowMenuEntry(entries, 2);
    QTest::keyClick(run.list(), Qt::Key_Space, Qt::AltModifier);
}

} // namespace

class SavingTest : public QObject {
    Q_OBJECT

private slots:
    void storedReportIsOnDiskAtOnce();
    void failedCommitSaveSaysSoOnceAndKeepsTheReport();
    void failedExitSaveAsksWhatToDo_data();
    void failedExitSaveAsksWhatToDo();
    void questionOffersItsOwnAnswers();
    void fileChangedOnDiskIsOverwrittenOnlyWhenAllowed_data();
    void fileChangedOnDiskIsOverwrittenOnlyWhenAllowed();
    void newListWaitsWhileTheOldCannotBeSaved();
    void unattendedEndAsksNothing_data();
    void unattendedEndAsksNothing();
    void restoreBringsBackAnEarlierVersion();
    void restoreWithoutVersionsSaysSo();
};

void SavingTest::storedReportIsOnDiskAtOnce() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    const QByteArray original = fileBytes(file);
    run.startWith(file);

    storeReport(run, 1, 4);
    QCOMPARE(onDisk(file), (Reports{{2, 4}}));
    storeReport(run, 2, 7);
    QCOMPARE(onDisk(file), (Reports{{2, 4}, {3, 7}}));

    // One copy for the run, of the file as it was before the run wrote it.
    const QStringList copies = backupsOf(file);
    QCOMPARE(copies.size(), 1);
    QCOMPARE(fileBytes(QDir(GroupBackups().folderFor(file)).filePath(copies[0])), original);

    QTest::keyClick(run.list(), Qt::Key_Escape);
    QVERIFY(!run.dlg->isRunning());
    QCOMPARE(onDisk(file), (Reports{{2, 4}, {3, 7}}));
    QCOMPARE(backupsOf(file).size(), 1);
    QVERIFY(run.script.messageBoxes().empty());
    QVERIFY(run.script.unexpected().isEmpty());
}

void SavingTest::failedCommitSaveSaysSoOnceAndKeepsTheReport() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    CMainDlg& dlg = run.startWith(file);
    replaceByFolder(file);

    storeReport(run, 0, 2);

    QCOMPARE(run.script.takeMessageTexts(), QStringList{cannotCreate(file)});
    QVERIFY(hasReport(dlg, 1));
    QVERIFY(dlg.isRunning());
    QVERIFY(QFileInfo(file).isDir());

    // Once the way is clear again, the next report takes the first one along.
    QVERIFY(QDir().rmdir(file));
    storeReport(run, 1, 3);
    QCOMPARE(onDisk(file), (Reports{{1, 2}, {2, 3}}));
    QVERIFY(run.script.messageBoxes().empty());
}

void SavingTest::failedExitSaveAsksWhatToDo_data() {
    QTest::addColumn<QList<int>>("answers"); // to the question, in turn
    QTest::addColumn<QString>("saveAs");     // the file dialog's answer; "-" for Cancel
    QTest::addColumn<bool>("stillRunning");
    QTest::addColumn<QString>("savedTo"); // where the report ends up; empty for nowhere

    QTest::newRow("back to the list") << QList<int>{IDCANCEL} << "" << true << "";
    QTest::newRow("close without saving") << QList<int>{IDNO} << "" << false << "";
    QTest::newRow("save elsewhere") << QList<int>{IDYES} << "Elders.k09" << false << "Elders.k09";
    QTest::newRow("save elsewhere adds the extension")
        << QList<int>{IDYES} << "Elders" << false << "Elders.k09";
    QTest::newRow("save elsewhere cancelled, then back")
        << QList<int>{IDYES, IDCANCEL} << "-" << true << "";
}

void SavingTest::failedExitSaveAsksWhatToDo() {
    QFETCH(QList<int>, answers);
    QFETCH(QString, saveAs);
    QFETCH(bool, stillRunning);
    QFETCH(QString, savedTo);

    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    run.startWith(file);
    replaceByFolder(file);
    storeReport(run, 0, 5);
    QCOMPARE(run.script.takeMessageTexts(), QStringList{cannotCreate(file)});

    run.script.answerMessageBox(platform::IDOK); // the message that the save failed
    for (int answer : answers)
        run.script.answerMessageBox(answer);
    if (!saveAs.isEmpty())
        run.script.answerFileDialog(saveAs == "-" ? std::nullopt
                                                  : std::optional<QString>(run.path(saveAs)));
    QTest::keyClick(run.list(), Qt::Key_Escape);

    QStringList expected{cannotCreate(file)};
    for (qsizetype i = 0; i < answers.size(); ++i)
        expected << unsavedQuestion(file);
    QCOMPARE(run.script.takeMessageTexts(), expected);
    QCOMPARE(run.dlg->isRunning(), stillRunning);
    QVERIFY2(run.script.unexpected().isEmpty(), qPrintable(run.script.unexpected().join('|')));
    if (stillRunning) {
        QVERIFY(hasReport(*run.dlg, 1));
        QVERIFY(!QFileInfo::exists(run.settingsPath));
        return;
    }
    const QString loadPath = savedTo.isEmpty() ? file : run.path(savedTo);
    QCOMPARE(fileBytes(run.settingsPath),
             ("[Last]\nLoadPath=" + loadPath + "\nPost=Zoë Jansen\n").toUtf8());
    if (!savedTo.isEmpty())
        QCOMPARE(onDisk(run.path(savedTo)), (Reports{{1, 5}}));
}

void SavingTest::questionOffersItsOwnAnswers() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    run.startWith(file);
    replaceByFolder(file);
    run.script.answerMessageBox(platform::IDOK);
    run.script.answerMessageBox(IDCANCEL);

    QTest::keyClick(run.list(), Qt::Key_Escape);

    QCOMPARE(run.script.messageBoxes().size(), std::size_t(2));
    const platform::MessageBoxRequest& question = run.script.messageBoxes()[1];
    QCOMPARE(question.buttonTexts,
             (QStringList{"Elders opslaan...", "Sluiten zonder opslaan", "Terug naar de lijst"}));
    QCOMPARE(question.type & platform::MB_TYPEMASK, unsigned(platform::MB_YESNOCANCEL));
    // The default button goes back to the list.
    QCOMPARE(question.type & platform::MB_DEFMASK, unsigned(platform::MB_DEFBUTTON3));
}

void SavingTest::fileChangedOnDiskIsOverwrittenOnlyWhenAllowed_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("overwritten");
    QTest::newRow("keep the other version") << int(IDNO) << false;
    QTest::newRow("overwrite") << int(IDYES) << true;
}

void SavingTest::fileChangedOnDiskIsOverwrittenOnlyWhenAllowed() {
    QFETCH(int, answer);
    QFETCH(bool, overwritten);

    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    CMainDlg& dlg = run.startWith(file);
    // The secretary's new list lands over the open one.
    run.writeGroup("Groep.k09", theirVersion());
    const QByteArray theirs = fileBytes(file);

    run.script.answerMessageBox(answer);
    storeReport(run, 2, 1);

    const QStringList shown = run.script.takeMessageTexts();
    QCOMPARE(shown, QStringList{platform::AfxFormatString1(res::IDS_CHANGED_ON_DISK, file)});
    QVERIFY(hasReport(dlg, 3));
    if (overwritten)
        QCOMPARE(onDisk(file), (Reports{{3, 1}}));
    else
        QCOMPARE(fileBytes(file), theirs);
    if (!overwritten)
        return;
    // Written by this run, the file is ours again: the next report asks nothing.
    storeReport(run, 0, 6);
    QCOMPARE(onDisk(file), (Reports{{1, 6}, {3, 1}}));
    QVERIFY(run.script.messageBoxes().empty());
}

void SavingTest::newListWaitsWhileTheOldCannotBeSaved() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    fixture::Group next = threePublishers();
    next.number(8);
    const QString nextFile = run.writeGroup("Volgende.k09", next);
    CMainDlg& dlg = run.startWith(file);
    replaceByFolder(file);
    storeReport(run, 0, 2);
    run.script.takeMessageTexts();

    run.script.answerFileDialog(nextFile);
    run.script.answerMessageBox(platform::IDOK);
    run.script.answerMessageBox(IDCANCEL);
    run.click(res::IDC_OPEN_GROUP);
    QVERIFY(run.script.unexpected().isEmpty());

    QCOMPARE(run.script.takeMessageTexts(),
             (QStringList{cannotCreate(file), unsavedQuestion(file)}));
    QCOMPARE(dlg.session.store().groupNumber, 3);
    QVERIFY(hasReport(dlg, 1));
    QCOMPARE(QString::fromStdString(dlg.session.store().loadedPath), file);
}

void SavingTest::unattendedEndAsksNothing_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("file replaced by a folder") << "folder";
    QTest::newRow("file changed on disk") << "changed";
    QTest::newRow("no fault") << "";
}

void SavingTest::unattendedEndAsksNothing() {
    QFETCH(QString, fault);
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    CMainDlg& dlg = run.startWith(file);
    storeReport(run, 1, 9);
    // A change that no commit has saved yet (as a remark's): only the end saves it.
    groupdata::PublisherRecord rec = dlg.session.store().publisher(1);
    rec.setStudies(march, slot, groupdata::participatedBit | 1);
    dlg.session.store().replacePublisher(1, rec);
    if (fault == "folder")
        replaceByFolder(file);
    else if (fault == "changed")
        run.writeGroup("Groep.k09", theirVersion());
    const QByteArray before = fileBytes(file);

    dlg.endSessionUnattended();
    dlg.endSessionUnattended();

    QVERIFY(run.script.messageBoxes().empty());
    QVERIFY(dlg.exitDone());
    if (fault.isEmpty())
        QCOMPARE(onDisk(file), (Reports{{1, 1}, {2, 9}}));
    else
        QCOMPARE(fileBytes(file), before);
    QCOMPARE(fileBytes(run.settingsPath),
             ("[Last]\nLoadPath=" + file + "\nPost=José Fernandes\n").toUtf8());
}

void SavingTest::restoreBringsBackAnEarlierVersion() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    const QByteArray original = fileBytes(file);
    CMainDlg& dlg = run.startWith(file);
    storeReport(run, 0, 2);
    storeReport(run, 1, 3);
    const QByteArray entered = fileBytes(file);

    QStringList lines;
    run.script.driveNextDialog([&](platform::CDialog& restore) {
        QCOMPARE(restore.templateId(), res::IDD_RESTORE);
        auto* list = qobject_cast<QListWidget*>(restore.GetDlgItem(res::IDC_BACKUP_LIST)->widget());
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!restore.isRunning());
    });
    QStringList menu;
    chooseRestore(run, menu);

    QVERIFY(menu.contains("Vorige versie terugzetten..."));
    // The one version kept this run: the file before the first report.
    QCOMPARE(lines, QStringList{"10-04-2025  12:00:00     0 rapporten van Maart"});
    QCOMPARE(fileBytes(file), original);
    QVERIFY(!hasReport(dlg, 1) && !hasReport(dlg, 2));
    QCOMPARE(run.text(res::IDC_MISSING_COUNT), QString("Ontbrekende Maart Rapoporten = 3"));
    // The entered version is kept in its turn, so the restore can be undone.
    const QList<BackupEntry> versions = GroupBackups().list(file);
    QCOMPARE(versions.size(), 2);
    QCOMPARE(fileBytes(versions.front().path), entered);
    QVERIFY2(run.script.unexpected().isEmpty(), qPrintable(run.script.unexpected().join('|')));

    // The restored file is the window's own: the next report saves without asking.
    storeReport(run, 2, 1);
    QCOMPARE(onDisk(file), (Reports{{3, 1}}));
    QVERIFY(run.script.messageBoxes().empty());
}

void SavingTest::restoreWithoutVersionsSaysSo() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", threePublishers());
    run.startWith(file);
    QStringList menu;
    chooseRestore(run, menu);
    QCOMPARE(run.script.takeMessageTexts(),
             QStringList{platform::AfxFormatString1(res::IDS_NO_BACKUPS, file)});
    QVERIFY(run.dlg->isRunning());
}

QTEST_MAIN(SavingTest)
#include "test_saving.moc"
