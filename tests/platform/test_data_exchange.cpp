// Moving numbers between members and fields, and refusing what does not fit.

#include "platform/data_exchange.h"
#include "platform/dialog.h"
#include "res/resource.h"
#include "support/scripted_interaction.h"

#include <QLineEdit>
#include <QtTest>

using namespace platform;

namespace {

class CountsDialog : public CDialog {
public:
    CountsDialog() : CDialog(res::IDD_REPORT) {}
    unsigned videos = 0;
    unsigned studies = 0;
    int participated = 0;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, res::IDC_VIDEOS, videos);
        DDV_MinMaxUInt(pDX, videos, 0, 4095);
        DDX_Text(pDX, res::IDC_STUDIES, studies);
        DDV_MinMaxUInt(pDX, studies, 0, 63);
        DDX_Check(pDX, res::IDC_PARTICIPATED, participated);
    }
};

} // namespace

class DataExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void valuesReachTheFieldsAndComeBack() {
        CountsDialog dialog;
        dialog.videos = 12;
        dialog.participated = 1;
        QVERIFY(dialog.Create());
        QCOMPARE(dialog.GetDlgItemText(res::IDC_VIDEOS), QString("12"));
        QCOMPARE(dialog.IsDlgButtonChecked(res::IDC_PARTICIPATED), int(BST_CHECKED));
        dialog.SetDlgItemText(res::IDC_STUDIES, " 7 ");
        dialog.CheckDlgButton(res::IDC_PARTICIPATED, BST_UNCHECKED);
        QVERIFY(dialog.UpdateData(true));
        QCOMPARE(dialog.studies, 7u);
        QCOMPARE(dialog.participated, 0);
    }

    void badFieldsAreRefused_data() {
        QTest::addColumn<QString>("videos");
        QTest::addColumn<QString>("studies");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("failingField");
        const QString positive = "Please enter a positive integer.";
        QTest::newRow("empty") << ""
                               << "1" << positive << int(res::IDC_VIDEOS);
        QTest::newRow("letters") << "1a"
                                 << "1" << positive << int(res::IDC_VIDEOS);
        QTest::newRow("negative") << "-3"
                                  << "1" << positive << int(res::IDC_VIDEOS);
        QTest::newRow("too long for 32 bits") << "99999999999"
                                              << "1" << positive << int(res::IDC_VIDEOS);
        QTest::newRow("above the limit")
            << "4096"
            << "1"
            << "Please enter an integer between 0 and 4095." << int(res::IDC_VIDEOS);
        QTest::newRow("second field")
            << "4095"
            << "64"
            << "Please enter an integer between 0 and 63." << int(res::IDC_STUDIES);
    }
    void badFieldsAreRefused() {
        QFETCH(QString, videos);
        QFETCH(QString, studies);
        QFETCH(QString, message);
        QFETCH(int, failingField);
        ScriptedInteraction script;
        CountsDialog dialog;
        QVERIFY(dialog.Create());
        QVERIFY(QTest::qWaitForWindowExposed(dialog.window()));
        dialog.window()->activateWindow();
        dialog.SetDlgItemText(res::IDC_VIDEOS, videos);
        dialog.SetDlgItemText(res::IDC_STUDIES, studies);
        dialog.CheckDlgButton(res::IDC_PARTICIPATED, BST_CHECKED);

        QVERIFY(!dialog.UpdateData(true));
        // One message, the exchange stopped there, focus and selection on the field.
        QCOMPARE(script.takeMessageTexts(), QStringList{message});
        QCOMPARE(dialog.participated, 0);
        auto* field = qobject_cast<QLineEdit*>(dialog.GetDlgItem(failingField)->widget());
        QCOMPARE(dialog.GetFocus()->GetDlgCtrlID(), failingField);
        QCOMPARE(field->selectedText(), field->text());
    }
};

QTEST_MAIN(DataExchangeTest)
#include "test_data_exchange.moc"
