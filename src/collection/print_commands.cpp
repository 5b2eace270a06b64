// The list dialog's print-setup and print commands.

#include "collection/list_dlg.h"
#include "collection/print_list.h"
#include "platform/message_box.h"
#include "platform/print_spooler.h"
#include "platform/win_app.h"
#include "res/resource.h"

#include <QPrinter>
#include <QPrinterInfo>

using namespace platform;

namespace {

// Whether the printer chosen in print setup was the system's default at the
// time: such a choice follows the default when that changes later in the run.
bool choiceFollowsDefault = false;

// The application's printer for a job: the one chosen in this run, else the
// system's default; nullptr when no printer is available.
QPrinter* jobPrinter() {
    CWinApp* app = AfxGetApp();
    if (!app)
        return nullptr;
    QPrinter& printer = app->printer();
    if (app->hasPrinterSelection() && !choiceFollowsDefault)
        return &printer;
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (system.isNull())
        return nullptr;
    if (printer.outputFormat() != QPrinter::NativeFormat ||
        printer.printerName() != system.printerName()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(system.printerName());
    }
    return &printer;
}

// Whether printer hands its jobs to a print queue; "Print to File" writes
// them to a file and asks no queue.
bool printsToQueue(const QPrinter& printer) {
    return printer.outputFileName().isEmpty();
}

// Checks that the queue of printer is there and takes jobs, before anything is
// drawn. A queue that went away (a network printer removed since print setup)
// gives way to the system's default printer. False, once the user has been
// told, when nothing can be printed.
bool queueReady(QPrinter& printer) {
    if (!printsToQueue(printer))
        return true;
    QString name = printer.printerName();
    if (name.isEmpty()) {
        AfxMessageBox("No Printer", MB_OK);
        return false;
    }
    QPrinterInfo queue = QPrinterInfo::printerInfo(name);
    if (queue.isNull()) {
        queue = QPrinterInfo::defaultPrinter();
        if (queue.isNull()) {
            AfxMessageBox(AfxFormatString1(res::IDS_PRINTER_GONE_NO_OTHER, name), MB_OK);
            return false;
        }
        AfxMessageBox(AfxFormatString2(res::IDS_PRINTER_GONE, name, queue.printerName()),
                      MB_OK | MB_ICONINFORMATION);
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(queue.printerName());
        // The rest of the run prints as if nothing had been chosen.
        choiceFollowsDefault = true;
        name = queue.printerName();
    }
    // A stopped queue keeps the job and prints nothing.
    if (queue.state() == QPrinter::Error) {
        AfxMessageBox(AfxFormatString1(res::IDS_PRINTER_STOPPED, name), MB_OK);
        return false;
    }
    return true;
}

} // namespace

void CListDlg::OnPrintSetup() {
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    app->OnFilePrintSetup();
    if (!app->hasPrinterSelection())
        return;
    QPrinter& printer = app->printer();
    choiceFollowsDefault = printer.outputFormat() == QPrinter::NativeFormat &&
                           !printer.printerName().isEmpty() &&
                           printer.printerName() == QPrinterInfo::defaultPrinterName();
}

void CListDlg::OnPrint() {
    QPrinter* printer = jobPrinter();
    if (!printer) {
        AfxMessageBox("No Printer", MB_OK);
        return;
    }
    if (!queueReady(*printer))
        return;
    PrintCaptions captions;
    const PrintOutcome outcome = printCollectionList(*printer, source, captions);
    if (outcome == PrintOutcome::NoDevice) {
        AfxMessageBox("no hdc", MB_OK);
        return;
    }
    nameCaption = captions.name;
    phoneCaption = captions.phone;
    // The queue may still refuse the finished job (one that does not accept
    // jobs, or that went away just now); the toolkit does not tell.
    const bool queued = printsToQueue(*printer);
    if (printer->printerState() == QPrinter::Error || (queued && !lastSpoolerError().isEmpty()))
        AfxMessageBox(AfxFormatString1(res::IDS_PRINT_REFUSED,
                                       queued ? printer->printerName() : printer->outputFileName()),
                      MB_OK);
}
