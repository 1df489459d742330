#include "settings/dialog/VideoCodecChangeTable.h"

namespace varnell {

std::optional<FixedChoiceList> FrameSizesForVideoCodec(int presetCode,
                                                       std::string_view videoCodec) {
  const bool mobile = presetCode >= 90800 && presetCode <= 90803;
  const bool console = presetCode == 91404 || presetCode == 91405;
  if (presetCode != 90001 && !mobile && !console) return std::nullopt;

  if (videoCodec == "H.263")
    return FixedChoiceList{{"128*96", "176*144", "352*288", "704*576", "1408*1152"}, "352*288"};
  if (mobile) return FixedChoiceList{{"176*144", "220*176", "320*240", "480*320"}, "320*240"};
  if (console) return FixedChoiceList{{"640*480", "720*480", "720*576"}, "720*480"};
  return FixedChoiceList{{"128*96", "176*144", "320*240", "352*240", "352*288", "640*480",
                          "720*480", "704*576", "720*576"},
                         "320*240"};
}

}  // namespace varnell
