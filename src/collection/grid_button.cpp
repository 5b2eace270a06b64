#include "collection/grid_button.h"

#include "collection/list_dlg.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

// Takes every paint event of the button for CGridButton::OnPaint, so the
// toolkit's button painting never runs.
class PaintRouter : public QObject {
public:
    explicit PaintRouter(CGridButton& owner) : button(owner) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Paint)
            return false;
        if (!static_cast<QPaintEvent*>(event)->region().isEmpty())
            button.OnPaint();
        return true;
    }

private:
    CGridButton& button;
};

} // namespace

CGridButton::~CGridButton() {
    if (paintRouter && widget())
        widget()->removeEventFilter(paintRouter);
    delete paintRouter;
}

void CGridButton::SubclassDlgItem(int id, CListDlg* parent) {
    CButton::SubclassDlgItem(id, parent);
    listDlg = parent;
    if (widget() && !paintRouter) {
        paintRouter = new PaintRouter(*this);
        widget()->installEventFilter(paintRouter);
    }
}

void CGridButton::OnPaint() {
    QWidget* surface = widget();
    if (!surface || !listDlg)
        return;
    if (!rectCached) {
        const QRect client = surface->rect();
        clientRect = {client.left(), client.top(), client.left() + client.width(),
                      client.top() + client.height()};
        rectCached = 1;
    }
    QPainter painter(surface);
    platform::CDC dc(painter);
    listDlg->PaintPage(clientRect.left, clientRect.top, clientRect.right, clientRect.bottom, &dc);
}
