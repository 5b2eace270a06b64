#pragma once
// The program's resources, as the platform layer looks them up. The resource
// script in src/res defines these.

#include "platform/dialog_template.h"

#include <QIcon>
#include <QString>

namespace platform {

// The dialog template with this id, or nullptr.
const DialogTemplate* findDialogTemplate(int id);
// The string-table text with this id; a null QString when there is none.
QString findResourceString(unsigned id);
// The icon with this resource id.
QIcon loadResourceIcon(int id);

} // namespace platform
