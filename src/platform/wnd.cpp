#include "platform/wnd.h"

#include "platform/constants.h"
#include "platform/dialog.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace platform {

// Hands the key presses of a subclassed control to its CWnd first: a key
// reaches the widget only when OnKeyDown, and for a typed character OnChar,
// asked for the default processing.
class KeyRouter : public QObject {
public:
    KeyRouter(CWnd& owner, QObject* parent) : QObject(parent), wnd(owner) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
            return false; // mnemonics and shortcuts belong to the dialog
        wnd.defaultRequested = false;
        wnd.OnKeyDown(unsigned(key->key()));
        if (!wnd.defaultRequested)
            return true;
        const QString text = key->text();
        if (text.isEmpty() || !text[0].isPrint())
            return false;
        wnd.defaultRequested = false;
        wnd.OnChar(text[0].unicode());
        return !wnd.defaultRequested;
    }

private:
    CWnd& wnd;
};

CFont* GetStockFont(StockFont which) {
    static CFont ansiVar;
    static CFont deviceDefault;
    if (!ansiVar.isCreated()) {
        // The stock variable-pitch font: a sans face a little smaller than the dialogs'.
        QFont font(dialogFontFamily("MS Sans Serif"));
        font.setPixelSize(12);
        ansiVar.setFont(font);
        QFont device(dialogFontFamily("System"));
        device.setPixelSize(16);
        device.setBold(true);
        deviceDefault.setFont(device);
    }
    return which == ANSI_VAR_FONT ? &ansiVar : &deviceDefault;
}

QString dialogFontFamily(const QString& templateFamily) {
    // The Windows sans faces map to a free face with similar metrics when one
    // is installed; any sans face does otherwise.
    static const QStringList candidates{"Liberation Sans", "Arimo", "DejaVu Sans"};
    Q_UNUSED(templateFamily);
    const QStringList families = QFontDatabase::families();
    for (const QString& family : candidates)
        if (families.contains(family))
            return family;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

CWnd::CWnd(QWidget* widget) {
    attach(widget);
}

CWnd::~CWnd() {
    if (keyRouter && w)
        w->removeEventFilter(keyRouter);
    delete keyRouter;
}

void CWnd::attach(QWidget* widget) {
    w = widget;
}

int CWnd::GetDlgCtrlID() const {
    return w ? w->property("ctrlId").toInt() : 0;
}

void CWnd::ShowWindow(int command) {
    if (w)
        w->setVisible(command != SW_HIDE);
}

bool CWnd::IsWindowVisible() const {
    if (!w)
        return false;
    return w->isWindow() ? w->isVisible() : w->isVisibleTo(w->window());
}

void CWnd::EnableWindow(bool enable) {
    if (w)
        w->setEnabled(enable);
}

bool CWnd::IsWindowEnabled() const {
    return w && w->isEnabled();
}

void CWnd::SetWindowText(const QString& text) {
    if (!w)
        return;
    if (w->isWindow())
        w->setWindowTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
        group->setTitle(text);
}

QString CWnd::GetWindowText() const {
    if (!w)
        return QString();
    if (w->isWindow())
        return w->windowTitle();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return QString();
}

void CWnd::SetAccessibleName(const QString& name) {
    if (w)
        w->setAccessibleName(name);
}

void CWnd::SetFocus() {
    if (w)
        w->setFocus(Qt::OtherFocusReason);
}

bool CWnd::hasFocus() const {
    return w && w->hasFocus();
}

void CWnd::SetFont(const CFont* font) {
    if (w && font)
        w->setFont(font->font());
}

void CWnd::SubclassDlgItem(int id, CDialog* parent) {
    attach(parent->controlWidget(id));
    parent->registerControl(id, this);
    if (w && !keyRouter) {
        keyRouter = new KeyRouter(*this, nullptr);
        w->installEventFilter(keyRouter);
    }
}

void CWnd::OnKeyDown(unsigned) {
    Default();
}

void CWnd::OnChar(unsigned) {
    Default();
}

} // namespace platform
