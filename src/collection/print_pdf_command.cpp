#include "collection/print_pdf_command.h"

#include "collection/print_list.h"
#include "groupdata/group_store.h"
#include "platform/message_box.h"
#include "res/resource.h"
#include "session/session.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const optionName = "--print-pdf";

void complain(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(platform::AfxGetAppName()),
                 qUtf8Printable(text));
}

class StderrMessages : public groupdata::StoreMessages {
public:
    void lowMemory() override { complain("Low Memory"); }
    void cannotCreate(const std::string& shownPath) override {
        complain(QString("cannot create %1").arg(QString::fromStdString(shownPath)));
    }
    void tooFewPublishers() override {}
    void remarkTableFull() override {}
};

// Opens path for writing without waiting: a pipe nobody reads is refused at
// once instead of hanging the command. Returns -1 with errno set on failure.
int openOutput(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Copies the finished PDF to its destination, reporting every failure; a
// regular file that could not be written completely is removed.
bool deliver(const QString& finished, const QString& destination) {
    QFile source(finished);
    if (!source.open(QIODevice::ReadOnly)) {
        complain(QString("cannot read the printed PDF: %1").arg(source.errorString()));
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (QFileInfo(destination).isDir()) {
        complain(QString("cannot write %1: is a folder").arg(destination));
        return false;
    }
    const int fd = openOutput(destination);
    QFile target;
    if (fd < 0 || !target.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        complain(QString("cannot write %1: %2").arg(destination, qt_error_string(errno)));
        return false;
    }
    const bool written = target.write(bytes) == bytes.size() && target.flush();
    const QString error = target.errorString();
    target.close();
    if (!written || target.error() != QFileDevice::NoError) {
        complain(QString("cannot write %1: %2").arg(destination, error));
        if (QFileInfo(destination).isFile())
            QFile::remove(destination);
        return false;
    }
    return true;
}

int printPdf(const QString& outputPath, const QString& groupPath) {
    // The group file is looked at through what was opened, without waiting,
    // so a pipe or a device is refused rather than read.
    const int fd =
        ::open(QFile::encodeName(groupPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        complain(errno == ENOENT ? QString("the group file %1 does not exist").arg(groupPath)
                                 : QString("cannot read the group file %1: %2")
                                       .arg(groupPath, qt_error_string(errno)));
        return 1;
    }
    struct stat group {};
    const bool examined = ::fstat(fd, &group) == 0;
    ::close(fd);
    if (!examined || !S_ISREG(group.st_mode)) {
        complain(examined && S_ISDIR(group.st_mode)
                     ? QString("%1 is a folder, not a group file").arg(groupPath)
                     : QString("%1 is not a regular file, not a group file").arg(groupPath));
        return 1;
    }
    // By any of its names, hard links included.
    struct stat output {};
    if (::stat(QFile::encodeName(outputPath).constData(), &output) == 0 &&
        output.st_dev == group.st_dev && output.st_ino == group.st_ino) {
        complain(QString("the PDF would overwrite the group file %1").arg(groupPath));
        return 1;
    }

    StderrMessages messages;
    Session run(messages);
    groupdata::GroupStore& store = run.store();
    store.languageName = platform::AfxLoadString(res::IDS_LANGUAGE).toStdString();
    // The report month a run of the program starts with today; the group
    // file's own month then replaces it, with the year that month falls in.
    run.startReportPeriod();
    if (!store.loadGroupFile(QFile::encodeName(groupPath).toStdString()))
        return 1;
    if (!store.dataValid) {
        complain(QString("%1 is not a group file").arg(groupPath));
        return 1;
    }

    QTemporaryDir work;
    if (!work.isValid()) {
        complain(QString("cannot create a temporary folder: %1").arg(work.errorString()));
        return 1;
    }
    const QString printed = work.filePath("list.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    const ListSource source{store, store.reportMonth, store.yearSlot, store.groupNumber};
    PrintCaptions captions;
    if (printCollectionList(printer, source, captions) != PrintOutcome::Printed) {
        complain("no hdc");
        return 1;
    }
    return deliver(printed, outputPath) ? 0 : 1;
}

} // namespace

bool isPrintPdfCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], optionName) == 0)
            return true;
    return false;
}

int runPrintPdfCommand(int argc, char** argv) {
    // No window opens, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    if (arguments.size() != 3 || arguments[0] != optionName) {
        complain(
            QString("usage: %1 %2 OUT.pdf GROUP.k09").arg(platform::AfxGetAppName(), optionName));
        return 2;
    }
    return printPdf(arguments[1], arguments[2]);
}
