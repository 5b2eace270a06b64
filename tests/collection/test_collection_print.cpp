// Printing the collection list: the page geometry in printer pixels, page
// breaks, the remark and telephone cells, the fonts, and the print commands of
// the list dialog with their failures.

#include "list_harness.h"
#include "pdf_reader.h"

#include "collection/print_list.h"
#include "groupdata/recording_messages.h"
#include "platform/constants.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>

using fixture::Cell;
using fixture::Publisher;
using listharness::clickControl;
using listharness::withList;
using platform::DrawCall;
using platform::DrawRecorder;

namespace {

struct Printed {
    std::vector<DrawCall> calls;
    PrintOutcome outcome = PrintOutcome::NoDevice;
    PrintCaptions captions;
    QString pdf;
    QPoint pageOrigin; // where the printer's pixel (0, 0) lies on the paper

    std::vector<DrawCall> texts() const { return DrawRecorder{calls}.ofKind(DrawCall::Text); }
    const DrawCall* textAt(int x, int y) const {
        for (const DrawCall& call : calls)
            if (call.kind == DrawCall::Text && call.x1 == x && call.y1 == y)
                return &call;
        return nullptr;
    }
    // Calls of one page, 1-based, between its StartPage and EndPage.
    std::vector<DrawCall> page(int number) const {
        std::vector<DrawCall> result;
        int current = 0;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawCall::StartPage)
                ++current;
            else if (current == number && call.kind != DrawCall::EndPage)
                result.push_back(call);
        }
        return result;
    }
    // The text lines of the remark or telephone column: "text@x,y/height".
    QStringList cellTexts(int fromX, int toX) const {
        QStringList result;
        for (const DrawCall& call : texts())
            if (call.x1 >= fromX && call.x1 < toX && call.y1 > 875)
                result << QString("%1@%2,%3/%4")
                              .arg(call.text)
                              .arg(call.x1)
                              .arg(call.y1)
                              .arg(-call.font.lfHeight);
        return result;
    }
};

// Prints a group, loaded into a store as the program loads it, to a PDF at
// the given resolution, recording the drawing calls. Cells of slot 0 show.
Printed printGroup(const QString& folder, const fixture::Group& group, int dpi = 600) {
    const QString groupPath = folder + "/Groep.k09";
    fixture::writeGroupFile(groupPath.toStdString(), group);
    RecordingMessages messages;
    groupdata::GroupStore store(messages);
    store.loadGroupFile(groupPath.toStdString());

    Printed printed;
    printed.pdf = folder + "/list.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(dpi);
    printer.setOutputFileName(printed.pdf);
    printed.pageOrigin = printer.pageRect(QPrinter::DevicePixel).topLeft().toPoint();
    const ListSource source{store, store.reportMonth, 0, store.groupNumber};
    DrawRecorder recorder;
    platform::setDrawRecorder(&recorder);
    printed.outcome = printCollectionList(printer, source, printed.captions);
    platform::setDrawRecorder(nullptr);
    printed.calls = recorder.calls;
    return printed;
}

fixture::Group oneRow(const Publisher& publisher) {
    fixture::Group group;
    group.month(2).number(7).publisher(publisher);
    return group;
}

// Row slot 4 at 600 dots per inch: the text line and the row's top.
constexpr int firstRowText = 918;
constexpr int firstRowTop = 900;
constexpr int remarkX = 3660 + 30;
constexpr int phoneX = 1500;

} // namespace

class CollectionPrintTest : public QObject {
    Q_OBJECT
private slots:
    void geometryAt600Dpi();
    void pageBreaks_data();
    void pageBreaks();
    void remarkCell_data();
    void remarkCell();
    void telephoneCell_data();
    void telephoneCell();
    void longNameStaysInItsColumn();
    void languageCharSets_data();
    void languageCharSets();
    // The dialog's commands; the printer selection lasts for the run, so the
    // cases without a selection come first.
    void printFailures_data();
    void printFailures();
    void printerGone();
    void printFromTheDialog();

private:
    QTemporaryDir dir;
};

void CollectionPrintTest::geometryAt600Dpi() {
    fixture::Group group;
    group.month(2).number(7);
    group.publisher(Publisher("Zoë", "Jansen")
                        .phones("0301234567")
                        .cell(Cell(2).participated().studies(3).hours(12).pioneerStatus(1)));
    group.publisher(Publisher("José", "Fernandes"));
    const Printed printed = printGroup(dir.path(), group);
    QCOMPARE(printed.outcome, PrintOutcome::Printed);

    // The header pitch: at least six lines to the inch, the subtitle two and
    // the captions four pitches below the title.
    const std::vector<DrawCall> texts = printed.texts();
    const DrawCall* subtitle = nullptr;
    for (const DrawCall& call : texts)
        if (call.text.startsWith("Groep"))
            subtitle = &call;
    QVERIFY(subtitle);
    const int pitch = (subtitle->y1 - 300) / 2;
    QVERIFY(pitch >= 100);
    const int captionY = 300 + 4 * pitch;

    struct Expected {
        QString text;
        int x, y;
        unsigned align;
        int height; // pixels: 14, 12 and 10 points at 600 dpi
        int weight;
    };
    const Expected expected[] = {
        {"Overzicht - Maart", 300, 300, platform::TA_LEFT, 116, 700},
        {"Groep #7  ", 300, 300 + 2 * pitch, platform::TA_LEFT, 100, 700},
        {"Naam", 300, captionY, platform::TA_LEFT, 83, 400},
        {"Telefoon", 1500, captionY, platform::TA_LEFT, 83, 400},
        {"de dienst", 2220 + 30, captionY, platform::TA_LEFT, 83, 400},
        {"Bs", 2580 + 30, captionY, platform::TA_LEFT, 83, 400},
        {"HPio", 2940 + 30, captionY, platform::TA_LEFT, 83, 400},
        {"Uren", 3300 + 30, captionY, platform::TA_LEFT, 83, 400},
        {"Opm", 3660 + 300, captionY, platform::TA_LEFT, 83, 400},
        {"Zoë Jansen", 300, 918, platform::TA_LEFT, 83, 400},
        {"0301234567", 1500, 918, platform::TA_LEFT, 83, 400},
        {"3", 2580 + 240, 918, platform::TA_RIGHT, 83, 400},
        {"12", 3300 + 240, 918, platform::TA_RIGHT, 83, 400},
        {"José Fernandes", 300, 918 + 150, platform::TA_LEFT, 83, 400},
    };
    for (const Expected& e : expected) {
        const DrawCall* call = printed.textAt(e.x, e.y);
        QVERIFY2(call, qPrintable(QString("%1 at %2,%3").arg(e.text).arg(e.x).arg(e.y)));
        QCOMPARE(call->text, e.text);
        QCOMPARE(call->align, e.align);
        QCOMPARE(-call->font.lfHeight, e.height);
        QCOMPARE(call->font.lfWeight, e.weight);
        QCOMPARE(call->font.lfFaceName, QString("Arial"));
    }
    QCOMPARE(printed.texts().size(), std::size(expected));
    QCOMPARE(printed.captions.name, QString("Naam"));
    QCOMPARE(printed.captions.phone, QString("Telefoon"));
    QCOMPARE(DrawRecorder{printed.calls}.ofKind(DrawCall::StartDoc).at(0).text,
             QString("Overzicht"));

    // The grid as it stands after the second row: 2 pixels wide, top 875,
    // left 270, rows of 150, and the seven column lines.
    std::vector<DrawCall> gridLines;
    for (const DrawCall& line : DrawRecorder{printed.calls}.ofKind(DrawCall::Line))
        if (line.penWidth == 2)
            gridLines.push_back(line);
    // Stroked after each row: outline and columns, then one more inner line.
    QCOMPARE(gridLines.size(), size_t((4 + 0 + 7) + (4 + 1 + 7)));
    const std::vector<DrawCall> last(gridLines.end() - 12, gridLines.end());
    auto line = [](const DrawCall& c) {
        return QString("%1,%2-%3,%4").arg(c.x1).arg(c.y1).arg(c.x2).arg(c.y2);
    };
    QStringList drawn;
    for (const DrawCall& c : last)
        drawn << line(c);
    QCOMPARE(drawn,
             (QStringList{"270,875-270,1175", "270,1175-4620,1175", "4620,1175-4620,875",
                          "4620,875-270,875", "270,1025-4620,1025", "1470,875-1470,1175",
                          "2220,875-2220,1175", "2580,875-2580,1175", "2940,875-2940,1175",
                          "3300,875-3300,1175", "3660,875-3660,1175", "4620,875-4620,1175"}));

    // Tick boxes of 85 pixels with the bottom-right corner at x 2441 and 3161,
    // y = text line + 75; both ticked for the first row (box pen 5, tick pen 13).
    for (int x : {2441, 3161}) {
        bool box = false, tick = false;
        for (const DrawCall& c : DrawRecorder{printed.calls}.ofKind(DrawCall::Line)) {
            box |= c.penWidth == 5 && c.x1 == x && c.y1 == 993 && c.x2 == x - 85 && c.y2 == 993;
            tick |= c.penWidth == 13 && c.x1 == x - 85 + 600 / 35 && c.y1 == 993 - 42;
        }
        QVERIFY2(box && tick, qPrintable(QString::number(x)));
    }
}

void CollectionPrintTest::pageBreaks_data() {
    QTest::addColumn<int>("publishers");
    QTest::addColumn<int>("pages");
    // Per page: the remark caption's x and the rows printed.
    QTest::addColumn<QList<int>>("remarkCaptionX");
    QTest::addColumn<QList<int>>("rows");

    QTest::newRow("empty group") << 0 << 1 << QList<int>{3960} << QList<int>{0};
    QTest::newRow("32 fill one page") << 32 << 1 << QList<int>{3960} << QList<int>{32};
    QTest::newRow("33 start a second") << 33 << 2 << QList<int>{3960, 3720} << QList<int>{32, 1};
    QTest::newRow("64 fill two") << 64 << 2 << QList<int>{3960, 3720} << QList<int>{32, 32};
}

void CollectionPrintTest::pageBreaks() {
    QFETCH(int, publishers);
    QFETCH(int, pages);
    QFETCH(QList<int>, remarkCaptionX);
    QFETCH(QList<int>, rows);

    const Printed printed = printGroup(dir.path(), listharness::numberedGroup(publishers));
    QStringList order;
    for (const DrawCall& call : printed.calls)
        if (call.kind == DrawCall::StartPage || call.kind == DrawCall::EndPage ||
            call.kind == DrawCall::StartDoc || call.kind == DrawCall::EndDoc)
            order << QString::number(call.kind);
    QStringList expectedOrder{QString::number(DrawCall::StartDoc)};
    for (int i = 0; i < pages; ++i)
        expectedOrder << QString::number(DrawCall::StartPage) << QString::number(DrawCall::EndPage);
    expectedOrder << QString::number(DrawCall::EndDoc);
    QCOMPARE(order, expectedOrder);

    int firstOfPage = 1;
    for (int p = 1; p <= pages; ++p) {
        const std::vector<DrawCall> page = printed.page(p);
        QStringList texts;
        int remarkCaptionAt = -1;
        int lines = 0;
        for (const DrawCall& call : page) {
            if (call.kind == DrawCall::Text)
                texts << call.text;
            if (call.kind == DrawCall::Text && call.text == "Opm")
                remarkCaptionAt = call.x1;
            lines += call.kind == DrawCall::Line;
        }
        // Every page repeats the title, subtitle and captions.
        QCOMPARE(texts.mid(0, 4),
                 (QStringList{"Overzicht - Maart", "Groep #4  ", "Naam", "Telefoon"}));
        QCOMPARE(remarkCaptionAt, remarkCaptionX[p - 1]);
        const QStringList names = texts.filter(" Test");
        QCOMPARE(names.size(), rows[p - 1]);
        if (!names.isEmpty()) {
            QCOMPARE(names.first(), QString("Naam%1 Test").arg(firstOfPage, 2, 10, QChar('0')));
            QVERIFY(printed.textAt(300, firstRowText)); // each page starts in slot 4
        }
        QCOMPARE(lines > 0, rows[p - 1] > 0); // no grid without rows
        firstOfPage += rows[p - 1];
    }
    QCOMPARE(pdf::toolsInstalled() ? pdf::pages(printed.pdf) : pages, pages);
}

void CollectionPrintTest::remarkCell_data() {
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QStringList>("lines"); // "text@x,y/height"

    const QString x = QString::number(remarkX);
    auto one = [&](const QString& text) { return QStringList{text + "@" + x + ",918/83"}; };
    auto two = [&](const QString& a, const QString& b) {
        return QStringList{a + "@" + x + ",893/66", b + "@" + x + ",955/66"};
    };
    QTest::newRow("1 character prints nothing") << "x" << QStringList{};
    QTest::newRow("2 characters") << "ok" << one("ok");
    QTest::newRow("19 characters, one line") << "Negentien tekens!!!" << one("Negentien tekens!!!");
    QTest::newRow("20 characters, split at the blank at 5")
        << "abcde fghijklmnopqrs" << two("abcde", " fghijklmnopqrs");
    QTest::newRow("blank at 3 only splits at 19")
        << "abc defghijklmnopqrs" << two("abc defghijklmnopqr", "s");
    QTest::newRow("no blank splits at 19")
        << "abcdefghijklmnopqrst" << two("abcdefghijklmnopqrs", "t");
    QTest::newRow("first blank at 20 splits at 19")
        << "abcdefghijklmnopqrst uv" << two("abcdefghijklmnopqrs", "t uv");
    QTest::newRow("35 characters are kept")
        << "Vijfendertig tekens in deze regel!!" << two("Vijfendertig", " tekens in deze regel!!");
    QTest::newRow("36 characters are cut to 22 and ...")
        << "Lange opmerking over de maand maart!" << two("Lange", " opmerking over d...");
    QTest::newRow("percent sign as it stands")
        << "100% aanwezig %s %d" << one("100% aanwezig %s %d");
}

void CollectionPrintTest::remarkCell() {
    QFETCH(QString, remark);
    QFETCH(QStringList, lines);

    const Printed printed = printGroup(
        dir.path(),
        oneRow(Publisher("Zoë", "Jansen").cell(Cell(2).remark(remark.toStdString()).hours(7))));
    QCOMPARE(printed.cellTexts(3660, 4620), lines);
    // The hours before it and nothing after it change the row font.
    QCOMPARE(-printed.textAt(3540, firstRowText)->font.lfHeight, 83);
}

void CollectionPrintTest::telephoneCell_data() {
    QTest::addColumn<QStringList>("phones");
    QTest::addColumn<QStringList>("lines");

    const QString one = QString("@%1,%2/83").arg(phoneX).arg(firstRowText);
    const QString upper = QString("@%1,%2/66").arg(phoneX).arg(firstRowTop - 150 / 7);
    const QString lower = QString("@%1,%2/66").arg(phoneX + 120).arg(firstRowTop + 150 / 3);
    QTest::newRow("none") << QStringList{"", "", ""} << QStringList{};
    QTest::newRow("one number on the row line")
        << QStringList{"0301234567", "", ""} << QStringList{"0301234567" + one};
    QTest::newRow("two numbers on two small lines")
        << QStringList{"0301234567", "0612345678", ""}
        << QStringList{"0301234567" + upper, "0612345678" + lower};
    QTest::newRow("a short number is skipped")
        << QStringList{"12345", "0612345678", ""} << QStringList{"0612345678" + one};
    QTest::newRow("first and third") << QStringList{"0301234567", "", "0031-30777"}
                                     << QStringList{"0301234567" + upper, "0031-30777" + lower};
}

void CollectionPrintTest::telephoneCell() {
    QFETCH(QStringList, phones);
    QFETCH(QStringList, lines);

    const Printed printed =
        printGroup(dir.path(), oneRow(Publisher("Zoë", "Jansen")
                                          .phones(phones[0].toStdString(), phones[1].toStdString(),
                                                  phones[2].toStdString())
                                          .cell(Cell(2).hours(9))));
    QCOMPARE(printed.cellTexts(phoneX, 2220), lines);
    // Back in the row font for the rest of the row.
    QCOMPARE(-printed.textAt(3540, firstRowText)->font.lfHeight, 83);
}

// A name wider than its column is cut at the telephone column, on the page as
// a viewer shows it.
void CollectionPrintTest::longNameStaysInItsColumn() {
    if (!pdf::toolsInstalled())
        QSKIP("poppler-utils is not installed");
    const Printed printed = printGroup(dir.path(), oneRow(Publisher("WWWWWWWWWW", "WWWWWWWWW")));
    QCOMPARE(printed.outcome, PrintOutcome::Printed);
    // At 100 dots per inch, a sixth of the printer's 600: the first row lies
    // between y 875 and 1025, the name column between x 270 and 1470, the
    // telephone column between 1470 and 2220 (printer pixels from the origin).
    const QImage page = pdf::firstPage(printed.pdf, 100);
    QVERIFY(!page.isNull());
    const QPoint o = printed.pageOrigin;
    auto darkPixels = [&](int fromX, int toX) {
        int dark = 0;
        for (int y = (o.y() + 875) / 6 + 3; y < (o.y() + 1025) / 6 - 2; ++y)
            for (int x = (o.x() + fromX) / 6 + 3; x < (o.x() + toX) / 6 - 2; ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        return dark;
    };
    QVERIFY(darkPixels(270, 1470) > 0);
    QCOMPARE(darkPixels(1470, 2220), 0);
}

void CollectionPrintTest::languageCharSets_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("charSet");

    QTest::newRow("dutch") << "dutch" << int(platform::DEFAULT_CHARSET);
    QTest::newRow("Turkish") << "Turkish" << int(platform::TURKISH_CHARSET);
    QTest::newRow("turkish is not Turkish") << "turkish" << int(platform::DEFAULT_CHARSET);
    QTest::newRow("Polish") << "Polish" << int(platform::EASTEUROPE_CHARSET);
    QTest::newRow("cz") << "cz" << int(platform::EASTEUROPE_CHARSET);
    QTest::newRow("sk") << "sk" << int(platform::EASTEUROPE_CHARSET);
    QTest::newRow("estonian") << "estonian" << int(platform::BALTIC_CHARSET);
    QTest::newRow("greek") << "greek" << int(platform::DEFAULT_CHARSET);
}

void CollectionPrintTest::languageCharSets() {
    QFETCH(QString, language);
    QFETCH(int, charSet);
    QCOMPARE(int(languageCharSet(language)), charSet);
}

void CollectionPrintTest::printFailures_data() {
    QTest::addColumn<QString>("setupOutput"); // PDF file chosen in print setup; empty: none
    QTest::addColumn<QString>("message");

    QTest::newRow("no printer") << ""
                                << "No Printer";
    QTest::newRow("folder as the PDF file") << "."
                                            << "no hdc";
    QTest::newRow("PDF file under a regular file") << "Groep.k09/list.pdf"
                                                   << "no hdc";
}

void CollectionPrintTest::printFailures() {
    QFETCH(QString, setupOutput);
    QFETCH(QString, message);

    harness::MainWindow run;
    const QString groupFile = run.writeGroup("Groep.k09", listharness::numberedGroup(3));
    run.startWith(groupFile);
    if (setupOutput.isEmpty()) {
        if (platform::AfxGetApp()->hasPrinterSelection())
            QSKIP("a printer was chosen earlier in this run");
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this system has a default printer, which would print");
    }
    const QString target = run.path(setupOutput);
    withList(run, [&](CListDlg& list) {
        if (!setupOutput.isEmpty()) {
            run.script.answerPrintSetup(
                true, [&](QPrinter& printer) { printer.setOutputFileName(target); });
            clickControl(list, 129);
            QCOMPARE(run.script.printSetups(), 1);
        }
        clickControl(list, 3);
        QCOMPARE(run.script.messageBoxes().size(), size_t(1));
        QCOMPARE(run.script.messageBoxes()[0].text, message);
        QCOMPARE(run.script.messageBoxes()[0].type & platform::MB_TYPEMASK, platform::MB_OK);
        QVERIFY(list.isRunning());
        QVERIFY(list.nameCaption.isEmpty());
    });
    QVERIFY(!QFileInfo(target).isFile());
    QCOMPARE(harness::fileBytes(groupFile),
             harness::bytesOf(fixture::buildGroupFile(listharness::numberedGroup(3))));
}

void CollectionPrintTest::printerGone() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this system has a default printer, which would print");
    harness::MainWindow run;
    const QString groupFile = run.writeGroup("Groep.k09", listharness::numberedGroup(3));
    run.startWith(groupFile);
    withList(run, [&](CListDlg& list) {
        // Chosen in print setup, a network queue that has gone since: the
        // toolkit takes no unknown name, so it is set on the engine itself.
        run.script.answerPrintSetup(true, [](QPrinter& printer) {
            printer.setOutputFileName(QString());
            printer.printEngine()->setProperty(QPrintEngine::PPK_PrinterName, "Verdwenen");
        });
        clickControl(list, 129);
        QCOMPARE(platform::AfxGetApp()->printer().printerName(), QString("Verdwenen"));
        for (int job = 0; job < 2; ++job) {
            clickControl(list, 3);
            QCOMPARE(run.script.takeMessageTexts(),
                     QStringList{"De printer \"Verdwenen\" is er niet meer, en er is geen andere "
                                 "printer. Er is niets afgedrukt."});
        }
        QVERIFY(list.isRunning());
        QVERIFY(list.nameCaption.isEmpty());
    });
    QCOMPARE(harness::fileBytes(groupFile),
             harness::bytesOf(fixture::buildGroupFile(listharness::numberedGroup(3))));
}

void CollectionPrintTest::printFromTheDialog() {
    fixture::Group group = listharness::numberedGroup(40);
    group.publishers[1] = Publisher("Zoë", "Jansen")
                              .phones("030-2345678", "06-12345678", "0031-307778")
                              .email("zoe@example.nl");
    group.publishers[39] = Publisher("Pieter", "de Vries").phones("0301112233", "0612121212");
    harness::MainWindow run;
    CMainDlg& main = run.startWith(run.writeGroup("Groep.k09", group));
    // Zoë selected, her second number offered.
    run.clickLine(1);
    run.click(res::IDC_NEXT_PHONE);
    const auto phones = main.session.store().phoneList;
    const auto count = main.session.store().phoneCount;
    const auto cursor = main.session.store().phoneCursor;
    const std::string email = main.session.store().contactEmail;
    const QString shownNumber = run.text(res::IDC_PHONE_NUMBER);
    QCOMPARE(cursor, std::uint8_t(1));

    const QString pdfFile = run.path("lijst.pdf");
    withList(run, [&](CListDlg& list) {
        run.script.answerPrintSetup(true,
                                    [&](QPrinter& printer) { printer.setOutputFileName(pdfFile); });
        clickControl(list, 129);
        clickControl(list, 1004); // the second page is shown while printing
        const int start = list.pageStart, end = list.pageEnd;
        for (int job = 0; job < 2; ++job) {
            QFile::remove(pdfFile);
            clickControl(list, 3);
            QVERIFY(QFileInfo(pdfFile).size() > 0);
        }
        QCOMPARE(run.script.printSetups(), 1); // the choice serves every later job
        QVERIFY(run.script.messageBoxes().empty());
        QCOMPARE(list.nameCaption, QString("Naam"));
        QCOMPARE(list.phoneCaption, QString("Telefoon"));
        QCOMPARE(list.pageStart, start);
        QCOMPARE(list.pageEnd, end);
        QVERIFY(list.isRunning());
    });

    // The main window still serves the publisher selected in its list.
    QCOMPARE(main.session.store().phoneList, phones);
    QCOMPARE(main.session.store().phoneCount, count);
    QCOMPARE(main.session.store().phoneCursor, cursor);
    QCOMPARE(main.session.store().contactEmail, email);
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), shownNumber);
    run.click(res::IDC_NEXT_PHONE);
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), QString("0031-307778"));

    if (!pdf::toolsInstalled())
        QSKIP("poppler-utils are not installed");
    QCOMPARE(pdf::pages(pdfFile), 2);
    const QString text = pdf::text(pdfFile);
    QVERIFY(text.contains("Overzicht - Maart"));
    QVERIFY(text.contains("Naam01 Test"));
    QVERIFY(text.contains("Zoë Jansen"));
    QVERIFY(text.contains("Pieter de Vries"));
    QVERIFY(text.contains("0612121212"));
}

QTEST_MAIN(CollectionPrintTest)
#include "test_collection_print.moc"
