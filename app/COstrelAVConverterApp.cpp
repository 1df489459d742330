#include "app/COstrelAVConverterApp.h"

#include "app/COstrelAVConverterDlg.h"
#include "engine/LibraryLog.h"
#include "platform/ExecutableFolder.h"
#include "platform/qt/DesktopBrowserLauncher.h"
#include "platform/qt/LogindPowerOff.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtShell.h"
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
