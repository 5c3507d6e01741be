#include "app/ConfigFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
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

// "r+b" neither creates nor truncates: it only tells whether the file may be written. A save also
// needs the folder, where its temporary file is made.
bool StdioConfigFile::OpenReadWrite(const std::string& path) {
  if (!Open(path, "r+b")) return false;
  if (const int error = FolderWriteError(path); error != 0) {
    Close();
    openFailure_ = error == EACCES ? "no permission to write in its folder" : FailureText(error, path, true);
    return false;
  }
  writable_ = true;
  return true;
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

bool StdioConfigFile::ReplaceRecord(std::span<const std::uint8_t> record) {
  // A file removed while the program ran is not made again behind the user's back.
  if (stream_ == nullptr || !writable_ || !Exists(path_)) return false;
  const std::string_view bytes(reinterpret_cast<const char*>(record.data()), record.size());
  return WriteFileAtomically(path_, bytes, {.replace = true, .followLink = false, .writer = writer_}).empty();
}

void StdioConfigFile::Close() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  writable_ = false;
}

}  // namespace tulo
