#pragma once
// Opens the collection list from a running main window, as a user does, and
// runs a test's steps while it is shown. Drawing is recorded through the
// device-context recorder.

#include "collection/list_dlg.h"
#include "mainwin/main_window_harness.h"
#include "platform/dc.h"

#include <QPixmap>

#include <functional>
#include <vector>

namespace listharness {

using platform::DrawCall;

// A group of count publishers "Naam01 Test" .. with no reports, for paging.
inline fixture::Group numberedGroup(int count, std::uint8_t month = 2) {
    fixture::Group group;
    group.month(month).number(4);
    for (int i = 1; i <= count; ++i)
        group.publisher(
            fixture::Publisher(QString("Naam%1").arg(i, 2, 10, QChar('0')).toStdString(), "Test"));
    return group;
}

// Clicks button 5 of the main window and runs steps while the list is shown;
// closes the list with Esc afterwards when the steps left it open.
inline void withList(harness::MainWindow& run, const std::function<void(CListDlg&)>& steps) {
    bool ran = false;
    run.script.driveNextDialog([&](platform::CDialog& dialog) {
        QCOMPARE(dialog.templateId(), 115);
        ran = true;
        steps(static_cast<CListDlg&>(dialog));
        if (dialog.isRunning())
            QTest::keyClick(dialog.window(), Qt::Key_Escape);
    });
    if (run.shown(res::IDC_VIEW_LIST))
        run.click(res::IDC_VIEW_LIST);
    else
        run.dlg->OnViewList(); // the button is hidden for an empty group
    QVERIFY2(ran, "the collection list did not open");
    QVERIFY2(run.script.unexpected().isEmpty(), qPrintable(run.script.unexpected().join("; ")));
}

// Paints the page as the screen does and returns what was drawn.
inline std::vector<DrawCall> paintedCalls(CListDlg& list, QImage* image = nullptr) {
    platform::DrawRecorder recorder;
    platform::setDrawRecorder(&recorder);
    const QPixmap pixmap = list.grid.widget()->grab();
    platform::setDrawRecorder(nullptr);
    if (image)
        *image = pixmap.toImage();
    return recorder.calls;
}

// The texts drawn, in order.
inline QStringList textsOf(const std::vector<DrawCall>& calls) {
    QStringList texts;
    for (const DrawCall& call : calls)
        if (call.kind == DrawCall::Text)
            texts << call.text;
    return texts;
}

inline void clickControl(CListDlg& list, int id) {
    QWidget* button = list.GetDlgItem(id)->widget();
    QVERIFY2(button->isVisible(), qPrintable(QString("button %1 is hidden").arg(id)));
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace listharness
