// The collection list on screen: paging through the group, the captions, the
// contents of each row, and the painted page.

#include "list_harness.h"

#include "platform/constants.h"

#include <QDir>

using fixture::Cell;
using fixture::Publisher;
using listharness::clickControl;
using listharness::paintedCalls;
using listharness::textsOf;
using listharness::withList;
using platform::DrawCall;

namespace {

// The page geometry PaintPage works with, from the grid's client size.
struct Page {
    explicit Page(const CListDlg& list)
        : W(list.grid.clientRect.right), H(list.grid.clientRect.bottom), rowH(H / 19),
          colW(W / 11) {
        for (int k = 0; k < 5; ++k)
            x[k] = W / 4 + k * colW;
    }
    int yRow(int i) const { return (i + 1) * rowH + 1; }
    int W, H, rowH, colW;
    int x[5];
};

const DrawCall* textAt(const std::vector<DrawCall>& calls, int x, int y) {
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Text && call.x1 == x && call.y1 == y)
            return &call;
    return nullptr;
}

// Whether the tick of a box with its bottom-right corner at (x, y) was drawn:
// its first stroke, with the thick pen, at 96 dots per inch and divisor 9.
bool tickAt(const std::vector<DrawCall>& calls, int x, int y) {
    const int w = 96 / 9, h = 96 / 9;
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Line && call.penWidth == 96 / 45 && call.x1 == x - w + 96 / 35 &&
            call.y1 == y - h / 2 && call.x2 == x - w / 2 && call.y2 == y - 96 / 50)
            return true;
    return false;
}

bool boxAt(const std::vector<DrawCall>& calls, int x, int y) {
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Line && call.x1 == x && call.y1 == y && call.x2 == x - 96 / 9 &&
            call.y2 == y)
            return true;
    return false;
}

} // namespace

Q_DECLARE_METATYPE(fixture::Cell)

class CollectionViewTest : public QObject {
    Q_OBJECT
private slots:
    void paging_data();
    void paging();
    void captions_data();
    void captions();
    void rowContents_data();
    void rowContents();
    void pageRendersAsDrawn();
    void longNameStaysInItsColumn();
};

void CollectionViewTest::paging_data() {
    QTest::addColumn<int>("publishers");
    // Buttons pressed in turn: L the left one (1004), R the right one (1005).
    QTest::addColumn<QString>("presses");
    // After opening and after each press: "first-last left right", where a
    // button is "-" when hidden, else its text.
    QTest::addColumn<QStringList>("states");

    QTest::newRow("none") << 0 << "" << QStringList{"1-0 - -"};
    QTest::newRow("one page") << 18 << "" << QStringList{"1-18 - -"};
    QTest::newRow("19 overlap") << 19 << "LL"
                                << QStringList{"1-18 >>> -", "2-19 <<< -", "1-18 >>> -"};
    QTest::newRow("40 forward and back")
        << 40 << "LRLL"
        << QStringList{"1-18 >>> -", "19-36 <<< >>>", "23-40 <<< -", "5-22 <<< >>>", "1-18 >>> -"};
}

void CollectionViewTest::paging() {
    QFETCH(int, publishers);
    QFETCH(QString, presses);
    QFETCH(QStringList, states);

    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", listharness::numberedGroup(publishers)));
    auto state = [](CListDlg& list) {
        auto button = [&](int id) {
            platform::CWnd* b = list.GetDlgItem(id);
            return b->IsWindowVisible() ? b->GetWindowText().remove(' ') : QString("-");
        };
        // The page as painted: the names of its first and last rows, of the
        // rows that fit on the surface whole.
        const QFontMetrics metrics(platform::GetStockFont(platform::ANSI_VAR_FONT)->font());
        QStringList names;
        for (const DrawCall& call : paintedCalls(list))
            if (call.kind == DrawCall::Text && call.text.contains(" Test") &&
                call.y1 + metrics.height() <= list.grid.clientRect.bottom)
                names << call.text;
        const QString range = names.isEmpty() ? QString("1-0")
                                              : QString("%1-%2")
                                                    .arg(names.first().mid(4, 2).toInt())
                                                    .arg(names.last().mid(4, 2).toInt());
        const QString rows = names.size() == list.pageEnd - list.pageStart
                                 ? QString()
                                 : QString(" (%1 rows painted)").arg(names.size());
        return QString("%1 %2 %3%4").arg(range, button(1004), button(1005), rows);
    };
    withList(run, [&](CListDlg& list) {
        QCOMPARE(state(list), states[0]);
        for (int i = 0; i < presses.size(); ++i) {
            clickControl(list, presses[i] == 'L' ? 1004 : 1005);
            QCOMPARE(state(list), states[i + 1]);
        }
    });
    // Once it closes, the keyboard focus of the main window is on its list.
    QCOMPARE(run.dlg->window()->focusWidget(), static_cast<QWidget*>(run.list()));
}

void CollectionViewTest::captions_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("greekRemarkCaption");

    QTest::newRow("March") << 2 << "dutch"
                           << "Maart-bericht" << false;
    QTest::newRow("December, greek") << 11 << "greek"
                                     << "December-bericht" << true;
}

void CollectionViewTest::captions() {
    QFETCH(int, month);
    QFETCH(QString, language);
    QFETCH(QString, caption);
    QFETCH(bool, greekRemarkCaption);

    harness::MainWindow run;
    CMainDlg& main =
        run.startWith(run.writeGroup("Groep.k09", listharness::numberedGroup(3, month)));
    main.session.store().languageName = language.toStdString();
    withList(run, [&](CListDlg& list) {
        QCOMPARE(list.window()->windowTitle(), caption);
        const std::vector<DrawCall> calls = paintedCalls(list);
        const Page page(list);
        struct Expected {
            QString text;
            int x;
            unsigned align;
        };
        const Expected expected[] = {
            {"Naam", 2, platform::TA_LEFT},
            {"de dienst", page.x[1] - 8, platform::TA_RIGHT},
            {"Bs", page.x[2] - 8, platform::TA_RIGHT},
            {"HPio", page.x[3] - 8, platform::TA_RIGHT},
            {"Uren", page.x[4] - 8, platform::TA_RIGHT},
            {"Opm", greekRemarkCaption ? page.W - page.W / 20 : page.W - page.W / 6,
             platform::TA_RIGHT},
        };
        for (const Expected& e : expected) {
            const DrawCall* call = textAt(calls, e.x, 1);
            QVERIFY2(call, qPrintable(e.text));
            QCOMPARE(call->text, e.text);
            QCOMPARE(call->align, e.align);
        }
        // The header band, the five column lines and the eighteen row lines.
        const auto bands = platform::DrawRecorder{calls}.ofKind(DrawCall::Rectangle);
        QCOMPARE(bands.size(), size_t(1));
        QCOMPARE(bands[0].x2, page.W + 1);
        QCOMPARE(bands[0].y2, page.rowH + 1);
        QVERIFY(bands[0].nullPen);
        int columnLines = 0, rowLines = 0;
        for (const DrawCall& line : platform::DrawRecorder{calls}.ofKind(DrawCall::Line)) {
            if (line.penWidth != 0)
                continue;
            for (int k = 0; k < 5; ++k)
                columnLines += line.x1 == page.x[k] && line.x2 == page.x[k] && line.y1 == 0 &&
                               line.y2 == page.H + 3;
            rowLines += line.x1 == 0 && line.x2 == page.W && line.y1 == line.y2 &&
                        line.y1 % page.rowH == 0 && line.y1 / page.rowH >= 1 &&
                        line.y1 / page.rowH <= 18;
        }
        QCOMPARE(columnLines, 5);
        QCOMPARE(rowLines, 18);
    });
}

void CollectionViewTest::rowContents_data() {
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<bool>("participated");
    QTest::addColumn<QString>("studies");
    QTest::addColumn<bool>("auxiliary");
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("remark");

    // The run works on March (month 2) in year slot 1.
    QTest::newRow("participated only") << Cell(2, 1).participated() << true << "" << false << ""
                                       << "";
    QTest::newRow("numbers") << Cell(2, 1).participated().studies(3).hours(12) << true << "3"
                             << false << "12"
                             << "";
    QTest::newRow("studies bit 10 is no study")
        << Cell(2, 1).studiesBits(0x0400) << false << "" << false << ""
        << "";
    QTest::newRow("auxiliary pioneer")
        << Cell(2, 1).pioneerStatus(1).hours(30) << false << "" << true << "30"
        << "";
    QTest::newRow("auxiliary with other bits")
        << Cell(2, 1).pioneerStatus(0x05) << false << "" << true << ""
        << "";
    QTest::newRow("regular pioneer")
        << Cell(2, 1).pioneerStatus(2).hours(50) << false << "" << false << "50"
        << "";
    QTest::newRow("special pioneer") << Cell(2, 1).pioneerStatus(3) << false << "" << false << ""
                                     << "";
    QTest::newRow("remark") << Cell(2, 1).remark("ziek") << false << "" << false << ""
                            << "ziek";
    QTest::newRow("long remark is clipped")
        << Cell(2, 1).remark("Lange opmerking over de maand maart") << false << "" << false << ""
        << "Lange opmerking over de maand maart";
    QTest::newRow("remark index beyond the table")
        << Cell(2, 1).remarkIndex(9) << false << "" << false << ""
        << "";
    QTest::newRow("other year slot")
        << Cell(2, 0).participated().studies(2).hours(5) << false << "" << false << ""
        << "";
    QTest::newRow("other month") << Cell(3, 1).participated().hours(5).pioneerStatus(1) << false
                                 << "" << false << ""
                                 << "";
}

void CollectionViewTest::rowContents() {
    QFETCH(Cell, cell);
    QFETCH(bool, participated);
    QFETCH(QString, studies);
    QFETCH(bool, auxiliary);
    QFETCH(QString, hours);
    QFETCH(QString, remark);

    fixture::Group group;
    group.month(2).number(1);
    group.publisher(Publisher("Eerste", "Rij").phones("0301234567"));
    group.publisher(Publisher("Zoë", "Jansen").phones("0307654321").cell(cell));
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", group));

    withList(run, [&](CListDlg& list) {
        const std::vector<DrawCall> calls = paintedCalls(list);
        const Page page(list);
        const int row = 1;
        const int y = page.yRow(row);
        std::vector<DrawCall> rowTexts;
        for (const DrawCall& call : calls)
            if (call.kind == DrawCall::Text && call.y1 == y)
                rowTexts.push_back(call);

        const DrawCall* name = textAt(calls, 2, y);
        QVERIFY(name);
        QCOMPARE(name->text, QString("Zoë Jansen"));
        QCOMPARE(name->align, platform::TA_LEFT);

        const int tickY = (row + 1) * page.rowH + 13;
        QVERIFY(boxAt(calls, page.x[1] - 20, tickY));
        QVERIFY(boxAt(calls, page.x[3] - 20, tickY));
        QCOMPARE(tickAt(calls, page.x[1] - 20, tickY), participated);
        QCOMPARE(tickAt(calls, page.x[3] - 20, tickY), auxiliary);

        const DrawCall* studiesText = textAt(calls, page.x[2] - 10, y);
        QCOMPARE(studiesText ? studiesText->text : QString(), studies);
        if (studiesText)
            QCOMPARE(studiesText->align, platform::TA_RIGHT);
        const DrawCall* hoursText = textAt(calls, page.x[4] - 10, y);
        QCOMPARE(hoursText ? hoursText->text : QString(), hours);

        const DrawCall* remarkText = textAt(calls, page.W / 4 + 5 * (page.W / 13) - 5, y);
        QCOMPARE(remarkText ? remarkText->text : QString(), remark);
        if (remarkText) {
            QVERIFY(remarkText->clipped);
            QCOMPARE(remarkText->clip.left, 6 * (page.W / 10) + 2);
            QCOMPARE(remarkText->clip.top, y);
            QCOMPARE(remarkText->clip.right, page.W);
            QCOMPARE(remarkText->clip.bottom, (row + 2) * page.rowH + 1);
        }
        // Nothing else is written on the row: no zero, no telephone number.
        QCOMPARE(int(rowTexts.size()),
                 1 + !studies.isEmpty() + !hours.isEmpty() + !remark.isEmpty());
    });
}

void CollectionViewTest::pageRendersAsDrawn() {
    fixture::Group group;
    group.month(2).number(3);
    group.publisher(Publisher("Zoë", "Jansen").cell(Cell(2, 1).participated().studies(2)));
    group.publisher(Publisher("José", "Fernandes").cell(Cell(2, 1).pioneerStatus(1).hours(52)));
    group.publisher(Publisher("Pieter", "de Vries")
                        .cell(Cell(2, 1).remark("Een opmerking die niet in de kolom past")));
    for (int i = 4; i <= 19; ++i)
        group.publisher(Publisher("Lid", std::to_string(i)).cell(Cell(2, 1).participated()));
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", group));

    withList(run, [&](CListDlg& list) {
        const QString file = QDir(qEnvironmentVariable("DRAVO_BINARY_DIR", QDir::tempPath()))
                                 .filePath("collection_list.png");
        QVERIFY(list.window()->grab().save(file));
        qInfo("collection list rendered to %s", qPrintable(file));

        QImage page;
        paintedCalls(list, &page);
        const Page geometry(list);
        const QColor lightGray(192, 192, 192);
        // The header band is grey, the rows white, the column lines black: the
        // button's own painting never shows.
        QCOMPARE(page.pixelColor(geometry.W / 8, geometry.rowH / 2 + 1), lightGray);
        QCOMPARE(page.pixelColor(geometry.W / 8 + 3, geometry.rowH * 17 + geometry.rowH / 2),
                 QColor(Qt::white));
        QCOMPARE(page.pixelColor(geometry.x[2], geometry.rowH * 10 + 4), QColor(Qt::black));
        QCOMPARE(page.pixelColor(3, geometry.rowH * 5), QColor(Qt::black));
        // The long remark stops at the right edge of the surface.
        QCOMPARE(page.width(), geometry.W);
    });
}

// A name wider than its column is cut at the column line: nothing of it shows
// in the participated column beside it.
void CollectionViewTest::longNameStaysInItsColumn() {
    fixture::Group group;
    group.month(2).number(1);
    group.publisher(Publisher("WWWWWWWWWW", "WWWWWWWWW"));
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", group));

    withList(run, [&](CListDlg& list) {
        QImage page;
        paintedCalls(list, &page);
        const Page geometry(list);
        auto darkPixels = [&](int fromX, int toX) {
            int dark = 0;
            for (int y = geometry.rowH + 2; y < 2 * geometry.rowH - 1; ++y)
                for (int x = fromX; x < toX; ++x)
                    dark += qGray(page.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY(darkPixels(1, geometry.x[0]) > 0);
        // Up to the tick box, whose right edge is 20 pixels before the next line.
        QCOMPARE(darkPixels(geometry.x[0] + 1, geometry.x[1] - 20 - 96 / 9 - 1), 0);
    });
}

QTEST_MAIN(CollectionViewTest)
#include "test_collection_view.moc"
