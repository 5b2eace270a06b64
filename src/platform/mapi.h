#pragma once
// Our own Simple MAPI: the message, recipient and file descriptions, the result
// codes, and a mail "library" that is loaded and whose entry points are looked
// up by name. Loading finds the machine's mail route:
//   - a sendmail-compatible program ($DRAVO_SENDMAIL, else "sendmail" on PATH,
//     else /usr/sbin/sendmail, else /usr/lib/sendmail), run without a shell with
//     the recipients as arguments and the MIME message on standard input;
//   - otherwise the desktop's mail client through xdg-email;
//   - neither: the library cannot be loaded.
// A sendmail that is there but cannot be run (not executable, a folder, a
// dangling link) and no xdg-email, or a $DRAVO_SENDMAIL that cannot be run: the
// library loads but lacks its entry points.
// Texts in the structures are UTF-8; nPosition counts bytes of lpszNoteText.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace platform {

using ULONG = unsigned long;
using FLAGS = unsigned long;
using LHANDLE = unsigned long;

struct MapiRecipDesc {
    ULONG ulReserved;
    ULONG ulRecipClass; // MAPI_ORIG or MAPI_TO
    char* lpszName;
    char* lpszAddress; // "SMTP:" and the address
    ULONG ulEIDSize;
    void* lpEntryID;
};

struct MapiFileDesc {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition; // byte of lpszNoteText the attachment takes the place of
    char* lpszPathName;
    char* lpszFileName; // the name the receiver sees; null for the path's own name
    void* lpFileType;
};

struct MapiMessage {
    ULONG ulReserved;
    char* lpszSubject;
    char* lpszNoteText;
    char* lpszMessageType;
    char* lpszDateReceived;
    char* lpszConversationID;
    FLAGS flFlags;
    MapiRecipDesc* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDesc* lpRecips;
    ULONG nFileCount;
    MapiFileDesc* lpFiles;
};

enum : ULONG { MAPI_ORIG = 0, MAPI_TO = 1 };
enum : FLAGS { MAPI_LOGON_UI = 0x1, MAPI_DIALOG = 0x8 };

enum : ULONG {
    SUCCESS_SUCCESS = 0,
    MAPI_USER_ABORT = 1,
    MAPI_E_FAILURE = 2,
    MAPI_E_LOGIN_FAILURE = 3,
    MAPI_E_INSUFFICIENT_MEMORY = 5,
    MAPI_E_ATTACHMENT_NOT_FOUND = 11,
    MAPI_E_ATTACHMENT_OPEN_FAILURE = 12,
    MAPI_E_BAD_RECIPTYPE = 15,
    MAPI_E_INVALID_MESSAGE = 17,
    MAPI_E_INVALID_RECIPS = 25,
};

using MapiSendMailProc = std::function<ULONG(LHANDLE session, QWidget* uiParam,
                                             MapiMessage* message, FLAGS flags, ULONG reserved)>;
using MapiLogonProc =
    std::function<ULONG(QWidget* uiParam, const char* profileName, const char* password,
                        FLAGS flags, ULONG reserved, LHANDLE* session)>;

class MapiLibrary {
public:
    enum class Route { Sendmail, DesktopClient, Broken, Substitute };

    // Loads the library of that name ("MAPI32.DLL"); nothing when no mail route exists.
    static std::shared_ptr<MapiLibrary> load(const QString& fileName);

    // The entry points by name; empty when the library has none of that name.
    MapiSendMailProc sendMailProc(const char* procName) const;
    MapiLogonProc logonProc(const char* procName) const;

    Route route() const { return route_; }
    QString program() const { return program_; }

    MapiLibrary(Route route, QString program) : route_(route), program_(std::move(program)) {}

private:
    Route route_;
    QString program_;
};

// The sendmail-compatible program the mail library would use: the path, or an
// empty text when there is none. unusable (when given) is set when a candidate
// was found that cannot be run.
QString findSendmail(bool* unusable = nullptr);

// Seams for tests.
// The places searched after PATH (/usr/sbin/sendmail, /usr/lib/sendmail).
void setSendmailFallbackPaths(const QStringList& paths);
QStringList sendmailFallbackPaths();
// The time written into the Date field; empty for the system clock.
void setMailClock(std::function<QDateTime()> clock);
// Takes the place of the mail route in every library loaded afterwards: it
// receives the message and gives the result of MAPISendMail. Empty restores
// the real routes.
void setMailDeliverySubstitute(std::function<ULONG(const MapiMessage&, FLAGS)> delivery);

} // namespace platform
