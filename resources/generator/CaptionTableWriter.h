#pragma once

#include <QString>

#include <vector>

#include "resources/generator/ButtonDesign.h"
#include "resources/generator/PictureCaption.h"

namespace varnell::skin {

// Writes the header the window reads its captions from (app/SkinCaptions.h): for each button
// with words its room and the ink on each look it loads, and the words of the background and
// the about banner. The English texts are marked for translation there.
class CaptionTableWriter {
 public:
  static bool write(const QString& path, const std::vector<ButtonDesign>& buttons,
                    const std::vector<PictureCaption>& pictures);

  // The ink of a caption on the face the button loads for a look; a button without a disabled
  // face shows its normal one when disabled.
  static ButtonCaption captionOf(const ButtonDesign& design);
};

}  // namespace varnell::skin
