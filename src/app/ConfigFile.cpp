#include "app/ConfigFile.h"

#include <filesystem>
#include <system_error>

namespace tulo {

bool StdioConfigFile::Exists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

bool StdioConfigFile::Open(const std::string& path, const char* mode) {
  Close();
  stream_ = std::fopen(path.c_str(), mode);
  path_ = path;
  return stream_ != nullptr;
}

// "r+b" neither creates nor truncates: bytes after record 0 stay as they are.
bool StdioConfigFile::OpenReadWrite(const std::string& path) {
  return Open(path, "r+b");
}

bool StdioConfigFile::OpenReadOnly(const std::string& path) {
  return Open(path, "rb");
}

std::optional<std::size_t> StdioConfigFile::ReadRecord(std::span<std::uint8_t> record) {
  if (stream_ == nullptr || std::fseek(stream_, 0, SEEK_SET) != 0) return std::nullopt;
  std::size_t n = std::fread(record.data(), 1, record.size(), stream_);
  if (std::ferror(stream_)) return std::nullopt;
  return n;
}

bool StdioConfigFile::SeekRecord0() {
  // An open stream outlives the removal of its file: writing then succeeds into a file that is
  // gone with the last close, and the user would never learn that the save was lost.
  return stream_ != nullptr && Exists(path_) && std::fseek(stream_, 0, SEEK_SET) == 0;
}

bool StdioConfigFile::WriteRecord(std::span<const std::uint8_t> record) {
  if (stream_ == nullptr) return false;
  // On a stream opened read-only fwrite fails here whoever runs the program.
  std::size_t n = std::fwrite(record.data(), 1, record.size(), stream_);
  return n == record.size() && std::fflush(stream_) == 0;
}

void StdioConfigFile::Close() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
}

}  // namespace tulo
