#pragma once

#include <QString>
#include <optional>

namespace varnell {

// Powers the computer off, closing applications without asking them, as after a batch whose
// "shut down when done" box was checked and whose countdown ran out. Returns nothing when the
// power-off was requested, else why it could not be ("logind is not running"), which the
// caller shows: a power-off that does not happen is never silent.
class PowerOff {
 public:
  virtual ~PowerOff() = default;
  virtual std::optional<QString> PowerOffComputer() = 0;
};

}  // namespace varnell
