// Every control a person can reach has a name a screen reader can say.

#include "platform/dialog.h"
#include "platform/resources.h"
#include "res/resource.h"

#include <QAccessible>
#include <QtTest>

using namespace platform;

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyReachableControlHasAName_data() {
        QTest::addColumn<int>("dialogId");
        QTest::addColumn<QList<int>>("captionedByCode");
        // Buttons whose caption the program sets when it shows them.
        QTest::newRow("about") << res::IDD_ABOUTBOX << QList<int>{};
        QTest::newRow("main") << res::IDD_MAIN << QList<int>{res::IDC_MAIL_REMINDER};
        QTest::newRow("report") << res::IDD_REPORT << QList<int>{res::IDC_CHANGE_MONTH};
        QTest::newRow("collection list") << res::IDD_LIST << QList<int>{};
    }
    void everyReachableControlHasAName() {
        QFETCH(int, dialogId);
        QFETCH(QList<int>, captionedByCode);
        CDialog dialog(dialogId);
        QVERIFY(dialog.Create());
        QList<int> unnamed;
        for (const ControlTemplate& item : dialog.dialogTemplate()->controls) {
            QWidget* widget = item.id == IDC_STATIC ? nullptr : dialog.controlWidget(item.id);
            if (!widget || widget->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            if (accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << item.id;
        }
        QCOMPARE(unnamed, captionedByCode);
        for (int id : captionedByCode) {
            dialog.SetDlgItemText(id, "&Bijschrift");
            QCOMPARE(QAccessible::queryAccessibleInterface(dialog.controlWidget(id))
                         ->text(QAccessible::Name),
                     QString("Bijschrift"));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
