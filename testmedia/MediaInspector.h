#pragma once
// Reads back any file FFmpeg can demux (m4a, aac, mp3, wma, ...) and decodes one audio
// stream to the end, so tests can check converted outputs by their content. No FFmpeg
// type appears here.

#include <map>
#include <string>
#include <vector>

namespace varnell::testmedia {

struct InspectedStream {
  std::string type;   // "audio", "video", "data", "subtitle", "attachment", "unknown"
  std::string codec;  // FFmpeg codec name: "aac", "mp3", "wmav2", "mjpeg", ...
  bool attachedPicture = false;
  int sampleRate = 0;
  int channels = 0;
  std::string channelLayout;  // FFmpeg's description: "mono", "stereo", "5.1", "5.1(side)"
  int bitsPerSample = 0;      // audio: the coded depth (24 for 24-bit FLAC or PCM); 0 for lossy
  long long bitRate = 0;
  int width = 0, height = 0;  // video streams only
};

struct InspectedChapter {
  long long startMilliseconds = 0;
  long long endMilliseconds = 0;
  std::string title;
};

struct MediaReport {
  std::string formatName;  // demuxer short name: "mp3", "asf", "mov,mp4,m4a,3gp,3g2,mj2", "aac"
  std::vector<InspectedStream> streams;
  // Container tags, plus the decoded audio stream's own tags where the container has no
  // value for the key (so a container "title" wins over a stream "title").
  std::map<std::string, std::string> tags;
  std::vector<unsigned char> coverBytes;   // the first attached picture, empty if none
  std::vector<InspectedChapter> chapters;  // as the demuxer lists them, times rounded to 1 ms

  // The decoded audio stream, as FFmpeg's decoder outputs it: encoder delay and padding
  // removed wherever the container says so (edit list, LAME tag, skip-samples side data).
  int audioStreamIndex = -1;  // container stream index that was decoded
  int sampleRate = 0;
  int channels = 0;
  std::string channelLayout;
  long long decodedSamples = 0;  // per channel
  // What the container claims for that stream (its duration in samples); -1 when unknown.
  long long claimedSamples = -1;
  double peak = 0.0;                        // max |sample| over all channels, as float
  int decodeErrors = 0;                     // packets or frames the decoder rejected and skipped
  std::vector<std::vector<float>> samples;  // per channel

  // Index of the first sample frame in which any channel exceeds threshold in magnitude; -1 if
  // none.
  long long firstSampleAbove(double threshold) const;
  // Strongest frequency component of one channel, measured on the middle of the sounding
  // part (lead silence excluded); 0 when the channel is silent or too short.
  double dominantFrequencyHz(int channel) const;
};

// audioStreamIndex is a container stream index (as ffprobe numbers streams) and must
// name an audio stream; -1 decodes the last audio stream. False with a reason in
// *error on failure; packets the decoder rejects are counted in decodeErrors instead.
bool InspectMedia(const std::string& path, MediaReport& report, std::string* error,
                  int audioStreamIndex = -1);

}  // namespace varnell::testmedia
