#include "engine/TemporaryOutputName.h"

#include <limits.h>

#include <algorithm>
#include <random>

namespace varnell {
namespace {

constexpr std::string_view kPartialMarker = ".partial-";
constexpr std::size_t kSuffixLength = 6;
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

}  // namespace

std::string TemporaryOutputPrefix(const std::string& requestedPath) {
  const std::size_t slash = requestedPath.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = requestedPath.substr(nameStart);
  const std::size_t room = NAME_MAX - 1 - kPartialMarker.size() - kSuffixLength;
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return requestedPath.substr(0, nameStart) + "." + name + std::string(kPartialMarker);
}

std::string RandomTemporarySuffix() {
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string suffix(kSuffixLength, ' ');
  for (char& c : suffix) c = kAlphabet[pick(generator)];
  return suffix;
}

bool IsTemporaryOutputName(std::string_view fileName) {
  // "." + at least one character of the output's name + marker + suffix.
  if (fileName.size() < 2 + kPartialMarker.size() + kSuffixLength || fileName.front() != '.') {
    return false;
  }
  const std::string_view suffix = fileName.substr(fileName.size() - kSuffixLength);
  const std::string_view marker = fileName.substr(
      fileName.size() - kSuffixLength - kPartialMarker.size(), kPartialMarker.size());
  return marker == kPartialMarker && std::all_of(suffix.begin(), suffix.end(), [](char c) {
           return kAlphabet.find(c) != std::string_view::npos;
         });
}

}  // namespace varnell
