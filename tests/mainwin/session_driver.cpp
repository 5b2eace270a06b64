// The real program, run on a group file with its real start-up, exit sequence
// and session handling, with a user who stores reports by keyboard: publisher
// k of the list gets a report with k Bible studies (k up to 63). After each
// stored report it prints "committed k". Then it either closes the window
// with Esc ("exit") or prints "ready" and waits to be ended from outside
// ("wait"). At its end it prints each message shown, as "message TEXT". The
// session tests start it, kill it or end its session.
//
//   session_driver COMMITS exit|wait GROUP.k09

#include "mainwin/group_app.h"
#include "mainwin/main_dlg.h"
#include "platform/dialog.h"
#include "res/resource.h"
#include "support/scripted_interaction.h"

#include <QApplication>
#include <QListWidget>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void activate(QWidget* window) {
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000))
        qWarning("window did not become active");
}

QWidget* focused() {
    QWidget* w = QApplication::focusWidget();
    if (!w)
        qFatal("no widget has the focus");
    return w;
}

// Space ticks "took part", Enter goes on to the studies, the number, Enter stores.
void storeReport(platform::CDialog& report, int studies) {
    activate(report.window());
    QTest::keyClick(focused(), Qt::Key_Space);
    QTest::keyClick(focused(), Qt::Key_Return);
    QTest::keyClicks(focused(), QString::number(studies));
    QTest::keyClick(focused(), Qt::Key_Return);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[2], "exit") != 0 && std::strcmp(argv[2], "wait") != 0)) {
        std::fprintf(stderr, "usage: session_driver COMMITS exit|wait GROUP.k09\n");
        return 2;
    }
    const int commits = std::stoi(argv[1]);
    const bool exitAfter = std::strcmp(argv[2], "exit") == 0;

    ScriptedInteraction script;
    script.driveNextDialog([&](platform::CDialog& main) {
        activate(main.window());
        auto* list = qobject_cast<QListWidget*>(main.GetDlgItem(res::IDC_PUBLISHER_LIST)->widget());
        for (int k = 1; k <= commits && k <= list->count(); ++k) {
            list->setFocus();
            if (k > 1)
                QTest::keyClick(list, Qt::Key_Down);
            script.driveNextDialog([k](platform::CDialog& report) { storeReport(report, k); });
            QTest::keyClick(list, Qt::Key_Return);
            std::printf("committed %d\n", k);
            std::fflush(stdout);
        }
        if (exitAfter) {
            QTest::keyClick(list, Qt::Key_Escape);
            return;
        }
        std::printf("ready\n");
        std::fflush(stdout);
        // Until the session ends from outside, which ends every loop.
        QEventLoop waiting;
        waiting.exec();
        if (static_cast<CMainDlg&>(main).exitDone())
            main.EndDialog(platform::IDCANCEL);
    });

    char* arguments[] = {argv[0], argv[3], nullptr};
    int count = 2;
    const int status = theApp.run(count, arguments);
    for (const platform::MessageBoxRequest& box : script.messageBoxes())
        std::printf("message %s\n", qPrintable(QString(box.text).replace('\n', ' ')));
    for (const QString& surprise : script.unexpected())
        std::fprintf(stderr, "unexpected: %s\n", qPrintable(surprise));
    return status;
}
