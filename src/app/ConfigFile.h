#pragma once
// The file operations the configuration store needs, behind an interface so that tests can make
// any step fail (a write-protected file, a full disk) without touching the real file system.
// The file holds one fixed-size record. It is read in place; a save writes a whole new file beside
// it and renames that over it (AtomicFile), so that a save that fails leaves the old file whole.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "common/AtomicFile.h"

namespace tulo {

class ConfigFile {
 public:
  virtual ~ConfigFile() = default;

  // True when `path` names an existing file (a directory does not count).
  virtual bool Exists(const std::string& path) const = 0;
  // True when `path` names a folder.
  virtual bool IsFolder(const std::string& path) const = 0;
  // Open an existing file without truncating it. Each closes a file still open first.
  virtual bool OpenReadWrite(const std::string& path) = 0;
  virtual bool OpenReadOnly(const std::string& path) = 0;
  // Why the last open failed, in a few words for a message ("the file is read-only", "no
  // permission to write it"); empty after an open that succeeded.
  virtual std::string OpenFailure() const = 0;
  // Reads the start of the file into `record`. Returns the number of bytes read, fewer than
  // record.size() when the file is shorter; nullopt on a read error or no open file.
  virtual std::optional<std::size_t> ReadRecord(std::span<std::uint8_t> record) = 0;
  // Replaces the file opened read-write by one holding `record` alone, written whole to a
  // temporary file in the same folder, flushed to the device and renamed over it. False, with the
  // file as it was, when no file is open read-write, when the file has been removed since it was
  // opened (nothing is created in its place) or when any byte could not be written.
  virtual bool ReplaceRecord(std::span<const std::uint8_t> record) = 0;
  // Closes the file; harmless when none is open.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

// The real file layer: C streams for reading, AtomicFile for the save. A symbolic link in the
// configuration file's place is replaced by the saved file, its target left alone: the program
// chose that path, the user did not name it.
class StdioConfigFile final : public ConfigFile {
 public:
  explicit StdioConfigFile(const FileWriter& writer = SystemFileWriter()) : writer_(&writer) {}
  StdioConfigFile(const StdioConfigFile&) = delete;
  StdioConfigFile& operator=(const StdioConfigFile&) = delete;
  ~StdioConfigFile() override { Close(); }

  bool Exists(const std::string& path) const override;
  bool IsFolder(const std::string& path) const override;
  bool OpenReadWrite(const std::string& path) override;
  bool OpenReadOnly(const std::string& path) override;
  std::string OpenFailure() const override { return openFailure_; }
  std::optional<std::size_t> ReadRecord(std::span<std::uint8_t> record) override;
  bool ReplaceRecord(std::span<const std::uint8_t> record) override;
  void Close() override;
  bool IsOpen() const override { return stream_ != nullptr; }

 private:
  bool Open(const std::string& path, const char* mode);
  const FileWriter* writer_;
  std::FILE* stream_ = nullptr;
  bool writable_ = false;
  std::string path_;
  std::string openFailure_;
};

}  // namespace tulo
