// The list dialog's print-setup and print commands.

#include "collection/list_dlg.h"
#include "collection/print_list.h"
#include "mainwin/main_dlg.h"
#include "platform/message_box.h"
#include "platform/win_app.h"

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
    if (!mainDlg)
        return;
    const ListSource source{*mainDlg, reportMonth, mainDlg->yearSlot, mainDlg->groupNumber};
    PrintCaptions captions;
    const PrintOutcome outcome = printCollectionList(*printer, source, captions);
    if (outcome == PrintOutcome::NoDevice) {
        AfxMessageBox("no hdc", MB_OK);
        return;
    }
    nameCaption = captions.name;
    phoneCaption = captions.phone;
}
