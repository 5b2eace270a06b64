// Late reports: the month list, the warning text and the late flag a commit
// sets.
#include "report_bench.h"

using namespace bench;
using fixture::Cell;
using fixture::Group;
using fixture::Publisher;
using platform::IDCANCEL;
using platform::IDOK;

namespace {

constexpr unsigned february = 1;

QString alreadyEntered(const QString& month) {
    return "- WAARSCHUWING - Het bericht van deze verkondiger voor de maand " + month +
           " is reeds ingevuld";
}
const QString notAdded =
    "De wijzigingen worden NIET toegevoegd in het Maart-bericht naar het bijkantoor";
const QString added = "De wijzigingen worden toegevoegd in het Maart-bericht naar het bijkantoor ";
const QString specials =
    "Speciale pioniers worden NIET MEEGETELD in het bericht voor het Bijkantoor";

QListWidget* monthList(ReportBench& b) {
    return qobject_cast<QListWidget*>(b.control(res::IDC_MONTH_LIST));
}

} // namespace

class ReportMonthTest : public QObject {
    Q_OBJECT
private slots:
    void warnings_data();
    void warnings();
    void monthListShowsAndReloads();
    void doubleClickClosesList();
    void lateReportWritesShownMonthOnly();
    void lateMonthFollowsItsPioneerStatus_data();
    void lateMonthFollowsItsPioneerStatus();
    void fullRemarkTableToldOncePerMonth();
    void monthName();
};

void ReportMonthTest::warnings_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("specialIn"); // -1 nowhere, else the month with status 3
    QTest::addColumn<bool>("lateBefore");
    QTest::addColumn<bool>("listOpen");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("notCounted");
    QTest::addColumn<bool>("lateAfter");

    const int feb = int(february), mar = int(march);
    QTest::newRow("special in report month, no hours")
        << feb << 0 << mar << false << false << "\n" + specials << 1 << false;
    QTest::newRow("special in shown month, hours")
        << feb << 10 << feb << false << false << alreadyEntered("Februari") + "\n" + specials << 1
        << false;
    QTest::newRow("special in report month, shown there")
        << mar << 10 << mar << false << false << alreadyEntered("Maart") + "\n" + specials << 1
        << false;
    QTest::newRow("other month with hours, not late")
        << feb << 10 << -1 << false << false << alreadyEntered("Februari") + "\n" + notAdded << 1
        << false;
    QTest::newRow("other month with hours, already late")
        << feb << 10 << -1 << true << false << alreadyEntered("Februari") + "\n" + added << 0
        << true;
    QTest::newRow("other month without hours")
        << feb << 0 << -1 << false << false << "\n" + added << 0 << true;
    QTest::newRow("list open, hours")
        << feb << 10 << -1 << false << true << alreadyEntered("Februari") << 0 << false;
    QTest::newRow("list open, no hours") << feb << 0 << -1 << false << true << "" << 0 << false;
    QTest::newRow("report month with hours")
        << mar << 10 << -1 << false << false << alreadyEntered("Maart") + "\n" + added << 0
        << false;
    QTest::newRow("report month without hours")
        << mar << 0 << -1 << false << false << "" << 0 << false;
}

void ReportMonthTest::warnings() {
    QFETCH(int, month);
    QFETCH(int, hours);
    QFETCH(int, specialIn);
    QFETCH(bool, lateBefore);
    QFETCH(bool, listOpen);
    Publisher p("Anna", "Bakker");
    for (unsigned m : {february, march})
        p.cell(Cell(m)
                   .pioneerStatus(int(m) == specialIn ? 3 : 1)
                   .participated(int(m) == month && hours)
                   .hours(int(m) == month ? std::uint16_t(hours) : 0));
    if (lateBefore)
        p.late(unsigned(month));
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(p));
    CReportDlg& dlg = b.open(1);
    if (month != int(march)) {
        b.alt(Qt::Key_C);
        QCOMPARE(b.focusId(), res::IDC_MONTH_LIST);
        b.key(Qt::Key_Up);
        QCOMPARE(dlg.dialogMonth, month);
        if (!listOpen) {
            b.key(Qt::Key_Return);
            QVERIFY(!b.shown(res::IDC_MONTH_LIST));
        }
    }
    QTEST(b.text(res::IDC_WARNING_TEXT), "text");
    QTEST(dlg.notCounted, "notCounted");
    QCOMPARE(dlg.otherMonth, month != int(march) ? 1 : 0);
    if (listOpen)
        return;
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    QVERIFY(!dlg.isRunning());
    QTEST(run.store().isLateFlag(1, unsigned(month)), "lateAfter");
    QCOMPARE(run.store().isLateFlag(1, march), false);
}

void ReportMonthTest::monthListShowsAndReloads() {
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(
        Publisher("Anna", "Bakker").cell(Cell(february).participated().studies(3))));
    CReportDlg& dlg = b.open(1);
    QVERIFY(!b.shown(res::IDC_STUDIES));

    b.alt(Qt::Key_C);
    QVERIFY(b.shown(res::IDC_MONTH_LIST));
    QVERIFY(b.shown(res::IDC_MONTH_LIST_OK));
    for (int id : {res::IDC_REMARKS, int(IDOK), int(IDCANCEL), res::IDC_CHANGE_MONTH,
                   res::IDC_GROUP_TEXT, res::IDC_CREDIT_TEXT})
        QVERIFY2(!b.shown(id), qPrintable(QString::number(id)));
    QCOMPARE(b.focusId(), res::IDC_MONTH_LIST);
    QCOMPARE(monthList(b)->currentRow(), int(march));

    // Each month passed is loaded at once, with the fields that month shows.
    b.key(Qt::Key_Up);
    QCOMPARE(b.text(res::IDC_MONTH_TEXT), QString("Februari"));
    QCOMPARE(b.text(res::IDC_STUDIES), QString("3"));
    QVERIFY(b.ticked(res::IDC_PARTICIPATED));
    QVERIFY(b.shown(res::IDC_STUDIES));
    b.key(Qt::Key_Down);
    QCOMPARE(b.text(res::IDC_MONTH_TEXT), QString("Maart"));
    QVERIFY(!b.ticked(res::IDC_PARTICIPATED));
    QVERIFY(!b.shown(res::IDC_STUDIES));

    // Enter moves the focus on, which closes the list.
    b.key(Qt::Key_Return);
    QVERIFY(!b.shown(res::IDC_MONTH_LIST));
    QVERIFY(!b.shown(res::IDC_MONTH_LIST_OK));
    for (int id :
         {res::IDC_REMARKS, int(IDOK), int(IDCANCEL), res::IDC_CHANGE_MONTH, res::IDC_GROUP_TEXT})
        QVERIFY2(b.shown(id), qPrintable(QString::number(id)));
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    QCOMPARE(dlg.monthListShown, 0);
    QCOMPARE(dlg.otherMonth, 0);

    b.key(Qt::Key_Space);
    b.key(Qt::Key_Return);
    b.type("1");
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(b.stored(1).studies(march, 0)), 0x0801);
    QVERIFY(!run.store().isLateFlag(1, march));
}

void ReportMonthTest::doubleClickClosesList() {
    ReportBench b;
    b.start(Group().month(march).publisher(Publisher("Anna", "Bakker")));
    CReportDlg& dlg = b.open(1);
    QTest::mouseClick(b.control(res::IDC_CHANGE_MONTH), Qt::LeftButton);
    QVERIFY(b.shown(res::IDC_MONTH_LIST));
    QListWidget* list = monthList(b);
    const QPoint january = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, january);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, january);
    QVERIFY(!b.shown(res::IDC_MONTH_LIST));
    QCOMPARE(b.text(res::IDC_MONTH_TEXT), QString("Januari"));
    QCOMPARE(dlg.dialogMonth, 0);
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    QVERIFY(b.script.unexpected().isEmpty());
}

void ReportMonthTest::lateReportWritesShownMonthOnly() {
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(
        Publisher("Anna", "Bakker").cell(Cell(march).participated().studies(2))));
    PublisherRecord expected = b.stored(1);
    CReportDlg& dlg = b.open(1);
    b.alt(Qt::Key_C);
    b.key(Qt::Key_Up);
    b.key(Qt::Key_Return);
    QCOMPARE(b.text(res::IDC_WARNING_TEXT), "\n" + added);
    b.key(Qt::Key_Space);
    b.key(Qt::Key_Return);
    b.type("4");
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    expected.setStudies(february, 0, 0x0804);
    expected.setLateFlag(february, 1);
    QVERIFY(b.stored(1).bytes == expected.bytes);
    QCOMPARE(run.lastEntry, QString("Anna Bakker"));
}

void ReportMonthTest::lateMonthFollowsItsPioneerStatus_data() {
    QTest::addColumn<int>("februaryStatus");
    QTest::addColumn<int>("marchStatus");
    QTest::addColumn<bool>("hoursShown");
    QTest::newRow("auxiliary pioneer in the late month") << 1 << 0 << true;
    QTest::newRow("regular pioneer in the late month") << 2 << 0 << true;
    QTest::newRow("other bits of the late month's status") << 4 << 0 << true;
    QTest::newRow("auxiliary pioneer in the report month only") << 0 << 1 << false;
}

void ReportMonthTest::lateMonthFollowsItsPioneerStatus() {
    QFETCH(int, februaryStatus);
    QFETCH(int, marchStatus);
    QFETCH(bool, hoursShown);
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(
        Publisher("Anna", "Bakker")
            .cell(Cell(february).pioneerStatus(std::uint8_t(februaryStatus)))
            .cell(Cell(march).pioneerStatus(std::uint8_t(marchStatus)))));
    CReportDlg& dlg = b.open(1);
    b.alt(Qt::Key_C);
    b.key(Qt::Key_Up);
    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    QCOMPARE(b.ticked(res::IDC_AUX_PIONEER), februaryStatus == 1);

    b.key(Qt::Key_Space);
    QCOMPARE(b.shown(res::IDC_HOURS), hoursShown);
    QCOMPARE(b.shown(res::IDC_HOURS_CAPTION), hoursShown);
    QVERIFY(b.shown(res::IDC_STUDIES));
    b.key(Qt::Key_Return);
    if (hoursShown) {
        QCOMPARE(b.focusId(), res::IDC_HOURS);
        b.type("12");
        b.key(Qt::Key_Return);
    }
    QCOMPARE(b.focusId(), res::IDC_STUDIES);
    b.type("1");
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());

    const PublisherRecord stored = b.stored(1);
    QCOMPARE(int(stored.hours(february, 0)), hoursShown ? 12 : 0);
    QCOMPARE(int(stored.studies(february, 0)), 0x0801);
    QCOMPARE(int(stored.pioneerStatus(february, 0)), februaryStatus);
    QCOMPARE(int(stored.pioneerStatus(march, 0)), marchStatus);
    QVERIFY(run.store().isLateFlag(1, february));
}

// A cell without a remark finds no room in a full remark table. The message
// comes once for each month the overseer moves to, and the box it comes in
// does not close the month list (which would load the month and raise it again).
void ReportMonthTest::fullRemarkTableToldOncePerMonth() {
    ReportBench b;
    b.start(fullRemarkTable());
    CReportDlg& dlg = b.open(2);
    const QStringList once{"Onvoldoende plaats"};
    QCOMPARE(b.script.takeMessageTexts(), once);
    b.script.showBoxesAsWindows();

    b.alt(Qt::Key_C);
    QCOMPARE(b.focusId(), res::IDC_MONTH_LIST);
    for (int month : {int(february), 0}) {
        b.key(Qt::Key_Up);
        QCOMPARE(b.script.takeMessageTexts(), once);
        QCOMPARE(dlg.dialogMonth, month);
        QVERIFY(b.shown(res::IDC_MONTH_LIST));
        QTRY_COMPARE(b.focusId(), res::IDC_MONTH_LIST);
    }
    // Closing the list loads January once more: it was told already.
    b.key(Qt::Key_Return);
    QVERIFY(!b.shown(res::IDC_MONTH_LIST));
    QCOMPARE(b.text(res::IDC_MONTH_TEXT), QString("Januari"));
    QVERIFY(b.script.takeMessageTexts().isEmpty());
    QVERIFY2(b.script.unexpected().isEmpty(), qPrintable(b.script.unexpected().join('\n')));

    b.key(Qt::Key_Escape);
    QVERIFY(!dlg.isRunning());
}

void ReportMonthTest::monthName() {
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(Publisher("Anna", "Bakker")));
    CReportDlg& dlg = b.open(1);
    QCOMPARE(dlg.MonthName(7, true), QString("Augustus"));
    run.store().languageName = "french";
    QCOMPARE(dlg.MonthName(7, true), QString("de Augustus")); // only a lower-case a or o
    QCOMPARE(dlg.MonthName(0, true), QString("de Januari"));
    QCOMPARE(dlg.MonthName(0, false), QString("Januari"));
    QCOMPARE(&dlg.MonthName(1, false), &dlg.monthText);
}

QTEST_MAIN(ReportMonthTest)
#include "test_report_month.moc"
