#include "session/session_message_boxes.h"

#include "platform/group_text.h"
#include "platform/message_box.h"
#include "res/resource.h"

using namespace platform;

void SessionMessageBoxes::lowMemory() {
    AfxMessageBox("Low Memory", MB_OK);
}

void SessionMessageBoxes::cannotCreate(const std::string& shownPath) {
    AfxMessageBox(AfxFormatString1(res::IDS_CANNOT_CREATE, fromStorePath(shownPath)), MB_OK);
}

void SessionMessageBoxes::tooFewPublishers() {
    AfxMessageBox(res::IDS_TOO_FEW_PUBLISHERS, MB_OK);
}

void SessionMessageBoxes::remarkTableFull() {
    AfxMessageBox(res::IDS_NO_ROOM, MB_OK);
}

void SessionMessageBoxes::backupFailed(const QString& groupFile, const QString& folder) {
    AfxMessageBox(AfxFormatString2(res::IDS_BACKUP_FAILED, groupFile, folder), MB_OK);
}
