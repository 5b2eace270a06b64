#pragma once
// Modal dialogs built from the resource templates. Controls are addressed by id;
// their notifications reach named handlers through each dialog's message map.

#include "platform/constants.h"
#include "platform/controls.h"
#include "platform/dialog_template.h"
#include "platform/wnd.h"

#include <QDialog>
#include <QIcon>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QMenu;

namespace platform {

class CDataExchange;
class DialogWindow;

// Notifications a control sends to its dialog.
enum Notification {
    BN_CLICKED,
    LBN_SELCHANGE,
    LBN_DBLCLK,
    NM_SETFOCUS,
    NM_KILLFOCUS,
    EN_CHANGE,
};
constexpr Notification EN_SETFOCUS = NM_SETFOCUS;
constexpr Notification EN_KILLFOCUS = NM_KILLFOCUS;
constexpr Notification LBN_SETFOCUS = NM_SETFOCUS;
constexpr Notification LBN_KILLFOCUS = NM_KILLFOCUS;

class CDialog;

struct MessageMapEntry {
    int id;
    Notification code;
    std::function<void(CDialog&)> handler;
};
using MessageMap = std::vector<MessageMapEntry>;

template <class D> MessageMapEntry ON_NOTIFICATION(Notification code, int id, void (D::*fn)()) {
    return {id, code, [fn](CDialog& dialog) { (static_cast<D&>(dialog).*fn)(); }};
}
template <class D> MessageMapEntry ON_BN_CLICKED(int id, void (D::*fn)()) {
    return ON_NOTIFICATION(BN_CLICKED, id, fn);
}
template <class D> MessageMapEntry ON_LBN_SELCHANGE(int id, void (D::*fn)()) {
    return ON_NOTIFICATION(LBN_SELCHANGE, id, fn);
}
template <class D> MessageMapEntry ON_LBN_DBLCLK(int id, void (D::*fn)()) {
    return ON_NOTIFICATION(LBN_DBLCLK, id, fn);
}
template <class D> MessageMapEntry ON_LBN_KILLFOCUS(int id, void (D::*fn)()) {
    return ON_NOTIFICATION(LBN_KILLFOCUS, id, fn);
}
template <class D> MessageMapEntry ON_EN_KILLFOCUS(int id, void (D::*fn)()) {
    return ON_NOTIFICATION(EN_KILLFOCUS, id, fn);
}
template <class D> MessageMapEntry ON_EN_SETFOCUS(int id, void (D::*fn)()) {
    return ON_NOTIFICATION(EN_SETFOCUS, id, fn);
}

// The window menu ("system menu"): on this desktop it opens with Alt+Space or
// from the dialog's context menu.
class CMenu {
public:
    enum Flags : unsigned { MF_STRING = 0, MF_SEPARATOR = 0x800 };
    void AppendMenu(unsigned flags, unsigned id = 0, const QString& text = QString());
    struct Item {
        unsigned flags;
        unsigned id;
        QString text;
    };
    const std::vector<Item>& items() const { return entries; }

private:
    std::vector<Item> entries;
};

class CDialog : public CWnd {
public:
    explicit CDialog(int templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally over the active dialog; returns the EndDialog result.
    virtual int DoModal();
    // Creates and shows the dialog without a loop of its own (the main window
    // under test); it ends with EndDialog like a modal one.
    bool Create(CDialog* owner = nullptr);
    void EndDialog(int result);
    bool isRunning() const;
    int result() const { return endResult; }

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual const MessageMap& GetMessageMap() const;
    virtual void OnSysCommand(unsigned id, long param);
    // Text of the tool tip of control id; false shows none.
    virtual bool OnToolTipNeedText(int id, QString& text);

    bool UpdateData(bool saveAndValidate = true);

    CWnd* GetDlgItem(int id);
    CButton* button(int id) { return static_cast<CButton*>(GetDlgItem(id)); }
    CEdit* edit(int id) { return static_cast<CEdit*>(GetDlgItem(id)); }
    CListBox* listBox(int id) { return static_cast<CListBox*>(GetDlgItem(id)); }
    void SetDlgItemText(int id, const QString& text);
    QString GetDlgItemText(int id);
    void CheckDlgButton(int id, int state);
    int IsDlgButtonChecked(int id);

    // The control that has the keyboard focus, or nullptr.
    CWnd* GetFocus();
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl();
    void PrevDlgCtrl();
    int GetDefID() const { return defaultId; }

    void EnableToolTips(bool enable = true);
    void CenterWindow();
    void SetIcon(const QIcon& icon, bool big);
    CMenu* GetSystemMenu();
    // The dialog that was active when this one was created; nullptr for none.
    CDialog* GetOwnerDialog() const { return owner; }

    // Dispatches a notification as if control id had sent it.
    void SendNotification(int id, Notification code);

    QDialog* window() const;
    int templateId() const { return dialogId; }
    const DialogTemplate* dialogTemplate() const { return templ; }

    // For the platform layer.
    QWidget* controlWidget(int id) const;
    void registerControl(int id, CWnd* control);

private:
    friend class DialogWindow;
    bool createWindow(CDialog* ownerDialog);
    void destroyWindow();
    void showSystemMenu(const QPoint& globalPos);
    void connectNotifications(QWidget* control, const ControlTemplate& item);

    int dialogId;
    const DialogTemplate* templ = nullptr;
    CDialog* owner = nullptr;
    std::unique_ptr<DialogWindow> dialogWindow;
    std::map<int, QWidget*> widgets;
    std::map<int, CWnd*> controls;
    std::vector<std::unique_ptr<CWnd>> ownedControls;
    CMenu systemMenu;
    int defaultId = IDOK;
    int endResult = 0;
    bool endRequested = false;
    bool toolTips = false;
};

// Shows the wait cursor while it lives.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

} // namespace platform
