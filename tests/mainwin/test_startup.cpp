// Start-up of the main window: which group file it opens, the report month it
// works on, the settings file, and the exit sequence that writes both back.

#include "main_window_harness.h"
#include "mainwin/backups.h"

#include "platform/constants.h"
#include "platform/message_box.h"
#include "platform/res_string.h"

#include <QDate>
#include <QFileInfo>

using harness::dateOf;
using harness::fileBytes;

namespace {

fixture::Group groupNumbered(std::uint8_t number, std::uint8_t month = 2) {
    fixture::Group group;
    group.month(month).number(number);
    group.publisher(
        fixture::Publisher("Zoë", "Jansen").cell(fixture::Cell(month, 1).participated()));
    group.publisher(fixture::Publisher("José", "Fernandes"));
    group.publisher(fixture::Publisher("Françoise", "Dubois"));
    return group;
}

// The group file with bytes after its last remark entry: a save writes the
// group without them, so the file shows whether it was saved.
QString writeWithTail(harness::MainWindow& run, const QString& name, const fixture::Group& group) {
    std::vector<std::uint8_t> bytes = fixture::buildGroupFile(group);
    bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
    const QString path = run.path(name);
    fixture::writeBytes(toStorePath(path), bytes);
    return path;
}

QByteArray settingsText(const QString& loadPath, const QString& post) {
    return ("[Last]\nLoadPath=" + loadPath + "\nPost=" + post + "\n").toUtf8();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startupInputs_data();
    void startupInputs();
    void reportMonthFromDate_data();
    void reportMonthFromDate();
    void relativeCommandLineIsFoundFromElsewhere();
    void exitWritesGroupFileAndSettings();
    void exitWithOnePublisherSavesNothing();
    void exitClosesWithoutSavingOnlyWhenTold();
    void exitByCloseBox();
    void exitKeepsACopyOfTheReplacedFile();
    void exitSavesEvenWhenNoCopyCanBeMade();
    void settingsFileLocation_data();
    void settingsFileLocation();
    void programRunsAndEndsWithEscape();
    void resStringFillsInSecondText();
    void storeMessagesShowTheirTexts_data();
    void storeMessagesShowTheirTexts();
};

// "cmd" and "setting" name the group files Groep.k09 (group 7), Oud.k09
// (group 4) and GROEP.K09 (group 5) of the temporary folder by the
// placeholders %new, %old and %upper.
void StartupTest::startupInputs_data() {
    QTest::addColumn<QString>("cmd");
    QTest::addColumn<bool>("settingsFile");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("loadedGroup"); // -1: nothing loaded
    QTest::addColumn<QString>("savedFile");
    QTest::addColumn<QString>("loadPathWritten");

    QTest::newRow("quoted command line") << "\"%new\"" << true << "%old" << 7 << "%new"
                                         << "%new";
    QTest::newRow("unquoted command line") << "%new" << true << "%old" << 7 << "%new"
                                           << "%new";
    QTest::newRow("upper-case extension is loaded and saved")
        << "%upper" << true << "%old" << 5 << "%upper"
        << "%upper";
    QTest::newRow("trailing blank falls back on the setting")
        << "%new " << true << "%old" << 4 << "%old"
        << "%old";
    QTest::newRow("other file falls back on the setting")
        << "%new.txt" << true << "%old" << 4 << "%old"
        << "%old";
    QTest::newRow("no command line") << "" << true << "%old" << 4 << "%old"
                                     << "%old";
    QTest::newRow("empty setting") << "" << true << "" << -1 << ""
                                   << "";
    QTest::newRow("no settings file") << "" << false << "" << -1 << ""
                                      << "";
    QTest::newRow("setting names a missing file") << "" << true << "%gone" << 0 << ""
                                                  << "%gone";
}

void StartupTest::startupInputs() {
    QFETCH(QString, cmd);
    QFETCH(bool, settingsFile);
    QFETCH(QString, setting);
    QFETCH(int, loadedGroup);
    QFETCH(QString, savedFile);
    QFETCH(QString, loadPathWritten);

    harness::MainWindow run;
    const fixture::Group newGroup = groupNumbered(7), oldGroup = groupNumbered(4),
                         upperGroup = groupNumbered(5);
    const QString files[] = {writeWithTail(run, "Groep.k09", newGroup),
                             writeWithTail(run, "Oud.k09", oldGroup),
                             writeWithTail(run, "GROEP.K09", upperGroup)};
    const QByteArray original[] = {fileBytes(files[0]), fileBytes(files[1]), fileBytes(files[2])};
    auto expand = [&](QString text) {
        return text.replace("%new", files[0])
            .replace("%old", files[1])
            .replace("%upper", files[2])
            .replace("%gone", run.path("Weg.k09"));
    };
    if (settingsFile)
        run.writeSettings(expand(setting), "Zoë Jansen");

    run.startWith(expand(cmd));

    if (loadedGroup < 0) {
        QCOMPARE(run.title(), QString("Velddienst rapporten"));
        QCOMPARE(run.text(res::IDC_PUBLISHER_COUNT), QString());
        QCOMPARE(run.text(res::IDC_LAST_ENTRY), QString());
    } else {
        QCOMPARE(run.title(), QString("Maart-bericht - Groep %1 ").arg(loadedGroup));
        QCOMPARE(run.text(res::IDC_LAST_ENTRY), settingsFile ? QString("Zoë Jansen") : QString());
    }
    QCOMPARE(run.lines().size(), loadedGroup > 0 ? 3 : 0);

    QTest::keyClick(run.list(), Qt::Key_Escape);
    QVERIFY(!run.dlg->isRunning());
    QCOMPARE(run.dlg->result(), platform::IDCANCEL);
    QVERIFY(!run.dlg->session.store().dataValid);

    const fixture::Group* groups[] = {&newGroup, &oldGroup, &upperGroup};
    for (int i = 0; i < 3; ++i) {
        if (files[i] == expand(savedFile))
            QCOMPARE(fileBytes(files[i]), harness::bytesOf(fixture::buildGroupFile(*groups[i])));
        else
            QCOMPARE(fileBytes(files[i]), original[i]);
    }
    QCOMPARE(fileBytes(run.settingsPath),
             settingsText(expand(loadPathWritten), settingsFile ? "Zoë Jansen" : ""));
    QVERIFY2(run.script.unexpected().isEmpty(), qPrintable(run.script.unexpected().join('\n')));
    QCOMPARE(run.script.messageBoxes().size(), size_t(0));
}

void StartupTest::reportMonthFromDate_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("headerMonth"); // -1: no group file
    QTest::addColumn<int>("reportMonth");
    QTest::addColumn<int>("defaultMonth");
    QTest::addColumn<int>("reportYear");
    QTest::addColumn<int>("yearSlot");

    QTest::newRow("mid January") << QDate(2025, 1, 15) << -1 << 11 << 11 << 24 << 0;
    QTest::newRow("early March") << QDate(2025, 3, 3) << -1 << 1 << 1 << 25 << 1;
    QTest::newRow("new year's eve") << QDate(2024, 12, 31) << -1 << 10 << 10 << 24 << 0;
    QTest::newRow("February 2026") << QDate(2026, 2, 1) << -1 << 0 << 0 << 26 << 0;
    QTest::newRow("file month wins") << QDate(2025, 3, 3) << 2 << 2 << 1 << 25 << 1;
    QTest::newRow("a later month is last year's") << QDate(2025, 3, 3) << 3 << 3 << 1 << 24 << 0;
    QTest::newRow("January list in January") << QDate(2025, 1, 15) << 0 << 0 << 11 << 25 << 1;
    QTest::newRow("December list in January") << QDate(2025, 1, 15) << 11 << 11 << 11 << 24 << 0;
    QTest::newRow("December list in February") << QDate(2025, 2, 3) << 11 << 11 << 0 << 24 << 0;
    QTest::newRow("January list in March") << QDate(2025, 3, 3) << 0 << 0 << 1 << 25 << 1;
    QTest::newRow("January list in March 2026") << QDate(2026, 3, 3) << 0 << 0 << 1 << 26 << 0;
}

void StartupTest::reportMonthFromDate() {
    QFETCH(QDate, today);
    QFETCH(int, headerMonth);
    QFETCH(int, reportMonth);
    QFETCH(int, defaultMonth);
    QFETCH(int, reportYear);
    QFETCH(int, yearSlot);

    harness::MainWindow run;
    if (headerMonth >= 0)
        theApp.m_lpCmdLine =
            run.writeGroup("Groep.k09", groupNumbered(2, std::uint8_t(headerMonth)));
    CMainDlg& dlg = run.start(dateOf(today.year(), today.month(), today.day()));

    QCOMPARE(int(dlg.session.store().reportMonth), reportMonth);
    QCOMPARE(int(dlg.session.store().defaultMonth), defaultMonth);
    QCOMPARE(int(dlg.session.store().reportYear), reportYear);
    QCOMPARE(int(dlg.session.store().yearSlot), yearSlot);
    if (headerMonth >= 0) {
        const QString month = platform::AfxLoadString(res::IDS_MONTH_FIRST + unsigned(reportMonth));
        QCOMPARE(run.title(), month + "-bericht - Groep 2 ");
        QCOMPARE(run.text(res::IDC_MISSING_COUNT), "Ontbrekende " + month + " Rapoporten = " +
                                                       QString::number(yearSlot == 1 ? 2 : 3));
    }
}

void StartupTest::relativeCommandLineIsFoundFromElsewhere() {
    // Started in the file's folder with its bare name, as the user's guide
    // suggests; the next run starts in another folder without an argument.
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", groupNumbered(7));
    QVERIFY(QDir().mkpath(run.path("elders")));
    QVERIFY(QDir::setCurrent(run.dir.path()));
    CMainDlg& first = run.startWith("Groep.k09");
    QCOMPARE(int(first.session.store().groupNumber), 7);
    QCOMPARE(fromStorePath(first.session.store().loadedPath), file);
    run.click(platform::IDCANCEL);
    QCOMPARE(fileBytes(run.settingsPath), settingsText(file, ""));

    QVERIFY(QDir::setCurrent(run.path("elders")));
    theApp.m_lpCmdLine.clear();
    CMainDlg& second = run.start();
    QCOMPARE(int(second.session.store().groupNumber), 7);
    QCOMPARE(run.lines().size(), 3);
    QCOMPARE(fromStorePath(second.session.store().loadedPath), file);
}

void StartupTest::exitWritesGroupFileAndSettings() {
    // A report entered during the run reaches the file; the last entry and
    // the path reach the settings.
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", groupNumbered(3));
    run.writeSettings("", "Eerder");
    CMainDlg& dlg = run.startWith(file);
    groupdata::PublisherRecord rec = dlg.session.store().publisher(2);
    rec.setStudies(2, 1, groupdata::participatedBit | 4);
    dlg.session.store().replacePublisher(2, rec);
    dlg.session.lastEntry = "José Fernandes";

    run.click(platform::IDCANCEL);

    fixture::Group expected = groupNumbered(3);
    expected.publishers[1].cell(fixture::Cell(2, 1).participated().studies(4));
    QCOMPARE(fileBytes(file), harness::bytesOf(fixture::buildGroupFile(expected)));
    QCOMPARE(fileBytes(run.settingsPath), settingsText(file, "José Fernandes"));
    QVERIFY(!dlg.isRunning());
}

void StartupTest::exitWithOnePublisherSavesNothing() {
    harness::MainWindow run;
    fixture::Group one;
    one.month(2).number(1).publisher(fixture::Publisher("Zoë", "Jansen"));
    const QString file = writeWithTail(run, "Groep.k09", one);
    const QByteArray before = fileBytes(file);
    run.startWith(file);
    QCOMPARE(run.lines(), QStringList{"Jansen, Zoë"});

    QTest::keyClick(run.list(), Qt::Key_Escape);

    QCOMPARE(fileBytes(file), before);
    QCOMPARE(run.script.messageBoxes().size(), size_t(0));
    QCOMPARE(fileBytes(run.settingsPath), settingsText(file, ""));
}

void StartupTest::exitClosesWithoutSavingOnlyWhenTold() {
    harness::MainWindow run;
    QVERIFY(QDir(run.dir.path()).mkdir("lijst"));
    const QString file = run.writeGroup("lijst/Groep.k09", groupNumbered(3));
    run.startWith(file);
    // The folder becomes a plain file: nothing can be created below it.
    QVERIFY(QDir(run.path("lijst")).removeRecursively());
    QFile blocker(run.path("lijst"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    // The failure is told, then the user chooses "Sluiten zonder opslaan".
    run.script.answerMessageBox(platform::IDOK);
    run.script.answerMessageBox(platform::IDNO);
    QTest::keyClick(run.list(), Qt::Key_Escape);

    QCOMPARE(run.script.takeMessageTexts(),
             (QStringList{platform::AfxFormatString1(res::IDS_CANNOT_CREATE, file),
                          platform::AfxFormatString1(res::IDS_UNSAVED_QUESTION, file)}));
    QVERIFY(!run.dlg->session.store().dataValid);
    QCOMPARE(fileBytes(run.settingsPath), settingsText(file, ""));
    QVERIFY(!run.dlg->isRunning());
}

void StartupTest::exitByCloseBox() {
    harness::MainWindow run;
    const QString file = writeWithTail(run, "Groep.k09", groupNumbered(3));
    run.startWith(file);

    run.dlg->window()->close();

    QVERIFY(!run.dlg->isRunning());
    QCOMPARE(fileBytes(file), harness::bytesOf(fixture::buildGroupFile(groupNumbered(3))));
    QCOMPARE(fileBytes(run.settingsPath), settingsText(file, ""));
}

void StartupTest::exitKeepsACopyOfTheReplacedFile() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", groupNumbered(3));
    const QByteArray before = fileBytes(file);
    CMainDlg& dlg = run.startWith(file);
    groupdata::PublisherRecord rec = dlg.session.store().publisher(1);
    rec.setStudies(2, 1, groupdata::participatedBit | 2);
    dlg.session.store().replacePublisher(1, rec);

    QTest::keyClick(run.list(), Qt::Key_Escape);

    const QDir folder(GroupBackups().folderFor(file));
    const QStringList copies = folder.entryList(QDir::Files);
    QCOMPARE(copies, QStringList{"000001-20250410-120000-000.k09"});
    QCOMPARE(fileBytes(folder.filePath(copies[0])), before);
    QVERIFY(fileBytes(file) != before);
    QVERIFY(run.script.messageBoxes().empty());
}

void StartupTest::exitSavesEvenWhenNoCopyCanBeMade() {
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", groupNumbered(3));
    QFile blocker(run.path("plain"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(run.path("plain/data")));
    CMainDlg& dlg = run.startWith(file);
    groupdata::PublisherRecord rec = dlg.session.store().publisher(1);
    rec.setStudies(2, 1, groupdata::participatedBit);
    dlg.session.store().replacePublisher(1, rec);

    QTest::keyClick(run.list(), Qt::Key_Escape);

    const QStringList shown = run.script.takeMessageTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].startsWith("Kan geen reservekopie van " + file + " maken in " +
                                run.path("plain/data")));
    fixture::Group expected = groupNumbered(3);
    expected.publishers[0].cell(fixture::Cell(2, 1).participated());
    QCOMPARE(fileBytes(file), harness::bytesOf(fixture::buildGroupFile(expected)));
}

void StartupTest::settingsFileLocation_data() {
    QTest::addColumn<QString>("besideProgram"); // "file", "folder" or "none"
    QTest::addColumn<bool>("expectBeside");

    QTest::newRow("INI beside the program") << "file" << true;
    QTest::newRow("no INI beside the program") << "none" << false;
    QTest::newRow("a folder of that name") << "folder" << false;
}

void StartupTest::settingsFileLocation() {
    QFETCH(QString, besideProgram);
    QFETCH(bool, expectBeside);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("bin"));
    const QString program = dir.filePath("bin/dravo");
    const QString beside = dir.filePath("bin/dravo.ini");
    if (besideProgram == "file") {
        QFile ini(beside);
        QVERIFY(ini.open(QIODevice::WriteOnly));
    } else if (besideProgram == "folder") {
        QVERIFY(QDir(dir.path()).mkpath("bin/dravo.ini"));
    }

    const QString chosen = CGroupApp::settingsFilePath(program, dir.filePath("config"));
    QCOMPARE(chosen, expectBeside ? beside : dir.filePath("config/dravo.ini"));
}

void StartupTest::programRunsAndEndsWithEscape() {
    // The whole run as the program makes it: settings in the configuration
    // folder, the group file from the command line, Esc in the main window.
    harness::MainWindow run;
    const QString file = run.writeGroup("Groep.k09", groupNumbered(6));
    theApp.m_lpCmdLine = file;
    QStringList seen;
    run.script.driveNextDialog([&](platform::CDialog& dialog) {
        seen << dialog.window()->windowTitle();
        auto* list = dialog.GetDlgItem(res::IDC_PUBLISHER_LIST)->widget();
        QCOMPARE(qobject_cast<QListWidget*>(list)->count(), 3);
        QTest::keyClick(list, Qt::Key_Escape);
    });

    QCOMPARE(theApp.InitInstance(), false);

    QCOMPARE(seen, QStringList{"Maart-bericht - Groep 6 "});
    const QString ini =
        run.path("xdg_config_home/" +
                 QFileInfo(QCoreApplication::applicationFilePath()).fileName() + ".ini");
    QCOMPARE(theApp.m_pszProfileName, ini);
    QCOMPARE(fileBytes(ini), settingsText(file, ""));
    QVERIFY(run.script.unexpected().isEmpty());
}

void StartupTest::resStringFillsInSecondText() {
    const QString& first = ResString(res::IDS_REPORT_TITLE, res::IDS_MONTH_FIRST + 2);
    QCOMPARE(first, QString("Maart-bericht"));
    QCOMPARE(ResString(res::IDS_PUBLISHERS), QString("Verkondigers"));
    // One shared result: the first reference now shows the second text.
    QCOMPARE(first, QString("Verkondigers"));
    QCOMPARE(ResString(99999), QString(""));
}

void StartupTest::storeMessagesShowTheirTexts_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("text");

    QTest::newRow("low memory") << "lowMemory"
                                << "Low Memory";
    QTest::newRow("too few publishers") << "tooFew"
                                        << "Groep has less than 3 publishers";
    QTest::newRow("remark table full") << "full"
                                       << "Onvoldoende plaats";
    QTest::newRow("cannot create")
        << "create"
        << "Kan bestand /tmp/Zoë/Groep.k09 niet maken.\nVerwijder de Read-only toebehoren van "
           "directory / bewaar of vraag toestemming om bestanden te maken in deze directory.";
}

void StartupTest::storeMessagesShowTheirTexts() {
    QFETCH(QString, which);
    QFETCH(QString, text);

    ScriptedInteraction script;
    StoreMessageBoxes boxes;
    if (which == "lowMemory")
        boxes.lowMemory();
    else if (which == "tooFew")
        boxes.tooFewPublishers();
    else if (which == "full")
        boxes.remarkTableFull();
    else
        boxes.cannotCreate(toStorePath("/tmp/Zoë/Groep.k09"));

    QCOMPARE(script.messageBoxes().size(), size_t(1));
    QCOMPARE(script.messageBoxes().front().text, text);
    QCOMPARE(script.messageBoxes().front().caption, platform::AfxGetAppName());
    QCOMPARE(script.messageBoxes().front().type,
             unsigned(platform::MB_OK | platform::MB_ICONEXCLAMATION));
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
