// The engine object: probes source files, holds the conversion job of the current batch and is
// the only channel between the conversion worker and its callers.
//
// Threads. The caller's thread (the user interface, or the command-line converter's main thread)
// writes the job and then starts the worker; while the worker runs, the caller writes only
// stopFlag and reads the progress fields. The per-file worker converts up to rowWorkers rows at
// once, each on a row thread of its own; together they write currentTaskIndex,
// currentFilePercent, the task statuses, failure reasons and output paths. A row's status,
// failure reason and output path are final once currentTaskIndex has moved past it. The worker
// (and every row thread it started) is joined before anything else uses the engine again;
// several engine objects may work at once, they share nothing.
//
// This header includes no FFmpeg header: codec ids are FFmpeg's AVCodecID numbers as ints.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace varnell {

inline constexpr std::uint8_t kTaskPending = 0xFF;
inline constexpr std::uint8_t kTaskCompleted = 1;
inline constexpr std::uint8_t kTaskFailed = 2;

// ProbeSourceFile results.
inline constexpr int kProbeOk = 0;
inline constexpr int kProbeCannotOpen = -1;
inline constexpr int kProbeNoStreamInfo = -2;
inline constexpr int kProbeNoVideoDecoder = -4;
inline constexpr int kProbeVideoDecoderFails = -5;

// A clip length that means "to the real end of the file".
inline constexpr double kClipToTheEnd = std::numeric_limits<double>::infinity();

class AVConvert {
 public:
  AVConvert();
  AVConvert(const AVConvert&) = delete;
  AVConvert& operator=(const AVConvert&) = delete;
  // Stops and joins a running worker.
  virtual ~AVConvert();

  // --- Probe (never while a worker runs; it joins a finished one first) ---
  std::string probePath;
  // Opens probePath, fills the media parameter block, the durations, fileSize and the stream
  // indexes, and closes the file again. Returns kProbeOk or one of the negative codes above.
  int ProbeSourceFile();
  // Why the last probe failed, in words ("cannot open source: No such file or directory").
  const std::string& probeFailureReason() const { return probeFailureReason_; }

  // --- Media parameter block: probed values, or the job's targets once a launch wrote them ---
  int videoCodecId = 0;
  // The settings' video codec text the job's videoCodecId came from ("XVID" and "MPEG4" share
  // an id); empty when only the id is known.
  std::string videoCodecName;
  int audioCodecId = 0;
  int videoBitRate = 0;
  int targetHeight = 0;
  int sourceHeight = 0;
  int targetWidth = 0;
  int sourceWidth = 0;
  double targetFrameRate = 0.0;  // 0 keeps the source's rate
  double sourceFrameRate = 0.0;
  int frameRateDen = 0;
  int frameRateNum = 0;
  int fileSize = 0;  // low 32 bits of the size in bytes
  int audioBitRate = 0;
  int sampleRate = 0;
  int channels = 0;
  std::int64_t durationSeconds = 0;
  std::int64_t durationMicroseconds = 0;
  int videoStreamIndex = -1;
  int audioStreamIndex = -1;

  // --- The job, written by the launch before the worker starts ---
  // Sizes every per-row table for `rows` rows and clears them: no path, no times, pending.
  void ResetJob(int rows);
  int taskCount = 0;  // checked rows
  int rowCount = 0;   // rows handed to the worker
  std::vector<std::string> sourcePaths;  // empty for an unchecked row
  std::vector<std::string> outputPaths;  // made unique by the worker when it creates the file
  std::vector<double> clipBegin;         // seconds
  std::vector<double> clipEnd;           // seconds
  std::vector<double> clipLength;        // seconds, or kClipToTheEnd
  bool videoOutputFlag = false;          // the output gets a video stream when the source has one
  int thumbnailMode = -1;                // 1 on, -1 off
  int mergeTotalSeconds = 0;
  // Merge only: the exact sum of the checked rows' clip lengths in seconds, rows that run to the
  // end measured from their files; the merge worker's progress divisor.
  double mergeTotalLength = 0.0;
  // Why the launch could not build this job ("unknown audio codec OPUS"); every checked row
  // then fails with it. Empty for a job that can run.
  std::string jobFailureReason;

  // --- How the per-file worker divides its rows; kept from batch to batch ---
  // Rows converted at once: 0 for one per CPU core, and never fewer than 1. Rows start in row
  // order and their outputs are given their names in row order, so the collision names come out
  // as they would one row after another. The merge worker always takes one row after another.
  int rowWorkers = 0;
  // The number of rows the next per-file batch converts at once: rowWorkers, or the core count.
  int EffectiveRowWorkers() const;

  // --- Progress, shared with the worker ---
  // currentTaskIndex is the first row whose result is not yet final (every row before it has its
  // final status) and currentFilePercent that row's percent, so a caller showing one row at a
  // time shows the row the batch waits for.
  std::atomic<int> currentTaskIndex{-1};
  std::atomic<int> currentFilePercent{-1};
  std::atomic<bool> stopFlag{false};
  std::uint8_t taskStatus(int row) const;
  // For a caller that shows every row being converted: true from the moment a row thread takes
  // the row until its conversion has ended (its result may then still wait for the rows before
  // it), and the row's own percent: -1 before it began and while it opens, then 0..100.
  bool rowRunning(int row) const;
  int rowPercent(int row) const;
  // Valid for rows below currentTaskIndex whose status is kTaskFailed; for a completed row, what
  // went wrong without failing it (a thumbnail not written), or empty.
  const std::string& failureReason(int row) const;
  // Seconds of sound the row's output file holds; valid for rows below currentTaskIndex. A row
  // that a stop ended stays pending, and a value above 0 says its shorter file was kept.
  double secondsWritten(int row) const;
  // A merge's one output: its published path, written by the merge worker before
  // currentTaskIndex reaches rowCount (or, after a stop, before it moves past the stopped row);
  // empty when no file was left, and mergeFailureReason then says why. For a merge,
  // secondsWritten(row) is the length of the whole merged file once that row had ended.
  std::string mergedOutputPath;
  std::string mergeFailureReason;

  // --- The worker ---
  // Joins a finished worker, then runs ConvertFilesThread on a new thread. When no thread can
  // be started, every row ends failed at once and no worker runs.
  void StartConvertFiles();
  // The same for MergeFilesThread: the checked rows into one output file.
  void StartMergeFiles();
  // Waits for the worker to end; returns at once when none runs.
  void JoinWorker();
  // True from StartConvertFiles or StartMergeFiles until the worker has returned; a caller that
  // must stay responsive polls this before JoinWorker.
  bool IsWorkerRunning() const { return workerRunning_.load(); }
  // Called on the worker thread when the worker has ended its last row, just before
  // IsWorkerRunning() turns false, so that a caller that polls can look at once instead of at
  // its next tick. Set while no worker runs; it must be safe to call from another thread.
  std::function<void()> onWorkerEnding;

 private:
  friend class ParallelRowBatch;
  friend void ConvertFilesThread(AVConvert* engine);
  friend void MergeFilesThread(AVConvert* engine);

  void StartWorker(void (*work)(AVConvert*));

  std::string probeFailureReason_;
  std::vector<std::atomic<std::uint8_t>> taskStatus_;
  std::vector<std::atomic<bool>> rowRunning_;
  std::vector<std::atomic<int>> rowPercent_;
  std::vector<std::string> failureReasons_;
  std::vector<double> secondsWritten_;
  std::thread worker_;
  std::atomic<bool> workerRunning_{false};
};

// The per-file worker: converts every checked row of the job into its own output file,
// publishing progress and a status per row. Runs on the worker thread, or directly on a caller
// that owns this engine object alone.
void ConvertFilesThread(AVConvert* engine);

// The merge worker: converts the checked rows, in order, into one output file named after the
// first row that contributes sound, with the same row protocol; the percent runs over the
// whole merged output.
void MergeFilesThread(AVConvert* engine);

}  // namespace varnell
