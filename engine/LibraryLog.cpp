#include "engine/LibraryLog.h"

extern "C" {
#include <libavutil/log.h>
}

namespace varnell {

void QuietLibraryLog() { av_log_set_level(AV_LOG_QUIET); }

}  // namespace varnell
