#include "app/COstrelAVConverterApp.h"

#include "app/COstrelAVConverterDlg.h"
#include "engine/LibraryLog.h"
#include "platform/ExecutableFolder.h"
#include "platform/DesktopBrowserLauncher.h"
#include "platform/LogindPowerOff.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBox.h"
#include "platform/QtShell.h"
#include "resources/VarnellResources.h"

namespace varnell {

COstrelAVConverterApp::COstrelAVConverterApp(int& argc, char** argv) : QApplication(argc, argv) {}

int COstrelAVConverterApp::InitInstance() {
  InitVarnellResources();
  QuietLibraryLog();
  QtMessageBox messages;
  QtFileDialogs fileDialogs;
  QtShell shell;
  LogindPowerOff powerOff;
  DesktopBrowserLauncher browser;
  const Platform platform{messages, fileDialogs, shell, powerOff, browser};
  COstrelAVConverterDlg dialog(state_, platform, ExecutableFolder());
  dialog.exec();
  return 0;
}

}  // namespace varnell
