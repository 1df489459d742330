#include "engine/RowProgress.h"

#include "engine/RowLedger.h"

namespace varnell {

void RowProgress::Set(int percent) const {
  if (ledger_ != nullptr) {
    ledger_->Percent(row_, percent);
  } else {
    *percent_ = percent;
  }
}

}  // namespace varnell
