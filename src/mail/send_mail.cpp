#include "mail/send_mail.h"

#include "platform/message_box.h"
#include "platform/mime_message.h"
#include "res/resource.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

// The window the mail system works for: disabled while it works, so the user
// cannot start a second message or close the program under it.
class OwnerBlocked {
public:
    OwnerBlocked() {
        owner = QApplication::activeModalWidget();
        if (!owner)
            owner = QApplication::activeWindow();
        focus = QApplication::focusWidget();
        if (owner && owner->isEnabled()) {
            owner->setEnabled(false);
            disabled = true;
        }
    }
    ~OwnerBlocked() {
        if (owner && disabled) {
            owner->setEnabled(true);
            owner->activateWindow();
        }
        if (focus)
            focus->setFocus();
    }
    OwnerBlocked(const OwnerBlocked&) = delete;
    OwnerBlocked& operator=(const OwnerBlocked&) = delete;

private:
    QPointer<QWidget> owner;
    QPointer<QWidget> focus;
    bool disabled = false;
};

} // namespace

bool sendMail(MailTransport& transport, const MailContent& content) {
    MailResult result;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    {
        OwnerBlocked blocked;
        result = transport.send(content);
    }
    QGuiApplication::restoreOverrideCursor();
    reportMailResult(result);
    return result.status == MailResult::Status::Sent ||
           result.status == MailResult::Status::Cancelled;
}

void reportMailResult(const MailResult& result) {
    using Status = MailResult::Status;
    switch (result.status) {
    case Status::Sent:
    case Status::Cancelled:
        return;
    case Status::NoMailSystem:
        platform::AfxMessageBox(res::IDS_MAIL_LOAD_FAILED, platform::MB_OK);
        return;
    case Status::Unusable:
        platform::AfxMessageBox(res::IDS_MAIL_INVALID, platform::MB_OK);
        return;
    case Status::Failed: {
        QString text = platform::AfxLoadString(res::IDS_MAIL_SEND_FAILED);
        // Name the address that could not be used, so the user can mend it.
        if (!result.refusedAddress.isEmpty())
            text += QStringLiteral("\n\n") + platform::headerSafeText(result.refusedAddress);
        platform::AfxMessageBox(text, platform::MB_OK);
        return;
    }
    }
}
