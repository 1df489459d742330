#include "media/SourceFile.h"

#include <algorithm>

#include <sys/stat.h>

namespace varnell {

int SourceFile::Open(const std::string& path) {
  const int opened = OpenInput(path);
  return opened < 0 ? opened : ReadStreamInfo();
}

int SourceFile::OpenInput(const std::string& path) {
  // Only regular files: opening a FIFO or a device could block the worker for ever.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    failedStep_ = "cannot open source";
    return AVERROR(errno);
  }
  if (!S_ISREG(status.st_mode)) {
    failedStep_ = "cannot open source (not a regular file)";
    return AVERROR(EINVAL);
  }
  // The "file:" prefix keeps a name such as "a:b.m4a" from being read as a protocol.
  AVFormatContext* raw = nullptr;
  const std::string url = "file:" + path;
  const int result = avformat_open_input(&raw, url.c_str(), nullptr, nullptr);
  if (result < 0) {
    failedStep_ = "cannot open source";
    return result;  // avformat_open_input has freed the context itself
  }
  context_.reset(raw);
  return 0;
}

int SourceFile::ReadStreamInfo() {
  const int result = avformat_find_stream_info(context_.get(), nullptr);
  if (result < 0) {
    failedStep_ = "cannot read stream information";
    return result;
  }
  choice_ = ChooseStreams(*context_);
  return 0;
}

AVStream* SourceFile::stream(int index) const {
  if (!context_ || index < 0 || static_cast<unsigned>(index) >= context_->nb_streams)
    return nullptr;
  return context_->streams[index];
}

void SourceFile::ReadOnly(std::initializer_list<int> streams) {
  for (unsigned i = 0; i < context_->nb_streams; ++i) {
    const bool read =
        std::find(streams.begin(), streams.end(), static_cast<int>(i)) != streams.end();
    context_->streams[i]->discard = read ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  }
}

}  // namespace varnell
