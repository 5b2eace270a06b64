#include "platform/dialog.h"

#include "platform/data_exchange.h"
#include "platform/dialog_window.h"
#include "platform/interaction.h"
#include "platform/resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace platform {
namespace {

// Dialogs whose windows exist, oldest first; the newest running one owns the next.
std::vector<CDialog*>& liveDialogs() {
    static std::vector<CDialog*> dialogs;
    return dialogs;
}

// Dialog units to pixels through the dialog font: x * average character width / 4,
// y * character height / 8.
struct DialogUnits {
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const int sample =
            metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX = (sample / 26 + 1) / 2;
        baseY = metrics.height();
    }
    int x(int units) const { return (units * baseX + 2) / 4; }
    int y(int units) const { return (units * baseY + 4) / 8; }
    int baseX;
    int baseY;
};

// Breaks a caption into lines that fit width, for multi-line check boxes.
QString wrapText(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join('\n');
}

QWidget* buildControl(const ControlTemplate& item, QWidget* parent, const DialogUnits& units) {
    const QString text = QString::fromUtf8(item.text ? item.text : "");
    QWidget* widget = nullptr;
    switch (item.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(item.kind == ControlKind::DefPushButton);
        widget = button;
        break;
    }
    case ControlKind::AutoCheckBox: {
        auto* box = new QCheckBox(parent);
        if (item.style & BS_LEFTTEXT)
            box->setLayoutDirection(Qt::RightToLeft);
        const int textWidth = units.x(item.cx) - 20;
        if (item.style & BS_MULTILINE) {
            box->setText(wrapText(text, QFontMetrics(parent->font()), textWidth));
            // The breaks are for the eye; a screen reader reads the caption as one line.
            box->setAccessibleName(QString(text).remove('&'));
        } else {
            box->setText(text);
        }
        widget = box;
        break;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(text, parent);
        group->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = group;
        break;
    }
    case ControlKind::ListBox: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setVerticalScrollBarPolicy((item.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                   : Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setProperty("sorted", bool(item.style & LBS_SORT));
        widget = list;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, parent);
        edit->setFrame(item.style & WS_BORDER);
        widget = edit;
        break;
    }
    case ControlKind::LeftText:
    case ControlKind::CentredText: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | (item.kind == ControlKind::CentredText ? Qt::AlignHCenter
                                                                                  : Qt::AlignLeft));
        widget = label;
        break;
    }
    case ControlKind::OwnerDrawButton: {
        auto* button = new QPushButton(parent);
        button->setFlat(true);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case ControlKind::EtchedFrame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = frame;
        break;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        label->setPixmap(loadResourceIcon(text.toInt()).pixmap(32, 32));
        label->setFixedSize(32, 32);
        widget = label;
        break;
    }
    }
    widget->setProperty("ctrlId", item.id);
    widget->setObjectName(QString("ctrl%1").arg(item.id));
    if (item.kind == ControlKind::Icon)
        widget->move(units.x(item.x), units.y(item.y));
    else
        widget->setGeometry(units.x(item.x), units.y(item.y), units.x(item.cx), units.y(item.cy));
    const bool interactive =
        item.kind == ControlKind::PushButton || item.kind == ControlKind::OwnerDrawButton ||
        item.kind == ControlKind::DefPushButton || item.kind == ControlKind::AutoCheckBox ||
        item.kind == ControlKind::ListBox || item.kind == ControlKind::Edit;
    if (!interactive)
        widget->setFocusPolicy(Qt::NoFocus);
    else
        widget->setFocusPolicy((item.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    widget->setEnabled(!(item.style & WS_DISABLED));
    widget->setVisible(item.style & WS_VISIBLE);
    if (item.accessibleName)
        widget->setAccessibleName(QString::fromUtf8(item.accessibleName));
    if (item.kind == ControlKind::GroupBox || item.kind == ControlKind::EtchedFrame)
        widget->lower();
    return widget;
}

} // namespace

void CMenu::AppendMenu(unsigned flags, unsigned id, const QString& text) {
    entries.push_back({flags, id, text});
}

CDialog::CDialog(int templateId, CWnd*) : dialogId(templateId) {
    templ = findDialogTemplate(templateId);
}

CDialog::~CDialog() {
    destroyWindow();
}

QDialog* CDialog::window() const {
    return dialogWindow.get();
}

bool CDialog::createWindow(CDialog* ownerDialog) {
    if (!templ)
        return false;
    if (!ownerDialog) {
        for (auto it = liveDialogs().rbegin(); it != liveDialogs().rend(); ++it)
            if ((*it)->isRunning()) {
                ownerDialog = *it;
                break;
            }
    }
    owner = ownerDialog;
    dialogWindow = std::make_unique<DialogWindow>(*this, owner ? owner->window() : nullptr);
    attach(dialogWindow.get());
    DialogWindow& win = *dialogWindow;

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (templ->style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    win.setWindowFlags(flags);
    if ((templ->style & WS_SYSMENU) && systemMenu.items().empty())
        systemMenu.AppendMenu(CMenu::MF_STRING, SC_CLOSE, "Close\tAlt+F4");
    win.setWindowTitle(QString::fromUtf8(templ->caption ? templ->caption : ""));
    QFont font(dialogFontFamily(QString::fromUtf8(templ->fontName)));
    font.setPointSize(templ->fontPoints);
    win.setFont(font);

    const DialogUnits units(font);
    for (const ControlTemplate& item : templ->controls) {
        QWidget* widget = buildControl(item, &win, units);
        if (item.id != IDC_STATIC)
            widgets[item.id] = widget;
        connectNotifications(widget, item);
        if (item.kind == ControlKind::DefPushButton)
            defaultId = item.id;
    }
    win.setFixedSize(units.x(templ->cx), units.y(templ->cy));
    liveDialogs().push_back(this);
    endRequested = false;
    return true;
}

void CDialog::connectNotifications(QWidget* widget, const ControlTemplate& item) {
    const int id = item.id;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [this, id] { SendNotification(id, BN_CLICKED); });
    if (auto* list = qobject_cast<QListWidget*>(widget); list && (item.style & LBS_NOTIFY)) {
        // Selection, not the current line: taking the focus moves the current
        // line without selecting anything, and that is no change to report.
        QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                         [this, id] { SendNotification(id, LBN_SELCHANGE); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                         [this, id] { SendNotification(id, LBN_DBLCLK); });
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [this, id] { SendNotification(id, EN_CHANGE); });
    if (widget->focusPolicy() != Qt::NoFocus)
        widget->installEventFilter(dialogWindow.get());
}

void CDialog::destroyWindow() {
    if (!dialogWindow)
        return;
    for (auto& [id, widget] : widgets)
        widget->removeEventFilter(dialogWindow.get());
    auto& live = liveDialogs();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    // A control object a derived dialog subclassed may already be destroyed
    // here (the dialog's members go before its base); its widget pointer clears
    // itself when the window below is deleted.
    controls.clear();
    ownedControls.clear();
    widgets.clear();
    attach(nullptr);
    dialogWindow.reset();
}

int CDialog::DoModal() {
    if (!dialogWindow && !createWindow(nullptr))
        return -1;
    if (OnInitDialog())
        dialogWindow->moveFocus(true);
    if (endRequested) {
        destroyWindow();
        return endResult;
    }
    dialogWindow->setWindowModality(Qt::ApplicationModal);
    QTimer::singleShot(0, dialogWindow.get(), [this] {
        if (isRunning())
            interaction().modalDialogShown(*this);
    });
    dialogWindow->exec();
    destroyWindow();
    // The keyboard goes back to the owner, also where no window manager
    // hands it back when the modal window goes.
    if (owner && owner->window() && owner->window()->isVisible())
        owner->window()->activateWindow();
    return endResult;
}

bool CDialog::Create(CDialog* ownerDialog) {
    if (!createWindow(ownerDialog))
        return false;
    const bool defaultFocus = OnInitDialog();
    dialogWindow->show();
    if (defaultFocus)
        dialogWindow->moveFocus(true);
    return true;
}

void CDialog::EndDialog(int result) {
    endResult = result;
    endRequested = true;
    if (dialogWindow)
        dialogWindow->done(result);
}

bool CDialog::isRunning() const {
    return dialogWindow && !endRequested;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

const MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap empty;
    return empty;
}

void CDialog::OnSysCommand(unsigned id, long) {
    if (id == SC_CLOSE)
        SendNotification(IDCANCEL, BN_CLICKED);
}

bool CDialog::OnToolTipNeedText(int, QString&) {
    return false;
}

void CDialog::SendNotification(int id, Notification code) {
    if (!dialogWindow)
        return;
    for (const MessageMapEntry& entry : GetMessageMap()) {
        if (entry.id == id && entry.code == code) {
            entry.handler(*this);
            return;
        }
    }
    if (code == BN_CLICKED && id == IDOK)
        OnOK();
    else if (code == BN_CLICKED && id == IDCANCEL)
        OnCancel();
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.failed();
}

QWidget* CDialog::controlWidget(int id) const {
    auto it = widgets.find(id);
    return it == widgets.end() ? nullptr : it->second;
}

void CDialog::registerControl(int id, CWnd* control) {
    auto owned = std::find_if(ownedControls.begin(), ownedControls.end(),
                              [&](const auto& c) { return c->GetDlgCtrlID() == id; });
    if (owned != ownedControls.end() && owned->get() != control)
        ownedControls.erase(owned);
    controls[id] = control;
}

CWnd* CDialog::GetDlgItem(int id) {
    if (auto it = controls.find(id); it != controls.end())
        return it->second;
    QWidget* widget = controlWidget(id);
    if (!widget)
        return nullptr;
    std::unique_ptr<CWnd> control;
    if (qobject_cast<QListWidget*>(widget))
        control = std::make_unique<CListBox>(widget);
    else if (qobject_cast<QLineEdit*>(widget))
        control = std::make_unique<CEdit>(widget);
    else if (qobject_cast<QAbstractButton*>(widget))
        control = std::make_unique<CButton>(widget);
    else
        control = std::make_unique<CStatic>(widget);
    controls[id] = control.get();
    ownedControls.push_back(std::move(control));
    return controls[id];
}

void CDialog::SetDlgItemText(int id, const QString& text) {
    if (CWnd* control = GetDlgItem(id))
        control->SetWindowText(text);
}

QString CDialog::GetDlgItemText(int id) {
    CWnd* control = GetDlgItem(id);
    return control ? control->GetWindowText() : QString();
}

void CDialog::CheckDlgButton(int id, int state) {
    if (auto* box = qobject_cast<QAbstractButton*>(controlWidget(id))) {
        QSignalBlocker quiet(box);
        box->setChecked(state == BST_CHECKED);
    }
}

int CDialog::IsDlgButtonChecked(int id) {
    auto* box = qobject_cast<QAbstractButton*>(controlWidget(id));
    return box && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

CWnd* CDialog::GetFocus() {
    if (!dialogWindow)
        return nullptr;
    QWidget* focused = dialogWindow->focusWidget();
    if (!focused || !focused->hasFocus())
        return nullptr;
    const int id = focused->property("ctrlId").toInt();
    return controlWidget(id) == focused ? GetDlgItem(id) : nullptr;
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (!control || !control->widget())
        return;
    control->SetFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control->widget()))
        edit->selectAll();
}

void CDialog::NextDlgCtrl() {
    if (dialogWindow)
        dialogWindow->moveFocus(true);
}

void CDialog::PrevDlgCtrl() {
    if (dialogWindow)
        dialogWindow->moveFocus(false);
}

void CDialog::EnableToolTips(bool enable) {
    toolTips = enable;
}

void CDialog::CenterWindow() {
    if (!dialogWindow)
        return;
    QRect area;
    if (owner && owner->window())
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        dialogWindow->move(area.center() - dialogWindow->rect().center());
}

void CDialog::SetIcon(const QIcon& icon, bool) {
    if (dialogWindow)
        dialogWindow->setWindowIcon(icon);
}

CMenu* CDialog::GetSystemMenu() {
    return &systemMenu;
}

void CDialog::showSystemMenu(const QPoint& globalPos) {
    QMenu menu(dialogWindow.get());
    for (const CMenu::Item& item : systemMenu.items()) {
        if (item.flags & CMenu::MF_SEPARATOR) {
            menu.addSeparator();
            continue;
        }
        const unsigned id = item.id;
        menu.addAction(item.text, dialogWindow.get(), [this, id] { OnSysCommand(id, 0); });
    }
    menu.exec(globalPos);
}

CWaitCursor::CWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CWaitCursor::~CWaitCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace platform
