#include "app/ConfigFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tulo {
namespace {

// The reason an open failed, as the user can act on it.
std::string FailureText(int error, const std::string& path, bool forWriting) {
  namespace fs = std::filesystem;
  if (error == EROFS) return "the file system is read-only";
  if (error == EACCES || error == EPERM) {
    std::error_code ec;
    fs::perms perms = fs::status(path, ec).permissions();
    const fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (forWriting && !ec && (perms & anyWrite) == fs::perms::none) return "the file is read-only";
    return forWriting ? "no permission to write it" : "no permission to read it";
  }
  return std::strerror(error);
}

}  // namespace

bool StdioConfigFile::Exists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

bool StdioConfigFile::IsFolder(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

bool StdioConfigFile::Open(const std::string& path, const char* mode) {
  Close();
  errno = 0;
  stream_ = std::fopen(path.c_str(), mode);
  path_ = path;
  openFailure_ = stream_ != nullptr ? "" : FailureText(errno, path, mode[1] == '+');
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
