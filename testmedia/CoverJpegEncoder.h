#pragma once

#include <string>
#include <vector>

namespace varnell::testmedia {

// Encodes a width x height test pattern (colour gradients, so the JPEG is not trivially
// small) as one baseline JPEG through FFmpeg's mjpeg encoder.
bool EncodeCoverJpeg(int width, int height, std::vector<unsigned char>& jpeg, std::string* error);

}  // namespace varnell::testmedia
