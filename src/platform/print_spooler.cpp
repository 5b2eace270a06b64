#include "platform/print_spooler.h"

#include <QLibrary>

namespace platform {
namespace {

// CUPS keeps the status of its last request per thread; the toolkit's print
// support has already loaded the library when a job went to a queue.
using LastError = int (*)();
using LastErrorString = const char* (*)();

// IPP status codes from here on are client and server errors.
constexpr int firstIppError = 0x0400;

} // namespace

QString lastSpoolerError() {
    QLibrary cups("cups", 2);
    const auto status = reinterpret_cast<LastError>(cups.resolve("cupsLastError"));
    const auto message = reinterpret_cast<LastErrorString>(cups.resolve("cupsLastErrorString"));
    if (!status || status() < firstIppError)
        return QString();
    const char* text = message ? message() : nullptr;
    return text && *text ? QString::fromLocal8Bit(text)
                         : QString("IPP 0x%1").arg(status(), 4, 16, QChar('0'));
}

} // namespace platform
