#pragma once
// A configuration file held in memory, so that a fuzzer can hand LoadConfig any bytes at all
// without touching the disk, and see exactly what a save writes back.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/ConfigFile.h"

namespace tulo::fuzz {

class MemoryConfigFile final : public ConfigFile {
 public:
  explicit MemoryConfigFile(std::vector<std::uint8_t>& disk) : disk_(disk) {}

  bool readOnly = false;  // as for a write-protected file: opens read-only only
  int writes = 0;

  bool Exists(const std::string&) const override { return true; }
  bool IsFolder(const std::string&) const override { return false; }
  std::string OpenFailure() const override { return open_ ? "" : "the file is read-only"; }
  bool OpenReadWrite(const std::string&) override {
    open_ = !readOnly;
    writable_ = open_;
    return open_;
  }
  bool OpenReadOnly(const std::string&) override {
    open_ = true;
    writable_ = false;
    return true;
  }
  std::optional<std::size_t> ReadRecord(std::span<std::uint8_t> record) override {
    if (!open_) return std::nullopt;
    std::size_t n = std::min(record.size(), disk_.size());
    std::copy_n(disk_.begin(), n, record.begin());
    return n;
  }
  // The whole file is replaced, as the real layer's rename does.
  bool ReplaceRecord(std::span<const std::uint8_t> record) override {
    ++writes;
    if (!open_ || !writable_) return false;
    disk_.assign(record.begin(), record.end());
    return true;
  }
  void Close() override { open_ = writable_ = false; }
  bool IsOpen() const override { return open_; }

 private:
  std::vector<std::uint8_t>& disk_;
  bool open_ = false;
  bool writable_ = false;
};

}  // namespace tulo::fuzz
