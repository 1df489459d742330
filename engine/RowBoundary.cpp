#include "engine/RowBoundary.h"

#include <exception>
#include <new>

#include "engine/ConversionFailure.h"

namespace varnell {

RowResult ConvertRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                     std::atomic<int>& currentFilePercent, ConvertFileFunction convert) {
  RowResult row;
  try {
    row.converted = convert(request, stopFlag, currentFilePercent);
  } catch (const ConversionFailure& failure) {
    row.failureReason = failure.what();
  } catch (const std::bad_alloc&) {
    row.failureReason = "out of memory";
  } catch (const std::exception& error) {
    row.failureReason = std::string("unexpected error: ") + error.what();
  } catch (...) {
    row.failureReason = "unexpected error";
  }
  return row;
}

}  // namespace varnell
