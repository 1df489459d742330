// Test media made on the spot with the project's own FFmpeg linkage.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "testmedia/MediaInspector.h"
#include "testmedia/SampleMediaWriter.h"

namespace varnell::testing {

inline std::string WriteSample(const testmedia::SampleSpec& spec) {
  std::string error;
  if (!testmedia::WriteSampleMedia(spec, &error)) {
    ADD_FAILURE() << "cannot write test media " << spec.path << ": " << error;
  }
  return spec.path;
}

inline testmedia::SampleSpec Tone(const std::string& path, double seconds = 2.0, int rate = 44100,
                                  int channels = 2) {
  testmedia::SampleSpec spec;
  spec.path = path;
  spec.seconds = seconds;
  spec.sampleRate = rate;
  spec.channels = channels;
  return spec;
}

// A 20 s audiobook of four chapters whose inner boundaries fall on neither a whole second nor an
// AAC frame; one title is not ASCII. Without noise substitution its decode after a seek is the
// same, sample for sample, as the decode from the start.
inline testmedia::SampleSpec Audiobook(const std::string& path) {
  testmedia::SampleSpec spec = Tone(path, 20.0);
  spec.aacNoiseSubstitution = false;
  spec.chapters = {{0.0, 4.321, "Prologue"},
                   {4.321, 9.876, "Zweites Kapitel — Grüße"},
                   {9.876, 15.043, "Three"},
                   {15.043, 20.0, "Epilogue"}};
  return spec;
}

inline testmedia::MediaReport Inspect(const std::string& path) {
  testmedia::MediaReport report;
  std::string error;
  if (!testmedia::InspectMedia(path, report, &error)) {
    ADD_FAILURE() << "cannot inspect " << path << ": " << error;
  }
  return report;
}

}  // namespace varnell::testing
