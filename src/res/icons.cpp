#include "platform/resources.h"
#include "res/resource.h"

// The resource file is compiled into a static library, whose registration the
// linker drops unless something calls it.
static void registerResources() {
    Q_INIT_RESOURCE(res);
}

namespace platform {

QIcon loadResourceIcon(int id) {
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
    if (id == res::IDR_MAINFRAME)
        return QIcon(":/res/dravo.svg");
    return QIcon();
}

} // namespace platform
