// The sample group that the run command opens, and a picture of the main
// window showing it, written to the build folder for looking at the layout.

#include "main_window_harness.h"

#include "samples/sample_group.h"

#include <QPixmap>

class SampleWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sampleFileIsWhatTheGeneratorBuilds();
    void sampleShowsInTheMainWindow();
};

void SampleWindowTest::sampleFileIsWhatTheGeneratorBuilds() {
    const QString sample = qEnvironmentVariable("DRAVO_SOURCE_DIR") + "/samples/Groep.k09";
    QCOMPARE(harness::fileBytes(sample),
             harness::bytesOf(fixture::buildGroupFile(sample::sampleGroup())));
}

void SampleWindowTest::sampleShowsInTheMainWindow() {
    harness::MainWindow run;
    CMainDlg& dlg = run.startWith(run.writeGroup("Groep.k09", sample::sampleGroup()),
                                  harness::dateOf(2025, 4, 10));
    QCOMPARE(run.lines().mid(0, 3),
             (QStringList{"Jansen, Zoë", "Fernandes, José", "Dubois, Françoise"}));
    QCOMPARE(run.title(), QString("Maart-bericht - Groep 3 "));
    dlg.session.lastEntry = "Françoise Dubois";
    dlg.UpdateCaptions();
    run.clickLine(1);
    QCOMPARE(run.text(res::IDC_MAIL_REMINDER), QString("E-mail - jose.fernandes@example.nl"));

    const QPixmap picture = dlg.window()->grab();
    QCOMPARE(picture.size(), dlg.window()->size());
    const QString file = qEnvironmentVariable("DRAVO_BINARY_DIR", ".") + "/main_window.png";
    QVERIFY2(picture.save(file), qPrintable(file));
}

QTEST_MAIN(SampleWindowTest)
#include "test_sample_window.moc"
