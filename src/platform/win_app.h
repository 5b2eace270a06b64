#pragma once
// The application object: command line, settings file, main window and the
// printer selection kept for the run.

#include <QIcon>
#include <QString>

#include <memory>

class QPrinter;

namespace platform {

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program: sets up the toolkit, takes the command line and calls InitInstance.
    int run(int& argc, char** argv);
    virtual bool InitInstance();

    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue = QString()) const;
    bool WriteProfileString(const QString& section, const QString& entry, const QString& value);
    QIcon LoadIcon(int id) const;

    // The printer every print job of the run uses, once chosen or defaulted.
    QPrinter& printer();
    bool hasPrinterSelection() const { return printerChosen; }
    void markPrinterChosen() { printerChosen = true; }
    // The print-setup command: lets the user choose the printer for the run.
    void OnFilePrintSetup();

    QString m_pszProfileName; // path of the settings file
    QString m_lpCmdLine;      // the arguments after the program's name
    CWnd* m_pMainWnd = nullptr;

private:
    std::unique_ptr<QPrinter> printerSelection;
    bool printerChosen = false;
};

CWinApp* AfxGetApp();

// Puts the toolkit's own texts (standard buttons, file and print dialogs) in
// Dutch; false when the translation is not installed, which leaves them in English.
bool installToolkitTranslation();

// Whether a window can be opened at all. Without a display the toolkit ends
// the program with abort() as soon as the application object is created, so
// this is asked first.
bool canOpenDisplay();
// The one line said when no window can be opened.
QString noDisplayMessage(const QString& programName);

} // namespace platform
