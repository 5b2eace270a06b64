#include "mail/mapi_mail.h"

#include "platform/message_box.h"
#include "platform/mime_message.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace platform;

namespace {

constexpr unsigned idsMailLoadFailed = 61840; // "Unable to load mail system support."
constexpr unsigned idsMailInvalid = 61841;    // "Mail system DLL is invalid."
constexpr unsigned idsSendFailed = 61842;     // "Send Mail failed to send message."

// The loaded mail library, shared by all objects; loaded by the first object
// that finds it missing and let go by the next destruction. Each object keeps
// the entry points it looked up, so the library outlives a neighbour's
// destruction while the object still needs it.
std::shared_ptr<MapiLibrary> mapiModule;

CMapiMail::Reallocator reallocate = &std::realloc;

// A heap copy in UTF-8, the text form of the Simple MAPI structures.
char* copyText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    auto* copy = static_cast<char*>(std::malloc(std::size_t(utf8.size()) + 1));
    if (copy)
        std::memcpy(copy, utf8.constData(), std::size_t(utf8.size()) + 1);
    return copy;
}

void releaseText(char*& text) {
    std::free(text);
    text = nullptr;
}

// Grows array by one zeroed entry.
template <typename Entry> bool growByOne(Entry*& array, ULONG count) {
    void* grown = reallocate(array, (std::size_t(count) + 1) * sizeof(Entry));
    if (!grown)
        return false;
    array = static_cast<Entry*>(grown);
    std::memset(static_cast<void*>(&array[count]), 0, sizeof(Entry));
    return true;
}

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
    QWidget* window() const { return owner; }

private:
    QPointer<QWidget> owner;
    QPointer<QWidget> focus;
    bool disabled = false;
};

} // namespace

CMapiMail::CMapiMail() {
    message.lpOriginator = &originator;
    originator.ulRecipClass = MAPI_ORIG;
    if (!mapiModule) {
        mapiModule = MapiLibrary::load(QStringLiteral("MAPI32.DLL"));
        if (!mapiModule) {
            AfxMessageBox(idsMailLoadFailed, MB_OK);
            mailError = mailNotLoaded;
            return;
        }
    }
    sendEntry = mapiModule->sendMailProc("MAPISendMail");
    logonEntry = mapiModule->logonProc("MAPILogon");
    if (!sendEntry || !logonEntry) {
        AfxMessageBox(idsMailInvalid, MB_OK);
        mailError = mailInvalid;
    }
}

CMapiMail::~CMapiMail() {
    mapiModule.reset();
    // Texts send has not released yet: the object may go without sending.
    releaseTexts();
    std::free(message.lpFiles);
    std::free(message.lpRecips);
    std::free(message.lpszSubject);
}

int CMapiMail::takeError() {
    const int error = mailError;
    mailError = mailOk;
    return error;
}

int CMapiMail::addRecipients(const QString& list) {
    const QStringList entries = list.split(u';', Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        if (!growByOne(message.lpRecips, message.nRecipCount)) {
            mailError = mailNoRecipientRoom;
            return 0;
        }
        MapiRecipDesc& recipient = message.lpRecips[message.nRecipCount];
        recipient.lpszName = copyText(entry);
        recipient.lpszAddress = copyText(QStringLiteral("SMTP:%1").arg(entry));
        recipient.ulRecipClass = MAPI_TO;
        ++message.nRecipCount;
    }
    return 1;
}

void CMapiMail::setSubject(const QString& text) {
    std::free(message.lpszSubject);
    message.lpszSubject = copyText(text);
}

int CMapiMail::addAttachment(const QString& path, const QString& fileName) {
    if (!growByOne(message.lpFiles, message.nFileCount)) {
        mailError = mailNoAttachmentRoom;
        return 0;
    }
    MapiFileDesc& file = message.lpFiles[message.nFileCount];
    file.lpszPathName = copyText(path);
    if (!fileName.isNull())
        file.lpszFileName = copyText(fileName);
    ++message.nFileCount;
    return 1;
}

int CMapiMail::send(FLAGS flags) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);

    // Each attachment takes the place of one blank at the end of the text.
    // Positions count bytes of the UTF-8 text handed over.
    const ULONG textLength = ULONG(body.toUtf8().size());
    for (ULONG i = 0; i < message.nFileCount; ++i) {
        body += u' ';
        message.lpFiles[i].nPosition = textLength + i;
    }
    noteText = body.toUtf8();
    message.lpszNoteText = noteText.data();
    originatorText = originatorName.toUtf8();
    originator.lpszName = originatorName.isNull() ? nullptr : originatorText.data();

    ULONG result = MAPI_E_FAILURE;
    {
        OwnerBlocked blocked;
        if (sendEntry)
            result = sendEntry(0, blocked.window(), &message, flags | MAPI_LOGON_UI, 0);
    }
    message.lpszNoteText = nullptr;
    originator.lpszName = nullptr;

    QGuiApplication::restoreOverrideCursor();
    if (result != SUCCESS_SUCCESS && result != MAPI_USER_ABORT && result != MAPI_E_LOGIN_FAILURE)
        showSendFailure(result);
    releaseTexts();
    return result == SUCCESS_SUCCESS || result == MAPI_USER_ABORT || result == MAPI_E_LOGIN_FAILURE;
}

void CMapiMail::showSendFailure(ULONG result) const {
    QString text = AfxLoadString(idsSendFailed);
    // Name the address that could not be used, so the user can mend it.
    if (result == MAPI_E_INVALID_RECIPS) {
        for (ULONG i = 0; i < message.nRecipCount; ++i) {
            const char* name = message.lpRecips[i].lpszName;
            QString entry = name ? QString::fromUtf8(name) : QString();
            while (entry.startsWith(u' ') || entry.startsWith(u'\t'))
                entry.remove(0, 1);
            while (entry.endsWith(u' ') || entry.endsWith(u'\t'))
                entry.chop(1);
            if (!entry.isEmpty() && !normalizedMailAddress(entry)) {
                text += QStringLiteral("\n\n") + headerSafeText(entry);
                break;
            }
        }
    }
    AfxMessageBox(text, MB_OK);
}

void CMapiMail::releaseTexts() {
    for (ULONG i = 0; i < message.nRecipCount; ++i) {
        releaseText(message.lpRecips[i].lpszName);
        releaseText(message.lpRecips[i].lpszAddress);
    }
    for (ULONG i = 0; i < message.nFileCount; ++i) {
        releaseText(message.lpFiles[i].lpszPathName);
        releaseText(message.lpFiles[i].lpszFileName);
    }
}

void CMapiMail::setReallocator(Reallocator reallocator) {
    reallocate = reallocator ? reallocator : &std::realloc;
}
