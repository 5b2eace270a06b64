// The window menu's "Vorige versie terugzetten...": puts a kept version of the
// open group file back, after keeping a copy of the file as it is.
#include "mainwin/backups.h"
#include "mainwin/main_dlg.h"
#include "mainwin/restore_dlg.h"
#include "platform/message_box.h"
#include "res/resource.h"

#include <QFileInfo>

using namespace platform;

namespace {

// Reads a kept version for its month and how many of that month's reports it holds.
class VersionSummary : private groupdata::StoreMessages, public groupdata::GroupStore {
public:
    explicit VersionSummary(const CMainDlg& window)
        : GroupStore(static_cast<StoreMessages&>(*this)) {
        localTime = window.session.store().localTime;
        reportMonth = defaultMonth = window.session.store().defaultMonth;
        yearSlot = window.session.store().yearSlot;
    }

    QString describe(const QString& path) {
        loadGroupFile(toStorePath(path));
        int reported = 0;
        for (unsigned p = 1; p <= publisherCount; ++p)
            if (!isReportMissing(p, reportMonth, yearSlot))
                ++reported;
        return AfxFormatString2(res::IDS_BACKUP_REPORTS, QString::number(reported),
                                AfxLoadString(res::IDS_MONTH_FIRST + reportMonth));
    }

private:
    // A version that cannot be read shows as holding nothing; the restore
    // itself says what is wrong with it.
    void lowMemory() override {}
    void cannotCreate(const std::string&) override {}
    void tooFewPublishers() override {}
    void remarkTableFull() override {}
};

} // namespace

GroupBackups CMainDlg::backupsOnOurClock() const {
    GroupBackups backups;
    backups.now = [this] {
        std::tm t = store().localTime();
        return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday),
                         QTime(t.tm_hour, t.tm_min, t.tm_sec));
    };
    return backups;
}

void CMainDlg::OnRestoreBackup() {
    const QString path = fromStorePath(store().loadedPath);
    GroupBackups backups = backupsOnOurClock();
    const QList<BackupEntry> versions =
        hasGroupFileExtension(path) ? backups.list(path) : QList<BackupEntry>();
    if (versions.isEmpty()) {
        AfxMessageBox(AfxFormatString1(res::IDS_NO_BACKUPS, path), MB_OK | MB_ICONINFORMATION);
        return;
    }

    QStringList lines;
    for (const BackupEntry& version : versions) {
        const QString reports = VersionSummary(*this).describe(version.path);
        lines << formatMessage(AfxLoadString(res::IDS_BACKUP_LINE),
                               version.taken.toString("dd-MM-yyyy  HH:mm:ss"), reports);
    }
    CRestoreDlg dlg(lines);
    if (dlg.DoModal() != IDOK || dlg.chosen < 0 || dlg.chosen >= versions.size()) {
        publisherList.SetFocus();
        return;
    }

    // What is in the window goes to the file first, so that the copy the
    // restore keeps of it holds everything entered.
    if (!saveLoadedGroup() && !resolveUnsavedList()) {
        publisherList.SetFocus();
        return;
    }
    QString error;
    if (!backups.restore(path, versions[dlg.chosen].path, &error)) {
        AfxMessageBox(error, MB_OK);
        publisherList.SetFocus();
        return;
    }
    store().loadGroupFile(store().loadedPath);
    rememberDiskState();
    FillPublisherList();
    UpdateCaptions();
}
