#pragma once
// One mail message handed to the mail system through Simple MAPI. An object
// lives for one message: created on the stack of the handler that sends,
// filled, sent once, destroyed. Failures of the mail system are shown here;
// the caller shows nothing more.

#include "platform/mapi.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

class CMapiMail {
public:
    // Values of takeError.
    enum : int {
        mailOk = 0,
        mailNotLoaded = 1,       // the mail library cannot be loaded
        mailInvalid = 2,         // the library lacks MAPISendMail or MAPILogon
        mailNoRecipientRoom = 3, // the recipient array could not be grown
        mailNoAttachmentRoom = 5 // the attachment array could not be grown
    };

    CMapiMail();
    ~CMapiMail();
    CMapiMail(const CMapiMail&) = delete;
    CMapiMail& operator=(const CMapiMail&) = delete;

    // The current error code; resets it to mailOk.
    int takeError();
    // Adds one recipient for each ";"-separated entry of list; 0 when the
    // array could not be grown (the entries before stay).
    int addRecipients(const QString& list);
    void setSubject(const QString& text);
    // A null fileName lets the receiver see the file's own name.
    int addAttachment(const QString& path, const QString& fileName = QString());
    // 1 when the mail system sent the message, or the user cancelled its logon
    // or the sending; 0 after showing that sending failed. Call once.
    int send(platform::FLAGS flags);

    QString originatorName;
    QString body;

    const platform::MapiMessage& mapiMessage() const { return message; }

    // Seam for tests: the routine that grows the recipient and attachment
    // arrays (realloc unless replaced); nullptr restores realloc.
    using Reallocator = void* (*)(void*, std::size_t);
    static void setReallocator(Reallocator reallocator);

private:
    void releaseTexts();
    void showSendFailure(platform::ULONG result) const;

    platform::MapiMessage message{};
    platform::MapiRecipDesc originator{};
    int mailError = mailOk;
    QByteArray originatorText;
    QByteArray noteText;
    platform::MapiSendMailProc sendEntry;
    platform::MapiLogonProc logonEntry;
};
