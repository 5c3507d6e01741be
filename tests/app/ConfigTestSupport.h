#pragma once
// Temporary directories, whole-file reads and writes, and a file layer with scriptable failures,
// for the configuration file tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/ConfigFile.h"

namespace tulo::testing {

using Bytes = std::vector<std::uint8_t>;

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("tulo-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(stamp) + "-" +
             std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The real file layer with failures switched on at will, counting what reaches it.
class ScriptedConfigFile : public ConfigFile {
 public:
  bool refuseReadWrite = false;  // as for a write-protected file
  bool refuseReadOnly = false;
  bool failRead = false;
  bool failSeek = false;
  bool failWrite = false;  // as for a full disk: nothing reaches the file
  // As for a disk that fills during the write: the next write puts only this many bytes into the
  // file and fails; later writes go through.
  std::optional<std::size_t> failWriteAfter;
  int writes = 0;  // write attempts
  int closes = 0;

  bool Exists(const std::string& path) const override { return real_.Exists(path); }
  bool IsFolder(const std::string& path) const override { return real_.IsFolder(path); }
  bool OpenReadWrite(const std::string& path) override {
    failure_ = refuseReadWrite ? "the file is read-only" : "";
    return !refuseReadWrite && Opened(real_.OpenReadWrite(path));
  }
  bool OpenReadOnly(const std::string& path) override {
    failure_ = refuseReadOnly ? "no permission to read it" : "";
    return !refuseReadOnly && Opened(real_.OpenReadOnly(path));
  }
  std::string OpenFailure() const override { return failure_; }
  std::optional<std::size_t> ReadRecord(std::span<std::uint8_t> record) override {
    if (failRead) return std::nullopt;
    return real_.ReadRecord(record);
  }
  bool SeekRecord0() override { return !failSeek && real_.SeekRecord0(); }
  bool WriteRecord(std::span<const std::uint8_t> record) override {
    ++writes;
    if (failWriteAfter) {
      std::size_t n = std::min(*failWriteAfter, record.size());
      failWriteAfter.reset();
      real_.WriteRecord(record.first(n));
      return false;
    }
    return !failWrite && real_.WriteRecord(record);
  }
  void Close() override {
    ++closes;
    real_.Close();
  }
  bool IsOpen() const override { return real_.IsOpen(); }

 private:
  bool Opened(bool ok) {
    failure_ = real_.OpenFailure();
    return ok;
  }
  StdioConfigFile real_;
  std::string failure_;
};

}  // namespace tulo::testing
