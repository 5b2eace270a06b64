#pragma once
// The application object: points the settings at the program's INI file and
// runs the main dialog for the whole run.

#include "platform/win_app.h"

#include <QString>

class CGroupApp : public platform::CWinApp {
public:
    bool InitInstance() override;

    // Where the settings live: an INI file beside the program when one exists
    // and can be written (portable use), else the user's configuration folder.
    static QString settingsFilePath();
    // The same for a given program file and configuration folder.
    static QString settingsFilePath(const QString& programFile, const QString& configFolder);
};

extern CGroupApp theApp;
