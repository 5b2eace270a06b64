// The collection list as a screen reader reads it: the painted page as a
// table of publishers, the page buttons and windows named in words.

#include "list_harness.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QRegularExpression>

using fixture::Cell;
using fixture::Publisher;
using listharness::clickControl;
using listharness::withList;

namespace {

QAccessibleInterface* accessibleOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

QString nameOf(QWidget* widget) {
    return accessibleOf(widget)->text(QAccessible::Name);
}

// One row of the table as "name|text" per cell, read through the cell's
// table-cell and text interfaces.
QStringList rowOf(QAccessibleTableInterface* table, int row) {
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        QAccessibleInterface* cell = table->cellAt(row, column);
        if (!cell)
            return cells << QString("no cell %1").arg(column);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        QAccessibleTextInterface* text = cell->textInterface();
        if (!place || !text || place->rowIndex() != row || place->columnIndex() != column ||
            cell->role() != QAccessible::Cell)
            return cells << QString("bad cell %1").arg(column);
        cells << cell->text(QAccessible::Name) + "|" + text->text(0, text->characterCount());
    }
    return cells;
}

// The names of the publishers in the table's rows.
QStringList namesIn(QAccessibleTableInterface* table) {
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names << table->cellAt(row, 0)->textInterface()->text(0, -1);
    return names;
}

QStringList numberedNames(int first, int last) {
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QString("Naam%1 Test").arg(i, 2, 10, QChar('0'));
    return names;
}

// Every button of window whose name is nothing but signs, or spans lines.
QStringList badlyNamedButtons(QWidget* window) {
    static const QRegularExpression letter("\\p{L}");
    QStringList bad;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString name = nameOf(button);
        if (!name.isEmpty() && (!name.contains(letter) || name.contains('\n')))
            bad << QString("%1 \"%2\"").arg(button->objectName(), name);
    }
    return bad;
}

} // namespace

class CollectionAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void tableReadsTheShownPage();
    void pagesReplaceTheRows_data();
    void pagesReplaceTheRows();
    void emptyGroupHasNoRows();
    void controlsNamedInWords();
};

void CollectionAccessibilityTest::tableReadsTheShownPage() {
    fixture::Group group = listharness::numberedGroup(3);
    group.publishers[1] =
        Publisher("Zoë", "Jansen")
            .cell(Cell(2, 1).participated().studies(3).hours(12).pioneerStatus(1).remark("ziek"));
    group.publishers[2] = Publisher("Pieter", "de Vries").cell(Cell(2, 1).pioneerStatus(2));
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", group));

    withList(run, [&](CListDlg& list) {
        QWidget* grid = list.grid.widget();
        QAccessibleInterface* accessible = accessibleOf(grid);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Table);
        QCOMPARE(accessible->text(QAccessible::Name), QString("Verzamellijst"));
        QCOMPARE(accessible->text(QAccessible::Description), QString("Verkondigers 1 tot 3 van 3"));
        QAccessibleTableInterface* table = accessible->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->columnCount(), 6);
        QCOMPARE(accessible->childCount(), 18);

        QCOMPARE(rowOf(table, 0), (QStringList{"Naam|Naam01 Test", "de dienst|nee", "Bs|",
                                               "HPio|nee", "Uren|", "Opm|"}));
        QCOMPARE(rowOf(table, 1), (QStringList{"Naam|Zoë Jansen", "de dienst|ja", "Bs|3", "HPio|ja",
                                               "Uren|12", "Opm|ziek"}));
        QCOMPARE(rowOf(table, 2), (QStringList{"Naam|Pieter de Vries", "de dienst|nee", "Bs|",
                                               "HPio|nee", "Uren|", "Opm|"}));
        QVERIFY(!table->cellAt(3, 0));
        QVERIFY(!table->cellAt(0, 6));

        // The cells lie where the page paints them, row under row, and a
        // screen reader that asks again meets the same object.
        QAccessibleInterface* hours = table->cellAt(1, 4);
        QCOMPARE(table->cellAt(1, 4), hours);
        QCOMPARE(hours->parent(), accessible);
        QCOMPARE(accessible->indexOfChild(hours), 1 * 6 + 4);
        QCOMPARE(accessible->child(1 * 6 + 4), hours);
        const QRect area = accessible->rect();
        QVERIFY(area.contains(hours->rect()));
        QVERIFY(hours->rect().top() > table->cellAt(0, 4)->rect().top());
        QVERIFY(hours->rect().left() > table->cellAt(1, 3)->rect().left());
        const QPoint centre = hours->rect().center();
        QCOMPARE(accessible->childAt(centre.x(), centre.y()), hours);
    });
}

void CollectionAccessibilityTest::pagesReplaceTheRows_data() {
    QTest::addColumn<int>("publishers");
    // Buttons pressed in turn: L the left one, R the right one.
    QTest::addColumn<QString>("presses");
    // After opening and after each press: "first-last" of the rows read.
    QTest::addColumn<QStringList>("pages");

    QTest::newRow("19 overlap") << 19 << "LL" << QStringList{"1-18", "2-19", "1-18"};
    QTest::newRow("40 forward and back")
        << 40 << "LRLL" << QStringList{"1-18", "19-36", "23-40", "5-22", "1-18"};
}

void CollectionAccessibilityTest::pagesReplaceTheRows() {
    QFETCH(int, publishers);
    QFETCH(QString, presses);
    QFETCH(QStringList, pages);

    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", listharness::numberedGroup(publishers)));
    withList(run, [&](CListDlg& list) {
        QAccessibleInterface* accessible = accessibleOf(list.grid.widget());
        QAccessibleTableInterface* table = accessible->tableInterface();
        QVERIFY(table);
        for (int step = 0; step <= presses.size(); ++step) {
            if (step > 0)
                clickControl(list,
                             presses[step - 1] == 'L' ? res::IDC_PREV_PAGE : res::IDC_NEXT_PAGE);
            const QStringList range = pages[step].split('-');
            const int first = range[0].toInt(), last = range[1].toInt();
            QCOMPARE(namesIn(table), numberedNames(first, last));
            QCOMPARE(accessible->text(QAccessible::Description),
                     QString("Verkondigers %1 tot %2 van %3").arg(first).arg(last).arg(publishers));
        }
    });
}

void CollectionAccessibilityTest::emptyGroupHasNoRows() {
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", listharness::numberedGroup(0)));
    withList(run, [&](CListDlg& list) {
        QAccessibleInterface* accessible = accessibleOf(list.grid.widget());
        QAccessibleTableInterface* table = accessible->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(accessible->childCount(), 0);
        QVERIFY(!table->cellAt(0, 0));
        QCOMPARE(table->columnDescription(0), QString("Naam"));
        QCOMPARE(table->columnDescription(5), QString("Opm"));
    });
}

void CollectionAccessibilityTest::controlsNamedInWords() {
    fixture::Group group = listharness::numberedGroup(40);
    group.publishers[0] = Publisher("Zoë", "Jansen").phones("030-2345678", "06-12345678");
    harness::MainWindow run;
    CMainDlg& main = run.startWith(run.writeGroup("Groep.k09", group));

    QVERIFY(run.shown(res::IDC_NEXT_PHONE));
    QCOMPARE(nameOf(run.control(res::IDC_NEXT_PHONE)), QString("Volgend telefoonnummer"));
    QCOMPARE(run.text(res::IDC_NEXT_PHONE), QString("> > >"));
    QCOMPARE(badlyNamedButtons(main.window()), QStringList());

    withList(run, [&](CListDlg& list) {
        QWidget* left = list.GetDlgItem(res::IDC_PREV_PAGE)->widget();
        QWidget* right = list.GetDlgItem(res::IDC_NEXT_PAGE)->widget();
        QCOMPARE(nameOf(list.window()), QString("Verzamellijst - Maart-bericht"));
        QCOMPARE(list.window()->windowTitle(), QString("Maart-bericht"));
        // On the first page the left button leads forward.
        QCOMPARE(nameOf(left), QString("Volgende bladzijde"));
        QCOMPARE(badlyNamedButtons(list.window()), QStringList());
        clickControl(list, res::IDC_PREV_PAGE);
        QCOMPARE(nameOf(left), QString("Vorige bladzijde"));
        QCOMPARE(nameOf(right), QString("Volgende bladzijde"));
        QCOMPARE(static_cast<QAbstractButton*>(left)->text(), QString("< < <"));
        QCOMPARE(badlyNamedButtons(list.window()), QStringList());
    });

    bool reportShown = false;
    run.script.driveNextDialog([&](platform::CDialog& dialog) {
        reportShown = true;
        QCOMPARE(dialog.window()->windowTitle(), QString("Zoë Jansen"));
        QCOMPARE(nameOf(dialog.window()), QString("Velddienstbericht van Zoë Jansen"));
        QCOMPARE(nameOf(dialog.controlWidget(res::IDC_PARTICIPATED)),
                 QString("Aan een velddienst heeft gedaan"));
        QCOMPARE(badlyNamedButtons(dialog.window()), QStringList());
        QTest::keyClick(dialog.window(), Qt::Key_Escape);
    });
    run.clickLine(0);
    QTest::keyClick(run.list(), Qt::Key_Return);
    QVERIFY(reportShown);
}

QTEST_MAIN(CollectionAccessibilityTest)
#include "test_collection_accessibility.moc"
