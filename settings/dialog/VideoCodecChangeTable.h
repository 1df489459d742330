#pragma once

#include <optional>
#include <string_view>

#include "settings/dialog/FixedChoiceList.h"

namespace varnell {

// The frame-size list that follows the selected video codec. Only three sets of
// video presets (90001, 90800-90803, 91404-91405) have one; for every other
// preset the frame-size list stays as the preset filled it (nullopt).
std::optional<FixedChoiceList> FrameSizesForVideoCodec(int presetCode, std::string_view videoCodec);

}  // namespace varnell
