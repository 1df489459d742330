#include "engine/VorbisPictureBlock.h"

#include <vector>

extern "C" {
#include <libavutil/base64.h>
#include <libavutil/error.h>
}

#include "engine/ConversionFailure.h"

namespace varnell {
namespace {

// The picture type players show as the album's cover.
constexpr std::uint32_t kFrontCover = 3;

void PutBigEndian(std::vector<std::uint8_t>& block, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    block.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void PutCounted(std::vector<std::uint8_t>& block, std::span<const std::uint8_t> bytes) {
  PutBigEndian(block, static_cast<std::uint32_t>(bytes.size()));
  block.insert(block.end(), bytes.begin(), bytes.end());
}

std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string VorbisPictureBlock(const CoverPicture& picture) {
  // The block's lengths are 32-bit and av_base64_encode counts in int.
  if (picture.data.size() > INT32_MAX / 2) FailConversion("cover picture too large for a comment");
  std::vector<std::uint8_t> block;
  block.reserve(32 + picture.mimeType.size() + picture.description.size() + picture.data.size());
  PutBigEndian(block, kFrontCover);
  PutCounted(block, BytesOf(picture.mimeType));
  PutCounted(block, BytesOf(picture.description));
  for (int value : {picture.width, picture.height, picture.bitsPerPixel, picture.paletteColours}) {
    PutBigEndian(block, static_cast<std::uint32_t>(value));
  }
  PutCounted(block, picture.data);
  // Sized with the terminating zero av_base64_encode writes.
  std::string text(AV_BASE64_SIZE(block.size()), '\0');
  if (av_base64_encode(text.data(), static_cast<int>(text.size()), block.data(),
                       static_cast<int>(block.size())) == nullptr) {
    FailConversion("cannot code the cover picture", AVERROR_BUG);
  }
  text.resize(text.size() - 1);
  return text;
}

}  // namespace varnell
