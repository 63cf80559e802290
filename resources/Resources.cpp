#include "Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function generated from resources.qrc; it has to be
// used outside any namespace.
static void registerPictures()
{
    Q_INIT_RESOURCE(resources);
}

namespace sweepora {

void initResources()
{
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
}

} // namespace sweepora
