#include "platform/resources.h"
#include "res/resource.h"

namespace platform {

QIcon loadResourceIcon(int id)
{
    if (id == res::IDR_MAINFRAME)
        return QIcon(":/res/dravo.svg");
    return QIcon();
}

} // namespace platform
