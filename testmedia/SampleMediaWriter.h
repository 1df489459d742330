#pragma once
// Writes short synthetic media files for the tests and benchmarks, through the
// project's own FFmpeg linkage. No FFmpeg type appears here, so code outside
// engine/ may include this header.

#include <map>
#include <string>
#include <vector>

namespace varnell::testmedia {

// M4a: the "ipod" muxer with AAC-LC. Adts: raw AAC through the "adts" muxer.
// Mp3: libmp3lame through the "mp3" muxer (with the gapless Info/LAME tag); 1 or 2 channels.
// Flac24: 24-bit FLAC, a lossless source deeper than 16 bits.
enum class SampleContainer { M4a, Adts, Mp3, Flac24 };

struct SampleChapter {
  double startSeconds = 0.0;
  double endSeconds = 0.0;
  std::string title;  // UTF-8
};

struct SampleSpec {
  std::string path;
  SampleContainer container = SampleContainer::M4a;
  int sampleRate = 44100;  // any rate the encoder takes; 22050, 44100, 48000 are exercised
  int channels = 2;        // 1, 2 or 6 (FFmpeg "5.1": FL FR FC LFE BL BR)
  double seconds = 2.0;    // total length, lead silence included
  double frequencyHz =
      440.0;               // channel c plays frequencyHz * (1 + c) so channels can be told apart
  double amplitude = 0.5;  // peak of each channel's sine, 0..1
  double silenceLeadSeconds = 0.0;  // digital silence before the tone starts
  int bitRate = 128000;
  std::map<std::string, std::string> containerTags;  // UTF-8 values, e.g. {"title", "Grüße"}
  bool jpegCover = false;  // attached-picture JPEG stream (m4a "covr"; mp3 APIC)
  int coverWidth = 64, coverHeight = 48;
  bool secondAudioStream =
      false;  // m4a only: a second AAC stream, same layout, tone at secondFrequencyHz
  double secondFrequencyHz = 1000.0;
  bool fastStart = false;  // m4a: moov before mdat
  // m4a: an MP4 chapter track and Nero chpl; mp3: ID3v2 CHAP frames and a CTOC.
  std::vector<SampleChapter> chapters;
  // AAC's perceptual noise substitution: its decoder draws the noise from a running random
  // state, so a decode that starts after a seek differs at noise level from one that starts at
  // the beginning. Off for a source whose parts are compared sample for sample with the whole.
  bool aacNoiseSubstitution = true;
};

// False with a readable reason in *error (when given) if the file could not be written.
bool WriteSampleMedia(const SampleSpec& sample, std::string* error);

// Samples per channel the writer feeds the encoder: llround(seconds * sampleRate).
long long SampleCountOf(const SampleSpec& sample);

// Samples of digital silence before the tone: llround(silenceLeadSeconds * sampleRate).
long long LeadSilenceSamplesOf(const SampleSpec& sample);

}  // namespace varnell::testmedia
