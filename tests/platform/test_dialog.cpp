// The dialog layer: keyboard, notifications and controls, on the report
// template with a dialog class of the test's own.

#include "platform/dialog.h"
#include "platform/message_box.h"
#include "res/resource.h"
#include "support/scripted_interaction.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace platform;

namespace {

// Accepts digits only, as a number field would.
class DigitEdit : public CEdit {
protected:
    void OnChar(unsigned ch) override {
        if (ch >= '0' && ch <= '9')
            Default();
    }
};

class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(res::IDD_REPORT) {}
    QStringList events;
    DigitEdit digits;

    bool OnInitDialog() override {
        digits.SubclassDlgItem(res::IDC_HOURS, this);
        listBox(res::IDC_MONTH_LIST)->AddString("b");
        listBox(res::IDC_MONTH_LIST)->AddString("a");
        return true;
    }
    void OnOK() override { events << "OK"; }
    void OnCancel() override {
        events << "Cancel";
        CDialog::OnCancel();
    }
    void OnRemarks() { events << "Remarks"; }
    void OnStudiesKillFocus() { events << "StudiesKillFocus"; }
    void OnMonthSelChange() { events << "SelChange"; }
    void OnMonthDblClk() { events << "DblClk"; }
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map{
            ON_BN_CLICKED(res::IDC_REMARKS, &ProbeDialog::OnRemarks),
            ON_EN_KILLFOCUS(res::IDC_STUDIES, &ProbeDialog::OnStudiesKillFocus),
            ON_LBN_SELCHANGE(res::IDC_MONTH_LIST, &ProbeDialog::OnMonthSelChange),
            ON_LBN_DBLCLK(res::IDC_MONTH_LIST, &ProbeDialog::OnMonthDblClk),
        };
        return map;
    }
    QWidget* control(int id) { return GetDlgItem(id)->widget(); }
};

} // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dialog = std::make_unique<ProbeDialog>();
        QVERIFY(dialog->Create());
        dialog->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog->window()));
    }
    void cleanup() { dialog.reset(); }

    void tabSkipsHiddenAndDisabledControls() {
        // Only the participated box, the hours field and OK are reachable.
        for (int id :
             {res::IDC_PLACEMENTS, res::IDC_VIDEOS, res::IDC_RETURN_VISITS, res::IDC_STUDIES,
              int(IDCANCEL), res::IDC_MONTH_LIST, res::IDC_CHANGE_MONTH, res::IDC_MONTH_LIST_OK,
              res::IDC_REMARKS, res::IDC_REMARK_EDIT, res::IDC_UNDER_ONE_HOUR})
            dialog->GetDlgItem(id)->ShowWindow(SW_HIDE);
        dialog->GetDlgItem(IDOK)->EnableWindow(false);
        dialog->GetDlgItem(IDCANCEL)->ShowWindow(SW_SHOW);
        dialog->GetDlgItem(res::IDC_PARTICIPATED)->SetFocus();
        QTest::keyClick(dialog->window()->focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog->GetFocus()->GetDlgCtrlID(), res::IDC_HOURS);
        QTest::keyClick(dialog->window()->focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog->GetFocus()->GetDlgCtrlID(), IDCANCEL);
        dialog->PrevDlgCtrl();
        QCOMPARE(dialog->GetFocus()->GetDlgCtrlID(), res::IDC_HOURS);
    }

    void enterAndEscapeReachTheirCommands_data() {
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("event");
        QTest::newRow("enter in a field") << int(res::IDC_HOURS) << int(Qt::Key_Return) << "OK";
        QTest::newRow("keypad enter") << int(res::IDC_HOURS) << int(Qt::Key_Enter) << "OK";
        QTest::newRow("enter in a list") << int(res::IDC_MONTH_LIST) << int(Qt::Key_Return) << "OK";
        QTest::newRow("enter on a check box")
            << int(res::IDC_PARTICIPATED) << int(Qt::Key_Return) << "OK";
        QTest::newRow("enter on another button presses it")
            << int(res::IDC_REMARKS) << int(Qt::Key_Return) << "Remarks";
        QTest::newRow("escape") << int(res::IDC_HOURS) << int(Qt::Key_Escape) << "Cancel";
    }
    void enterAndEscapeReachTheirCommands() {
        QFETCH(int, focus);
        QFETCH(int, key);
        QFETCH(QString, event);
        dialog->GetDlgItem(focus)->SetFocus();
        QTest::keyClick(dialog->control(focus), Qt::Key(key));
        QCOMPARE(dialog->events, QStringList{event});
    }

    void closeBoxCancels() {
        dialog->window()->close();
        QCOMPARE(dialog->events, QStringList{"Cancel"});
        QVERIFY(!dialog->isRunning());
    }

    void mnemonicClicksTheButton() {
        dialog->GetDlgItem(res::IDC_HOURS)->SetFocus();
        QTest::keyClick(dialog->control(res::IDC_HOURS), Qt::Key_M, Qt::AltModifier);
        // The button presses itself visibly, a moment later; the field types nothing.
        QTRY_COMPARE(dialog->events, QStringList{"Remarks"});
        QCOMPARE(dialog->GetDlgItemText(res::IDC_HOURS), QString());
    }

    void killFocusReachesItsHandler() {
        dialog->GetDlgItem(res::IDC_STUDIES)->SetFocus();
        QVERIFY(dialog->events.isEmpty());
        dialog->GetDlgItem(res::IDC_HOURS)->SetFocus();
        QCOMPARE(dialog->events, QStringList{"StudiesKillFocus"});
    }

    void listNotifiesUserChangesOnly() {
        CListBox* list = dialog->listBox(res::IDC_MONTH_LIST);
        list->SetCurSel(1);
        QVERIFY(dialog->events.isEmpty());
        list->SetFocus();
        QTest::keyClick(list->widget(), Qt::Key_Up);
        QCOMPARE(list->GetCurSel(), 0);
        QCOMPARE(dialog->events, QStringList{"SelChange"});
        auto* view = qobject_cast<QListWidget*>(list->widget());
        const QPoint line = view->visualItemRect(view->item(0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, line);
        QVERIFY(dialog->events.contains("DblClk"));
    }

    void listKeepsItemDataAndSortsAddedLines() {
        // The month list has no sort style: lines stay in the order added.
        CListBox* months = dialog->listBox(res::IDC_MONTH_LIST);
        QCOMPARE(months->GetText(0), QString("b"));
        months->SetItemData(1, 42);
        months->InsertString(0, "c");
        QCOMPARE(months->GetItemData(2), std::uintptr_t(42));
        QCOMPARE(months->GetCount(), 3);
        QCOMPARE(months->DeleteString(0), 2);
        QCOMPARE(months->GetCurSel(), LB_ERR);
    }

    void subclassedControlSeesTypedCharacters() {
        dialog->digits.SetFocus();
        QTest::keyClicks(dialog->digits.widget(), "1a2 b3");
        QCOMPARE(dialog->digits.GetWindowText(), QString("123"));
        // Keys without a character (Backspace) still reach the field.
        QTest::keyClick(dialog->digits.widget(), Qt::Key_Backspace);
        QCOMPARE(dialog->digits.GetWindowText(), QString("12"));
    }

    void messageBoxCarriesTheProgramNameAndAnIcon() {
        ScriptedInteraction script;
        script.answerMessageBox(IDNO);
        QCOMPARE(AfxMessageBox("Doorgaan?", MB_YESNO), int(IDNO));
        AfxMessageBox(QString("Klaar"), MB_OK | MB_ICONINFORMATION);
        QCOMPARE(script.messageBoxes().size(), size_t(2));
        const auto& question = script.messageBoxes()[0];
        QCOMPARE(question.caption, QString("test_platform_dialog"));
        QCOMPARE(question.type & MB_ICONMASK, unsigned(MB_ICONEXCLAMATION));
        QCOMPARE(script.messageBoxes()[1].type & MB_ICONMASK, unsigned(MB_ICONINFORMATION));
        QVERIFY(script.unexpected().isEmpty());
    }

    void formatReplacesPlaceholdersOnce() {
        QCOMPARE(formatMessage("%1 en %2 (%1)", "a%2", "b"), QString("a%2 en b (a%2)"));
        QCOMPARE(AfxFormatString1(1188, "Maart"), QString("Maart-bericht"));
    }

    void modalDialogIsDrivenByTheScript() {
        ScriptedInteraction script;
        ProbeDialog modal;
        script.driveNextDialog(
            [](CDialog& d) { QTest::keyClick(d.window()->focusWidget(), Qt::Key_Escape); });
        QCOMPARE(modal.DoModal(), int(IDCANCEL));
        QCOMPARE(modal.events, QStringList{"Cancel"});
        QVERIFY(script.unexpected().isEmpty());
        // The keyboard is back with the dialog that owned the modal one.
        QCOMPARE(modal.GetOwnerDialog(), dialog.get());
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog->window()));
    }

private:
    std::unique_ptr<ProbeDialog> dialog;
};

QTEST_MAIN(DialogTest)
#include "test_dialog.moc"
