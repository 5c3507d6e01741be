#pragma once
// A device that fills up: it takes `room` more bytes and then fails as a full disk does, and its
// flush to the device can fail as a failing device's does. For the tests of every file writer.

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <optional>

#include "common/AtomicFile.h"

namespace tulo::testing {

class FailingWriter final : public FileWriter {
 public:
  std::optional<std::size_t> room;  // bytes still taken before ENOSPC; nullopt: no limit
  int syncError = 0;                // the errno of the flush; 0: it succeeds

  int Write(int fd, const char* data, std::size_t size) const override {
    const std::size_t fits = room ? std::min(size, *room - std::min(*room, written_)) : size;
    if (const int error = SystemFileWriter().Write(fd, data, fits); error != 0) return error;
    written_ += fits;
    return fits < size ? ENOSPC : 0;
  }
  int Sync(int fd) const override { return syncError != 0 ? syncError : SystemFileWriter().Sync(fd); }
  // Starts counting the room again.
  void Reset() { written_ = 0; }

 private:
  mutable std::size_t written_ = 0;
};

}  // namespace tulo::testing
