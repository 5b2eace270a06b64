#pragma once
// Opens the report dialog over a session that has loaded a group file built
// for the test, and types into it the way a user does: every key goes to the
// control that has the keyboard focus.

#include "fixtures/group_fixture.h"
#include "platform/group_text.h"
#include "platform/res_string.h"
#include "platform/win_app.h"
#include "report/report_dlg.h"
#include "res/resource.h"
#include "session/session.h"
#include "session/store_message_boxes.h"
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
        session.store().localTime = [] { return testDay(); };
    }
    ~ReportBench() { report.reset(); }

    // Writes a group file from group and loads it into the session as a run
    // started on testDay does.
    Session& start(const fixture::Group& group) {
        groupPath = writeGroup(group);
        groupdata::GroupStore& store = session.store();
        store.languageName = ResString(res::IDS_LANGUAGE).toStdString();
        session.startReportPeriod();
        if (!store.loadGroupFile(toStorePath(groupPath)))
            qFatal("group file cannot be loaded");
        return session;
    }

    QString writeGroup(const fixture::Group& group) {
        const QString path = dir.filePath("Groep.k09");
        fixture::writeGroupFile(toStorePath(path), group);
        return path;
    }

    // Opens the report dialog of publisher number over the session.
    CReportDlg& open(int publisher) {
        report = std::make_unique<CReportDlg>(session, unsigned(publisher));
        if (!report->Create())
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

    PublisherRecord stored(int publisher) const {
        return session.store().publisher(unsigned(publisher));
    }

    QTemporaryDir dir;
    PrivateHome home{dir.path()};
    ScriptedInteraction script;
    StoreMessageBoxes messages;
    Session session{messages};
    QString groupPath;
    std::unique_ptr<CReportDlg> report;
};

// The cell of the session's report month in slot 0.
constexpr unsigned march = 2;

// A March list whose remark table is full: 253 remarks of others and one of
// the first publisher's; the second publisher has none.
inline fixture::Group fullRemarkTable() {
    fixture::Group g = fixture::Group().month(march);
    for (int i = 0; i < 253; ++i)
        g.remark("opmerking " + std::to_string(i));
    g.publisher(fixture::Publisher("Anna", "Bakker").cell(fixture::Cell(march).remark("oud")));
    g.publisher(fixture::Publisher("Bram", "Smit"));
    return g;
}

} // namespace bench
