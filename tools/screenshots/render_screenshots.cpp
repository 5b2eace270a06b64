// Renders the pictures of the user's guide from a group file: the main window
// with a publisher selected, the report dialog and the collection list.
//
//   render_screenshots GROUP.k09 OUTPUT-FOLDER
//
// The program runs on a copy of the group file in a temporary folder, with its
// settings, data and the desktop's tel: handler there too, and on a fixed date,
// so that the pictures do not depend on the day or on the machine's settings.
// Nothing it does is saved: the exit sequence never runs.

#include "mainwin/group_app.h"
#include "mainwin/main_dlg.h"
#include "platform/constants.h"
#include "platform/interaction.h"
#include "res/resource.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <ctime>
#include <deque>
#include <memory>

namespace {

// The day the pictures are taken: the sample is the March list, collected in April.
std::tm pictureDay() {
    std::tm t{};
    t.tm_year = 2025 - 1900;
    t.tm_mon = 3;
    t.tm_mday = 10;
    t.tm_hour = 12;
    return t;
}

void complain(const QString& text) {
    std::fprintf(stderr, "render_screenshots: %s\n", qUtf8Printable(text));
}

// The window's contents under a plain title bar that carries its title: the
// offscreen platform draws no window frame, and the title tells the reader
// which month and group the window is about.
QImage framedPicture(QWidget* window) {
    const QPixmap contents = window->grab();
    QFont titleFont = window->font();
    titleFont.setBold(true);
    const int border = 1;
    const int titleHeight = QFontMetrics(titleFont).height() + 10;
    QImage picture(contents.width() + 2 * border, contents.height() + titleHeight + 2 * border,
                   QImage::Format_RGB32);
    picture.fill(QColor(0x70, 0x70, 0x70));
    QPainter painter(&picture);
    const QRect titleBar(border, border, contents.width(), titleHeight);
    painter.fillRect(titleBar, QColor(0xdd, 0xdd, 0xdd));
    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    painter.drawText(titleBar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     window->windowTitle());
    painter.drawPixmap(border, border + titleHeight, contents);
    return picture;
}

// Photographs each modal dialog once it runs, then closes it as Esc would, so
// nothing is committed. Anything else that would wait for a person is an error.
class Photographer : public platform::Interaction {
public:
    void expectDialog(const QString& file) { pending.push_back(file); }
    bool failed() const { return failure; }

    int messageBox(const platform::MessageBoxRequest& request, QWidget*) override {
        fail("unexpected message: " + request.text);
        return (request.type & platform::MB_TYPEMASK) == platform::MB_OK ? platform::IDOK
                                                                         : platform::IDCANCEL;
    }
    std::optional<QString> fileDialog(const platform::FileDialogRequest& request,
                                      QWidget*) override {
        fail("unexpected file dialog: " + request.title);
        return std::nullopt;
    }
    bool printSetup(QPrinter&, QWidget*) override {
        fail("unexpected print setup");
        return false;
    }
    void modalDialogShown(platform::CDialog& dialog) override {
        if (pending.empty()) {
            fail("unexpected dialog: " + dialog.window()->windowTitle());
        } else {
            const QString file = pending.front();
            pending.pop_front();
            QApplication::processEvents();
            if (!framedPicture(dialog.window()).save(file))
                fail("cannot write " + file);
        }
        dialog.EndDialog(platform::IDCANCEL);
    }

private:
    void fail(const QString& text) {
        complain(text);
        failure = true;
    }

    std::deque<QString> pending;
    bool failure = false;
};

// Lets the window become the active one, so the list shows its selection as
// the user sees it.
void activate(QWidget* window) {
    window->activateWindow();
    QDeadlineTimer deadline(2000);
    while (!window->isActiveWindow() && !deadline.hasExpired()) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

// Selects the line of the publisher list that reads text, as a click would.
bool selectPublisher(CMainDlg& dlg, const QString& text) {
    for (int line = 0; line < dlg.publisherList.GetCount(); ++line) {
        if (dlg.publisherList.GetText(line) != text)
            continue;
        dlg.publisherList.SetCurSel(line);
        dlg.OnSelchangePublisherList();
        dlg.publisherList.SetFocus();
        QApplication::processEvents();
        return true;
    }
    complain("no line \"" + text + "\" in the publisher list");
    return false;
}

// A stand-in for xdg-mime that names a tel: handler, so the main window offers
// "Bel" as it does on a desktop that can place calls.
bool provideTelHandler(const QString& folder) {
    const QString path = QDir(folder).filePath("xdg-mime");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly) || script.write("#!/bin/sh\necho dialer.desktop\n") < 0)
        return false;
    script.close();
    if (!script.setPermissions(script.permissions() | QFileDevice::ExeOwner))
        return false;
    qputenv("PATH", QFile::encodeName(folder) + ':' + qgetenv("PATH"));
    return true;
}

bool saved(const QString& file) {
    if (QFileInfo(file).isFile() && QFileInfo(file).size() > 0)
        return true;
    complain(file + " was not written");
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GROUP.k09 OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }

    QTemporaryDir work;
    if (!work.isValid()) {
        complain("cannot create a temporary folder");
        return 1;
    }
    // What the run keeps for the user (settings, backups) stays in the temporary folder.
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, QFile::encodeName(work.filePath(QString(name).toLower())));
    // The toolkit wants a private runtime folder; the temporary folder is one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(work.path()));

    QApplication application(argc, argv);
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir output(QString::fromLocal8Bit(argv[2]));
    const QString group = work.filePath("Groep.k09");
    if (!QFile::copy(source, group)) {
        complain("cannot copy " + source);
        return 1;
    }
    if (!output.exists() && !QDir().mkpath(output.path())) {
        complain("cannot create " + output.path());
        return 1;
    }
    const QString mainPicture = output.filePath("main-window.png");
    const QString reportPicture = output.filePath("report-dialog.png");
    const QString listPicture = output.filePath("collection-list.png");
    // A picture left from an earlier run must not pass for a new one.
    for (const QString& picture : {mainPicture, reportPicture, listPicture})
        QFile::remove(picture);
    if (!QDir().mkpath(work.filePath("bin")) || !provideTelHandler(work.filePath("bin"))) {
        complain("cannot write the stand-in xdg-mime");
        return 1;
    }

    theApp.m_pszProfileName = work.filePath("dravo.ini");
    theApp.WriteProfileString("Last", "Post", "Eva Meijer");
    theApp.m_lpCmdLine = group;

    Photographer photographer;
    platform::setInteraction(&photographer);

    auto dlg = std::make_unique<CMainDlg>();
    const std::tm day = pictureDay();
    dlg->session.store().localTime = [day] { return day; };
    if (!dlg->Create()) {
        complain("the main window cannot be created");
        return 1;
    }
    activate(dlg->window());
    if (dlg->publisherList.GetCount() == 0) {
        complain(source + " shows no publishers");
        return 1;
    }

    if (!selectPublisher(*dlg, "Dubois, Françoise"))
        return 1;
    if (!framedPicture(dlg->window()).save(mainPicture)) {
        complain("cannot write " + mainPicture);
        return 1;
    }

    // An auxiliary pioneer with her March report: the tick, hours and studies.
    if (!selectPublisher(*dlg, "Mulder, Sanne"))
        return 1;
    photographer.expectDialog(reportPicture);
    dlg->OnOK();

    photographer.expectDialog(listPicture);
    dlg->OnViewList();

    dlg.reset();
    platform::setInteraction(nullptr);
    const bool ok =
        !photographer.failed() && saved(mainPicture) && saved(reportPicture) && saved(listPicture);
    return ok ? 0 : 1;
}
