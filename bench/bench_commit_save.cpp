// The time from Enter on the report dialog's commit to the publisher list being
// ready again, on the largest group (127 publishers, 254 remarks): with the save
// that follows every commit, against the same commit without it (the list's file
// is then not one the window writes). Both are measured in one run, alternating,
// and the medians and their ratio printed.
#include "fixtures/group_fixture.h"
#include "mainwin/group_app.h"
#include "mainwin/main_dlg.h"
#include "res/resource.h"
#include "support/private_home.h"
#include "support/scripted_interaction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(2, atoi(argv[1])) : 200;

    QTemporaryDir dir;
    PrivateHome home(dir.path());
    ScriptedInteraction script;
    theApp.m_pszProfileName = dir.filePath("dravo.ini");
    const QString groupFile = dir.filePath("Groep.k09");
    fixture::writeGroupFile(toStorePath(groupFile), fixture::largestGroup());
    theApp.m_lpCmdLine = groupFile;

    CMainDlg main;
    if (!main.Create())
        qFatal("main dialog cannot be created");
    main.window()->activateWindow();
    auto* list = qobject_cast<QListWidget*>(main.GetDlgItem(res::IDC_PUBLISHER_LIST)->widget());
    const std::string savedPath = main.loadedPath;
    const std::string unsavedPath = toStorePath(dir.filePath("Groep.niet"));

    std::vector<double> withSave, withoutSave;
    QElapsedTimer clock;
    for (int round = 0; round < rounds; ++round) {
        const bool save = round % 2 == 0;
        main.loadedPath = save ? savedPath : unsavedPath;
        list->setCurrentRow(round % list->count());
        script.driveNextDialog([&](platform::CDialog& report) {
            report.window()->activateWindow();
            if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == report.window(); }))
                qFatal("report dialog did not become active");
            // Enter on OK stores the report as shown, whatever the publisher's fields.
            report.GetDlgItem(platform::IDOK)->SetFocus();
            clock.start();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        (save ? withSave : withoutSave).push_back(ms);
    }
    main.loadedPath = savedPath;
    if (!script.unexpected().isEmpty())
        qFatal("unexpected prompt: %s", qPrintable(script.unexpected().join(", ")));

    const double saved = median(withSave);
    const double unsaved = median(withoutSave);
    std::printf("commit to list ready, largest group, %d commits each:\n", rounds / 2);
    std::printf("  with the save     median %.2f ms\n", saved);
    std::printf("  without the save  median %.2f ms\n", unsaved);
    std::printf("  ratio             %.2f\n", saved / unsaved);
    return 0;
}
