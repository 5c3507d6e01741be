// The data folder of an installed program: where it is, and what the first start does there.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/Config.h"
#include "app/ConfigTestSupport.h"
#include "app/DataFolder.h"

namespace tulo {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(DataFolder, FoundFromTheEnvironment) {
  struct Case {
    const char* what;
    DataFolderEnvironment env;
    std::string folder;
  };
  const Case cases[] = {
      {"override wins", {"/srv/t", "/x/data", "/home/u"}, "/srv/t"},
      {"relative override kept", {"rel/dir", std::nullopt, "/home/u"}, "rel/dir"},
      {"empty override ignored", {"", "/x/data", "/home/u"}, "/x/data/tulo"},
      {"XDG_DATA_HOME", {std::nullopt, "/x/data", "/home/u"}, "/x/data/tulo"},
      {"XDG_DATA_HOME empty", {std::nullopt, "", "/home/u"}, "/home/u/.local/share/tulo"},
      {"XDG_DATA_HOME relative", {std::nullopt, "data", "/home/u"}, "/home/u/.local/share/tulo"},
      {"only HOME", {std::nullopt, std::nullopt, "/home/u"}, "/home/u/.local/share/tulo"},
      {"nothing set", {std::nullopt, std::nullopt, std::nullopt}, ""},
      {"HOME relative", {std::nullopt, std::nullopt, "u"}, ""},
      {"HOME empty, XDG relative", {std::nullopt, "data", ""}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DataFolder(c.env).string(), c.folder);
  }
}

// A new folder, its missing parents included, gets a fresh file that loads with the first unit of
// every quantity; the second start finds the folder and changes nothing.
TEST(DataFolder, NewFolderGetsAFreshConfiguration) {
  TempDir dir;
  const fs::path folder = fs::path(dir.File("share")) / "tulo";
  const std::string file = (folder / kConfigFileName).string();

  DataFolderResult first = PrepareDataFolder(folder);
  EXPECT_EQ(first.outcome, DataFolderOutcome::kCreated);
  EXPECT_EQ(first.errorText, "");
  const Bytes created = ReadBytes(file);
  const ConfigBytes fresh = ConfigRecord::Fresh().Serialise();
  EXPECT_EQ(created, Bytes(fresh.begin(), fresh.end()));

  ConfigStore store(std::make_unique<StdioConfigFile>(), file);
  UnitSettings units;
  ConfigWorkingValues working;
  ASSERT_TRUE(CheckConfigExists(store).Ok());
  ASSERT_TRUE(LoadConfig(store, units, working).Ok());
  EXPECT_EQ(units.UnitText(kTemperature), "Kelvin");
  store.File().Close();

  // Units saved by a session survive the next start.
  Bytes saved = created;
  saved[642] = 2;
  WriteBytes(file, saved);
  DataFolderResult second = PrepareDataFolder(folder);
  EXPECT_EQ(second.outcome, DataFolderOutcome::kExisting);
  EXPECT_EQ(ReadBytes(file), saved);
}

// An empty folder (made by hand before the first start) is a first start: it gets the fresh file.
// A start that finds the file already there (another start was quicker) changes nothing.
TEST(DataFolder, EmptyFolderGetsAFreshConfiguration) {
  TempDir dir;
  const fs::path folder = dir.File("data");
  fs::create_directory(folder);
  const std::string file = (folder / kConfigFileName).string();

  DataFolderResult result = PrepareDataFolder(folder);
  EXPECT_EQ(result.outcome, DataFolderOutcome::kCreated);
  EXPECT_EQ(result.errorText, "");
  const ConfigBytes fresh = ConfigRecord::Fresh().Serialise();
  EXPECT_EQ(ReadBytes(file), Bytes(fresh.begin(), fresh.end()));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  ConfigStore store(std::make_unique<StdioConfigFile>(), file);
  UnitSettings units;
  ConfigWorkingValues working;
  ASSERT_TRUE(LoadConfig(store, units, working).Ok());
  EXPECT_EQ(units.UnitText(kPressure), "kPa abs");
}

// A folder that holds anything is left alone, whatever its file looks like; the start-up's own
// checks then give their messages as before.
TEST(DataFolder, ExistingFolderKeepsAMissingOrDamagedFile) {
  struct Case {
    const char* what;
    std::optional<Bytes> content;  // nullopt: no file
    std::string message;  // after the file's quoted path
  };
  const Case cases[] = {
      {"file gone", std::nullopt,
       " not found  -  Aborting\nA fresh one is made by: tulo-calc --create-config "},
      {"file cut short", Bytes(100, 1), " is too short (100 bytes, 1032 expected)  -  Aborting"},
      {"file empty", Bytes{}, " is too short (0 bytes, 1032 expected)  -  Aborting"},
      {"file of text", Bytes(2000, 'x'), " is damaged (longer than 1032 bytes)  -  Aborting"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    const fs::path folder = dir.File("tulo");
    fs::create_directory(folder);
    const std::string file = (folder / kConfigFileName).string();
    if (c.content) WriteBytes(file, *c.content);
    WriteBytes((folder / "tulo-settings.ini").string(), {'\n'});  // the folder is in use

    DataFolderResult result = PrepareDataFolder(folder);
    EXPECT_EQ(result.outcome, DataFolderOutcome::kExisting);
    EXPECT_EQ(fs::exists(file), c.content.has_value());
    if (c.content) {
      EXPECT_EQ(ReadBytes(file), *c.content);
    }

    ConfigStore store(std::make_unique<StdioConfigFile>(), file);
    UnitSettings units;
    ConfigWorkingValues working;
    ConfigStatus status = CheckConfigExists(store);
    if (status.Ok()) status = LoadConfig(store, units, working);
    const std::string quoted = "\"" + file + "\"";
    EXPECT_EQ(status.errorText, "Configuration File " + quoted + c.message + (c.content ? "" : quoted));
  }
}

TEST(DataFolder, FolderThatCannotBeMadeStopsWithAMessage) {
  TempDir dir;
  const std::string plain = dir.File("plain");
  const Bytes text = {'k', 'e', 'e', 'p'};
  WriteBytes(plain, text);
  struct Case {
    const char* what;
    fs::path folder;
    std::string messageStart;
  };
  const Case cases[] = {
      {"no HOME", fs::path(), "No data folder: HOME is not set"},
      {"a file in its place", plain, "Data folder \"" + plain + "\" is not a folder"},
      {"a file as its parent", fs::path(plain) / "tulo",
       "Cannot create the data folder \"" + plain + "/tulo\": "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DataFolderResult result = PrepareDataFolder(c.folder);
    EXPECT_EQ(result.outcome, DataFolderOutcome::kFailed);
    EXPECT_EQ(result.errorText.rfind(c.messageStart, 0), 0u) << result.errorText;
    EXPECT_TRUE(result.errorText.ends_with("  -  Aborting")) << result.errorText;
  }
  EXPECT_EQ(ReadBytes(plain), text);
}

}  // namespace
}  // namespace tulo
