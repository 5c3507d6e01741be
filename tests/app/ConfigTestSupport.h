#pragma once
// Temporary directories, whole-file reads and writes, and a file layer with scriptable failures,
// for the configuration file tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
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
#include "common/FailingWriter.h"

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
  bool failWrite = false;  // the save fails before any byte is written
  bool failSync = false;   // the device fails to take the written bytes (EIO at the flush)
  // As for a disk that fills during the save: the next save puts only this many bytes into its
  // file and fails; later saves go through.
  std::optional<std::size_t> failWriteAfter;
  int writes = 0;  // save attempts
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
  bool ReplaceRecord(std::span<const std::uint8_t> record) override {
    ++writes;
    if (failWrite) return false;
    device_.room = failWriteAfter;
    device_.syncError = failSync ? EIO : 0;
    device_.Reset();
    failWriteAfter.reset();
    return real_.ReplaceRecord(record);
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
  FailingWriter device_;
  StdioConfigFile real_{device_};
  std::string failure_;
};

}  // namespace tulo::testing
