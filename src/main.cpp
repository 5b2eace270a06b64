#include "collection/print_pdf_command.h"
#include "mainwin/group_app.h"

int main(int argc, char** argv) {
    if (isPrintPdfCommand(argc, argv))
        return runPrintPdfCommand(argc, argv);
    return theApp.run(argc, argv);
}
