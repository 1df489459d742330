#include "app/ProjectLinks.h"

#include <QUrl>

#include "platform/ExecutableFolder.h"

namespace varnell {
namespace {

// The build's settings, empty when unset; app/CMakeLists.txt defines them for this file alone.
constexpr const char* kHomePageSetting = VARNELL_HOMEPAGE_URL;
constexpr const char* kSupportSetting = VARNELL_SUPPORT_URL;

QString SettingOrHelpPage(const char* setting) {
  if (*setting != '\0') return QString::fromUtf8(setting);
  const QString folder = ExecutableFolder();
  QString help = HelpPagePath(folder);
  // The build places help.html beside the program and the install in share/varnell/; a copy
  // without either still names the page where the program looks for it first.
  if (help.isEmpty()) help = folder + "/help.html";
  return QUrl::fromLocalFile(help).toString();
}

}  // namespace

QString HomePageUrl() { return SettingOrHelpPage(kHomePageSetting); }

QString SupportPageUrl() { return SettingOrHelpPage(kSupportSetting); }

}  // namespace varnell
