// A file is written whole or not at all: the old file stays as it was through every failure, no
// temporary file is left behind, and the failure is said in the system's words.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "app/ConfigTestSupport.h"
#include "common/AtomicFile.h"
#include "common/FailingWriter.h"

namespace tulo {
namespace {

namespace fs = std::filesystem;
using testing::FailingWriter;
using testing::TempDir;

std::string Text(const std::string& path) {
  testing::Bytes bytes = testing::ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
  testing::WriteBytes(path, testing::Bytes(text.begin(), text.end()));
}

std::size_t Entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFile, FailedWritesLeaveTheOldFileOrNoneAndNoTemporary) {
  const std::string content(100000, 'n');
  struct Case {
    const char* name;
    std::optional<std::size_t> room;
    int syncError;
    const char* error;  // empty: the write succeeds
  };
  const Case cases[] = {
      {"room for all", std::nullopt, 0, ""},
      {"disk full before the first byte", 0, 0, "No space left on device"},
      {"disk full part-way", 65536, 0, "No space left on device"},
      {"disk full at the last byte", 99999, 0, "No space left on device"},
      {"device fails at the flush", std::nullopt, EIO, "Input/output error"},
  };
  for (const Case& c : cases) {
    for (bool oldFile : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (oldFile ? ", over an old file" : ", new file"));
      TempDir dir;
      const std::string path = dir.File("report.svg");
      if (oldFile) WriteText(path, "old picture");
      FailingWriter device;
      device.room = c.room;
      device.syncError = c.syncError;

      AtomicFile file(path, {.writer = &device});
      ASSERT_TRUE(file.Open());
      // In pieces, as a program streaming its output writes.
      const bool written = file.Write(content.substr(0, 40000)) && file.Write(content.substr(40000));
      const bool committed = written && file.Commit();
      EXPECT_EQ(file.Error(), c.error);
      EXPECT_EQ(committed, *c.error == '\0');
      if (committed) {
        EXPECT_EQ(Text(path), content);
      } else if (oldFile) {
        EXPECT_EQ(Text(path), "old picture");
      } else {
        EXPECT_FALSE(fs::exists(path));
      }
      EXPECT_EQ(Entries(fs::path(path).parent_path()), committed || oldFile ? 1u : 0u);
      EXPECT_FALSE(file.Write("more"));  // nothing after a commit or a failure
    }
  }
}

// The new file takes the place of the old one with the old one's permissions; a file that may not
// be replaced is left alone.
TEST(AtomicFile, ReplacesKeepingPermissionsOrRefusesToReplace) {
  TempDir dir;
  const std::string path = dir.File("table.csv");
  WriteText(path, "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  EXPECT_EQ(WriteFileAtomically(path, "new"), "");
  EXPECT_EQ(Text(path), "new");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);

  AtomicFile keep(path, {.replace = false});
  EXPECT_FALSE(keep.Open() && keep.Write("newer") && keep.Commit());
  EXPECT_EQ(keep.ErrorNumber(), EEXIST);
  EXPECT_EQ(Text(path), "new");
  EXPECT_EQ(WriteFileAtomically(dir.File("fresh.csv"), "first", {.replace = false}), "");
  EXPECT_EQ(Text(dir.File("fresh.csv")), "first");
  EXPECT_EQ(Entries(fs::path(path).parent_path()), 2u);
}

TEST(AtomicFile, UnwritablePlacesSayWhy) {
  TempDir dir;
  WriteText(dir.File("plain"), "x");
  fs::create_directory(dir.File("folder"));
  struct Case {
    std::string path;
    const char* error;
  };
  const Case cases[] = {
      {dir.File("missing/out.svg"), "No such file or directory"},
      {dir.File("plain/out.svg"), "Not a directory"},
      {dir.File("folder"), "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(WriteFileAtomically(c.path, "content"), c.error);
  }
  EXPECT_EQ(Text(dir.File("plain")), "x");
  EXPECT_TRUE(fs::is_empty(dir.File("folder")));
}

// A link the user named is followed: its target gets the new content and the link stays. A link
// at a path the program chose is replaced by the file, its target untouched.
TEST(AtomicFile, SymbolicLinksAreFollowedOnlyWhenNamed) {
  for (bool follow : {true, false}) {
    SCOPED_TRACE(follow ? "named by the user" : "chosen by the program");
    TempDir dir;
    fs::create_directory(dir.File("shared"));
    const std::string target = dir.File("shared/report.svg");
    const std::string link = dir.File("report.svg");
    WriteText(target, "target");
    fs::create_symlink("shared/report.svg", link);

    EXPECT_EQ(WriteFileAtomically(link, "new", {.followLink = follow}), "");
    EXPECT_EQ(fs::is_symlink(link), follow);
    EXPECT_EQ(Text(link), "new");
    EXPECT_EQ(Text(target), follow ? "new" : "target");
    EXPECT_EQ(Entries(dir.File("shared")), 1u);
  }
}

}  // namespace
}  // namespace tulo
