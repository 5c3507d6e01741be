#include "batch/OutputSink.h"

#include <unistd.h>

#include <cerrno>

namespace tulo::batch {

int DescriptorSink::Write(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd_, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

int StreamSink::Write(std::string_view text) {
  errno = 0;
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.flush();
  if (out_) return 0;
  return errno != 0 ? errno : kUnknownError;
}

}  // namespace tulo::batch
