// The project's addresses, in one place: the success message's link and the About box's two.
// Each comes from its build setting (-DVARNELL_HOMEPAGE_URL=..., -DVARNELL_SUPPORT_URL=...); a
// build without one links to the help page the program has beside it or installed
// (HelpPagePath), as a file URL, so no link leads to an address nobody owns. Needs the
// QCoreApplication to exist; user-interface thread.
#pragma once

#include <QString>

namespace varnell {

QString HomePageUrl();
QString SupportPageUrl();

}  // namespace varnell
