// The platform services the bench programs give the main window: scripted file dialogs and
// recording doubles for everything that would reach the desktop (message boxes, the shell,
// power-off, the browser).
#pragma once

#include "platform/Platform.h"
#include "platform/testing/RecordingBrowserLauncher.h"
#include "platform/testing/RecordingMessageBox.h"
#include "platform/testing/RecordingPowerOff.h"
#include "platform/testing/RecordingShell.h"
#include "platform/testing/ScriptedFileDialogs.h"

namespace varnell {

struct BenchPlatform {
  RecordingMessageBox messages;
  ScriptedFileDialogs dialogs;
  RecordingShell shell;
  RecordingPowerOff powerOff;
  RecordingBrowserLauncher browser;
  const Platform platform{messages, dialogs, shell, powerOff, browser};
};

}  // namespace varnell
