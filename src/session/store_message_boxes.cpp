#include "session/store_message_boxes.h"

#include "platform/group_text.h"
#include "platform/message_box.h"
#include "res/resource.h"

using namespace platform;

void StoreMessageBoxes::lowMemory() {
    if (!quiet)
        AfxMessageBox("Low Memory", MB_OK);
}

void StoreMessageBoxes::cannotCreate(const std::string& shownPath) {
    if (!quiet)
        AfxMessageBox(AfxFormatString1(res::IDS_CANNOT_CREATE, fromStorePath(shownPath)), MB_OK);
}

void StoreMessageBoxes::tooFewPublishers() {
    if (!quiet)
        AfxMessageBox(res::IDS_TOO_FEW_PUBLISHERS, MB_OK);
}

void StoreMessageBoxes::remarkTableFull() {
    if (!quiet)
        AfxMessageBox(res::IDS_NO_ROOM, MB_OK);
}
