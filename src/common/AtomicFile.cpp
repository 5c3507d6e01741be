#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace tulo {
namespace {

namespace fs = std::filesystem;

// The most links followed in a row, as the kernel's own limit for a path (ELOOP beyond).
constexpr int kMaxLinks = 40;
constexpr int kTempAttempts = 16;

class PosixWriter final : public FileWriter {
 public:
  int Write(int fd, const char* data, std::size_t size) const override {
    while (size > 0) {
      const ssize_t n = ::write(fd, data, size);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return n < 0 ? errno : EIO;
      data += n;
      size -= static_cast<std::size_t>(n);
    }
    return 0;
  }
  int Sync(int fd) const override { return ::fsync(fd) == 0 ? 0 : errno; }
};

// The file a path finally names after its symbolic links; the path itself when it is none or a
// link cannot be read (the open then reports what is wrong).
std::string LinkTarget(const std::string& path) {
  fs::path p = path;
  std::error_code ec;
  for (int i = 0; i < kMaxLinks && fs::is_symlink(fs::symlink_status(p, ec)); ++i) {
    fs::path target = fs::read_symlink(p, ec);
    if (ec) break;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return p.string();
}

std::string Folder(const std::string& path) {
  fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

// A rename is only lasting once the folder that holds the name is on the device too. Best effort:
// the file itself is complete either way.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Puts the complete temporary file in the place of `path` without ever replacing a file there:
// a hard link fails when the name is taken. Some file systems have no hard links; there the
// test and the rename are two steps.
int LinkNew(const std::string& temp, const std::string& path) {
  if (::link(temp.c_str(), path.c_str()) == 0) {
    ::unlink(temp.c_str());
    return 0;
  }
  const int error = errno;
  if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != EMLINK) return error;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) return EEXIST;
  return std::rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
}

}  // namespace

const FileWriter& SystemFileWriter() {
  static const PosixWriter writer;
  return writer;
}

AtomicFile::AtomicFile(std::string path, AtomicFileOptions options)
    : path_(options.followLink ? LinkTarget(path) : std::move(path)), options_(options) {}

AtomicFile::~AtomicFile() {
  Discard();
}

bool AtomicFile::Fail(int error) {
  errorNumber_ = error;
  error_ = std::error_code(error, std::generic_category()).message();
  Discard();
  return false;
}

void AtomicFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

bool AtomicFile::Open() {
  Discard();
  error_.clear();
  errorNumber_ = 0;
  struct stat old {};
  const bool exists = ::stat(path_.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return Fail(EISDIR);
  if (exists && !options_.replace) return Fail(EEXIST);

  // A hidden name beside the file, unique to this writer: two programs saving the same file at
  // once each write their own and the last rename wins whole.
  std::random_device random;
  const std::string stem = Folder(path_) + "/." + fs::path(path_).filename().string() + ".tmp-";
  for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
    std::string temp = stem + std::to_string(random());
    fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temp_ = std::move(temp);
      break;
    }
    if (errno != EEXIST) return Fail(errno);
  }
  if (fd_ < 0) return Fail(EEXIST);
  // The new file keeps the permissions of the one it replaces (a file others may read stays so).
  if (exists) ::fchmod(fd_, old.st_mode & 07777);
  return true;
}

bool AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) return false;
  const int error = options_.writer->Write(fd_, bytes.data(), bytes.size());
  return error == 0 || Fail(error);
}

bool AtomicFile::Commit() {
  if (fd_ < 0) return false;
  if (const int error = options_.writer->Sync(fd_); error != 0) return Fail(error);
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return Fail(errno);
  int error = 0;
  if (!options_.replace) {
    error = LinkNew(temp_, path_);
  } else if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) return Fail(error);
  temp_.clear();
  SyncFolder(Folder(path_));
  return true;
}

int FolderWriteError(const std::string& path) {
  return ::access(Folder(path).c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

std::string WriteFileAtomically(const std::string& path, std::string_view bytes,
                                const AtomicFileOptions& options) {
  AtomicFile file(path, options);
  if (file.Open() && file.Write(bytes) && file.Commit()) return {};
  return file.Error();
}

}  // namespace tulo
