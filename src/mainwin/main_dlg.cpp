#include "mainwin/main_dlg.h"

#include "collection/list_dlg.h"
#include "mail/send_additions.h"
#include "mainwin/about_dlg.h"
#include "mainwin/file_dlg.h"
#include "platform/data_exchange.h"
#include "platform/dialer.h"
#include "platform/message_box.h"
#include "platform/res_string.h"
#include "platform/win_app.h"
#include "report/report_dlg.h"
#include "res/resource.h"

#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>

#include <memory>
#include <new>

using namespace platform;

namespace {

// F1 opens the About box: the window menu that carries the About command is
// hard to find on this desktop, and there is no help file for F1 to show.
class AboutKey : public QObject {
public:
    AboutKey(CMainDlg& dialog, QObject* parent) : QObject(parent), dlg(dialog) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        dlg.OnSysCommand(res::IDM_ABOUTBOX, 0);
        return true;
    }

private:
    CMainDlg& dlg;
};

} // namespace

CMainDlg::CMainDlg(CWnd* parent) : CDialog(res::IDD_MAIN, parent), session(storeMessages) {
    appIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(res::IDR_MAINFRAME) : QIcon();
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, res::IDC_PUBLISHER_LIST, publisherList);
    DDX_Check(pDX, res::IDC_FILTER_NO_REPORT, filterNoReport);
}

const MessageMap& CMainDlg::GetMessageMap() const {
    static const MessageMap map{
        ON_BN_CLICKED(res::IDC_FILTER_NO_REPORT, &CMainDlg::OnFilterClicked),
        ON_LBN_SELCHANGE(res::IDC_PUBLISHER_LIST, &CMainDlg::OnSelchangePublisherList),
        ON_BN_CLICKED(res::IDC_OPEN_GROUP, &CMainDlg::OnOpenGroupFile),
        ON_BN_CLICKED(res::IDC_NEXT_PHONE, &CMainDlg::OnNextPhone),
        ON_BN_CLICKED(res::IDC_DIAL, &CMainDlg::OnDial),
        ON_BN_CLICKED(res::IDC_SEND_ADDITIONS, &CMainDlg::OnSendAdditions),
        ON_BN_CLICKED(res::IDC_HELP_BUTTON, &CMainDlg::OnHelpButton),
        ON_BN_CLICKED(res::IDC_VIEW_LIST, &CMainDlg::OnViewList),
        ON_BN_CLICKED(res::IDC_MAIL_REMINDER, &CMainDlg::OnMailReminder),
        ON_LBN_DBLCLK(res::IDC_PUBLISHER_LIST, &CMainDlg::OnDblclkPublisherList),
        ON_BN_CLICKED(res::IDC_PREVIEW_REMINDER, &CMainDlg::OnPreviewReminder),
    };
    return map;
}

bool CMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (dialogTemplate()->style & WS_SYSMENU) {
        CMenu* menu = GetSystemMenu();
        menu->AppendMenu(CMenu::MF_SEPARATOR);
        menu->AppendMenu(CMenu::MF_STRING, res::IDM_RESTORE, ResString(res::IDS_RESTORE_COMMAND));
        const QString about = ResString(res::IDS_ABOUTBOX);
        if (!about.isEmpty()) {
            menu->AppendMenu(CMenu::MF_SEPARATOR);
            menu->AppendMenu(CMenu::MF_STRING, res::IDM_ABOUTBOX, about);
        }
    }
    window()->installEventFilter(new AboutKey(*this, window()));
    plainOkCaption = GetDlgItemText(IDOK);
    SetIcon(appIcon, true);
    SetIcon(appIcon, false);

    // Start-up inputs: the group file from the command line, else the one
    // last used; the last entry; the working directory; the language.
    CWinApp* app = AfxGetApp();
    QString path = app ? app->m_lpCmdLine : QString();
    path.remove('"');
    if (!hasGroupFileExtension(path) && app)
        path = app->GetProfileString("Last", "LoadPath");
    // The path goes into the settings for the next run, which may start in
    // another folder: a name typed relative to this one is kept in full.
    if (!path.isEmpty())
        path = QFileInfo(path).absoluteFilePath();
    store().loadedPath = toStorePath(path);
    session.lastEntry = app ? app->GetProfileString("Last", "Post") : QString();
    store().dataValid = false;
    startDirectory =
        store().currentDirectory ? fromStorePath(store().currentDirectory()) : QString();
    store().languageName = ResString(res::IDS_LANGUAGE).toStdString();

    // The reports collected are those of the month before the calendar month.
    session.startReportPeriod();

    GetDlgItem(res::IDC_SEND_ADDITIONS)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_VIEW_LIST)->ShowWindow(SW_HIDE);
    GetDlgItem(res::IDC_FILTER_NO_REPORT)->ShowWindow(SW_HIDE);
    // Its caption "> > >" says nothing to a screen reader.
    GetDlgItem(res::IDC_NEXT_PHONE)->SetAccessibleName(ResString(res::IDS_NEXT_PHONE_NAME));

    // A list open in another window stays that window's: two windows saving
    // the same file would each overwrite what the other stored.
    if (hasGroupFileExtension(fromStorePath(store().loadedPath)) &&
        !lockGroupFile(fromStorePath(store().loadedPath))) {
        exited = true;
        EndDialog(IDCANCEL);
        return false;
    }
    if (hasGroupFileExtension(fromStorePath(store().loadedPath)) &&
        store().loadGroupFile(store().loadedPath)) {
        rememberDiskState();
        FillPublisherList();
        UpdateCaptions();
    }
    filterNoReport = 0;
    publisherList.SetFocus();
    return false;
}

void CMainDlg::FillPublisherList() {
    publisherList.ResetContent();
    int count = 0;
    for (unsigned p = 1; p <= store().publisherCount; ++p) {
        if (filterNoReport != 0 &&
            !store().isReportMissing(p, store().reportMonth, store().yearSlot))
            continue;
        // Inserted by position: the list keeps the file's order despite its sort style.
        publisherList.InsertString(count, session.displayText(p, true));
        publisherList.SetItemData(count, p);
        ++count;
    }
    if (selectedItem > count - 1)
        selectedItem = 0;
    publisherList.SetCurSel(selectedItem);
    publisherList.SetFocus();
    OnSelchangePublisherList();
}

bool CMainDlg::rememberSelectedLine() {
    if (publisherList.GetCount() == 0)
        return false;
    const int line = publisherList.GetCurSel();
    if (line < 0)
        return false;
    selectedItem = line;
    return true;
}

void CMainDlg::clearContact() {
    for (int id : {res::IDC_PHONE_NUMBER, res::IDC_DIAL, res::IDC_NEXT_PHONE,
                   res::IDC_MAIL_REMINDER, res::IDC_PREVIEW_REMINDER})
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    SetDlgItemText(res::IDC_PHONE_NUMBER, QString());
    SetDlgItemText(IDOK, plainOkCaption);
}

void CMainDlg::OnSelchangePublisherList() {
    // An empty list (a filter that leaves nobody, another file) must not go
    // on offering the number and reminder of a publisher it no longer shows.
    if (publisherList.GetCount() == 0) {
        clearContact();
        return;
    }
    if (store().publisherCount < 2 || !rememberSelectedLine())
        return;
    const auto p = unsigned(publisherList.GetItemData(selectedItem));

    GetDlgItem(IDOK)->SetWindowText(AfxFormatString1(res::IDS_POST, session.displayText(p, false)));

    CWnd* number = GetDlgItem(res::IDC_PHONE_NUMBER);
    if (store().gatherContacts(p) > 0) {
        number->SetWindowText(fromGroupText(store().phoneList[store().phoneCursor]));
        number->ShowWindow(SW_SHOW);
        // "Bel" is the only way to the dial command; offer it only where the
        // desktop can place the call.
        GetDlgItem(res::IDC_DIAL)->ShowWindow(canDial() ? SW_SHOW : SW_HIDE);
    } else {
        GetDlgItem(res::IDC_DIAL)->ShowWindow(SW_HIDE);
        number->SetWindowText(QString());
        number->ShowWindow(SW_HIDE);
    }
    GetDlgItem(res::IDC_NEXT_PHONE)->ShowWindow(store().phoneCount >= 2 ? SW_SHOW : SW_HIDE);

    const int mailShow = store().contactEmail.empty() ? SW_HIDE : SW_SHOW;
    if (!store().contactEmail.empty())
        GetDlgItem(res::IDC_MAIL_REMINDER)
            ->SetWindowText("E-mail - " + fromGroupText(store().contactEmail));
    GetDlgItem(res::IDC_MAIL_REMINDER)->ShowWindow(mailShow);
    GetDlgItem(res::IDC_PREVIEW_REMINDER)->ShowWindow(mailShow);
}

void CMainDlg::UpdateCaptions() {
    const QString group = ResString(res::IDS_GROUP) + ' ' + QString::number(store().groupNumber);
    const QString report =
        ResString(res::IDS_REPORT_TITLE, res::IDS_MONTH_FIRST + store().reportMonth);
    SetWindowText(report + " - " + group + ' ');

    int missing = 0;
    for (unsigned p = 1; p <= store().publisherCount; ++p)
        if (store().isReportMissing(p, store().reportMonth, store().yearSlot))
            ++missing;
    SetDlgItemText(res::IDC_MISSING_COUNT,
                   ResString(res::IDS_MISSING_REPORTS, res::IDS_MONTH_FIRST + store().reportMonth) +
                       " = " + QString::number(missing));
    SetDlgItemText(res::IDC_PUBLISHER_COUNT, ResString(res::IDS_PUBLISHERS) + " = " +
                                                 QString::number(store().publisherCount));
    SetDlgItemText(res::IDC_LAST_ENTRY, session.lastEntry);

    const int listShow = publisherList.GetCount() > 0 ? SW_SHOW : SW_HIDE;
    GetDlgItem(res::IDC_SEND_ADDITIONS)->ShowWindow(listShow);
    GetDlgItem(res::IDC_VIEW_LIST)->ShowWindow(listShow);
    GetDlgItem(res::IDC_FILTER_NO_REPORT)
        ->ShowWindow(store().publisherCount != 0 ? SW_SHOW : SW_HIDE);
}

void CMainDlg::OnFilterClicked() {
    filterNoReport = IsDlgButtonChecked(res::IDC_FILTER_NO_REPORT) == BST_CHECKED ? 1 : 0;
    FillPublisherList();
    // The buttons follow the list's lines: an empty filtered list hid them,
    // the whole list brings them back.
    UpdateCaptions();
}

void CMainDlg::OnOK() {
    if (!rememberSelectedLine())
        return;

    std::unique_ptr<CReportDlg> report;
    try {
        report = std::make_unique<CReportDlg>(session,
                                              unsigned(publisherList.GetItemData(selectedItem)));
    } catch (const std::bad_alloc&) {
        OnCancel();
        return;
    }
    const bool committed = report->DoModal() == IDOK;
    report.reset();
    // A stored report goes to the disk at once: a crash, a power cut or a
    // logout later in the evening must not take it along.
    if (committed) {
        UpdateCaptions();
        saveLoadedGroup();
    }
    if (filterNoReport != 0)
        FillPublisherList();
    else
        publisherList.SetFocus();
}

void CMainDlg::OnDblclkPublisherList() {
    OnOK();
}

void CMainDlg::OnOpenGroupFile() {
    const QString filterText =
        QString("%1~%2~~").arg(ResString(res::IDS_OPEN_FILTER), "*.k09").replace('~', QChar(0));
    CFileDlg dlg(true, QString(), QString(), OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST,
                 filterText);

    // Start in the loaded file's folder while that file is still there.
    const QString loaded = fromStorePath(store().loadedPath);
    const qsizetype slash = loaded.lastIndexOf('/');
    // Looked at without opening it: a pipe in its place must not hold us up.
    const QFileInfo probe(loaded);
    if (loaded.size() > 8 && probe.isFile() && probe.isReadable() && slash >= 2)
        dlg.initialDir = loaded.left(slash);
    else
        dlg.initialDir = startDirectory;
    dlg.title = ResString(res::IDS_OPEN_TITLE);

    if (dlg.DoModal() == IDOK) {
        const QString chosen = dlg.GetPathName();
        if (!hasGroupFileExtension(chosen))
            return;
        // The new list replaces the store: what was entered into the old one
        // goes to its file first, as it would at exit.
        if ((!saveLoadedGroup() && !resolveUnsavedList()) || !lockGroupFile(chosen)) {
            QDir::setCurrent(startDirectory);
            publisherList.SetFocus();
            return;
        }
        store().loadGroupFile(toStorePath(chosen));
        rememberDiskState();
        FillPublisherList();
        session.lastEntry.clear();
        UpdateCaptions();
    }
    QDir::setCurrent(startDirectory);
    publisherList.SetFocus();
}

void CMainDlg::OnSendAdditions() {
    sendAdditions(session.store(), mailTransport());
    publisherList.SetFocus();
}

void CMainDlg::OnViewList() {
    const groupdata::GroupStore& group = store();
    auto list = std::make_unique<CListDlg>(
        ListSource{session.store(), group.reportMonth, group.yearSlot, group.groupNumber});
    list->DoModal();
    publisherList.SetFocus();
}

void CMainDlg::OnHelpButton() {
    QString text = ResString(res::IDS_HELP_FIRST);
    for (unsigned id = res::IDS_HELP_FIRST + 1; id <= res::IDS_HELP_LAST; ++id)
        text += ResString(id);
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    publisherList.SetFocus();
}

void CMainDlg::OnSysCommand(unsigned id, long param) {
    if ((id & 0xFFF0u) == res::IDM_ABOUTBOX)
        showAboutBox();
    else if ((id & 0xFFF0u) == res::IDM_RESTORE)
        OnRestoreBackup();
    else
        CDialog::OnSysCommand(id, param);
}

bool CMainDlg::canDial() {
    // Asking the desktop runs a program; once a run is enough, not at every
    // arrow key in the list.
    if (!dialAvailable)
        dialAvailable = dialer().available();
    return *dialAvailable;
}

void CMainDlg::showAboutBox() {
    CAboutDlg about;
    about.DoModal();
}
