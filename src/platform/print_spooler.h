#pragma once
// What the print spooler made of a job. The toolkit hands a job to the
// spooler when the painting ends and does not say whether the queue took it.

#include <QString>

namespace platform {

// The spooler's complaint about the last job this thread handed to a print
// queue; empty when the queue took it or no spooler is installed. Ask right
// after the job ends: any later request to the spooler replaces the answer.
QString lastSpoolerError();

} // namespace platform
