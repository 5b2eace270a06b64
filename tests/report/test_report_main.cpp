// The report dialog opened from the main dialog's publisher list: Enter or a
// double-click opens it, a commit refreshes the list and the captions, and the
// exit writes exactly the entered report into the group file.
#include "mainwin/group_app.h"
#include "mainwin/main_dlg.h"
#include "report_bench.h"
#include "support/file_bytes.h"

#include <QFile>

using namespace bench;
using fixture::Cell;
using fixture::Group;
using fixture::Publisher;

namespace {

// The report bench with the main dialog started on its group file, so that the
// dialog opens from the publisher list as the user opens it.
class MainBench : public ReportBench {
public:
    MainBench() {
        theApp.m_pszProfileName = dir.filePath("dravo.ini");
        theApp.m_lpCmdLine.clear();
    }
    ~MainBench() {
        main.reset();
        theApp.m_lpCmdLine.clear();
    }

    CMainDlg& start(const fixture::Group& group) {
        groupPath = writeGroup(group);
        theApp.m_lpCmdLine = groupPath;
        main = std::make_unique<CMainDlg>();
        main->session.store().localTime = [] { return testDay(); };
        if (!main->Create())
            qFatal("main dialog cannot be created");
        activate(main->window());
        return *main;
    }

    std::unique_ptr<CMainDlg> main;
};

Publisher anna() {
    return Publisher("Anna", "Bakker");
}
Publisher bram() {
    return Publisher("Bram", "Smit").cell(Cell(march).participated().studies(1));
}
Publisher cor() {
    return Publisher("Cor", "Vries");
}

QListWidget* publisherList(CMainDlg& main) {
    return qobject_cast<QListWidget*>(main.GetDlgItem(res::IDC_PUBLISHER_LIST)->widget());
}

QStringList lines(CMainDlg& main) {
    QStringList result;
    for (int i = 0; i < publisherList(main)->count(); ++i)
        result << publisherList(main)->item(i)->text();
    return result;
}

} // namespace

class ReportMainTest : public QObject {
    Q_OBJECT
private slots:
    void enterOnListCommitsAndRefills();
    void doubleClickOpensWithoutFilter();
};

void ReportMainTest::enterOnListCommitsAndRefills() {
    MainBench b;
    CMainDlg& main = b.start(
        Group().month(march).number(3).publisher(anna()).publisher(bram()).publisher(cor()));
    QTest::mouseClick(main.GetDlgItem(res::IDC_FILTER_NO_REPORT)->widget(), Qt::LeftButton);
    QCOMPARE(lines(main), (QStringList{"Bakker, Anna", "Vries, Cor"}));
    publisherList(main)->setFocus();
    QCOMPARE(publisherList(main)->currentRow(), 0);

    QString title;
    b.script.driveNextDialog([&](platform::CDialog& d) {
        ReportBench::activate(d.window());
        title = d.window()->windowTitle();
        b.key(Qt::Key_Space);
        b.key(Qt::Key_Return);
        b.type("2");
        b.key(Qt::Key_Return);
    });
    QTest::keyClick(publisherList(main), Qt::Key_Return);
    QVERIFY2(b.script.unexpected().isEmpty(), qPrintable(b.script.unexpected().join('|')));
    QCOMPARE(title, QString("Anna Bakker"));

    // Anna has reported: she drops out of the list, the selection stays on line 0.
    QCOMPARE(lines(main), QStringList{"Vries, Cor"});
    QCOMPARE(publisherList(main)->currentRow(), 0);
    QCOMPARE(main.window()->focusWidget(), static_cast<QWidget*>(publisherList(main)));
    QCOMPARE(main.GetDlgItemText(res::IDC_LAST_ENTRY), QString("Anna Bakker"));
    QCOMPARE(main.GetDlgItemText(res::IDC_MISSING_COUNT),
             QString("Ontbrekende Maart Rapoporten = 1"));
    QCOMPARE(main.window()->windowTitle(), QString("Maart-bericht - Groep 3 "));

    // The exit writes the group back with that report, and the remark entry
    // the dialog reserved, and nothing else changed.
    main.OnCancel();
    const Group expected =
        Group()
            .month(march)
            .number(3)
            .remark("")
            .publisher(Publisher("Anna", "Bakker").cell(Cell(march).participated().studies(2)))
            .publisher(bram())
            .publisher(cor());
    const auto bytes = fixture::buildGroupFile(expected);
    QCOMPARE(fileBytes(b.groupPath),
             QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

void ReportMainTest::doubleClickOpensWithoutFilter() {
    MainBench b;
    CMainDlg& main = b.start(Group().month(march).publisher(anna()).publisher(bram()));
    QListWidget* list = publisherList(main);
    const QPoint bramLine = list->visualItemRect(list->item(1)).center();

    // Cancelled: nothing changes, the list keeps the focus.
    b.script.driveNextDialog([&](platform::CDialog& d) {
        ReportBench::activate(d.window());
        b.key(Qt::Key_Escape);
    });
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bramLine);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, bramLine);
    QVERIFY(b.script.unexpected().isEmpty());
    QCOMPARE(main.GetDlgItemText(res::IDC_LAST_ENTRY), QString());

    // Committed unchanged: Bram becomes the last entry, the list stays as it is.
    b.script.driveNextDialog([&](platform::CDialog& d) {
        ReportBench::activate(d.window());
        b.key(Qt::Key_Return);
        b.key(Qt::Key_Return);
    });
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, bramLine);
    QVERIFY2(b.script.unexpected().isEmpty(), qPrintable(b.script.unexpected().join('|')));
    QCOMPARE(lines(main), (QStringList{"Bakker, Anna", "Smit, Bram"}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(main.GetDlgItemText(res::IDC_LAST_ENTRY), QString("Bram Smit"));
    QVERIFY(main.GetDlgItemText(res::IDC_MISSING_COUNT).endsWith("= 1"));
    QCOMPARE(int(main.session.store().publisher(2).studies(march, 0)), 0x0801);
}

QTEST_MAIN(ReportMainTest)
#include "test_report_main.moc"
