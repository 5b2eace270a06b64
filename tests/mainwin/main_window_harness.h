#pragma once
// Runs the main dialog the way the program does, on group files and a settings
// file in a temporary folder, with a fixed date and scripted answers.

#include "fixtures/group_fixture.h"
#include "mainwin/group_app.h"
#include "mainwin/main_dlg.h"
#include "res/resource.h"
#include "support/file_bytes.h"
#include "support/private_home.h"
#include "support/scripted_interaction.h"

#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <memory>
#include <vector>

namespace harness {

// Noon of a calendar day; month 1 is January.
inline std::tm dateOf(int year, int month, int day) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = 12;
    return t;
}

using ::fileBytes;

// Empty when the two are equal; else where and how they first differ.
inline QString firstDifference(const QByteArray& actual, const QByteArray& expected) {
    if (actual == expected)
        return QString();
    qsizetype i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return QString("sizes %1 and %2, first difference at byte %3: %4 against %5")
        .arg(actual.size())
        .arg(expected.size())
        .arg(i)
        .arg(QString(actual.mid(i, 8).toHex()), QString(expected.mid(i, 8).toHex()));
}

inline QByteArray bytesOf(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

class MainWindow {
public:
    MainWindow() {
        settingsPath = dir.filePath("dravo.ini");
        theApp.m_pszProfileName = settingsPath;
        theApp.m_lpCmdLine.clear();
        startFolder = QDir::currentPath();
    }
    ~MainWindow() {
        dlg.reset();
        theApp.m_lpCmdLine.clear();
        QDir::setCurrent(startFolder);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeGroup(const QString& name, const fixture::Group& group) {
        const QString file = path(name);
        fixture::writeGroupFile(toStorePath(file), group);
        return file;
    }

    void writeSettings(const QString& loadPath, const QString& post) {
        theApp.WriteProfileString("Last", "LoadPath", loadPath);
        theApp.WriteProfileString("Last", "Post", post);
    }

    // Creates the main dialog on the given day, shown and active.
    CMainDlg& start(const std::tm& today = dateOf(2025, 4, 10)) {
        dlg = std::make_unique<CMainDlg>();
        dlg->session.store().localTime = [today] { return today; };
        if (!dlg->Create())
            qFatal("main dialog cannot be created");
        dlg->window()->activateWindow();
        if (!QTest::qWaitForWindowActive(dlg->window()))
            qWarning("main window did not become active");
        return *dlg;
    }

    // Starts with the group file given on the command line.
    CMainDlg& startWith(const QString& groupFile, const std::tm& today = dateOf(2025, 4, 10)) {
        theApp.m_lpCmdLine = groupFile;
        return start(today);
    }

    QWidget* control(int id) const { return dlg->GetDlgItem(id)->widget(); }
    QListWidget* list() const {
        return qobject_cast<QListWidget*>(control(res::IDC_PUBLISHER_LIST));
    }
    QString text(int id) const { return dlg->GetDlgItem(id)->GetWindowText(); }
    bool shown(int id) const { return dlg->GetDlgItem(id)->IsWindowVisible(); }
    QString title() const { return dlg->window()->windowTitle(); }

    QStringList lines() const {
        QStringList result;
        for (int i = 0; i < list()->count(); ++i)
            result << list()->item(i)->text();
        return result;
    }

    // Clicks line index of the publisher list as a user does.
    void clickLine(int index) {
        QListWidget* l = list();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(index)).center());
    }

    // The control that has the focus in the main window once it is active
    // again; the test platform does not reactivate it when a modal window closes.
    QWidget* focusAfterModal() const { return dlg->window()->focusWidget(); }

    void click(int id) { QTest::mouseClick(control(id), Qt::LeftButton); }

    QTemporaryDir dir;
    PrivateHome home{dir.path()};
    ScriptedInteraction script;
    QString settingsPath;
    QString startFolder;
    std::unique_ptr<CMainDlg> dlg;
};

// Once the window menu is open, records its entries ("-" for a separator) and
// picks the entry that upPresses of the Up key reach from the top, by keyboard.
inline void chooseWindowMenuEntry(QStringList& entries, int upPresses) {
    QTimer::singleShot(0, [&entries, upPresses] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions())
            entries << (action->isSeparator() ? QString("-") : action->text());
        for (int i = 0; i < upPresses; ++i)
            QTest::keyClick(menu, Qt::Key_Up);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

} // namespace harness
