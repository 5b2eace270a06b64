// Remarks and the credit hours of regular pioneers: the remark editor, the
// remark table (also when it is full), and the credit computed from the
// remark and the hours.
#include "report_bench.h"

using namespace bench;
using fixture::Cell;
using fixture::Group;
using fixture::Publisher;
using platform::IDOK;

namespace {

// A regular pioneer's March report with the given hours, credit and remark.
Group pioneer(int hours, int credit, const QString& remark) {
    Cell cell(march);
    cell.pioneerStatus(2)
        .participated()
        .hours(std::uint16_t(hours))
        .creditHours(std::uint16_t(credit));
    if (!remark.isEmpty())
        cell.remark(remark.toStdString());
    return Group().month(march).remark("eerste").publisher(Publisher("Piet", "Pionier").cell(cell));
}

QString tableText(Session& run, int entry) {
    return QString::fromStdString(run.store().remark(unsigned(entry)).text());
}

// Opens the remark editor with Alt+M and replaces its text by typing.
void typeRemark(ReportBench& b, const QString& text) {
    b.alt(Qt::Key_M);
    // The window may still be on its way to being active on a busy machine;
    // the focus follows once it is.
    QTRY_COMPARE(b.focusId(), res::IDC_REMARK_EDIT);
    b.key(Qt::Key_A, Qt::ControlModifier);
    b.key(Qt::Key_Delete);
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, b.focused(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class ReportRemarksTest : public QObject {
    Q_OBJECT
private slots:
    void credit_data();
    void credit();
    void creditFollowsTypedHours();
    void enterStoresRemarkAndStaysOpen();
    void tabLeavesEditorForOneEnter();
    void remarkEdits_data();
    void remarkEdits();
    void builtRemarkIsStored();
    void fullTableKeepsExistingRemark();
    void fullTableRefusesNewRemark();
    void characterOutsideCodePage_data();
    void characterOutsideCodePage();
    void cancelKeepsOnlyTheRemarkTable();
    void mnemonicsKeepTheTypedRemark();
};

void ReportRemarksTest::credit_data() {
    QTest::addColumn<int>("hours");
    QTest::addColumn<QString>("remark");
    QTest::addColumn<int>("creditBefore");
    QTest::addColumn<int>("creditAfter");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("remarkAfter");

    QTest::newRow("40, 10") << 40 << "10" << 0 << 10 << "( + 10 Uren )"
                            << "10";
    QTest::newRow("50, 10") << 50 << "10" << 0 << 5 << "( + 5 Uren )"
                            << "10";
    QTest::newRow("60, 10") << 60 << "10" << 0 << 0 << ""
                            << "10";
    QTest::newRow("50, 10*") << 50 << "10*" << 0 << 10 << "( + 10 Uren )"
                             << "10*";
    QTest::newRow("20, 50*") << 20 << "50*" << 0 << 40 << "( + 40 Uren )"
                             << "50*";
    QTest::newRow("10, 50*") << 10 << "50*" << 0 << 45 << "( + 45 Uren )"
                             << "50*";
    QTest::newRow("50, 30!") << 50 << "30!" << 0 << 30 << "( + 30 Uren )"
                             << "30!";
    QTest::newRow("0, 1234") << 0 << "1234" << 0 << 55 << "( + 55 Uren )"
                             << "1234";
    QTest::newRow("30, 999!") << 30 << "999!" << 0 << 255 << "( + 255 Uren )"
                              << "999!";
    QTest::newRow("30, empty, 12") << 30 << "" << 12 << 12 << "( + 12 Uren )"
                                   << "12 +Uren";
    QTest::newRow("50, empty, 12") << 50 << "" << 12 << 5 << "( + 5 Uren )"
                                   << "5 +Uren";
    QTest::newRow("30, words, 3") << 30 << "ziek geweest" << 3 << 3 << "( + 3 Uren )"
                                  << "ziek geweest";
    QTest::newRow("50, *10") << 50 << "*10" << 0 << 0 << ""
                             << "*10";
    QTest::newRow("'!' after position 5") << 50 << "30 uur!" << 0 << 5 << "( + 5 Uren )"
                                          << "30 uur!";
    QTest::newRow("'*' after position 4") << 50 << "10 uur*" << 0 << 5 << "( + 5 Uren )"
                                          << "10 uur*";
    QTest::newRow("55 hours leave none") << 55 << "10" << 0 << 0 << ""
                                         << "10";
    QTest::newRow("stored credit, only high byte read")
        << 30 << "" << 0x010C << 12 << "( + 12 Uren )"
        << "12 +Uren";
}

void ReportRemarksTest::credit() {
    QFETCH(int, hours);
    QFETCH(QString, remark);
    QFETCH(int, creditBefore);
    ReportBench b;
    b.start(pioneer(hours, creditBefore, remark));
    CReportDlg& dlg = b.open(1);
    QTEST(int(dlg.creditValue), "creditAfter");
    QTEST(b.text(res::IDC_CREDIT_TEXT), "label");
    QTEST(dlg.remarkText, "remarkAfter");
    QVERIFY(b.shown(res::IDC_CREDIT_TEXT));
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    QVERIFY(!dlg.isRunning());
    QTEST(int(b.stored(1).creditHours(march, 0)), "creditAfter");
}

void ReportRemarksTest::creditFollowsTypedHours() {
    ReportBench b;
    b.start(pioneer(40, 0, "10"));
    CReportDlg& dlg = b.open(1);
    QCOMPARE(b.text(res::IDC_CREDIT_TEXT), QString("( + 10 Uren )"));
    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), res::IDC_HOURS);
    b.type("52");
    b.key(Qt::Key_Return); // leaving the field recomputes the credit
    QCOMPARE(b.text(res::IDC_CREDIT_TEXT), QString("( + 3 Uren )"));
    b.type("1");
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(b.stored(1).hours(march, 0)), 52);
    QCOMPARE(int(b.stored(1).creditHours(march, 0)), 3);
}

void ReportRemarksTest::enterStoresRemarkAndStaysOpen() {
    ReportBench b;
    Session& run = b.start(
        Group().month(march).remark("een").remark("twee").publisher(Publisher("Anna", "Bakker")));
    CReportDlg& dlg = b.open(1);
    // Opening a cell without a remark reserves the next entry.
    QCOMPARE(int(run.store().remarkCount), 3);
    QCOMPARE(dlg.remarkEntry, 3);

    b.alt(Qt::Key_M);
    QVERIFY(b.shown(res::IDC_REMARK_EDIT));
    QVERIFY(!b.shown(res::IDC_CHANGE_MONTH));
    QCOMPARE(dlg.enterMode, int(CReportDlg::EnterRemark));
    b.type("ziek");
    b.key(Qt::Key_Return);
    QVERIFY(dlg.isRunning());
    QVERIFY(!b.shown(res::IDC_REMARK_EDIT));
    QVERIFY(b.shown(res::IDC_CHANGE_MONTH));
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    QCOMPARE(dlg.enterMode, int(CReportDlg::EnterNormal));
    QCOMPARE(tableText(run, 3), QString("ziek"));
    QCOMPARE(int(dlg.workRecord.remarkIndex(march, 0)), 3);
    QCOMPARE(int(b.stored(1).remarkIndex(march, 0)), 0);

    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), int(IDOK));
    b.key(Qt::Key_Return);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(b.stored(1).remarkIndex(march, 0)), 3);
    QVERIFY(!run.store().isReportMissing(1, march, 0));
}

void ReportRemarksTest::tabLeavesEditorForOneEnter() {
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(Publisher("Anna", "Bakker")));
    CReportDlg& dlg = b.open(1);
    b.alt(Qt::Key_M);
    b.type("weg");
    b.key(Qt::Key_Tab);
    QVERIFY(!b.shown(res::IDC_REMARK_EDIT));
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    QCOMPARE(dlg.enterMode, int(CReportDlg::EnterRemarkClosing));
    QCOMPARE(tableText(run, dlg.remarkEntry), QString("weg"));
    b.key(Qt::Key_Return); // only back to normal entry
    QCOMPARE(dlg.enterMode, int(CReportDlg::EnterNormal));
    QCOMPARE(b.focusId(), res::IDC_PARTICIPATED);
    b.key(Qt::Key_Return);
    QCOMPARE(b.focusId(), int(IDOK));
    QVERIFY(dlg.isRunning());
}

void ReportRemarksTest::remarkEdits_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<int>("credit");

    QTest::newRow("longer than 36 is cut")
        << "1234567890abcdefghijklmnopqrstuvwxyzABCD"
        << "1234567890abcdefghijklmnopqrstuvwxyz" << true << 55 - 30;
    QTest::newRow("blanks only") << "   "
                                 << "12" << false << 0;
    QTest::newRow("empty") << ""
                           << "12" << false << 0;
    QTest::newRow("leading blank") << " 20"
                                   << "12" << false << 12;
    QTest::newRow("new credit with marker") << "20* extra"
                                            << "20* extra" << true << 20;
    QTest::newRow("percent kept") << "8 %d %s"
                                  << "8 %d %s" << true << 8;
}

void ReportRemarksTest::remarkEdits() {
    QFETCH(QString, typed);
    ReportBench b;
    Session& run = b.start(pioneer(30, 12, "12"));
    CReportDlg& dlg = b.open(1);
    QCOMPARE(dlg.remarkEntry, 2);
    typeRemark(b, typed);
    b.key(Qt::Key_Return);
    QVERIFY(!b.shown(res::IDC_REMARK_EDIT));
    QTEST(tableText(run, 2), "stored");
    QFETCH(bool, linked);
    QCOMPARE(int(dlg.workRecord.remarkIndex(march, 0)), linked ? 2 : 0);
    QTEST(int(dlg.creditValue), "credit");
    QFETCH(int, credit);
    QCOMPARE(b.text(res::IDC_CREDIT_TEXT),
             credit ? QString("( + %1 Uren )").arg(credit) : QString());
    // The record in the store changes only at commit.
    QCOMPARE(int(b.stored(1).remarkIndex(march, 0)), 2);
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(b.stored(1).remarkIndex(march, 0)), linked ? 2 : 0);
    QCOMPARE(int(b.stored(1).creditHours(march, 0)), credit);
}

void ReportRemarksTest::builtRemarkIsStored() {
    ReportBench b;
    Session& run = b.start(pioneer(30, 12, ""));
    CReportDlg& dlg = b.open(1);
    b.alt(Qt::Key_M);
    QCOMPARE(b.text(res::IDC_REMARK_EDIT), QString("12 +Uren"));
    b.key(Qt::Key_Return);
    QCOMPARE(tableText(run, dlg.remarkEntry), QString("12 +Uren"));
    QCOMPARE(int(dlg.workRecord.remarkIndex(march, 0)), dlg.remarkEntry);
    QCOMPARE(int(dlg.workRecord.creditHours(march, 0)), 12);
}

namespace {} // namespace

void ReportRemarksTest::fullTableKeepsExistingRemark() {
    ReportBench b;
    Session& run = b.start(fullRemarkTable());
    QCOMPARE(int(run.store().remarkCount), 254);
    CReportDlg& dlg = b.open(1);
    QVERIFY(b.script.takeMessageTexts().isEmpty());
    QCOMPARE(dlg.remarkText, QString("oud"));
    typeRemark(b, "nieuw");
    b.key(Qt::Key_Return);
    QCOMPARE(tableText(run, 254), QString("nieuw"));
    QCOMPARE(int(dlg.workRecord.remarkIndex(march, 0)), 254);
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    QCOMPARE(int(b.stored(1).remarkIndex(march, 0)), 254);
    QCOMPARE(int(run.store().remarkCount), 254);
}

void ReportRemarksTest::fullTableRefusesNewRemark() {
    ReportBench b;
    Session& run = b.start(fullRemarkTable());
    CReportDlg& dlg = b.open(2);
    QCOMPARE(b.script.takeMessageTexts(), QStringList{"Onvoldoende plaats"});
    QCOMPARE(dlg.remarkEntry, 0);
    typeRemark(b, "geen plaats");
    b.key(Qt::Key_Return);
    QCOMPARE(int(dlg.workRecord.remarkIndex(march, 0)), 0);
    QCOMPARE(tableText(run, 254), QString("oud"));
    QTest::mouseClick(b.control(IDOK), Qt::LeftButton);
    QVERIFY(!dlg.isRunning());
    QCOMPARE(int(b.stored(2).remarkIndex(march, 0)), 0);
    QCOMPARE(int(run.store().remarkCount), 254);
}

void ReportRemarksTest::characterOutsideCodePage_data() {
    QTest::addColumn<int>("leaveKey");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Tab") << int(Qt::Key_Tab);
}

void ReportRemarksTest::characterOutsideCodePage() {
    QFETCH(int, leaveKey);
    ReportBench b;
    Session& run = b.start(Group().month(march).publisher(Publisher("Anna", "Bakker")));
    CReportDlg& dlg = b.open(1);
    // The box comes up as a window: it takes the focus the editor has given up.
    b.script.showBoxesAsWindows();
    typeRemark(b, QString::fromUtf8("Łódka €5"));
    b.key(Qt::Key(leaveKey));
    QCOMPARE(b.script.takeMessageTexts(),
             QStringList{QString::fromUtf8("Het teken \"Ł\" kan niet in een opmerking worden "
                                           "opgeslagen.")});
    // Nothing stored, the editor open again with the character selected.
    QVERIFY(b.shown(res::IDC_REMARK_EDIT));
    QTRY_COMPARE(b.focusId(), res::IDC_REMARK_EDIT);
    QCOMPARE(dlg.enterMode, int(CReportDlg::EnterRemark));
    auto* editor = qobject_cast<QLineEdit*>(b.control(res::IDC_REMARK_EDIT));
    QCOMPARE(editor->text(), QString::fromUtf8("Łódka €5"));
    QCOMPARE(editor->selectedText(), QString::fromUtf8("Ł"));
    QCOMPARE(tableText(run, dlg.remarkEntry), QString());
    QVERIFY(dlg.isRunning());

    // Typed over, the remark is stored in Windows-1252.
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, "L", Qt::NoModifier);
    b.key(Qt::Key_Return);
    QVERIFY(!b.shown(res::IDC_REMARK_EDIT));
    const std::string expected = "L\xF3"
                                 "dka \x80"
                                 "5";
    QCOMPARE(run.store().remark(unsigned(dlg.remarkEntry)).text(), expected);
    QCOMPARE(dlg.enterMode, int(CReportDlg::EnterNormal));
    QVERIFY(b.script.unexpected().isEmpty());
}

void ReportRemarksTest::cancelKeepsOnlyTheRemarkTable() {
    ReportBench b;
    Session& run = b.start(pioneer(30, 12, "12"));
    const PublisherRecord before = b.stored(1);
    CReportDlg& dlg = b.open(1);
    typeRemark(b, "");
    b.key(Qt::Key_Return);
    typeRemark(b, "");
    b.key(Qt::Key_Tab);
    QCOMPARE(int(dlg.workRecord.remarkIndex(march, 0)), 0);
    b.key(Qt::Key_Escape);
    QVERIFY(!dlg.isRunning());
    QVERIFY(b.stored(1).bytes == before.bytes);
    QCOMPARE(tableText(run, 2), QString("12"));

    CReportDlg& again = b.open(1);
    typeRemark(b, "15");
    b.key(Qt::Key_Return);
    b.key(Qt::Key_Escape);
    QVERIFY(!again.isRunning());
    QVERIFY(b.stored(1).bytes == before.bytes);
    QCOMPARE(tableText(run, 2), QString("15"));
}

// Alt+letter while the editor is open: Alt+M returns to the editor with the
// text as typed, a letter whose button is hidden (Alt+C) or that no button
// has types nothing, in the remark editor as in a count field.
void ReportRemarksTest::mnemonicsKeepTheTypedRemark() {
    ReportBench b;
    Session& run = b.start(pioneer(30, 0, "oud"));
    CReportDlg& dlg = b.open(1);
    typeRemark(b, "nieuw");
    auto* editor = qobject_cast<QLineEdit*>(b.control(res::IDC_REMARK_EDIT));
    for (Qt::Key k : {Qt::Key_M, Qt::Key_C, Qt::Key_X, Qt::Key_5}) {
        b.alt(k);
        QCOMPARE(editor->text(), QString("nieuw"));
        QVERIFY(b.shown(res::IDC_REMARK_EDIT));
        QCOMPARE(b.focusId(), res::IDC_REMARK_EDIT);
        QVERIFY(!b.shown(res::IDC_MONTH_LIST));
    }
    b.key(Qt::Key_Return);
    QCOMPARE(tableText(run, dlg.remarkEntry), QString("nieuw"));

    b.report->GetDlgItem(res::IDC_HOURS)->SetFocus();
    b.alt(Qt::Key_7);
    b.alt(Qt::Key_X);
    QCOMPARE(b.text(res::IDC_HOURS), QString("30"));
    QVERIFY(b.script.unexpected().isEmpty());
}

QTEST_MAIN(ReportRemarksTest)
#include "test_report_remarks.moc"
