#include "mainwin/command_line.h"

#include "collection/print_pdf_command.h"
#include "platform/win_app.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {

QByteArray programName(char** argv) {
    return QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit();
}

void printUsage(std::FILE* out, const QByteArray& name) {
    std::fprintf(out,
                 "Usage: %s [GROUP.k09]\n"
                 "       %s --print-pdf OUT.pdf GROUP.k09\n",
                 name.constData(), name.constData());
}

void printHelp(const QByteArray& name) {
    printUsage(stdout, name);
    std::printf("\n"
                "Collect the monthly field-service reports of a group and hand them to the\n"
                "secretary. Opens GROUP.k09, or the group file of the last run when none is\n"
                "given, and writes it back when you close the window.\n"
                "\n"
                "Options:\n"
                "  --print-pdf OUT.pdf GROUP.k09  print the collection list of GROUP.k09 to\n"
                "                                 OUT.pdf, without a window, and exit\n"
                "  -h, --help                     show this help and exit\n"
                "  --version                      show the version and exit\n"
                "  --                             end of options; the next argument is a file\n"
                "\n"
                "Settings are kept in ~/.config/%s.ini, copies of replaced group files in\n"
                "~/.local/share/dravo/backups.\n",
                name.constData());
}

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            break;
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
            printHelp(programName(argv));
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("%s %s\n", programName(argv).constData(), DRAVO_VERSION);
            return 0;
        }
    }
    if (isPrintPdfCommand(argc, argv))
        return runPrintPdfCommand(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            break;
        if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::fprintf(stderr, "%s: unknown option '%s'\n", programName(argv).constData(),
                         argv[i]);
            printUsage(stderr, programName(argv));
            return 2;
        }
    }
    if (!platform::canOpenDisplay()) {
        std::fprintf(
            stderr, "%s\n",
            qUtf8Printable(platform::noDisplayMessage(QString::fromLocal8Bit(programName(argv)))));
        return 1;
    }
    return std::nullopt;
}
