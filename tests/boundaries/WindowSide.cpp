// Compiled, never run: what the main window's library hands to code that links it (the tests
// that drive the window, the benchmarks). The desktop services reach it as interfaces only.

#if !__has_include("app/MainWindow.h") || !__has_include("platform/Platform.h")
#error "the main window and the service interfaces must be public"
#endif
#if __has_include("platform/qt/QtShell.h") || __has_include("platform/qt/LogindPowerOff.h")
#error "the window's library must link no real desktop service"
#endif
#if __has_include("platform/testing/RecordingShell.h")
#error "test doubles are for tests only"
#endif
#if __has_include("app/MainWindowTemplate.h") ||                               \
                  __has_include("clip/ClipDialogTemplate.h") ||                \
                                __has_include("controls/OffscreenBuffer.h") || \
                                              __has_include("engine/AudioReader.h")
#error "each library's internals must stay inside it"
#endif
