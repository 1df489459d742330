// Compiled, never run: what code outside the engine, the player library and the test media can
// include when it links them, as the command-line converter and the non-Qt tests do. A build that
// lets a consumer reach a library's internals (or Qt) stops here.

#if !__has_include("engine/BatchSession.h") || !__has_include("engine/ConversionJob.h")
#error "the engine's public headers must reach its consumers"
#endif
#if __has_include("engine/AudioReader.h") || __has_include("engine/OutputFile.h") || \
                                                           __has_include("engine/StatedLength.h")
#error "the engine's FFmpeg-typed internals must stay inside it"
#endif

#if __has_include("media/FFmpegHandles.h") || __has_include("media/SourceFile.h")
#error "the media layer is private to the engine, the player library and the test media"
#endif

#if !__has_include("playermodule/PlayerModule.h")
#error "the player's C interface must be public"
#endif
#if __has_include("playermodule/Player.h") || __has_include("playermodule/SampleQueue.h")
#error "the player's internals must stay inside it"
#endif

#if !__has_include("testmedia/SampleMediaWriter.h")
#error "the test media writers must be public"
#endif
#if __has_include("testmedia/EncodedPacketWriter.h")
#error "the test media's FFmpeg-typed internals must stay inside it"
#endif

#if !__has_include("settings/OutputSettings.h") || __has_include("settings/ChoiceParsers.h")
#error "only the settings' public headers may reach the converter"
#endif
#if __has_include("settings/dialog/SettingsDialog.h")
#error "the settings dialog is not linked here"
#endif

#if __has_include(<QString>) || __has_include(<QtCore/QString>)
#error "the converter side must build without Qt"
#endif
