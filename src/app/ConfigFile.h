#pragma once
// The file operations the configuration store needs, behind an interface so that tests can make
// any step fail (a write-protected file, a full disk) without touching the real file system.
// The file holds fixed-size records; only record 0 is ever used.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

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
  // Reads record 0 into `record` from the start of the file. Returns the number of bytes read,
  // fewer than record.size() when the file is shorter; nullopt on a read error or no open file.
  virtual std::optional<std::size_t> ReadRecord(std::span<std::uint8_t> record) = 0;
  // Positions the file at the start of record 0; false when no file is open or seeking fails, and
  // when the file has been removed since it was opened (a write would reach no visible file).
  virtual bool SeekRecord0() = 0;
  // Writes `record` at the current position and flushes it to the system, so that a full disk is
  // noticed here and not at close. False when any byte could not be written.
  virtual bool WriteRecord(std::span<const std::uint8_t> record) = 0;
  // Closes the file; harmless when none is open.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

// The real file layer, on C streams.
class StdioConfigFile final : public ConfigFile {
 public:
  StdioConfigFile() = default;
  StdioConfigFile(const StdioConfigFile&) = delete;
  StdioConfigFile& operator=(const StdioConfigFile&) = delete;
  ~StdioConfigFile() override { Close(); }

  bool Exists(const std::string& path) const override;
  bool IsFolder(const std::string& path) const override;
  bool OpenReadWrite(const std::string& path) override;
  bool OpenReadOnly(const std::string& path) override;
  std::string OpenFailure() const override { return openFailure_; }
  std::optional<std::size_t> ReadRecord(std::span<std::uint8_t> record) override;
  bool SeekRecord0() override;
  bool WriteRecord(std::span<const std::uint8_t> record) override;
  void Close() override;
  bool IsOpen() const override { return stream_ != nullptr; }

 private:
  bool Open(const std::string& path, const char* mode);
  std::FILE* stream_ = nullptr;
  std::string path_;
  std::string openFailure_;
};

}  // namespace tulo
