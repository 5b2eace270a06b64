// Entering a report by keyboard: the fields, their visibility, the count
// fields' keys, and what a commit writes into the group store.
#include "report_bench.h"

using namespace bench;
using fixture::Cell;
using fixture::Group;
using fixture::Publisher;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

// Plays a key script on whatever has the focus: ' ' is the space bar, '\n'
// Enter, '>' and '<' the arrow keys, anything else is typed.
void play(ReportBench& b, const QString& script) {
    for (QChar c : script) {
        if (c == ' ')
            b.key(Qt::Key_Space);
        else if (c == '\n')
            b.key(Qt::Key_Return);
        else if (c == '>')
            b.key(Qt::Key_Right);
        else if (c == '<')
            b.key(Qt::Key_Left);
        else
            b.type(QString(c));
    }
}

Group oneCell(const Cell& cell) {
    return Group().month(march).number(4).publisher(
        Publisher("Anna", "Bakker").email("anna@example.nl").cell(cell));
}

} // namespace

class ReportEntryTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnReportMonth();
    void visibility_data();
    void visibility();
    void keyboardFlows_data();
    void keyboardFlows();
    void countFieldKeys();
    void arrowKeys_data();
    void arrowKeys();
    void hoursTickTheBox_data();
    void hoursTickTheBox();
    void untickingClearsCounts();
    void commitWritesCell_data();
    void commitWritesCell();
    void okWithoutChangeWritesRecordBack();
    void validation_data();
    void validation();
    void cancelWritesNothing();
    void toolTip();
};

void ReportEntryTest::opensOnReportMonth() {
    ReportBench b;
    b.start(oneCell(Cell(march).participated().studies(2)));
    CReportDlg& dlg = b.open(1);
    QCOMPARE(dlg.window()->windowTitle(), QString("Anna Bakker"));
    QCOMPARE(b.text(res::IDC_PUBLISHER_NAME), QString("Anna Bakker"));
    QCOMPARE(b.text(res::IDC_MONTH_TEXT), QString("Maart"));
    QCOMPARE(b.text(res::IDC_GROUP_TEXT), QString("Groep 0"));
    QCOMPARE(b.text(res::IDC_CHANGE_MONTH), QString("&Change Month ( late report )"));
    const QStringList captions{"verspr", "video", "Uren", "Nb", "Bs"};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(b.text(res::IDC_PLACEMENTS_CAPTION + k), captions[k]);
    QCOMPARE(b.text(res::IDC_STUDIES), QString("2"));
    for (int id :
         {res::IDC_MONTH_LIST, res::IDC_MONTH_LIST_OK, res::IDC_REMARK_EDIT,
          res::IDC_UNDER_ONE_HOUR, res::IDC_PLACEMENTS, res::IDC_VIDEOS, res::IDC_RETURN_VISITS})
        QVERIFY2(!b.shown(id), qPrintable(QString::number(id)));
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    auto* months = qobject_cast<QListWidget*>(b.control(res::IDC_MONTH_LIST));
    QCOMPARE(months->count(), 12);
    QCOMPARE(months->item(11)->text(), QString("December"));
    QCOMPARE(months->currentRow(), int(march));
}

void ReportEntryTest::visibility_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("participated");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("privilege");
    QTest::addColumn<bool>("boxTicked");
    QTest::addColumn<bool>("hoursShown");
    QTest::addColumn<bool>("studiesShown");
    QTest::addColumn<int>("auxBox"); // -1 hidden, 0 shown unticked, 1 shown ticked
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<bool>("statusShown");
    QTest::addColumn<QString>("privilegeText");
    QTest::addColumn<bool>("creditShown");

    QTest::newRow("publisher, no report")
        << 0 << false << 0 << 0 << false << false << false << 0 << "" << false << "" << false;
    QTest::newRow("publisher who took part") << 0 << true << 0 << 1 << true << false << true << 0
                                             << "" << false << "Dienaar i-b" << false;
    QTest::newRow("auxiliary pioneer") << 1 << true << 30 << 2 << true << true << true << 1
                                       << "Hulppionier" << false << "Ouderling" << false;
    QTest::newRow("regular pioneer") << 2 << true << 50 << 3 << true << true << true << -1
                                     << "Gewone pionier" << true << "Gedoopte broeder" << true;
    QTest::newRow("special pioneer") << 3 << true << 100 << 0 << true << true << true << -1
                                     << "Special Pioneer" << true << "" << false;
    // The box follows the hours, the fields follow the stored bit.
    QTest::newRow("hours without the participated bit")
        << 2 << false << 12 << 0 << true << false << false << -1 << "Gewone pionier" << true << ""
        << true;
    // Any bit of the status byte shows the hours field; only bits 0..1 tick 1050.
    QTest::newRow("status bits beyond the status")
        << 0x84 << true << 0 << 0x04 << true << true << true << 0 << "" << false << "" << false;
}

void ReportEntryTest::visibility() {
    QFETCH(int, status);
    QFETCH(bool, participated);
    QFETCH(int, hours);
    QFETCH(int, privilege);
    ReportBench b;
    b.start(Group().month(march).publisher(Publisher("Anna", "Bakker")
                                               .privilege(std::uint8_t(privilege))
                                               .groupNumber(-2)
                                               .cell(Cell(march)
                                                         .pioneerStatus(std::uint8_t(status))
                                                         .participated(participated)
                                                         .hours(std::uint16_t(hours)))));
    b.open(1);
    QTEST(b.ticked(res::IDC_PARTICIPATED), "boxTicked");
    QTEST(b.shown(res::IDC_HOURS), "hoursShown");
    QTEST(b.shown(res::IDC_HOURS_CAPTION), "hoursShown");
    QTEST(b.shown(res::IDC_STUDIES), "studiesShown");
    QTEST(b.shown(res::IDC_STUDIES_CAPTION), "studiesShown");
    const int auxBox =
        b.shown(res::IDC_AUX_PIONEER) ? (b.ticked(res::IDC_AUX_PIONEER) ? 1 : 0) : -1;
    QTEST(auxBox, "auxBox");
    QTEST(b.text(res::IDC_STATUS_TEXT), "statusText");
    QTEST(b.shown(res::IDC_STATUS_TEXT), "statusShown");
    QTEST(b.text(res::IDC_PRIVILEGE_TEXT), "privilegeText");
    QTEST(b.shown(res::IDC_CREDIT_TEXT), "creditShown");
    QCOMPARE(b.text(res::IDC_GROUP_TEXT), QString("Groep -2"));
    QCOMPARE(b.text(res::IDC_HOURS), QString::number(hours));
}

void ReportEntryTest::keyboardFlows_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("focusAfterFirstEnter");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("studies");

    QTest::newRow("publisher: tick, Enter, studies, Enter") << 0 << " \n3\n"
                                                            << res::IDC_STUDIES << 0 << 0x0803;
    QTest::newRow("pioneer: tick, Enter, hours, Enter, studies, Enter")
        << 1 << " \n52\n4\n"
        << res::IDC_HOURS << 52 << 0x0804;
    // Enter on the unticked box reaches OK past the hidden fields; Enter there commits.
    QTest::newRow("unticked: Enter to OK, Enter commits") << 0 << "\n\n"
                                                          << int(IDOK) << 0 << 0x0000;
    QTest::newRow("studies alone mark the report") << 0 << " \n5  \n"
                                                   << res::IDC_STUDIES << 0 << 0x0800;
}

void ReportEntryTest::keyboardFlows() {
    QFETCH(int, status);
    QFETCH(QString, keys);
    QFETCH(int, focusAfterFirstEnter);
    ReportBench b;
    b.start(oneCell(Cell(march).pioneerStatus(std::uint8_t(status))));
    CReportDlg& dlg = b.open(1);
    const int firstEnter = int(keys.indexOf('\n'));
    play(b, keys.left(firstEnter + 1));
    QCOMPARE(b.focusId(), focusAfterFirstEnter);
    QVERIFY(dlg.isRunning());
    play(b, keys.mid(firstEnter + 1));
    QVERIFY(!dlg.isRunning());
    QCOMPARE(dlg.result(), int(IDOK));
    const PublisherRecord after = b.stored(1);
    QTEST(int(after.hours(march, 0)), "hours");
    QTEST(int(after.studies(march, 0)), "studies");
    QVERIFY(b.script.unexpected().isEmpty());
}

void ReportEntryTest::countFieldKeys() {
    ReportBench b;
    b.start(oneCell(Cell(march).pioneerStatus(1).participated().hours(7).studies(2)));
    b.open(1);
    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), res::IDC_HOURS);
    auto* hours = qobject_cast<QLineEdit*>(b.control(res::IDC_HOURS));
    QCOMPARE(hours->selectedText(), QString("7"));
    b.type("1x2.5-a");
    QCOMPARE(hours->text(), QString("12.5"));
    b.key(Qt::Key_Backspace);
    QCOMPARE(hours->text(), QString("12."));
    b.key(Qt::Key_Space);
    QCOMPARE(hours->text(), QString("0"));
    QCOMPARE(hours->selectedText(), QString("0"));
    b.type("9");
    QCOMPARE(hours->text(), QString("9"));
}

void ReportEntryTest::arrowKeys_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::newRow("right in hours")
        << res::IDC_HOURS << int(Qt::Key_Right) << res::IDC_PARTICIPATED;
    QTest::newRow("left in hours") << res::IDC_HOURS << int(Qt::Key_Left) << res::IDC_PARTICIPATED;
    QTest::newRow("right in studies") << res::IDC_STUDIES << int(Qt::Key_Right) << int(IDOK);
    QTest::newRow("left in studies") << res::IDC_STUDIES << int(Qt::Key_Left) << res::IDC_HOURS;
}

void ReportEntryTest::arrowKeys() {
    QFETCH(int, from);
    QFETCH(int, key);
    ReportBench b;
    b.start(oneCell(Cell(march).pioneerStatus(2).participated().hours(40).studies(1)));
    CReportDlg& dlg = b.open(1);
    dlg.GetDlgItem(from)->SetFocus();
    auto* edit = qobject_cast<QLineEdit*>(b.control(from));
    edit->setCursorPosition(0);
    b.key(Qt::Key(key));
    QTEST(b.focusId(), "to");
    QCOMPARE(edit->cursorPosition(), 0);
}

void ReportEntryTest::hoursTickTheBox_data() {
    QTest::addColumn<QString>("hours");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("two zeros") << "00" << true;
    QTest::newRow("one zero") << "0" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("a number") << "3" << true;
    QTest::newRow("a fraction below one") << "0.5" << true;
}

void ReportEntryTest::hoursTickTheBox() {
    QFETCH(QString, hours);
    ReportBench b;
    b.start(oneCell(Cell(march).pioneerStatus(1)));
    CReportDlg& dlg = b.open(1);
    dlg.SetDlgItemText(res::IDC_HOURS, hours);
    dlg.TickIfHours();
    QTEST(b.ticked(res::IDC_PARTICIPATED), "ticked");
    QTEST(bool(dlg.participatedChecked), "ticked");
    QVERIFY(!b.shown(res::IDC_HOURS));
}

void ReportEntryTest::untickingClearsCounts() {
    // Hours on file without the participated bit: the box is ticked, the fields
    // stay hidden, and one press of the space bar unticks it and zeroes both.
    ReportBench b;
    b.start(oneCell(Cell(march).pioneerStatus(2).hours(12).studies(3)));
    CReportDlg& dlg = b.open(1);
    QVERIFY(b.ticked(res::IDC_PARTICIPATED));
    QVERIFY(!b.shown(res::IDC_HOURS));
    b.key(Qt::Key_Space);
    QVERIFY(!b.ticked(res::IDC_PARTICIPATED));
    QCOMPARE(b.text(res::IDC_HOURS), QString("0"));
    QCOMPARE(b.text(res::IDC_STUDIES), QString("0"));
    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), int(IDOK));
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(b.stored(1).hours(march, 0)), 0);
    QCOMPARE(int(b.stored(1).studies(march, 0)), 0);
}

void ReportEntryTest::commitWritesCell_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("clickAux");
    QTest::addColumn<int>("statusAfter");
    QTest::addColumn<int>("creditAfter");

    QTest::newRow("publisher ticks auxiliary") << 0x00 << true << 0x01 << 0;
    QTest::newRow("auxiliary unticked") << 0x01 << true << 0x00 << 0;
    QTest::newRow("auxiliary kept") << 0x01 << false << 0x01 << 0;
    QTest::newRow("other bits kept") << 0xF8 << true << 0xF9 << 0;
    QTest::newRow("regular pioneer keeps byte and credit") << 0x0E << false << 0x0E << 12;
    QTest::newRow("special pioneer loses credit") << 0x03 << false << 0x03 << 0;
}

void ReportEntryTest::commitWritesCell() {
    QFETCH(int, status);
    QFETCH(bool, clickAux);
    ReportBench b;
    // Bit 10 of the studies value is dropped on commit, bits 12..15 are kept.
    b.start(oneCell(Cell(march)
                        .pioneerStatus(std::uint8_t(status))
                        .participated()
                        .studies(5)
                        .studiesBits(0x5400)
                        .hours(30)
                        .placements(9)
                        .videos(8)
                        .returnVisits(7)
                        .creditHours(12)
                        .extra(0x1234)));
    PublisherRecord expected = b.stored(1);
    CReportDlg& dlg = b.open(1);
    if (clickAux)
        QTest::mouseClick(b.control(res::IDC_AUX_PIONEER), Qt::LeftButton);
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    QVERIFY(!dlg.isRunning());

    QFETCH(int, statusAfter);
    QFETCH(int, creditAfter);
    expected.setStudies(march, 0, 0x5805);
    expected.setPioneerStatus(march, 0, std::uint8_t(statusAfter));
    expected.setCreditHours(march, 0, std::uint16_t(creditAfter));
    const PublisherRecord after = b.stored(1);
    for (std::size_t i = 0; i < groupdata::recordSize; ++i)
        QVERIFY2(after.bytes[i] == expected.bytes[i], qPrintable(QString("byte %1: %2, expected %3")
                                                                     .arg(i)
                                                                     .arg(after.bytes[i])
                                                                     .arg(expected.bytes[i])));
}

void ReportEntryTest::okWithoutChangeWritesRecordBack() {
    ReportBench b;
    Session& run = b.start(
        Group()
            .month(march)
            .publisher(Publisher("Anna", "Bakker"))
            .publisher(Publisher("Bram", "Smit").cell(Cell(march).participated().studies(1))));
    const PublisherRecord before = b.stored(2);
    CReportDlg& dlg = b.open(2);
    // The record is written back whole, whatever else happened to it meanwhile.
    PublisherRecord meddled = before;
    meddled.setEmail("elders@example.nl");
    run.store().replacePublisher(2, meddled);
    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), res::IDC_STUDIES);
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    QVERIFY(b.stored(2).bytes == before.bytes);
    QVERIFY(!run.store().isLateFlag(2, march));
    QCOMPARE(run.lastEntry, QString("Bram Smit"));
}

void ReportEntryTest::validation_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    QTest::newRow("studies above 63") << res::IDC_STUDIES << "64"
                                      << "Please enter an integer between 0 and 63.";
    QTest::newRow("studies empty") << res::IDC_STUDIES << ""
                                   << "Please enter a positive integer.";
    QTest::newRow("studies not a number") << res::IDC_STUDIES << "1.5"
                                          << "Please enter a positive integer.";
    QTest::newRow("hours beyond 16 bits") << res::IDC_HOURS << "65536"
                                          << "Please enter an integer between 0 and 65535.";
    QTest::newRow("hours far beyond") << res::IDC_HOURS << "99999999999999999999"
                                      << "Please enter an integer between 0 and 65535.";
    QTest::newRow("largest hours") << res::IDC_HOURS << "65535"
                                   << "";
    QTest::newRow("hours with a fraction") << res::IDC_HOURS << "7.5"
                                           << "";
}

void ReportEntryTest::validation() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ReportBench b;
    // The hidden fields hold values above their limits: they do not block the commit.
    b.start(oneCell(Cell(march)
                        .pioneerStatus(1)
                        .participated()
                        .hours(3)
                        .studies(2)
                        .placements(5000)
                        .videos(4096)
                        .returnVisits(512)));
    const PublisherRecord before = b.stored(1);
    CReportDlg& dlg = b.open(1);
    b.retype(field, typed);
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    const QStringList shown = b.script.takeMessageTexts();
    if (message.isEmpty()) {
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join('|')));
        QVERIFY(!dlg.isRunning());
        const PublisherRecord after = b.stored(1);
        QCOMPARE(int(after.hours(march, 0)), typed.toDouble() >= 65535 ? 65535 : 7);
        QCOMPARE(int(after.placements(march, 0)), 5000);
        QCOMPARE(int(after.videos(march, 0)), 4096);
        QCOMPARE(int(after.returnVisits(march, 0)), 512);
        return;
    }
    QCOMPARE(shown, QStringList{message});
    QVERIFY(dlg.isRunning());
    QCOMPARE(b.focusId(), field);
    QCOMPARE(qobject_cast<QLineEdit*>(b.control(field))->selectedText(), typed);
    QVERIFY(b.stored(1).bytes == before.bytes);
    QVERIFY(b.session.lastEntry.isEmpty());
    // Corrected, the same report commits.
    b.retype(field, "6");
    b.key(Qt::Key_Return);
    if (dlg.isRunning())
        b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(field == res::IDC_HOURS ? b.stored(1).hours(march, 0)
                                         : b.stored(1).studyCount(march, 0)),
             6);
}

void ReportEntryTest::cancelWritesNothing() {
    ReportBench b;
    b.start(oneCell(Cell(march).pioneerStatus(1).participated().hours(3)));
    const PublisherRecord before = b.stored(1);
    CReportDlg& dlg = b.open(1);
    QTest::mouseClick(b.control(res::IDC_AUX_PIONEER), Qt::LeftButton);
    b.retype(res::IDC_STUDIES, "9");
    b.key(Qt::Key_Escape);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(dlg.result(), int(IDCANCEL));
    QVERIFY(b.stored(1).bytes == before.bytes);
    QVERIFY(b.session.lastEntry.isEmpty());
}

void ReportEntryTest::toolTip() {
    ReportBench b;
    b.start(oneCell(Cell(march)));
    CReportDlg& dlg = b.open(1);
    QString text;
    QVERIFY(dlg.OnToolTipNeedText(res::IDC_PARTICIPATED, text));
    QCOMPARE(text, QString("Die maand aan een vorm van velddienst heeft gedaan"));
    QVERIFY(!dlg.OnToolTipNeedText(res::IDC_STUDIES, text));
}

QTEST_MAIN(ReportEntryTest)
#include "test_report_entry.moc"
