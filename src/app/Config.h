#pragma once
// Loading the configuration record at start-up and saving it at close. The file is opened by
// LoadConfig and stays open, read-write or read-only, until SaveConfig closes it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/ConfigFile.h"
#include "app/ConfigRecord.h"
#include "app/PlatformServices.h"
#include "units/Units.h"

namespace tulo {

// Bare name: looked for in the current working directory.
inline constexpr const char* kConfigFileName = "tulodefw.dta";

// The values that live outside the record while the program runs; LoadConfig fills them from the
// record and SaveConfig copies them back.
struct ConfigWorkingValues {
  bool SatGivenTemperature = false;
  bool FullPropertyList = false;
  std::uint8_t SpareFlag = 0;
  std::uint8_t SearchItem = 0;
  std::uint8_t SearchGivenItem = 0;
};

// The outcome of a step that can stop the program: empty errorText when it went well, otherwise
// the text to show in a message box before stopping. warningText, when not empty, is shown once
// and the program goes on.
struct ConfigStatus {
  std::string errorText;
  std::string warningText;
  bool Ok() const { return errorText.empty(); }
};

// The configuration file and the record held in memory. EntrySeen, SteamQuality, SearchItem,
// SearchGivenItem and SavedUnits are used in place in Record().
class ConfigStore {
 public:
  explicit ConfigStore(std::unique_ptr<ConfigFile> file = std::make_unique<StdioConfigFile>(),
                       std::string path = kConfigFileName);

  ConfigRecord& Record() { return record_; }
  const ConfigRecord& Record() const { return record_; }
  ConfigFile& File() { return *file_; }
  const ConfigFile& File() const { return *file_; }
  const std::string& Path() const { return path_; }
  bool IsOpen() const { return file_->IsOpen(); }
  // Whether the file was last opened read-write.
  bool Writable() const { return writable_; }
  void SetWritable(bool writable) { writable_ = writable; }
  // Record 0 as LoadConfig read it from the file; put back when a save fails part-way.
  const std::optional<ConfigBytes>& AsRead() const { return asRead_; }
  void SetAsRead(const ConfigBytes& bytes) { asRead_ = bytes; }

 private:
  std::unique_ptr<ConfigFile> file_;
  std::string path_;
  ConfigRecord record_ = ConfigRecord::Fresh();
  std::optional<ConfigBytes> asRead_;
  bool writable_ = false;
};

// The start-up test for the file's presence, made before LoadConfig. The messages name the file
// with its folder: "not found" with the command that makes a fresh one, or "is a folder".
ConfigStatus CheckConfigExists(const ConfigStore& store);

// Opens the file (read-write, else read-only) and leaves it open, reads and checks the record
// (ConfigRecordProblem: a file of another size or with damaged fields is refused as damaged),
// hands SavedUnits to `units` (InitUnits) and copies the working values out of the record. On
// failure the file is closed and nothing has been written, nor ever will be. A file that opens
// read-only only loads with a warning that unit changes will not be saved, and why.
ConfigStatus LoadConfig(ConfigStore& store, UnitSettings& units, ConfigWorkingValues& working);

// The close request. Asks about changed units, copies the working values back, counts the save,
// replaces the file by one holding the new record (written whole beside it, then renamed over it)
// and closes the file. CanClose becomes false when the user cancels
// (nothing written, file left open) or refuses to exit after a failed write. A failed write is
// not remembered: the record keeps its saved units and count, and the next close request opens
// the file again, asks again and tries again.
void SaveConfig(ConfigStore& store, const UnitSettings& units, const ConfigWorkingValues& working,
                PlatformServices& platform, bool& CanClose);

// Writes a new configuration file holding ConfigRecord::Fresh(), whole or not at all; never
// replaces an existing file. A symbolic link at `path` is followed: the user named it.
enum class CreateOutcome { kCreated, kAlreadyExists, kFailed };
struct CreateResult {
  CreateOutcome outcome = CreateOutcome::kFailed;
  std::string errorText;  // empty when created
};
CreateResult CreateConfigFile(const std::string& path);

}  // namespace tulo
