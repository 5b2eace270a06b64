#include "platform/win_app.h"

#include "platform/interaction.h"
#include "platform/private_profile.h"
#include "platform/resources.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPrinter>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace platform {
namespace {
CWinApp* theInstance = nullptr;
}

CWinApp::CWinApp() {
    theInstance = this;
}

CWinApp::~CWinApp() {
    if (theInstance == this)
        theInstance = nullptr;
}

CWinApp* AfxGetApp() {
    return theInstance;
}

bool installToolkitTranslation() {
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    if (app->findChild<QTranslator*>("toolkitTranslation"))
        return true;
    // The program speaks Dutch whatever the desktop's language, so the
    // toolkit's own buttons, file and print dialogs do too.
    auto* translator = new QTranslator(app);
    translator->setObjectName("toolkitTranslation");
    if (!translator->load("qtbase_nl", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

bool canOpenDisplay() {
    // A platform named by the user is taken as it stands (offscreen, a remote
    // display); otherwise the toolkit looks for Wayland or X11 by these.
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("DISPLAY");
}

namespace {

// What the toolkit says while it connects to the display. A display that is
// named but does not answer ends in a fatal message and abort(); the user gets
// one plain line and status 1 instead. Anything else said meanwhile is passed
// on once the connection stands.
QStringList startupMessages;
QtMessageHandler handlerBeforeStartup = nullptr;
QString startingProgram;

void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(noDisplayMessage(startingProgram)));
        std::_Exit(1);
    }
    startupMessages << qFormatLogMessage(type, context, text);
}

} // namespace

QString noDisplayMessage(const QString& programName) {
    return programName + ": cannot open the display; use --print-pdf for printing without one";
}

int CWinApp::run(int& argc, char** argv) {
    startingProgram = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    handlerBeforeStartup = qInstallMessageHandler(startupMessageHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(handlerBeforeStartup);
    for (const QString& message : std::exchange(startupMessages, {}))
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    installToolkitTranslation();
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    if (!arguments.isEmpty() && arguments.first() == "--")
        arguments.removeFirst(); // marks the end of the options, not a file
    m_lpCmdLine = arguments.join(' ');
    InitInstance();
    printerSelection.reset();
    return 0;
}

bool CWinApp::InitInstance() {
    return false;
}

QString CWinApp::GetProfileString(const QString& section, const QString& entry,
                                  const QString& defaultValue) const {
    return readProfileString(m_pszProfileName, section, entry, defaultValue);
}

bool CWinApp::WriteProfileString(const QString& section, const QString& entry,
                                 const QString& value) {
    return writeProfileString(m_pszProfileName, section, entry, value);
}

QIcon CWinApp::LoadIcon(int id) const {
    return loadResourceIcon(id);
}

QPrinter& CWinApp::printer() {
    if (!printerSelection)
        printerSelection = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printerSelection;
}

void CWinApp::OnFilePrintSetup() {
    if (interaction().printSetup(printer(), QApplication::activeWindow()))
        printerChosen = true;
}

} // namespace platform
