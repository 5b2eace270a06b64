#include "mainwin/group_app.h"

#include "mainwin/main_dlg.h"
#include "platform/session_end.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

CGroupApp theApp;

QString CGroupApp::settingsFilePath(const QString& programFile, const QString& configFolder) {
    // A program file on this system has no extension: the settings file is
    // named after the whole file name.
    const QFileInfo program(programFile);
    const QString name = program.fileName() + ".ini";
    const QFileInfo beside(program.absoluteDir().filePath(name));
    if (beside.isFile() && beside.isWritable())
        return beside.absoluteFilePath();
    return QDir(configFolder).filePath(name);
}

QString CGroupApp::settingsFilePath() {
    return settingsFilePath(
        QCoreApplication::applicationFilePath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

bool CGroupApp::InitInstance() {
    m_pszProfileName = settingsFilePath();
    // The settings are written at exit only; a configuration folder that does
    // not exist yet would make that write fail.
    QDir().mkpath(QFileInfo(m_pszProfileName).absolutePath());

    CMainDlg dlg;
    m_pMainWnd = &dlg;
    // A run ended by a signal, a logout or a lost display goes through the
    // exit sequence all the same, without asking anything.
    const platform::SessionEndWatch sessionEnd([&dlg] { dlg.endSessionUnattended(); });
    // Start-up measurements end the run once the window is shown and filled,
    // without the exit sequence, so nothing is written.
    if (qEnvironmentVariableIsSet("DRAVO_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, [&dlg] { dlg.EndDialog(platform::IDCANCEL); });
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
