#include "testmedia/MediaInspector.h"

#include <algorithm>
#include <cmath>

#include "media/FFmpegHandles.h"
#include "testmedia/AudioStreamDecoder.h"
#include "testmedia/FfmpegError.h"
#include "testmedia/StrongestFrequency.h"

namespace varnell::testmedia {
namespace {

// Below this a lossy decoder's output counts as silence when looking for the tone.
constexpr double kSoundingThreshold = 1e-3;

InspectedStream DescribeStream(const AVStream& stream) {
  const AVCodecParameters& parameters = *stream.codecpar;
  InspectedStream described;
  const char* type = av_get_media_type_string(parameters.codec_type);
  described.type = type != nullptr ? type : "unknown";
  described.codec = avcodec_get_name(parameters.codec_id);
  described.attachedPicture = (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
  described.bitRate = parameters.bit_rate;
  if (parameters.codec_type == AVMEDIA_TYPE_AUDIO) {
    described.sampleRate = parameters.sample_rate;
    described.channels = parameters.ch_layout.nb_channels;
    described.channelLayout = DescribeChannelLayout(parameters.ch_layout);
    described.bitsPerSample = parameters.bits_per_raw_sample > 0 ? parameters.bits_per_raw_sample
                                                                 : parameters.bits_per_coded_sample;
  } else if (parameters.codec_type == AVMEDIA_TYPE_VIDEO) {
    described.width = parameters.width;
    described.height = parameters.height;
  }
  return described;
}

void MergeTags(const AVDictionary* container, const AVDictionary* stream,
               std::map<std::string, std::string>& tags) {
  for (const AVDictionary* source : {container, stream}) {
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(source, "", entry, AV_DICT_IGNORE_SUFFIX)) != nullptr) {
      tags.emplace(entry->key, entry->value);
    }
  }
}

bool ChooseAudioStream(const AVFormatContext& input, int requested, int& chosen,
                       std::string* error) {
  if (requested >= 0) {
    if (requested >= static_cast<int>(input.nb_streams) ||
        input.streams[requested]->codecpar->codec_type != AVMEDIA_TYPE_AUDIO) {
      return Fail(error, "stream " + std::to_string(requested) + " is not an audio stream");
    }
    chosen = requested;
    return true;
  }
  chosen = -1;
  for (unsigned i = 0; i < input.nb_streams; ++i) {
    if (input.streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
      chosen = static_cast<int>(i);
    }
  }
  return chosen >= 0 || Fail(error, "no audio stream");
}

long long ClaimedSamples(const AVFormatContext& input, const AVStream& stream, int sampleRate) {
  if (sampleRate <= 0) {
    return -1;
  }
  if (stream.duration != AV_NOPTS_VALUE && stream.duration > 0) {
    return av_rescale_q(stream.duration, stream.time_base, AVRational{1, sampleRate});
  }
  if (input.duration != AV_NOPTS_VALUE && input.duration > 0) {
    return av_rescale(input.duration, sampleRate, AV_TIME_BASE);
  }
  return -1;
}

bool DecodeWholeStream(AVFormatContext& input, int streamIndex, DecodedAudio& decoded,
                       std::string* error) {
  AudioStreamDecoder decoder;
  if (!decoder.open(*input.streams[streamIndex], error)) {
    return false;
  }
  ffmpeg::PacketPtr packet(av_packet_alloc());
  if (!packet) {
    return Fail(error, "out of memory allocating a packet");
  }
  for (;;) {
    const int rc = av_read_frame(&input, packet.get());
    if (rc == AVERROR_EOF) {
      break;
    }
    if (rc < 0) {
      return Fail(error, DescribeFFmpegError("reading a packet", rc));
    }
    const bool ours = packet->stream_index == streamIndex;
    const bool decodedOk = !ours || decoder.decode(packet.get(), error);
    av_packet_unref(packet.get());
    if (!decodedOk) {
      return false;
    }
  }
  if (!decoder.decode(nullptr, error)) {
    return false;
  }
  decoded = std::move(decoder.decoded());
  return true;
}

}  // namespace

long long MediaReport::firstSampleAbove(double threshold) const {
  const long long length = samples.empty() ? 0 : static_cast<long long>(samples.front().size());
  for (long long i = 0; i < length; ++i) {
    for (const auto& channel : samples) {
      if (std::fabs(channel[static_cast<std::size_t>(i)]) > threshold) {
        return i;
      }
    }
  }
  return -1;
}

double MediaReport::dominantFrequencyHz(int channel) const {
  if (channel < 0 || channel >= static_cast<int>(samples.size())) {
    return 0.0;
  }
  const std::vector<float>& data = samples[static_cast<std::size_t>(channel)];
  const auto sounding = [](float s) { return std::fabs(s) > kSoundingThreshold; };
  const auto first = std::find_if(data.begin(), data.end(), sounding);
  const auto last = std::find_if(data.rbegin(), data.rend(), sounding).base();
  if (first >= last) {
    return 0.0;
  }
  // The middle three quarters keep the codec's onset and end transients out of the block.
  const auto length = static_cast<std::size_t>(last - first);
  const std::size_t margin = length / 8;
  return StrongestFrequencyHz(&*first + margin, length - 2 * margin, sampleRate);
}

bool InspectMedia(const std::string& path, MediaReport& report, std::string* error,
                  int audioStreamIndex) {
  report = MediaReport{};
  AVFormatContext* rawInput = nullptr;
  int rc = avformat_open_input(&rawInput, path.c_str(), nullptr, nullptr);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("opening " + path, rc));
  }
  ffmpeg::InputContextPtr input(rawInput);
  rc = avformat_find_stream_info(input.get(), nullptr);
  if (rc < 0) {
    return Fail(error, DescribeFFmpegError("reading stream information of " + path, rc));
  }
  report.formatName = input->iformat->name;
  for (unsigned i = 0; i < input->nb_streams; ++i) {
    const AVStream& stream = *input->streams[i];
    report.streams.push_back(DescribeStream(stream));
    if (report.coverBytes.empty() && (stream.disposition & AV_DISPOSITION_ATTACHED_PIC) &&
        stream.attached_pic.size > 0) {
      report.coverBytes.assign(stream.attached_pic.data,
                               stream.attached_pic.data + stream.attached_pic.size);
    }
  }
  int chosen = -1;
  if (!ChooseAudioStream(*input, audioStreamIndex, chosen, error)) {
    return false;
  }
  report.audioStreamIndex = chosen;
  const AVStream& audio = *input->streams[chosen];
  MergeTags(input->metadata, audio.metadata, report.tags);
  for (unsigned i = 0; i < input->nb_chapters; ++i) {
    const AVChapter& chapter = *input->chapters[i];
    const AVDictionaryEntry* title = av_dict_get(chapter.metadata, "title", nullptr, 0);
    const AVRational milliseconds{1, 1000};
    report.chapters.push_back({av_rescale_q(chapter.start, chapter.time_base, milliseconds),
                               av_rescale_q(chapter.end, chapter.time_base, milliseconds),
                               title != nullptr ? title->value : ""});
  }

  DecodedAudio decoded;
  if (!DecodeWholeStream(*input, chosen, decoded, error)) {
    return false;
  }
  report.sampleRate = decoded.sampleRate;
  report.channels = decoded.channels;
  report.channelLayout = decoded.channelLayout;
  report.decodeErrors = decoded.decodeErrors;
  report.samples = std::move(decoded.samples);
  report.decodedSamples =
      report.samples.empty() ? 0 : static_cast<long long>(report.samples.front().size());
  for (const auto& channel : report.samples) {
    for (float s : channel) {
      report.peak = std::max(report.peak, static_cast<double>(std::fabs(s)));
    }
  }
  report.claimedSamples = ClaimedSamples(*input, audio, audio.codecpar->sample_rate);
  return true;
}

}  // namespace varnell::testmedia
