// varnell-make-sample: writes one synthetic sample file for manual runs and benchmarks.

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "engine/LibraryLog.h"
#include "testmedia/SampleMediaWriter.h"

namespace {

constexpr const char* kUsage =
    "usage: varnell-make-sample OUTPUT [--seconds S] [--rate HZ] [--channels N] [--aac] [--tone "
    "HZ]\n"
    "  Writes a sine-tone sample (default 10 s, 44100 Hz, stereo, m4a with title/artist/album "
    "tags;\n"
    "  --aac writes raw ADTS instead) and prints its path.\n";

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stop, code] = std::from_chars(text.data(), end, value);
  return code == std::errc{} && stop == end;
}

bool ParseArguments(int argc, char** argv, varnell::testmedia::SampleSpec& sample) {
  sample.seconds = 10.0;
  sample.containerTags = {{"title", "Varnell Sample Tone"},
                          {"artist", "Varnell Test Media"},
                          {"album", "Varnell Samples"}};
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--aac") {
      sample.container = varnell::testmedia::SampleContainer::Adts;
    } else if (argument == "--seconds" && hasValue) {
      if (!ParseNumber(argv[++i], sample.seconds)) return false;
    } else if (argument == "--rate" && hasValue) {
      if (!ParseNumber(argv[++i], sample.sampleRate)) return false;
    } else if (argument == "--channels" && hasValue) {
      if (!ParseNumber(argv[++i], sample.channels)) return false;
    } else if (argument == "--tone" && hasValue) {
      if (!ParseNumber(argv[++i], sample.frequencyHz)) return false;
    } else if (!argument.starts_with("--") && sample.path.empty()) {
      sample.path = argument;
    } else {
      return false;
    }
  }
  return !sample.path.empty();
}

}  // namespace

int main(int argc, char** argv) {
  varnell::QuietLibraryLog();
  varnell::testmedia::SampleSpec sample;
  if (!ParseArguments(argc, argv, sample)) {
    std::cerr << kUsage;
    return 2;
  }
  std::string error;
  if (!varnell::testmedia::WriteSampleMedia(sample, &error)) {
    std::cerr << "varnell-make-sample: " << error << '\n';
    return 1;
  }
  std::cout << sample.path << '\n';
  return 0;
}
