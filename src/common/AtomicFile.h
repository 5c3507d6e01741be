#pragma once
// Writing a file whole or not at all. The bytes go to a temporary file in the same folder, which
// is flushed to the device and renamed over the old file only when every write and the close
// succeeded; on any failure the temporary file is removed and the old file is left as it was. A
// reader never sees a half-written file, and a full disk never costs the user the file he had.
//
// POSIX calls (open, fsync, link) are used here because the C++ library has no way to flush a
// file to the device; everything else in the core goes through the standard library.

#include <cstddef>
#include <string>
#include <string_view>

namespace tulo {

// The two calls through which the bytes reach the device; tests put in one that fails as a full
// disk or a failing device does.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Writes all `size` bytes of `data` to the open descriptor `fd`: 0, or the errno of the failure.
  virtual int Write(int fd, const char* data, std::size_t size) const = 0;
  // Flushes what was written to the device: 0, or the errno of the failure.
  virtual int Sync(int fd) const = 0;
};

// write(2) and fsync(2).
const FileWriter& SystemFileWriter();

struct AtomicFileOptions {
  // False: an existing file is never replaced; the commit then fails with "File exists".
  bool replace = true;
  // True when the user named the path: a symbolic link there is followed and its target replaced,
  // the link staying as it is. False for a path the program chose itself: a link there is
  // replaced by the new file and its target is not touched.
  bool followLink = true;
  const FileWriter* writer = &SystemFileWriter();
};

class AtomicFile {
 public:
  explicit AtomicFile(std::string path, AtomicFileOptions options = {});
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // Removes the temporary file when the commit did not happen.
  ~AtomicFile();

  // Creates the temporary file; false with Error() set.
  bool Open();
  // Appends bytes; false from the first failure on (the later writes do nothing).
  bool Write(std::string_view bytes);
  // Flushes, closes and renames the temporary file over the path; false with Error() set, the old
  // file then left as it was.
  bool Commit();
  // Why the last step failed, as the system says it ("No space left on device"); empty when none
  // failed.
  const std::string& Error() const { return error_; }
  // The errno of that failure (EEXIST for a file that may not be replaced); 0 when none failed.
  int ErrorNumber() const { return errorNumber_; }

 private:
  bool Fail(int error);
  void Discard();

  std::string path_;  // the file to replace (a link's target when followed)
  std::string temp_;  // the temporary file beside it, empty when none is open
  AtomicFileOptions options_;
  int fd_ = -1;
  std::string error_;
  int errorNumber_ = 0;
};

// 0 when a file can be created in the folder of `path` (as the temporary file of a save is), else
// the errno saying why not (EACCES, EROFS, ENOENT).
int FolderWriteError(const std::string& path);

// Writes `bytes` as the whole content of `path` through AtomicFile. The reason of the failure, as
// the system says it; empty on success.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes,
                                const AtomicFileOptions& options = {});

}  // namespace tulo
