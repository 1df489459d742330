#pragma once

namespace varnell {

// Powers the computer off, closing applications without asking them, as
// after a batch whose "shut down when done" box was checked. Returns whether
// the power-off was requested successfully; nothing is shown on failure.
class PowerOff {
 public:
  virtual ~PowerOff() = default;
  virtual bool PowerOffComputer() = 0;
};

}  // namespace varnell
