#pragma once
// Opens the report dialog over a running main dialog that has loaded a group
// file built for the test, and types into it the way a user does: every key
// goes to the control that has the keyboard focus.

#include "fixtures/group_fixture.h"
#include "mainwin/group_app.h"
#include "mainwin/main_dlg.h"
#include "report/report_dlg.h"
#include "res/resource.h"
#include "support/private_home.h"
#include "support/scripted_interaction.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <memory>
#include <vector>

namespace bench {

using groupdata::PublisherRecord;

// 10 April 2024: the reports of March, in year slot 0 (unless the file's
// month says otherwise, the load takes the month from the file).
inline std::tm testDay() {
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 3;
    t.tm_mday = 10;
    t.tm_hour = 12;
    return t;
}

class ReportBench {
public:
    ReportBench() {
        theApp.m_pszProfileName = dir.filePath("dravo.ini");
        theApp.m_lpCmdLine.clear();
    }
    ~ReportBench() {
        report.reset();
        main.reset();
        theApp.m_lpCmdLine.clear();
    }

    // Starts the main dialog on a group file written from group.
    CMainDlg& start(const fixture::Group& group) {
        groupPath = dir.filePath("Groep.k09");
        fixture::writeGroupFile(toStorePath(groupPath), group);
        theApp.m_lpCmdLine = groupPath;
        main = std::make_unique<CMainDlg>();
        main->localTime = [] { return testDay(); };
        if (!main->Create())
            qFatal("main dialog cannot be created");
        activate(main->window());
        return *main;
    }

    // Opens the report dialog of publisher number over the main dialog.
    CReportDlg& open(int publisher) {
        report = std::make_unique<CReportDlg>();
        report->publisherNumber = publisher;
        if (!report->Create(main.get()))
            qFatal("report dialog cannot be created");
        activate(report->window());
        return *report;
    }

    static void activate(QWidget* window) {
        // A dialog over its owner counts as active with it; the keys need it to
        // be the active window itself.
        window->activateWindow();
        if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
            qWarning("window did not become active");
    }

    // The control with the keyboard focus in the report dialog, as its id.
    int focusId() const {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused->property("ctrlId").toInt() : 0;
    }

    QWidget* focused() const {
        QWidget* w = QApplication::focusWidget();
        if (!w)
            qFatal("no widget has the focus");
        return w;
    }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focused(), k, modifiers);
    }
    void type(const QString& text) { QTest::keyClicks(focused(), text); }
    // Alt and a letter: the mnemonic of a button.
    void alt(Qt::Key k) {
        QTest::keyClick(focused(), k, Qt::AltModifier);
        // The button is pressed visibly before it clicks.
        QTest::qWait(150);
    }

    QWidget* control(int id) const { return report->GetDlgItem(id)->widget(); }
    QString text(int id) const { return report->GetDlgItemText(id); }
    bool shown(int id) const { return report->GetDlgItem(id)->IsWindowVisible(); }
    bool ticked(int id) const { return report->IsDlgButtonChecked(id) == platform::BST_CHECKED; }
    // Replaces the text of a count field as a user does: select all, type.
    void retype(int id, const QString& value) {
        report->GetDlgItem(id)->SetFocus();
        QTest::keyClick(control(id), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(control(id), Qt::Key_Backspace);
        QTest::keyClicks(control(id), value);
    }

    PublisherRecord stored(int publisher) const { return main->publisher(unsigned(publisher)); }

    QTemporaryDir dir;
    PrivateHome home{dir.path()};
    ScriptedInteraction script;
    QString groupPath;
    std::unique_ptr<CMainDlg> main;
    std::unique_ptr<CReportDlg> report;
};

// The cell of the main dialog's report month in slot 0.
constexpr unsigned march = 2;

} // namespace bench
