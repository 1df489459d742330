#include "testmedia/SampleMediaWriter.h"
#include "testmedia/EncodedPacketWriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "media/ChapterList.h"
#include "media/FFmpegHandles.h"
#include "testmedia/CoverJpegEncoder.h"
#include "testmedia/FfmpegError.h"
#include "testmedia/ToneStreamEncoder.h"

namespace varnell::testmedia {
namespace {

struct ContainerChoice {
  const char* muxer;
  const char* encoder;
};

ContainerChoice ChoiceFor(SampleContainer container) {
  switch (container) {
    case SampleContainer::Adts:
      return {"adts", "aac"};
    case SampleContainer::Mp3:
      return {"mp3", "libmp3lame"};
    case SampleContainer::Flac24:
      return {"flac", "flac"};
    case SampleContainer::M4a:
      break;
  }
  return {"ipod", "aac"};
}

bool CheckRequest(const SampleSpec& sample, std::string* error) {
  if (sample.path.empty()) {
    return Fail(error, "no output path");
  }
  if (!(sample.seconds > 0.0) || SampleCountOf(sample) <= 0) {
    return Fail(error, "length must be at least one sample");
  }
  if (!(sample.amplitude >= 0.0 && sample.amplitude <= 1.0)) {
    return Fail(error, "amplitude must be within 0..1");
  }
  if (sample.secondAudioStream && sample.container != SampleContainer::M4a) {
    return Fail(error, "a second audio stream needs the m4a container");
  }
  if (sample.jpegCover &&
      (sample.container == SampleContainer::Adts || sample.container == SampleContainer::Flac24)) {
    return Fail(error, "only m4a and mp3 samples carry a cover picture");
  }
  return true;
}

// The cover is a single attached-picture packet; mov turns it into "covr", mp3 into APIC.
AVStream* AddCoverStream(AVFormatContext& output, const SampleSpec& sample, std::string* error) {
  AVStream* stream = avformat_new_stream(&output, nullptr);
  if (stream == nullptr) {
    Fail(error, "out of memory adding the cover stream");
    return nullptr;
  }
  stream->codecpar->codec_type = AVMEDIA_TYPE_VIDEO;
  stream->codecpar->codec_id = AV_CODEC_ID_MJPEG;
  stream->codecpar->width = sample.coverWidth;
  stream->codecpar->height = sample.coverHeight;
  stream->codecpar->format = AV_PIX_FMT_YUVJ420P;
  stream->disposition = AV_DISPOSITION_ATTACHED_PIC;
  stream->time_base = AVRational{1, 90000};
  // The mp3 muxer derives the APIC picture type from this text.
  if (av_dict_set(&stream->metadata, "comment", "Cover (front)", 0) < 0) {
    Fail(error, "out of memory tagging the cover stream");
    return nullptr;
  }
  return stream;
}

bool WriteCoverPacket(AVFormatContext& output, const AVStream& stream,
                      const std::vector<unsigned char>& jpeg, std::string* error) {
  ffmpeg::PacketPtr packet(av_packet_alloc());
  if (!packet) {
    return Fail(error, "out of memory allocating the cover packet");
  }
  int rc = av_new_packet(packet.get(), static_cast<int>(jpeg.size()));
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("allocating the cover packet", rc));
  }
  std::copy(jpeg.begin(), jpeg.end(), packet->data);
  packet->stream_index = stream.index;
  packet->pts = packet->dts = 0;
  packet->flags |= AV_PKT_FLAG_KEY;
  rc = av_interleaved_write_frame(&output, packet.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("writing the cover picture", rc));
  }
  return true;
}

// Alternates between the streams by samples sent so the interleaver never has to
// hold one whole stream back.
bool EncodeAllStreams(std::vector<std::unique_ptr<ToneStreamEncoder>>& encoders,
                      std::string* error) {
  for (;;) {
    ToneStreamEncoder* next = nullptr;
    for (auto& encoder : encoders) {
      if (!encoder->finished() &&
          (next == nullptr || encoder->samplesSent() < next->samplesSent())) {
        next = encoder.get();
      }
    }
    if (next == nullptr) {
      return true;
    }
    if (!next->writeNextFrame(error)) {
      return false;
    }
  }
}

bool WriteFile(const SampleSpec& sample, std::string* error, bool& fileOpened) {
  const ContainerChoice choice = ChoiceFor(sample.container);
  AVFormatContext* rawOutput = nullptr;
  int rc = avformat_alloc_output_context2(&rawOutput, nullptr, choice.muxer, sample.path.c_str());
  if (rc < 0 || rawOutput == nullptr) {
    return Fail(error,
                DescribeFFmpegError(std::string("creating the ") + choice.muxer + " muxer", rc));
  }
  ffmpeg::OutputContextPtr output(rawOutput);

  for (const auto& [key, value] : sample.containerTags) {
    rc = av_dict_set(&output->metadata, key.c_str(), value.c_str(), 0);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("setting tag " + key, rc));
    }
  }

  for (const SampleChapter& chapter : sample.chapters) {
    rc = AddChapter(*output, chapter.startSeconds, chapter.endSeconds, chapter.title);
    if (rc < 0) return Fail(error, DescribeFFmpegError("adding chapter " + chapter.title, rc));
  }

  ToneStreamSettings settings;
  settings.encoderName = choice.encoder;
  settings.sampleRate = sample.sampleRate;
  settings.channels = sample.channels;
  settings.bitRate = sample.bitRate;
  settings.baseHz = sample.frequencyHz;
  settings.amplitude = sample.amplitude;
  settings.leadSamples = LeadSilenceSamplesOf(sample);
  settings.totalSamples = SampleCountOf(sample);
  settings.aacNoiseSubstitution = sample.aacNoiseSubstitution;
  std::vector<std::unique_ptr<ToneStreamEncoder>> encoders;
  encoders.push_back(std::make_unique<ToneStreamEncoder>());
  if (!encoders.back()->open(output.get(), settings, error)) {
    return false;
  }
  if (sample.secondAudioStream) {
    settings.baseHz = sample.secondFrequencyHz;
    encoders.push_back(std::make_unique<ToneStreamEncoder>());
    if (!encoders.back()->open(output.get(), settings, error)) {
      return false;
    }
  }

  std::vector<unsigned char> jpeg;
  AVStream* coverStream = nullptr;
  if (sample.jpegCover) {
    if (!EncodeCoverJpeg(sample.coverWidth, sample.coverHeight, jpeg, error)) {
      return false;
    }
    coverStream = AddCoverStream(*output, sample, error);
    if (coverStream == nullptr) {
      return false;
    }
  }

  if (!(output->oformat->flags & AVFMT_NOFILE)) {
    rc = avio_open(&output->pb, sample.path.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("opening " + sample.path + " for writing", rc));
    }
    fileOpened = true;
  }
  ffmpeg::Dictionary muxerOptions;
  if (sample.container == SampleContainer::M4a && sample.fastStart) {
    rc = av_dict_set(muxerOptions.address(), "movflags", "+faststart", 0);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("setting movflags", rc));
    }
  }
  rc = avformat_write_header(output.get(), muxerOptions.address());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("writing the container header", rc));
  }
  if (coverStream != nullptr && !WriteCoverPacket(*output, *coverStream, jpeg, error)) {
    return false;
  }
  if (!EncodeAllStreams(encoders, error)) {
    return false;
  }
  rc = av_write_trailer(output.get());
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("writing the container trailer", rc));
  }
  if (output->pb != nullptr && !(output->oformat->flags & AVFMT_NOFILE)) {
    rc = avio_closep(&output->pb);
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("closing " + sample.path, rc));
    }
  }
  return true;
}

}  // namespace

long long SampleCountOf(const SampleSpec& sample) {
  return std::llround(sample.seconds * sample.sampleRate);
}

long long LeadSilenceSamplesOf(const SampleSpec& sample) {
  return std::llround(sample.silenceLeadSeconds * sample.sampleRate);
}

bool WriteSampleMedia(const SampleSpec& sample, std::string* error) {
  if (!CheckRequest(sample, error)) {
    return false;
  }
  return WriteOrRemove(sample.path, error, [&sample](std::string* failure, bool& fileOpened) {
    return WriteFile(sample, failure, fileOpened);
  });
}

}  // namespace varnell::testmedia
