// Converts one source file into one output file: the work of one row of the per-file worker.
#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "engine/AudioTarget.h"
#include "engine/CompletedOutput.h"
#include "engine/RowProgress.h"
#include "engine/VideoTarget.h"
#include "settings/OutputFormats.h"

struct AVStream;

namespace varnell {

class AudioReader;
class SourceFile;
class AudioSink;
class OutputFile;
class VideoReader;
class VideoSink;

struct FileConversionRequest {
  std::string sourcePath;
  std::string outputPath;       // before the collision loop
  std::string outputSubfolder;  // as in JobRow: the folders the worker creates when missing
  const OutputFormat* format = OutputFormatOfExtension(".mp3");  // never null
  double clipBegin = 0.0;                                        // seconds
  double clipLength = 0.0;                                       // seconds, or kClipToTheEnd
  AudioTarget audio;
  // The output gets a video stream when this is set and the source has one (a cover is not).
  bool videoOutput = false;
  VideoTarget video;
  bool thumbnail = false;  // NAME.THM beside the output, of its first picture
  // As in JobRow: a row split from one chapter of its source, its title and number from 1.
  std::string chapterTitle;
  int chapterNumber = 0;
};

// The folders of request.outputSubfolder below the output folder (a file added with its folder,
// a name pattern's folders), made when the conversion comes to writing; an existing one is used
// as it is. Throws ConversionFailure when one cannot be made.
void CreateOutputSubfolder(const FileConversionRequest& request);

// Converts the row into a complete output under its hidden name, to be published when its turn
// comes; the readers, decoders, encoders and the muxer are released before it returns. Throws
// ConversionFailure with the row's reason; an output file created for a failed conversion has
// been removed again by then, as has one that a stop ended before its first sample. Reads
// stopFlag before every packet; reports the percent (0..100 while converting, 100 once the
// trailer is written).
CompletedOutput ConvertToCompletedOutput(const FileConversionRequest& request,
                                         const std::atomic<bool>& stopFlag, RowProgress progress);

// The readers of one row, each with the sink it writes into; no video for an audio-only output
// or a source without video, no audio for a video output of a source without sound.
struct RowStreams {
  AudioReader* audio = nullptr;
  AudioSink* audioSink = nullptr;
  VideoReader* video = nullptr;
  VideoSink* videoSink = nullptr;
};

// Steps the row's readers, whichever stream of the output is behind next so the muxer gets them
// interleaved, until both are done or stopFlag is set (read before every packet). Reports the
// output's position (the further stream, in seconds) after each packet. Returns true when the
// stop flag ended the row; otherwise throws, as the readers do, when one delivered nothing or,
// read to the end, fell short of what the source states (the video only without sound).
bool StepRow(const RowStreams& row, const std::atomic<bool>& stopFlag,
             const std::function<void(double position)>& reportPosition);

// A video stream of the source's own; a cover picture is not one.
bool HasVideoStream(const AudioReader& reader);

// Gives an output whose sinks are added the source's cover picture (MP3 only) and the tags of
// the source and of the stream read, then creates its file and writes the header. A row split
// from a chapter has that chapter's title (when it has one) and number as its title and track.
// Returns the note for the row when the cover was left out, else nothing.
std::string StartOutputOf(const SourceFile& source, const AVStream& stream,
                          const FileConversionRequest& request, OutputFile& output);

// What a merge's chapter of this row is called: a split row's chapter title, else the source's
// title tag, else the file's base name (also for a source that did not open).
std::string RowChapterTitle(const SourceFile& source, const FileConversionRequest& request);

// The note of a video output whose source has sound only.
inline constexpr const char* kNoVideoInSourceNote =
    "no video in the source: the file holds sound only";

}  // namespace varnell
