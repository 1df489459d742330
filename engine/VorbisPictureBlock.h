// The cover of an Ogg Vorbis or Opus output. The ogg muxer takes no picture stream, so the cover
// travels as text: the FLAC picture block, base64-coded, as the METADATA_BLOCK_PICTURE comment
// that players read. Built on the converting thread before the output's header is written.
// No FFmpeg type appears here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace varnell {

struct CoverPicture {
  std::string_view mimeType;     // "image/jpeg", "image/png"
  std::string_view description;  // UTF-8, often empty
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int paletteColours = 0;  // 0 for a picture without a palette
  std::span<const std::uint8_t> data;
};

// The comment's value for a front cover.
std::string VorbisPictureBlock(const CoverPicture& picture);

}  // namespace varnell
