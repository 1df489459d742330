#include "resources/VarnellResources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the registration function where it is expanded, so it must be
// expanded at global scope, not inside namespace varnell.
static void RegisterVarnellQrc() { Q_INIT_RESOURCE(varnell); }

namespace varnell {

void InitVarnellResources() { RegisterVarnellQrc(); }

}  // namespace varnell
